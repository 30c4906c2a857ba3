#!/usr/bin/env python3
"""Makes data/pictures/credits_picture.txt: the rocket on its launch pad that
turns and swells on the credits page. The body, fins and pad are blue, the
tower, porthole, panel lines and smoke grey. The page expects 128 segments,
72 blue and 56 grey, inside x -43..43 and y -87..77, the pad's edge first.

    python3 tools/art/make_credits_picture.py     (from the repository root)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from art_geometry import rounded, write_picture  # noqa: E402

BLUE, GREY = 0xFF1A54FF, 0xFF898989


def path(points, colour, closed=False):
    pts = points + points[:1] if closed else points
    return [(colour, a, b) for a, b in zip(pts, pts[1:])]


def mirrored(points):
    """A left-hand outline and its mirror image on the right."""
    return [points, [(-x, y) for x, y in points]]


def circle(cx, cy, r, n):
    return [(cx + r * math.sin(2 * math.pi * i / n), cy - r * math.cos(2 * math.pi * i / n)) for i in range(n)]


def puff(cx, cy, r, n, start, end):
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / n)),
             cy + r * math.sin(math.radians(start + (end - start) * i / n))) for i in range(n + 1)]


def build():
    blue, grey = [], []
    blue += path([(-43, 77), (43, 77)], BLUE)                 # the pad's edge comes first
    blue += path([(-38, 77), (-33, 70), (33, 70), (38, 77)], BLUE)
    blue += path([(-20, 70), (-16, 62), (16, 62), (20, 70)], BLUE)  # the launch ring

    # Body: an ogive nose, straight sides, a tapered tail; drawn twice, the
    # second line just inside the first.
    for inset in (0, 3):
        w = 15 - inset
        nose = [(-w * math.sin(math.radians(90 * i / 6)), -84 + inset * 1.6 + 36 * (1 - math.cos(math.radians(90 * i / 6)))
                 ) for i in range(7)]
        side = nose + [(-w, -12), (-w, 30), (-w + 4, 44)]
        for half in mirrored(side):
            blue += path(half, BLUE)
    blue += path([(-11, 44), (11, 44)], BLUE)

    # Fins, outlined twice, and the nozzle.
    for half in mirrored([(-15, 8), (-30, 30), (-31, 52), (-15, 38)]):
        blue += path(half, BLUE)
    for half in mirrored([(-18, 18), (-27, 32), (-27, 45), (-18, 37)]):
        blue += path(half, BLUE, closed=True)
    blue += path([(-8, 44), (-10, 56), (10, 56), (8, 44)], BLUE)
    blue += path([(0, 20), (0, 40)], BLUE)                    # the middle fin, seen edge-on
    blue += path([(-12, -2), (12, -2)], BLUE) + path([(-12, 4), (12, 4)], BLUE)   # a band round the body
    blue += path([(-26, 77), (-22, 70)], BLUE) + path([(26, 77), (22, 70)], BLUE)  # pad struts
    blue += path([(-8, 56), (-5, 63), (-2, 59), (0, 68), (2, 59), (5, 63), (8, 56)], BLUE)  # the flame

    # Porthole, panel lines and rivets.
    grey += path(circle(0, -26, 8, 10), GREY, closed=True)
    grey += path(circle(0, -26, 4, 6), GREY, closed=True)
    for y in (-48, -6, 26):
        grey += path([(-12, y), (12, y)], GREY)
    for y in (-40, 0, 14):
        grey += path([(-8, y), (-6, y + 2)], GREY) + path([(6, y), (8, y + 2)], GREY)

    # The service tower on the left with its arm reaching the rocket.
    grey += path([(-43, 70), (-43, -44)], GREY) + path([(-36, 70), (-36, -44)], GREY)
    grey += path([(-43, -44), (-36, -44)], GREY)
    ys = [70, 48, 26, 4, -18, -44]
    for i in range(len(ys) - 1):
        a, b = (-43, ys[i]), (-36, ys[i + 1])
        grey += path([a if i % 2 == 0 else (-36, ys[i]), b if i % 2 == 0 else (-43, ys[i + 1])], GREY)
    grey += path([(-36, -14), (-17, -14), (-17, -10), (-36, -10)], GREY)

    grey += path([(-43, -44), (-40, -52), (-36, -44)], GREY)  # the tower's beacon

    # Smoke billowing out on both sides of the pad.
    for side in (1, -1):
        grey += path(puff(side * 25, 63, 7, 4, 180, 360), GREY)
        grey += path(puff(side * 37, 65, 5, 3, 200, 340), GREY)
        grey += path(puff(side * 15, 71, 4, 2, 200, 340), GREY)
    return rounded(blue), rounded(grey)


def main():
    blue, grey = build()
    print('credits picture: %d blue, %d grey' % (len(blue), len(grey)))
    segs = blue + grey
    xs = [p[0] for _, a, b in segs for p in (a, b)]
    ys = [p[1] for _, a, b in segs for p in (a, b)]
    print('extent x %d..%d, y %d..%d' % (min(xs), max(xs), min(ys), max(ys)))
    if (len(blue), len(grey)) != (72, 56) or min(xs) < -43 or max(xs) > 43 or min(ys) < -87 or max(ys) > 77:
        sys.exit('the rocket must have 72 blue and 56 grey segments inside x -43..43, y -87..77')
    root = os.path.join(os.path.dirname(__file__), '..', '..')
    write_picture(os.path.join(root, 'data', 'pictures', 'credits_picture.txt'), '''
The rocket of the credits page. Made by tools/art/make_credits_picture.py;
edit that and run it again.
''', segs)


if __name__ == '__main__':
    main()
