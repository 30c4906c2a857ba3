"""Shared helpers of the picture makers: outlines, their insets, ellipses,
clipping segments where something passes in front, and writing picture files
("COLOUR X1 Y1 X2 Y2" lines, coordinates relative to the picture's centre)."""
import math


def signed_area(poly):
    return sum(x1 * y2 - x2 * y1 for (x1, y1), (x2, y2) in zip(poly, poly[1:] + poly[:1])) / 2


def inset(poly, d, hole=False):
    """The contour moved d units into the material on its side: inwards for
    an outline, outwards for a hole. Corners are mitred."""
    left = signed_area(poly) > 0
    if hole:
        left = not left
    n = len(poly)
    lines = []
    for i in range(n):
        (x1, y1), (x2, y2) = poly[i], poly[(i + 1) % n]
        dx, dy = x2 - x1, y2 - y1
        ln = math.hypot(dx, dy)
        nx, ny = (-dy / ln, dx / ln) if left else (dy / ln, -dx / ln)
        lines.append(((x1 + nx * d, y1 + ny * d), (dx, dy)))
    out = []
    for i in range(n):
        (p, r), (q, s) = lines[i - 1], lines[i]
        cross = r[0] * s[1] - r[1] * s[0]
        if abs(cross) < 1e-9:
            out.append(q)
            continue
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / cross
        out.append((p[0] + t * r[0], p[1] + t * r[1]))
    return out


def edges(poly):
    return [(poly[i], poly[(i + 1) % len(poly)]) for i in range(len(poly))]


def point_in_poly(x, y, poly):
    inside = False
    for (x1, y1), (x2, y2) in edges(poly):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def distance_to_segment(x, y, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    ll = dx * dx + dy * dy
    t = 0 if ll == 0 else max(0, min(1, ((x - a[0]) * dx + (y - a[1]) * dy) / ll))
    return math.hypot(x - a[0] - t * dx, y - a[1] - t * dy)


def near_poly(x, y, poly, margin):
    """Inside the contour or within margin of it."""
    return point_in_poly(x, y, poly) or any(distance_to_segment(x, y, a, b) < margin for a, b in edges(poly))


def ellipse_point(cx, cy, a, b, tilt, t):
    """Point at parameter t (degrees) of an ellipse turned by tilt degrees."""
    x, y = a * math.cos(math.radians(t)), b * math.sin(math.radians(t))
    c, s = math.cos(math.radians(tilt)), math.sin(math.radians(tilt))
    return (cx + x * c - y * s, cy + x * s + y * c)


def visible_runs(points, hidden):
    """Splits a polyline into the runs of points that are not hidden."""
    runs, run = [], []
    for p in points:
        if hidden(*p):
            if len(run) > 1:
                runs.append(run)
            run = []
        else:
            run.append(p)
    if len(run) > 1:
        runs.append(run)
    return runs


def clip_segment(a, b, hidden, steps=48):
    """The visible pieces of segment a-b, sampled finely."""
    pts = [(a[0] + (b[0] - a[0]) * i / steps, a[1] + (b[1] - a[1]) * i / steps) for i in range(steps + 1)]
    return [(run[0], run[-1]) for run in visible_runs(pts, hidden)]


def resample(run, step, max_turn=10.0):
    """A run of densely sampled points as segments at most step long that
    each turn by at most max_turn degrees, so tight bends stay round."""
    out = [run[0]]
    heading = None
    for i in range(1, len(run)):
        p, q = out[-1], run[i]
        d = math.atan2(q[1] - p[1], q[0] - p[0])
        if heading is None:
            heading = d
        turn = abs(math.degrees(math.remainder(d - heading, 2 * math.pi)))
        if math.dist(p, q) >= step or turn > max_turn:
            out.append(run[i - 1] if i > 1 and run[i - 1] != p else q)
            heading = None
    if out[-1] != run[-1]:
        out.append(run[-1])
    return list(zip(out, out[1:]))


def shear(poly, k, cy):
    """Leans a contour forwards: points above cy move right."""
    return [(x + k * (cy - y), y) for x, y in poly]


def translate(poly, dx, dy):
    return [(x + dx, y + dy) for x, y in poly]


def rounded(segments):
    """Whole-unit end points; segments that shrink to a point are dropped."""
    out = []
    for colour, a, b in segments:
        a, b = (round(a[0]), round(a[1])), (round(b[0]), round(b[1]))
        if a != b:
            out.append((colour, a, b))
    return out


def write_picture(path, header, segments):
    """segments: (colour, (x1, y1), (x2, y2)) with whole-unit end points."""
    with open(path, 'w') as f:
        for h in header.strip().splitlines():
            f.write(('# ' + h).rstrip() + '\n')
        for colour, a, b in segments:
            f.write('%08X %d %d %d %d\n' % (colour, a[0], a[1], b[0], b[1]))
