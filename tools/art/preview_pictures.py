#!/usr/bin/env python3
"""Renders picture files the way the glow renderer would, into one PNG, so
art can be looked at without running the game.

    python3 tools/art/preview_pictures.py out.png [--zoom Z] [--scale S]
        [--width W] [--columns N] picture.txt ...

Each picture is drawn centred in its own 1024 x 768 tile at the given zoom
(glow half-width W, 24 by default as the captions use); --scale shrinks the
whole sheet.
"""
import argparse
import math
import struct
import zlib

# The glow dot's cross-section from its centre outwards, as the renderer's dot.
PROFILE = [255, 171, 42, 30, 29, 29, 29, 28, 28, 28, 28, 27, 27, 26, 26, 26, 25, 25, 24, 24, 23, 23, 22, 21, 21, 20,
           19, 19, 18, 17, 17, 16, 15, 15, 14, 13, 13, 12, 11, 11, 10, 9, 9, 8, 7, 7, 7, 6, 5, 5, 5, 4, 4, 4, 3, 3, 3,
           2, 2, 2, 2, 1, 1, 1, 0]


def glow(t):
    if t >= 63:
        return 0.0
    i = int(t)
    f = t - i
    return (PROFILE[i] * (1 - f) + PROFILE[i + 1] * f) / 255.0


def read_picture(path):
    segments = []
    for line in open(path):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        c, x1, y1, x2, y2 = line.split()
        segments.append((int(c, 16), int(x1), int(y1), int(x2), int(y2)))
    return segments


def draw_segment(img, w, h, x1, y1, x2, y2, colour, width):
    r, g, b = (colour >> 16) & 255, (colour >> 8) & 255, colour & 255
    alpha = ((colour >> 24) & 255) / 255.0
    dx, dy = x2 - x1, y2 - y1
    ll = dx * dx + dy * dy
    if ll == 0:
        return
    x0, xe = max(0, int(min(x1, x2) - width)), min(w - 1, int(max(x1, x2) + width) + 1)
    y0, ye = max(0, int(min(y1, y2) - width)), min(h - 1, int(max(y1, y2) + width) + 1)
    k = 64.0 / width
    for py in range(y0, ye + 1):
        row = img[py]
        for px in range(x0, xe + 1):
            t = ((px - x1) * dx + (py - y1) * dy) / ll
            t = 0 if t < 0 else 1 if t > 1 else t
            ex, ey = px - (x1 + t * dx), py - (y1 + t * dy)
            d = math.sqrt(ex * ex + ey * ey)
            if d >= width:
                continue
            v = glow(max(0.0, d - 0.4) * k) * alpha
            j = px * 3
            row[j] += r * v
            row[j + 1] += g * v
            row[j + 2] += b * v


def write_png(path, img, w, h):
    raw = bytearray()
    for row in img:
        raw.append(0)
        raw.extend(min(255, int(v)) for v in row)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 6)))
        f.write(chunk(b"IEND", b""))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("pictures", nargs="+")
    ap.add_argument("--zoom", type=float, default=1.0)
    ap.add_argument("--scale", type=float, default=1.0)
    ap.add_argument("--width", type=float, default=24.0)
    ap.add_argument("--columns", type=int, default=1)
    a = ap.parse_args()
    cols = min(a.columns, len(a.pictures))
    rows = (len(a.pictures) + cols - 1) // cols
    tw, th = int(1024 * a.scale), int(768 * a.scale)
    w, h = tw * cols, th * rows
    img = [[0.0] * (w * 3) for _ in range(h)]
    for n, path in enumerate(a.pictures):
        ox, oy = (n % cols) * tw, (n // cols) * th
        cx, cy = ox + 512 * a.scale, oy + 386 * a.scale
        for colour, x1, y1, x2, y2 in read_picture(path):
            s = a.zoom * a.scale
            draw_segment(img, w, h, cx + x1 * s, cy + y1 * s, cx + x2 * s, cy + y2 * s, colour, a.width * a.scale)
        # a faint frame shows each tile's screen edge
        for x in range(ox, ox + tw):
            for y in (oy, oy + th - 1):
                img[y][x * 3:x * 3 + 3] = [60, 60, 60]
        for y in range(oy, oy + th):
            for x in (ox, ox + tw - 1):
                img[y][x * 3:x * 3 + 3] = [60, 60, 60]
    write_png(a.out, img, w, h)


if __name__ == "__main__":
    main()
