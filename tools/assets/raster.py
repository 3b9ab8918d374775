"""A small painting canvas: shapes with supersampled coverage, composited with alpha.

Colours are (r, g, b) tuples of 0..255. The canvas keeps premultiplied colour and alpha per
pixel, so a figure painted on a transparent canvas can be cut out later with clean edges.
"""

import math


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return (lerp(c1[0], c2[0], t), lerp(c1[1], c2[1], t), lerp(c1[2], c2[2], t))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def gradient(stops, t):
    """stops: [(position, colour)] in increasing position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def inside_polygon(points, x, y):
    """Even-odd rule."""
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


# Shapes: bbox() gives (x0, y0, x1, y1) in pixel units, contains(x, y) tests a point.


class Ellipse:
    def __init__(self, cx, cy, rx, ry=None, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, rx if ry is None else ry
        self.cos, self.sin = math.cos(angle), math.sin(angle)

    def bbox(self):
        r = max(self.rx, self.ry)
        return self.cx - r, self.cy - r, self.cx + r, self.cy + r

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.cos + dy * self.sin
        v = -dx * self.sin + dy * self.cos
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


class Rect:
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        self.x0, self.y0, self.x1, self.y1, self.radius = x0, y0, x1, y1, radius

    def bbox(self):
        return self.x0, self.y0, self.x1, self.y1

    def contains(self, x, y):
        if not (self.x0 <= x < self.x1 and self.y0 <= y < self.y1):
            return False
        r = self.radius
        if r <= 0:
            return True
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Polygon:
    def __init__(self, points):
        self.points = list(points)

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return min(xs), min(ys), max(xs), max(ys)

    def contains(self, x, y):
        return inside_polygon(self.points, x, y)


class Stroke:
    """A polyline of the given width with round ends and joints."""

    def __init__(self, points, width):
        self.points, self.r = list(points), width / 2.0

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return min(xs) - self.r, min(ys) - self.r, max(xs) + self.r, max(ys) + self.r

    def contains(self, x, y):
        r2 = self.r * self.r
        pts = self.points
        if len(pts) == 1:
            return (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2 <= r2
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            dx, dy = bx - ax, by - ay
            length2 = dx * dx + dy * dy
            t = 0.0 if length2 == 0 else clamp(((x - ax) * dx + (y - ay) * dy) / length2)
            px, py = ax + t * dx - x, ay + t * dy - y
            if px * px + py * py <= r2:
                return True
        return False


class Canvas:
    def __init__(self, width, height, fill=None):
        self.w, self.h = width, height
        n = width * height
        if fill is None:
            self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n
        else:
            self.r, self.g, self.b = [float(fill[0])] * n, [float(fill[1])] * n, [float(fill[2])] * n
            self.a = [1.0] * n

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        i = y * self.w + x
        keep = 1.0 - alpha
        self.r[i] = self.r[i] * keep + colour[0] * alpha
        self.g[i] = self.g[i] * keep + colour[1] * alpha
        self.b[i] = self.b[i] * keep + colour[2] * alpha
        self.a[i] = self.a[i] * keep + alpha

    def set(self, x, y, colour):
        self.blend(x, y, colour, 1.0)

    def get(self, x, y):
        """Colour (not premultiplied) and alpha of a pixel."""
        i = y * self.w + x
        a = self.a[i]
        if a <= 0:
            return (0.0, 0.0, 0.0), 0.0
        return (self.r[i] / a, self.g[i] / a, self.b[i] / a), a

    def fill(self, shape, paint, alpha=1.0, ss=4):
        """Paint a shape; paint is a colour or a function (x, y) -> colour."""
        x0, y0, x1, y1 = shape.bbox()
        px0, py0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        px1, py1 = min(self.w, int(math.ceil(x1)) + 1), min(self.h, int(math.ceil(y1)) + 1)
        offsets = [(k + 0.5) / ss for k in range(ss)]
        total = float(ss * ss)
        call = callable(paint)
        for y in range(py0, py1):
            for x in range(px0, px1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if shape.contains(x + ox, y + oy):
                            hits += 1
                if hits:
                    colour = paint(x + 0.5, y + 0.5) if call else paint
                    self.blend(x, y, colour, alpha * hits / total)

    def shade(self, fn, region=None):
        """Apply fn(x, y, colour, alpha) -> (colour, alpha) to every pixel (of a region)."""
        x0, y0, x1, y1 = region or (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                colour, alpha = self.get(x, y)
                colour, alpha = fn(x, y, colour, alpha)
                i = y * self.w + x
                self.r[i], self.g[i], self.b[i] = colour[0] * alpha, colour[1] * alpha, colour[2] * alpha
                self.a[i] = alpha

    def paste(self, other, ox, oy):
        """Composite another canvas over this one at (ox, oy)."""
        for y in range(other.h):
            for x in range(other.w):
                colour, alpha = other.get(x, y)
                self.blend(x + ox, y + oy, colour, alpha)

    def rgb_rows(self, background=(0, 0, 0)):
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                colour, alpha = self.get(x, y)
                c = mix(background, colour, alpha)
                row.append(tuple(int(clamp(round(v), 0, 255)) for v in c))
            rows.append(row)
        return rows

    def cutout_rows(self, key, threshold=0.5):
        """The figure on an exact key colour: solid where alpha reaches the threshold."""
        rows = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                colour, alpha = self.get(x, y)
                if alpha < threshold:
                    row.append(key)
                    continue
                row.append(tuple(int(clamp(round(v), 0, 255)) for v in colour))
            rows.append(row)
        return rows


class Affine:
    """x' = a x + b y + c, y' = d x + e y + f: figure space to canvas space."""

    def __init__(self, a=1.0, b=0.0, c=0.0, d=0.0, e=1.0, f=0.0):
        self.m = (a, b, c, d, e, f)
        det = a * e - b * d
        self.inv = (e / det, -b / det, (b * f - c * e) / det,
                    -d / det, a / det, (c * d - a * f) / det)

    @classmethod
    def place(cls, scale, dx, dy, angle=0.0, squash=1.0):
        """Scale (then squash across), turn by angle, move to (dx, dy)."""
        cos, sin = math.cos(angle), math.sin(angle)
        return cls(scale * cos, -scale * squash * sin, dx, scale * sin, scale * squash * cos, dy)

    def apply(self, x, y):
        a, b, c, d, e, f = self.m
        return a * x + b * y + c, d * x + e * y + f

    def invert(self, x, y):
        a, b, c, d, e, f = self.inv
        return a * x + b * y + c, d * x + e * y + f

    def scale(self):
        a, b, _, d, e, _ = self.m
        return math.sqrt(abs(a * e - b * d))


class Placed:
    """A shape drawn through a transform."""

    def __init__(self, shape, xf):
        self.shape, self.xf = shape, xf

    def bbox(self):
        x0, y0, x1, y1 = self.shape.bbox()
        corners = [self.xf.apply(x, y) for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1))]
        xs, ys = [c[0] for c in corners], [c[1] for c in corners]
        return min(xs), min(ys), max(xs), max(ys)

    def contains(self, x, y):
        return self.shape.contains(*self.xf.invert(x, y))
