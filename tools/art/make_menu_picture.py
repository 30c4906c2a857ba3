#!/usr/bin/env python3
"""Makes data/pictures/menu_picture.txt: the dim scene behind the main menu
(and, lower down, behind the game-over screen). The Earth's limb curves across
the bottom with a grid on its surface, two orbits sweep round it and faint
stars fill the sky. Nearly all of it is in the dim colour, so the menu's
texts stay easy to read.

    python3 tools/art/make_menu_picture.py     (from the repository root)
"""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(__file__))
from art_geometry import ellipse_point, resample, rounded, visible_runs, write_picture  # noqa: E402

DIM = 0xFF062400          # drawn as FF004000
ATMOSPHERE = 0xFF0A2A3A
ORBIT = 0xFF1A1440
STAR = 0xFF181C30
LIMIT = 249               # the stored table's room: 1 + 8 x 249 values
STARS = 80

LEFT, RIGHT, TOP, BOTTOM = -510, 510, -380, 380
EARTH_Y, EARTH_R = 1150, 900      # the planet's centre far below the screen


def on_screen(x, y):
    return LEFT <= x <= RIGHT and TOP <= y <= BOTTOM


def arc(cx, cy, r, a0, a1, n):
    """Points of a circle's arc, angles in degrees clockwise from up."""
    return [(cx + r * math.sin(math.radians(a0 + (a1 - a0) * i / n)),
             cy - r * math.cos(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def polyline(points, colour, step, hidden=None):
    out = []
    hide = hidden or (lambda x, y: not on_screen(x, y))
    for run in visible_runs(points, hide):
        out += [(colour, a, b) for a, b in resample(run, step, 4)]
    return out


def build():
    segs = []
    above_earth = lambda x, y: math.hypot(x, y - EARTH_Y) < EARTH_R + 4 or not on_screen(x, y)  # noqa: E731

    # The limb and the thin line of the atmosphere above it.
    segs += polyline(arc(0, EARTH_Y, EARTH_R, -40, 40, 400), DIM, 48)
    segs += polyline(arc(0, EARTH_Y, EARTH_R + 14, -40, 40, 400), ATMOSPHERE, 60)

    # The surface grid: parallels closer together towards the limb, as seen
    # in perspective, and meridians running down from it.
    for depth in (34, 84, 150, 236):
        segs += polyline(arc(0, EARTH_Y, EARTH_R - depth, -40, 40, 400), DIM, 64)
    for a in range(-36, 37, 6):
        pts = [(math.sin(math.radians(a)) * r, EARTH_Y - math.cos(math.radians(a)) * r)
               for r in range(EARTH_R - 2, EARTH_R - 320, -8)]
        segs += polyline(pts, DIM, 200)

    # Two orbits round the planet, hidden where they pass behind it.
    for cx, cy, a, b, tilt in ((0, 250, 640, 190, -8), (40, 330, 720, 300, 12)):
        pts = [ellipse_point(cx, cy, a, b, tilt, t / 2) for t in range(0, 721)]
        far = lambda x, y, cy=cy: above_earth(x, y) and y > cy - 40  # noqa: E731
        segs += polyline(pts, ORBIT, 60, lambda x, y, far=far: far(x, y) or not on_screen(x, y))

    # Faint stars over the whole sky: behind the logo they hardly show, but
    # the game-over screen, which draws this picture lower, shows them.
    rnd = random.Random(2026)
    for _ in range(STARS):
        while True:
            x, y = rnd.randint(LEFT + 10, RIGHT - 10), rnd.randint(TOP + 10, 230)
            if math.hypot(x, y - EARTH_Y) > EARTH_R + 40:
                break
        r = rnd.choice((1, 1, 2))
        segs.append((STAR, (x - r, y - r), (x + r, y + r)))
    return rounded(segs)


def main():
    segs = build()
    assert len(segs) <= LIMIT, len(segs)
    root = os.path.join(os.path.dirname(__file__), '..', '..')
    write_picture(os.path.join(root, 'data', 'pictures', 'menu_picture.txt'), '''
The scene behind the main menu: the Earth's limb with a grid on its surface,
two orbits and faint stars. Made by tools/art/make_menu_picture.py; edit that
and run it again. Colour FF062400 is the dim colour, drawn as FF004000.
''', segs)
    print('menu picture: %d segments' % len(segs))


if __name__ == '__main__':
    main()
