"""A tiny anti-aliased rasteriser for the program's icons and flags (standard library only).

Shapes are signed distance functions: negative inside, positive outside, in pixels. A pixel whose
centre lies clearly inside or outside a shape takes full or no coverage straight from the distance;
only pixels near an edge are supersampled, so edges get their true area coverage while the inner
parts stay cheap. Combined shapes (union, intersection, difference) only need a distance that never
overestimates the true one, which min/max of exact distances guarantees.

Colours are painted source-over onto a premultiplied RGBA canvas and written as 8-bit RGBA PNG.
"""

import math
import struct
import zlib

SUPERSAMPLE = 8  # samples per pixel side on edge pixels
EDGE_BAND = 1.0  # centre distances closer than this to an edge are supersampled

INFINITE_BOUNDS = (-1e9, -1e9, 1e9, 1e9)


# ---------------------------------------------------------------------------------------------
# Colours and paints


def colour(value):
    """'#rrggbb', '#rrggbbaa' or a tuple of 0..255 values -> (r, g, b, a) floats in 0..1."""
    if isinstance(value, str):
        text = value.lstrip('#')
        channels = [int(text[i:i + 2], 16) for i in range(0, len(text), 2)]
    else:
        channels = list(value)
    if len(channels) == 3:
        channels.append(255)
    return tuple(c / 255.0 for c in channels)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def _stops(stops):
    return [(offset, colour(c)) for offset, c in stops]


def _pick(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (o0, c0), (o1, c1) in zip(stops, stops[1:]):
        if t <= o1:
            return mix(c0, c1, (t - o0) / (o1 - o0) if o1 > o0 else 1.0)
    return stops[-1][1]


def linear_gradient(x0, y0, x1, y1, stops):
    """Colour along the line from (x0, y0) to (x1, y1); stops are (offset 0..1, colour)."""
    stops = _stops(stops)
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        return _pick(stops, ((x - x0) * dx + (y - y0) * dy) / length2)

    return paint


def radial_gradient(cx, cy, radius, stops):
    stops = _stops(stops)

    def paint(x, y):
        return _pick(stops, math.hypot(x - cx, y - cy) / radius)

    return paint


# ---------------------------------------------------------------------------------------------
# Shapes


class Shape:
    bounds = INFINITE_BOUNDS

    def sdf(self, x, y):
        raise NotImplementedError

    def __or__(self, other):
        return Union(self, other)

    def __and__(self, other):
        return Intersect(self, other)

    def __sub__(self, other):
        return Subtract(self, other)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.bounds = (cx - r, cy - r, cx + r, cy + r)

    def sdf(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class Ellipse(Shape):
    """The distance is scaled from the unit circle, a lower bound of the true one."""

    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.bounds = (cx - rx, cy - ry, cx + rx, cy + ry)

    def sdf(self, x, y):
        k = math.hypot((x - self.cx) / self.rx, (y - self.cy) / self.ry)
        return (k - 1.0) * min(self.rx, self.ry)


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2, (y1 - y0) / 2
        self.r = min(radius, self.hx, self.hy)
        self.bounds = (x0, y0, x1, y1)

    def sdf(self, x, y):
        qx = abs(x - self.cx) - self.hx + self.r
        qy = abs(y - self.cy) - self.hy + self.r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r


def Rect(x0, y0, x1, y1):
    return RoundRect(x0, y0, x1, y1, 0.0)


class Polygon(Shape):
    """Any simple polygon, exact distance (even-odd rule for the inside)."""

    def __init__(self, points):
        self.points = [(float(px), float(py)) for px, py in points]
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.bounds = (min(xs), min(ys), max(xs), max(ys))

    def sdf(self, x, y):
        pts = self.points
        best = float('inf')
        inside = False
        j = len(pts) - 1
        for i in range(len(pts)):
            ax, ay = pts[j]
            bx, by = pts[i]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
            j = i
        distance = math.sqrt(best)
        return -distance if inside else distance


class Stroke(Shape):
    """A polyline drawn with a round pen of the given width."""

    def __init__(self, points, width):
        self.points = [(float(px), float(py)) for px, py in points]
        self.half = width / 2.0
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.bounds = (min(xs) - self.half, min(ys) - self.half, max(xs) + self.half,
                       max(ys) + self.half)

    def sdf(self, x, y):
        pts = self.points
        if len(pts) == 1:
            return math.hypot(x - pts[0][0], y - pts[0][1]) - self.half
        best = float('inf')
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            length2 = ex * ex + ey * ey
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / length2))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
        return math.sqrt(best) - self.half


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        bs = [s.bounds for s in shapes]
        self.bounds = (min(b[0] for b in bs), min(b[1] for b in bs), max(b[2] for b in bs),
                       max(b[3] for b in bs))

    def sdf(self, x, y):
        return min(s.sdf(x, y) for s in self.shapes)


class Intersect(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        bs = [s.bounds for s in shapes]
        self.bounds = (max(b[0] for b in bs), max(b[1] for b in bs), min(b[2] for b in bs),
                       min(b[3] for b in bs))

    def sdf(self, x, y):
        return max(s.sdf(x, y) for s in self.shapes)


class Subtract(Shape):
    def __init__(self, shape, cut):
        self.shape, self.cut = shape, cut
        self.bounds = shape.bounds

    def sdf(self, x, y):
        return max(self.shape.sdf(x, y), -self.cut.sdf(x, y))


class Offset(Shape):
    """Grows (positive) or shrinks (negative) a shape; needs an exact distance to stay exact."""

    def __init__(self, shape, amount):
        self.shape, self.amount = shape, amount
        b = shape.bounds
        grow = max(amount, 0.0)
        self.bounds = (b[0] - grow, b[1] - grow, b[2] + grow, b[3] + grow)

    def sdf(self, x, y):
        return self.shape.sdf(x, y) - self.amount


class Border(Shape):
    """The band of the given width just inside a shape's edge."""

    def __init__(self, shape, width):
        self.shape, self.width = shape, width
        self.bounds = shape.bounds

    def sdf(self, x, y):
        d = self.shape.sdf(x, y)
        return max(d, -(d + self.width))


class Transformed(Shape):
    """A shape rotated by `degrees` about (cx, cy), then moved by (dx, dy)."""

    def __init__(self, shape, degrees=0.0, cx=0.0, cy=0.0, dx=0.0, dy=0.0):
        self.shape = shape
        self.cos, self.sin = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
        self.cx, self.cy, self.dx, self.dy = cx, cy, dx, dy
        b = shape.bounds
        corners = [self._forward(px, py) for px in (b[0], b[2]) for py in (b[1], b[3])]
        self.bounds = (min(c[0] for c in corners), min(c[1] for c in corners),
                       max(c[0] for c in corners), max(c[1] for c in corners))

    def _forward(self, x, y):
        x, y = x - self.cx, y - self.cy
        return (x * self.cos - y * self.sin + self.cx + self.dx,
                x * self.sin + y * self.cos + self.cy + self.dy)

    def sdf(self, x, y):
        x, y = x - self.dx - self.cx, y - self.dy - self.cy
        return self.shape.sdf(x * self.cos + y * self.sin + self.cx,
                              -x * self.sin + y * self.cos + self.cy)


def inset_convex(points, amount):
    """The corners of a convex polygon whose edges all moved `amount` pixels inwards."""
    count = len(points)
    cx = sum(p[0] for p in points) / count
    cy = sum(p[1] for p in points) / count
    lines = []
    for i in range(count):
        ax, ay = points[i]
        bx, by = points[(i + 1) % count]
        ex, ey = bx - ax, by - ay
        length = math.hypot(ex, ey)
        nx, ny = ey / length, -ex / length
        if (cx - ax) * nx + (cy - ay) * ny < 0:  # make the normal point inwards
            nx, ny = -nx, -ny
        lines.append((ax + nx * amount, ay + ny * amount, ex, ey))
    corners = []
    for i in range(count):
        ax, ay, ex, ey = lines[i - 1]
        bx, by, fx, fy = lines[i]
        t = ((bx - ax) * fy - (by - ay) * fx) / (ex * fy - ey * fx)
        corners.append((ax + ex * t, ay + ey * t))
    return corners


def rounded_polygon(points, radius):
    """A convex polygon with its corners rounded by `radius`, keeping its outline in place."""
    return Offset(Polygon(inset_convex(points, radius)), radius)


# ---------------------------------------------------------------------------------------------
# Path helpers


def arc_points(cx, cy, r, start_degrees, end_degrees, steps=48):
    """Points on a circle, angles clockwise from the positive x axis (y points down)."""
    points = []
    for i in range(steps + 1):
        a = math.radians(start_degrees + (end_degrees - start_degrees) * i / steps)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def bezier_points(p0, p1, p2, p3, steps=32):
    points = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        points.append(tuple(u * u * u * p0[k] + 3 * u * u * t * p1[k] + 3 * u * t * t * p2[k] +
                            t * t * t * p3[k] for k in range(2)))
    return points


def star_points(cx, cy, outer, inner, tips=5, rotation_degrees=-90.0):
    points = []
    for i in range(tips * 2):
        r = outer if i % 2 == 0 else inner
        a = math.radians(rotation_degrees + i * 180.0 / tips)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


# ---------------------------------------------------------------------------------------------
# Canvas


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [0.0] * (width * height * 4)  # premultiplied r, g, b, a

    def _coverage(self, shape, px, py, softness):
        d = shape.sdf(px + 0.5, py + 0.5)
        if softness > 0:
            return max(0.0, min(1.0, 0.5 - d / softness))
        if d >= EDGE_BAND:
            return 0.0
        if d <= -EDGE_BAND:
            return 1.0
        hits = 0
        step = 1.0 / SUPERSAMPLE
        for sy in range(SUPERSAMPLE):
            y = py + (sy + 0.5) * step
            for sx in range(SUPERSAMPLE):
                if shape.sdf(px + (sx + 0.5) * step, y) <= 0:
                    hits += 1
        return hits / (SUPERSAMPLE * SUPERSAMPLE)

    def fill(self, shape, paint, opacity=1.0, softness=0.0):
        """Paints `shape` source-over. `paint` is a colour or a function (x, y) -> colour.
        A softness above 0 fades the edge over that many pixels (shadows, glows)."""
        solid = None if callable(paint) else colour(paint)
        b = shape.bounds
        grow = softness + 1
        x0 = max(0, int(math.floor(b[0] - grow)))
        y0 = max(0, int(math.floor(b[1] - grow)))
        x1 = min(self.width, int(math.ceil(b[2] + grow)))
        y1 = min(self.height, int(math.ceil(b[3] + grow)))
        pixels = self.pixels
        for py in range(y0, y1):
            for px in range(x0, x1):
                cover = self._coverage(shape, px, py, softness) * opacity
                if cover <= 0.0:
                    continue
                r, g, bl, a = solid if solid else paint(px + 0.5, py + 0.5)
                a *= cover
                keep = 1.0 - a
                i = (py * self.width + px) * 4
                pixels[i] = r * a + pixels[i] * keep
                pixels[i + 1] = g * a + pixels[i + 1] * keep
                pixels[i + 2] = bl * a + pixels[i + 2] * keep
                pixels[i + 3] = a + pixels[i + 3] * keep

    def mask(self, shape):
        """Keeps only what lies inside `shape`, with anti-aliased edges."""
        for py in range(self.height):
            for px in range(self.width):
                cover = self._coverage(shape, px, py, 0.0)
                if cover < 1.0:
                    i = (py * self.width + px) * 4
                    for k in range(4):
                        self.pixels[i + k] *= cover

    def rgba_rows(self):
        rows = []
        for py in range(self.height):
            row = bytearray()
            for px in range(self.width):
                i = (py * self.width + px) * 4
                a = self.pixels[i + 3]
                if a <= 0.0:
                    row += b'\0\0\0\0'
                    continue
                row += bytes(
                    max(0, min(255, int(round(self.pixels[i + k] / a * 255)))) for k in range(3))
                row.append(max(0, min(255, int(round(a * 255)))))
            rows.append(bytes(row))
        return rows

    def png_bytes(self):
        return encode_png(self.width, self.height, self.rgba_rows())

    def save(self, path):
        with open(path, 'wb') as out:
            out.write(self.png_bytes())


# ---------------------------------------------------------------------------------------------
# PNG writer: 8-bit RGBA, no ancillary chunks, so the same drawing always gives the same bytes.


def _chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filtered(row, previous, kind, bpp=4):
    out = bytearray([kind])
    for i, value in enumerate(row):
        left = row[i - bpp] if i >= bpp else 0
        up = previous[i]
        upper_left = previous[i - bpp] if i >= bpp else 0
        predictor = (0, left, up, (left + up) // 2, _paeth(left, up, upper_left))[kind]
        out.append((value - predictor) & 0xff)
    return bytes(out)


def encode_png(width, height, rows):
    # Per row the filter with the smallest sum of signed residuals, the usual heuristic.
    previous = bytes(width * 4)
    data = bytearray()
    for row in rows:
        candidates = [_filtered(row, previous, kind) for kind in range(5)]
        data += min(candidates, key=lambda f: sum(v if v < 128 else 256 - v for v in f[1:]))
        previous = row
    header = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + _chunk(b'IHDR', header) +
            _chunk(b'IDAT', zlib.compress(bytes(data), 9)) + _chunk(b'IEND', b''))
