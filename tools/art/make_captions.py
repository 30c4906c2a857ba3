#!/usr/bin/env python3
"""Writes the flying captions and the base-wreck outlines under data/pictures/.

    python3 tools/art/make_captions.py [repository root]

Each caption is lettered in the stroke font, every stroke doubled into two
parallel lines so the letters read bold at a distance, and coloured along a
gradient from its first letter to its last. The files are committed; run
this again after changing a caption here.
"""
import math
import os
import sys

from stroke_glyphs import CELL, GLYPH_H, GLYPH_W, GLYPHS

# index: (lines of text, colour at the left, colour at the right); the
# announcements that end something get rules above and below as well.
FRAMED = {16, 23}
CAPTIONS = {
    1: (["tripleshot!"], 0xFFF800FF, 0xFFFF90FF),
    2: (["beam weapon!"], 0xFFFFFFFF, 0xFF40E0FF),
    3: (["absorb shield!"], 0xFFFEFE00, 0xFFFF9020),
    4: (["deflect shield!"], 0xFFFFC020, 0xFFFFFF90),
    5: (["double base!"], 0xFFFEFE00, 0xFF90FEFF),
    6: (["power shots!"], 0xFFF82700, 0xFFFFE040),
    7: (["extra life!"], 0xFF30FF30, 0xFFC0FFC0),
    8: (["less invaders!"], 0xFF31FEFF, 0xFFFA88FF),
    9: (["more invaders!"], 0xFFFFFFFF, 0xFF34FF00),
    10: (["speed up!"], 0xFFC1C218, 0xFFFFFF60),
    11: (["speed down!"], 0xFF4080FF, 0xFFE0E0FF),
    12: (["ufo incoming!"], 0xFFFF4040, 0xFFFF80FF),
    13: (["shrink earth!"], 0xFF37C1FF, 0xFFFBC14D),
    14: (["grow earth!"], 0xFF62FEFF, 0xFFFBC113),
    15: (["invaders", "speed up!"], 0xFFFFC020, 0xFFFF4020),
    16: (["base destroyed!"], 0xFFFF2020, 0xFFFF9000),
    17: (["no weapon!", "shield only"], 0xFFFFFF40, 0xFFFF8040),
    18: (["deflect shots", "back at them!"], 0xFF40FFFF, 0xFFFFFFFF),
    19: (["shoot the earth", "down to size!"], 0xFF40FFFF, 0xFF60FF60),
    20: (["before the time", "bonus runs out!"], 0xFFFFFF40, 0xFFFF40FF),
    21: (["get ready!"], 0xFF40FF40, 0xFFFFFF40),
    22: (["well done!"], 0xFF80FF80, 0xFF40C0FF),
    23: (["level complete!"], 0xFF40FF80, 0xFF40FFFF),
}

MAX_WIDTH = 880    # pixels at zoom 1: most of the 1024 wide screen
MAX_SCALE = 3.2    # short captions stop growing here
LINE_GAP = 36      # font units from one text line to the next
BOLD = 1.6         # font units from a stroke's centre to each of its lines


def text_width(text):
    return CELL * (len(text) - 1) + GLYPH_W


def mix(c1, c2, t):
    out = 0xFF000000
    for shift in (16, 8, 0):
        a, b = (c1 >> shift) & 255, (c2 >> shift) & 255
        out |= int(round(a + (b - a) * t)) << shift
    return out


def bold_stroke(x1, y1, x2, y2):
    """Two lines either side of a stroke, reaching BOLD past each end so
    that strokes meeting at a corner close it."""
    dx, dy = x2 - x1, y2 - y1
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    nx, ny = -uy * BOLD, ux * BOLD
    ex, ey = ux * BOLD, uy * BOLD
    ax, ay, bx, by = x1 - ex, y1 - ey, x2 + ex, y2 + ey
    return [(ax + nx, ay + ny, bx + nx, by + ny), (ax - nx, ay - ny, bx - nx, by - ny)]


def double_style(stroke, colour):
    return [(s, colour) for s in bold_stroke(*stroke)]


def shadow_style(stroke, colour):
    x1, y1, x2, y2 = stroke
    dark = mix(colour, 0xFF000000, 0.55)
    return [((x1 + SHADOW, y1 + SHADOW, x2 + SHADOW, y2 + SHADOW), dark), (stroke, colour)]


SHADOW = 2.2
STYLE = shadow_style


def rules(half_width, half_height, left, right):
    """Two rules around the text, each ending in small arrowheads pointing
    outwards; few pieces, as every joint glows brighter."""
    segments = []
    pieces = 2
    for y in (-half_height, half_height):
        for i in range(pieces):
            xa = -half_width + 2 * half_width * i / pieces
            xb = -half_width + 2 * half_width * (i + 1) / pieces
            segments.append((mix(left, right, (i + 0.5) / pieces), round(xa), round(y), round(xb), round(y)))
        for side, colour in ((-1, left), (1, right)):
            tip = side * (half_width + 14)
            back = side * half_width
            segments.append((colour, round(back), round(y - 7), round(tip), round(y)))
            segments.append((colour, round(back), round(y + 7), round(tip), round(y)))
    return segments


def lay_out(lines, left, right, framed=False):
    scale = min(MAX_SCALE, MAX_WIDTH / max(text_width(t) for t in lines))
    widest = max(text_width(t) for t in lines) * scale
    segments = []
    top = -(len(lines) - 1) * LINE_GAP / 2
    for row, text in enumerate(lines):
        cy = (top + row * LINE_GAP) * scale
        first = -text_width(text) * scale / 2 + GLYPH_W * scale / 2
        for i, ch in enumerate(text):
            cx = first + i * CELL * scale
            colour = mix(left, right, (cx + widest / 2) / widest)
            seen = set()
            for stroke in GLYPHS.get(ch, []):
                key = tuple(sorted([stroke[:2], stroke[2:]]))
                if key in seen:
                    continue
                seen.add(key)
                for (x1, y1, x2, y2), c in STYLE(stroke, colour):
                    p = (round(cx + x1 * scale), round(cy + y1 * scale),
                         round(cx + x2 * scale), round(cy + y2 * scale))
                    if p[:2] != p[2:]:
                        segments.append((c,) + p)
    if framed:
        half_height = ((len(lines) - 1) * LINE_GAP / 2 + GLYPH_H / 2 + 12) * scale
        segments += rules(widest / 2 + 6, half_height, left, right)
    return segments


def write_picture(path, title, segments):
    with open(path, "w") as f:
        f.write(f"# {title}\n# generated by tools/art/make_captions.py\n")
        for colour, x1, y1, x2, y2 in segments:
            f.write(f"{colour:08X} {x1} {y1} {x2} {y2}\n")


# The base wreck, relative to the base: outline 0 is the hull, the red
# cockpit and the gun of the base itself; outline 1 is what is left of it,
# the same 16 pieces torn apart, bent and flung outwards.
BASE_WHOLE = [
    (-7, -1, 7, -1), (7, -1, 10, 2), (-7, -1, -10, 2), (10, 2, 17, 2), (-10, 2, -17, 2), (-17, 2, -21, -2),
    (17, 2, 21, -2), (-21, -2, -18, -8), (21, -2, 18, -8), (-18, -8, -10, -12), (18, -8, 10, -12),
    (-10, -12, 0, -7), (0, -7, 10, -12), (-10, -12, 0, -22), (0, -22, 10, -12), (0, -15, 0, -27),
]


def broken(seg, i):
    """Moves a piece away from the base's centre and gives it a twist."""
    x1, y1, x2, y2 = seg
    mx, my = (x1 + x2) / 2, (y1 + y2) / 2 + 8
    d = math.hypot(mx, my) or 1
    push = 7 + (i * 5) % 9
    ox, oy = mx / d * push, my / d * push
    turn = math.radians(((i * 47) % 70) - 35)
    cx, cy = (x1 + x2) / 2, (y1 + y2) / 2

    def rot(x, y):
        x, y = x - cx, y - cy
        return (cx + ox + x * math.cos(turn) - y * math.sin(turn), cy + oy + x * math.sin(turn) + y * math.cos(turn))

    a, b = rot(x1, y1), rot(x2, y2)
    return tuple(round(v) for v in a + b)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    out = os.path.join(root, "data", "pictures")
    os.makedirs(out, exist_ok=True)
    for index, (lines, left, right) in CAPTIONS.items():
        write_picture(os.path.join(out, f"caption_{index:02d}.txt"), f"caption {index}: " + " / ".join(lines),
                      lay_out(lines, left, right, index in FRAMED))
    whole = [(0xFFFFFFFF,) + s for s in BASE_WHOLE]
    wreck = [(0xFF404040,) + broken(s, i) for i, s in enumerate(BASE_WHOLE)]
    write_picture(os.path.join(out, "base_wreck_0.txt"), "the base, as its wreck first flashes", whole)
    write_picture(os.path.join(out, "base_wreck_1.txt"), "the base broken apart", wreck)


if __name__ == "__main__":
    main()
