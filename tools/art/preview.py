#!/usr/bin/env python3
"""Renders vector pictures to a PNG the way the game shows them: every segment
a thin bright core with a faint halo, all added onto black.

    preview.py OUT.png [--scale-down N] [--boxes menu|title|gameover]
               [--texts menu|title --font GLYPHS.txt] LAYER...

A LAYER is PICTURE.txt[@ox,oy[,rotation[,scale[,width]]]]; the picture's
centre is the play area's (512, 386) moved by (ox, oy). Segments in the
logo's sparkle colour get random warm colours, menu-dim ones their drawn
colour, as in the game. --boxes outlines where the screen's texts go;
--texts draws them with the stroke font's glyph list.
"""
import math
import random
import struct
import sys
import zlib

W, H = 1024, 768
SPARKLE, DIM, DIM_DRAWN = 0xFF3EFF00, 0xFF062400, 0xFF004000

# Where the texts of the screens sit: (left, top, right, bottom) in pixels.
TEXT_BOXES = {
    'menu': [(392 - 10, 420 - 16, 392 + 28 * 9 + 10, 420 + 16),      # "level: 100", zoom overshoot
             (350, 560 - 16, 350 + 28 * 12, 560 + 16),              # menu entry
             (294 - 8, 598 - 9, 294 + 21 * 22, 630 + 9),            # two hint rows
             (168 - 8, 735 - 9, 168 + 21 * 26, 735 + 9)],           # credit line
    'title': [(420 - 10, 476 - 12, 420 + 28 * 8, 476 + 12),         # "level 07"
              (21 - 8, 525 - 9, 21 * 48, 556 + 9),                  # quoted title rows
              (336 - 10, 672 - 12, 336 + 28 * 13, 672 + 12),        # name line
              (280 - 10, 714 - 12, 280 + 28 * 18, 714 + 12)],       # "prepare for action"
    'gameover': [(66 - 40, 62, 66 + 112 * 8, 178)],
}


# The screens' texts: (text, x, y, colour, scale, glow width), grid positions.
SCREEN_TEXTS = {
    'menu': [('level: 100', 14, 15, 0xFFFFFFFF, 1, 16), ('arcade mode', 13.5, 20, 0xFFFFD0A0, 1, 16),
             ('use arrows for options', 14, 28.5, 0xFFFF40FF, 0.75, 20),
             ("and 'enter' to select", 14, 30, 0xFFFF40FF, 0.75, 20),
             ('\u00a4 2026 velvet comet arcade', 8, 35, 0xFFDFA51B, 0.75, 20), ('1.00', 67, 54, 0xFF303030, 0.5, 20)],
    'title': [('level 07', 15, 17, 0xFFFFFF00, 1, 20), ("            'the long night begins'", 1, 25, 0xFFFF8080, 0.75, 20),
              ('  player....', 12, 24, 0xFF00FFFF, 1, 20), ('prepare for action', 10, 25.5, 0xFF00FFFF, 1, 20)],
}
GLYPH_CHARS = " abcdefghijklmnopqrstuvwxyz\u00a40123456789.,?=/-+()':;@!*>#"


def read_glyphs(path):
    glyphs, index = {}, 1
    for line in open(path):
        line = line.split('#')[0].split()
        if not line:
            continue
        v = list(map(int, line))
        glyphs[GLYPH_CHARS[index]] = [v[i:i + 4] for i in range(1, len(v), 4)]
        index += 1
    return glyphs


def draw_text(buf, glyphs, text, gx, gy, colour, scale, width, down):
    x, y = gx * 28 * scale, gy * 28 * scale
    for ch in text.lower():
        for x1, y1, x2, y2 in glyphs.get(ch, []):
            draw_segment(buf, x + x1 * scale, y + y1 * scale, x + x2 * scale, y + y2 * scale, colour, width, down)
        x += 28 * scale


def profile(t):
    """Brightness across a glow band, t = distance / half-width (0..1)."""
    texel = t * 64
    if texel < 1:
        return 1.0
    if texel < 2:
        return 172 / 255
    if texel < 3:
        return 42 / 255
    return max(0.0, 30 / 255 * (1 - (texel - 3) / 61))


def draw_segment(buf, x1, y1, x2, y2, colour, width, down):
    a = ((colour >> 24) & 255) / 255
    cr, cg, cb = ((colour >> 16) & 255) * a, ((colour >> 8) & 255) * a, (colour & 255) * a
    x1, y1, x2, y2, width = x1 / down, y1 / down, x2 / down, y2 / down, width / down
    w, h = W // down, H // down
    dx, dy = x2 - x1, y2 - y1
    ll = dx * dx + dy * dy or 1e-9
    x0 = max(0, int(min(x1, x2) - width)); xe = min(w - 1, int(max(x1, x2) + width) + 1)
    y0 = max(0, int(min(y1, y2) - width)); ye = min(h - 1, int(max(y1, y2) + width) + 1)
    inv = 1 / width
    for py in range(y0, ye + 1):
        fy = py + 0.5
        row = py * w
        for px in range(x0, xe + 1):
            fx = px + 0.5
            t = ((fx - x1) * dx + (fy - y1) * dy) / ll
            t = 0.0 if t < 0 else 1.0 if t > 1 else t
            ex, ey = fx - x1 - t * dx, fy - y1 - t * dy
            d = math.sqrt(ex * ex + ey * ey) * inv
            if d >= 1:
                continue
            # A core thinner than a pixel still lights its pixel fully.
            p = profile(d) if d * width * down > 0.75 else 1.0
            i = (row + px) * 3
            buf[i] += cr * p; buf[i + 1] += cg * p; buf[i + 2] += cb * p


def read_picture(path):
    segs = []
    for line in open(path):
        line = line.strip()
        if not line or line.startswith('#'):
            continue
        c, *xy = line.split()
        segs.append((int(c, 16), *map(int, xy[:4])))
    return segs


def write_png(path, buf, w, h):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            i = (y * w + x) * 3
            raw += bytes(min(255, int(v)) for v in buf[i:i + 3])
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')
    open(path, 'wb').write(png)


def main(argv):
    out, down, boxes, texts, font, layers = argv[0], 1, None, None, None, []
    args = argv[1:]
    while args:
        a = args.pop(0)
        if a == '--scale-down':
            down = int(args.pop(0))
        elif a == '--boxes':
            boxes = args.pop(0)
        elif a == '--texts':
            texts = args.pop(0)
        elif a == '--font':
            font = read_glyphs(args.pop(0))
        else:
            layers.append(a)
    random.seed(7)
    buf = [0.0] * (W // down) * (H // down) * 3
    for layer in layers:
        path, _, rest = layer.partition('@')
        nums = [float(v) for v in rest.split(',')] if rest else []
        ox, oy, rot, scale, width = (nums + [0, 0, 0, 1, 28][len(nums):])[:5]
        c, s = math.cos(math.radians(rot)), math.sin(math.radians(rot))
        for colour, x1, y1, x2, y2 in read_picture(path):
            if colour == SPARKLE:
                colour = random.randint(-50000, -10000) & 0xFFFFFFFF
            elif colour == DIM:
                colour = DIM_DRAWN
            p = [(512 + ox + (x * c - y * s) * scale, 386 + oy + (x * s + y * c) * scale)
                 for x, y in ((x1, y1), (x2, y2))]
            draw_segment(buf, p[0][0], p[0][1], p[1][0], p[1][1], colour, width, down)
    for text, x, y, colour, scale, width in SCREEN_TEXTS.get(texts, []):
        draw_text(buf, font, text, x, y, colour, scale, width, down)
    for l, t, r, b in TEXT_BOXES.get(boxes, []):
        for e in ((l, t, r, t), (r, t, r, b), (r, b, l, b), (l, b, l, t)):
            draw_segment(buf, *e, 0xFF803030, 3, down)
    write_png(out, buf, W // down, H // down)


if __name__ == '__main__':
    main(sys.argv[1:])
