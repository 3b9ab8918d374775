"""Hard-edged drawing on a grid of palette indices, for the 16-colour pictures.

Indices name the sixteen system colours (formats.SYSTEM16); letters in hand-drawn art map to
them through a legend.
"""

from raster import inside_polygon

# Names for the system colours, by index.
BLACK, DARK_RED, DARK_GREEN, DARK_YELLOW, DARK_BLUE, DARK_MAGENTA, DARK_CYAN, LIGHT_GREY = range(8)
DARK_GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)

# The legend used by hand-drawn art: one letter per system colour.
LEGEND = {
    "k": BLACK, "r": DARK_RED, "g": DARK_GREEN, "o": DARK_YELLOW,
    "b": DARK_BLUE, "p": DARK_MAGENTA, "t": DARK_CYAN, "s": LIGHT_GREY,
    "d": DARK_GREY, "R": RED, "G": GREEN, "Y": YELLOW,
    "B": BLUE, "M": MAGENTA, "C": CYAN, "W": WHITE,
}


class Grid:
    def __init__(self, width, height, fill):
        self.w, self.h = width, height
        self.rows = [[fill] * width for _ in range(height)]

    def set(self, x, y, index):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x] = index

    def get(self, x, y):
        return self.rows[y][x]

    def rect(self, x0, y0, x1, y1, index):
        """Fills x0 <= x < x1, y0 <= y < y1."""
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, index)

    def hline(self, x0, x1, y, index):
        self.rect(x0, y, x1, y + 1, index)

    def vline(self, x, y0, y1, index):
        self.rect(x, y0, x + 1, y1, index)

    def ellipse(self, cx, cy, rx, ry, index):
        """Fills the pixels whose centres lie inside the ellipse."""
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self.set(x, y, index)

    def polygon(self, points, index):
        """Fills the pixels whose centres lie inside the polygon (even-odd)."""
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            for x in range(int(min(xs)), int(max(xs)) + 1):
                if inside_polygon(points, x + 0.5, y + 0.5):
                    self.set(x, y, index)

    def outline(self, background, colour, body=None):
        """Recolours the body pixels that touch the background (sideways or up and down)."""
        marks = []
        for y in range(self.h):
            for x in range(self.w):
                v = self.rows[y][x]
                if v == background or (body is not None and v not in body):
                    continue
                for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                    if 0 <= nx < self.w and 0 <= ny < self.h and self.rows[ny][nx] == background:
                        marks.append((x, y))
                        break
        for x, y in marks:
            self.rows[y][x] = colour

    def art(self, x0, y0, lines, legend=None):
        """Stamps hand-drawn art; '.' leaves a pixel alone."""
        legend = legend or LEGEND
        for dy, line in enumerate(lines):
            for dx, mark in enumerate(line):
                if mark != ".":
                    self.set(x0 + dx, y0 + dy, legend[mark])

    def mirrored(self):
        copy = Grid(self.w, self.h, 0)
        copy.rows = [list(reversed(row)) for row in self.rows]
        return copy

