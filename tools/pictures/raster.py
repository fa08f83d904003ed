"""Shapes as signed distance functions and an RGBA canvas that paints them.

Shapes are described in design units; a canvas maps its pixels onto them with one scale factor.
Negative distance is inside. Two ways to paint: smooth edges (icons with alpha) and crisp pixel
art with a one-pixel outline (palette bitmaps with a transparent key colour).
"""

import math


# ---- Shapes: each is a function (x, y) -> signed distance in design units


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    # Not exact, but close enough near the edge for painting.
    def d(x, y):
        k = math.hypot((x - cx) / rx, (y - cy) / ry)
        return (k - 1.0) * min(rx, ry)

    return d


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return d


def segment(ax, ay, bx, by, r):
    """A line from a to b, r thick on either side, with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r

    return d


def polygon(points):
    pts = list(points)

    def d(x, y):
        best = float("inf")
        inside = False
        n = len(pts)
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            length2 = ex * ex + ey * ey
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / length2))
            best = min(best, math.hypot(wx - t * ex, wy - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -best if inside else best

    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def ring(cx, cy, r, width):
    c = circle(cx, cy, r)
    return lambda x, y: abs(c(x, y)) - width / 2


def outline_of(shape, width):
    """The band of the given width centred on a shape's edge."""
    return lambda x, y: abs(shape(x, y)) - width / 2


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def mirror_x(shape, size):
    return lambda x, y: shape(size - x, y)


# ---- Paints: functions (x, y) -> (r, g, b) with components 0..255


def solid(rgb):
    return lambda x, y: rgb


def vertical(top_y, top_rgb, bottom_y, bottom_rgb):
    return linear(0, top_y, top_rgb, 0, bottom_y, bottom_rgb)


def linear(x0, y0, rgb0, x1, y1, rgb1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return tuple(a + (b - a) * t for a, b in zip(rgb0, rgb1))

    return paint


def radial(cx, cy, r, inner_rgb, outer_rgb):
    def paint(x, y):
        t = min(1.0, math.hypot(x - cx, y - cy) / r)
        return tuple(a + (b - a) * t for a, b in zip(inner_rgb, outer_rgb))

    return paint


class Canvas:
    """Straight-alpha RGBA pixels; width x height, scale = pixels per design unit."""

    def __init__(self, width, height, scale=1.0):
        self.width, self.height, self.scale = width, height, scale
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def _centre(self, i, j):
        return (i + 0.5) / self.scale, (j + 0.5) / self.scale

    def blend(self, i, j, rgb, alpha):
        if alpha <= 0.0:
            return
        p = self.pixels[j * self.width + i]
        out_a = alpha + p[3] * (1.0 - alpha)
        for k in range(3):
            p[k] = (rgb[k] * alpha + p[k] * p[3] * (1.0 - alpha)) / out_a
        p[3] = out_a

    def fill(self, shape, paint, opacity=1.0, bounds=None):
        """Smooth edges: coverage from the distance to the edge, in pixels.

        bounds (x0, y0, x1, y1, in design units) limits the work to where the shape can be.
        """
        columns, rows = range(self.width), range(self.height)
        if bounds is not None:
            x0, y0, x1, y1 = (round(v * self.scale) for v in bounds)
            columns = range(max(0, x0 - 1), min(self.width, x1 + 2))
            rows = range(max(0, y0 - 1), min(self.height, y1 + 2))
        for j in rows:
            for i in columns:
                x, y = self._centre(i, j)
                coverage = 0.5 - shape(x, y) * self.scale
                if coverage > 0.0:
                    self.blend(i, j, paint(x, y), min(coverage, 1.0) * opacity)

    def mask(self, shape):
        """Crisp edges: pixels whose centre is inside the shape (a centre on the edge is out)."""
        return {
            (i, j)
            for j in range(self.height)
            for i in range(self.width)
            if shape(*self._centre(i, j)) < -1e-9
        }

    def pixel_art(self, shape, paint, outline_rgb=None):
        """Crisp fill; with outline_rgb, the pixels on the edge of the shape take that colour.

        The outline is one pixel wide, two from twice the design size up, and so on.
        """
        inside = self.mask(shape)
        reach = max(1, int(self.scale + 0.25))
        steps = [(d, 0) for d in range(-reach, reach + 1) if d] + [
            (0, d) for d in range(-reach, reach + 1) if d
        ]
        for i, j in inside:
            edge = any((i + di, j + dj) not in inside for di, dj in steps)
            rgb = outline_rgb if (edge and outline_rgb is not None) else paint(*self._centre(i, j))
            self.set(i, j, rgb)

    def tint(self, shape, rgb, opacity):
        """Crisp edges, see-through colour: blends rgb over the pixels inside the shape."""
        for i, j in self.mask(shape):
            self.blend(i, j, rgb, opacity)

    def set(self, i, j, rgb):
        if 0 <= i < self.width and 0 <= j < self.height:
            self.pixels[j * self.width + i] = [rgb[0], rgb[1], rgb[2], 1.0]

    def _span(self, start):
        """The pixels whose centres lie in [start, start + 1) of the design grid."""
        first = math.ceil(start * self.scale - 0.5)
        return range(first, max(first + 1, math.ceil((start + 1) * self.scale - 0.5)))

    def set_unit(self, x, y, rgb):
        """Paints the square of one design unit at (x, y): one pixel at scale 1, a block above."""
        for j in self._span(y):
            for i in self._span(x):
                self.set(i, j, rgb)

    def dots(self, rgb, points):
        """Design units, each a pixel at the design size."""
        for x, y in points:
            self.set_unit(x, y, rgb)

    def glyph(self, rows, left, top, rgb):
        """A small bitmap glyph: rows of text where any character other than '.' is ink."""
        for dj, row in enumerate(rows):
            for di, ch in enumerate(row):
                if ch != ".":
                    self.set_unit(left + di, top + dj, rgb)

    def paste(self, other, left, top):
        for j in range(other.height):
            for i in range(other.width):
                p = other.pixels[j * other.width + i]
                if 0 <= left + i < self.width and 0 <= top + j < self.height:
                    self.blend(left + i, top + j, p[:3], p[3])

    def rgba_bytes(self):
        """Top-down rows of 8-bit R, G, B, A."""
        out = bytearray()
        for p in self.pixels:
            out += bytes(max(0, min(255, round(c))) for c in p[:3])
            out.append(max(0, min(255, round(p[3] * 255))))
        return bytes(out)
