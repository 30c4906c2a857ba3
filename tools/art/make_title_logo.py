#!/usr/bin/env python3
"""Makes data/pictures/title_logo.txt: the word ORBIVORE in outlined,
forward-leaning block letters, the first O a ringed planet, and an orbit
that swoops round the word (behind it at the top, in front at the bottom)
with a comet riding on it. The game draws exactly 378 segments, so the
number of twinkling stars is chosen to make up that count.

    python3 tools/art/make_title_logo.py     (from the repository root)
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from art_geometry import (clip_segment, edges, ellipse_point, inset, near_poly, resample, rounded,  # noqa: E402
                          shear, translate, visible_runs, write_picture)

SEGMENTS = 378
SPARKLE = 0xFF3EFF00     # drawn in a fresh warm colour every frame
OUTER = 0xFF2F6BFF       # letter outlines
INNER = 0xFF5FF4FF       # the second line inside them
PLANET = 0xFF34E58A
PLANET_INNER = 0xFFB8FF6A
RING = 0xFFFFB347

H = 120                  # letter height
T = 26                   # stroke thickness
LINE_GAP = 7             # between the two lines of an outline
GAP = 22                 # between letters
LEAN = 0.2
WORD_Y = -206            # the word's middle, relative to the logo's centre


def letter_o(w=92, c=18, ci=8):
    outer = [(c, 0), (w - c, 0), (w, c), (w, H - c), (w - c, H), (c, H), (0, H - c), (0, c)]
    t = T
    hole = [(t + ci, t), (w - t - ci, t), (w - t, t + ci), (w - t, H - t - ci), (w - t - ci, H - t),
            (t + ci, H - t), (t, H - t - ci), (t, t + ci)]
    return w, [outer], [hole]


def letter_r(w=88):
    t = T
    outer = [(0, 0), (w - 16, 0), (w, 16), (w, 50), (w - 12, 62), (w, 74), (w, H), (w - t, H), (w - t, 82),
             (w - t - 6, 76), (t, 76), (t, H), (0, H)]
    hole = [(t, t), (w - t - 6, t), (w - t, t + 6), (w - t, 44), (w - t - 6, 50), (t, 50)]
    return w, [outer], [hole]


def letter_b(w=88):
    t = T
    outer = [(0, 0), (w - 16, 0), (w, 16), (w, 48), (w - 10, 58), (w, 68), (w, H - 16), (w - 16, H), (0, H)]
    top = [(t, t), (w - t - 6, t), (w - t, t + 6), (w - t, 47), (t, 47)]
    bottom = [(t, 73), (w - t, 73), (w - t, H - t - 6), (w - t - 6, H - t), (t, H - t)]
    return w, [outer], [top, bottom]


def letter_i(w=62):
    t, m, s = T, w / 2, 22
    outer = [(0, 0), (w, 0), (w, s), (m + t / 2, s), (m + t / 2, H - s), (w, H - s), (w, H), (0, H),
             (0, H - s), (m - t / 2, H - s), (m - t / 2, s), (0, s)]
    return w, [outer], []


def letter_v(w=100):
    outer = [(0, 0), (30, 0), (w / 2, H - 44), (w - 30, 0), (w, 0), (w / 2 + 15, H), (w / 2 - 15, H)]
    return w, [outer], []


def letter_e(w=80):
    t = T
    outer = [(0, 0), (w, 0), (w, 24), (t, 24), (t, 48), (w - 14, 48), (w - 14, 72), (t, 72), (t, 96), (w, 96),
             (w, H), (0, H)]
    return w, [outer], []


def circle(cx, cy, r, n, start=0.0):
    return [(cx + r * math.cos(2 * math.pi * (i + start) / n), cy + r * math.sin(2 * math.pi * (i + start) / n))
            for i in range(n)]


def build(orbit_step):
    planet_r = 66
    word = [('planet', None), ('r', letter_r), ('b', letter_b), ('i', letter_i), ('v', letter_v),
            ('o', letter_o), ('r', letter_r), ('e', letter_e)]
    widths = [2 * planet_r if f is None else f()[0] for _, f in word]
    total = sum(widths) + GAP * (len(word) - 1)
    x = -total / 2
    letters = []          # (outer contours, holes) in logo units
    planet = None
    for (name, make), w in zip(word, widths):
        if make is None:
            planet = (x + planet_r, WORD_Y)
        else:
            _, outers, holes = make()
            place = lambda poly: shear(translate(poly, x, WORD_Y - H / 2), LEAN, WORD_Y)  # noqa: E731
            letters.append(([place(p) for p in outers], [place(h) for h in holes]))
        x += w + GAP

    px, py = planet
    planet_outer = circle(px, py, planet_r, 22, 0.5)
    planet_hole = circle(px, py, planet_r - 28, 16, 0.5)
    blockers = [o for outers, _ in letters for o in outers] + [planet_outer]

    # The orbit: a wide tilted ellipse round the word. Its far half passes
    # behind the letters; its near half in front, so letters break around it.
    ocx, ocy, oa, ob, tilt = 6, WORD_Y + 8, 492, 98, -5.5
    comet_t = 118
    orbit_far = [ellipse_point(ocx, ocy, oa, ob, tilt, t / 4) for t in range(720, 1441)]
    orbit_near = [ellipse_point(ocx, ocy, oa, ob, tilt, t / 4) for t in range(0, 721)]
    head = ellipse_point(ocx, ocy, oa, ob, tilt, comet_t)
    # The planet's own ring, turned the other way.
    ring_far = [ellipse_point(px, py, planet_r + 28, 18, -24, t / 2) for t in range(360, 721)]
    ring_near = [ellipse_point(px, py, planet_r + 28, 18, -24, t / 2) for t in range(0, 361)]
    fronts = orbit_near[::3] + ring_near[::3]

    def in_front(x, y):
        return any(abs(x - fx) < 11 and math.dist((x, y), (fx, fy)) < 11 for fx, fy in fronts)

    def behind(x, y):
        return any(near_poly(x, y, b, 9) for b in blockers)

    segs = []

    def outline(contours, holes, colour_out, colour_in):
        for poly, is_hole in [(c, False) for c in contours] + [(h, True) for h in holes]:
            for line, colour in ((poly, colour_out), (inset(poly, LINE_GAP, is_hole), colour_in)):
                for a, b in edges(line):
                    for piece in clip_segment(a, b, in_front):
                        segs.append((colour, *piece))

    for outers, holes in letters:
        outline(outers, holes, OUTER, INNER)
    outline([planet_outer], [planet_hole], PLANET, PLANET_INNER)

    for run in visible_runs(ring_far, lambda x, y: near_poly(x, y, planet_outer, 9)):
        if math.dist(run[0], run[-1]) > 12:
            segs += [(RING, *s) for s in resample(run, 16)]
    for run in visible_runs(ring_near, lambda x, y: False):
        segs += [(RING, *s) for s in resample(run, 16)]
    for run in visible_runs(orbit_far, behind):
        if math.dist(run[0], run[-1]) > 24:  # a glimpse between letters is only noise
            segs += [(SPARKLE, *s) for s in resample(run, orbit_step)]
    for run in visible_runs(orbit_near, lambda x, y: math.dist((x, y), head) < 14):
        segs += [(SPARKLE, *s) for s in resample(run, orbit_step)]


    # The comet on the near half: a bright head and a tail trailing along
    # the orbit.
    hx, hy = head
    for k in range(4):
        a = math.radians(45 * k + 10)
        r = 11 if k % 2 == 0 else 7
        segs.append((SPARKLE, (hx - r * math.cos(a), hy - r * math.sin(a)), (hx + r * math.cos(a), hy + r * math.sin(a))))
    for db, dt in ((-5, 5), (0, 8), (5, 5)):
        a = ellipse_point(ocx, ocy, oa, ob + db, tilt, comet_t + 1.8)
        b = ellipse_point(ocx, ocy, oa, ob + db, tilt, comet_t + 1.8 + dt)
        segs.append((SPARKLE, a, b))
    return rounded(segs), blockers


STAR_SPOTS = [(-452, -360), (-300, -372), (-168, -352), (-30, -376), (118, -360), (262, -368), (400, -350),
              (470, -300), (-476, -292), (-420, -140), (446, -150), (-250, -110), (240, -104), (-90, -96),
              (86, -116), (360, -92), (-370, -84), (500, -216), (-500, -196), (20, -330)]


def stars(count):
    """count segments of twinkling stars: crosses, and one glint if odd."""
    out = []
    for i in range(count // 2):
        x, y = STAR_SPOTS[i]
        r = 5 if i % 3 else 7
        out += [(SPARKLE, (x - r, y), (x + r, y)), (SPARKLE, (x, y - r), (x, y + r))]
    if count % 2:
        x, y = STAR_SPOTS[count // 2]
        out.append((SPARKLE, (x - 3, y - 3), (x + 3, y + 3)))
    return out


def main():
    # The orbit's pieces get longer until the stars fit in what is left.
    for step in range(24, 80):
        segs, _ = build(step)
        spare = SEGMENTS - len(segs)
        if 12 <= spare <= 2 * len(STAR_SPOTS) - 1:
            break
    else:
        sys.exit('the logo does not fit in %d segments' % SEGMENTS)
    segs += rounded(stars(spare))
    assert len(segs) == SEGMENTS
    root = os.path.join(os.path.dirname(__file__), '..', '..')
    write_picture(os.path.join(root, 'data', 'pictures', 'title_logo.txt'), '''
The title logo: ORBIVORE with a ringed planet for its first O and an orbit
swooping round the word. Made by tools/art/make_title_logo.py; edit that and
run it again. Colour FF3EFF00 twinkles: it is drawn in a new colour each frame.
''', segs)
    print('title logo: %d segments, %d of them stars, orbit step %d' % (len(segs), spare, step))


if __name__ == '__main__':
    main()
