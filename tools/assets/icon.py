"""The program's icon: Quibbert's worried face in a ring of flames, 32 x 32 in the sixteen
system colours, with a mask that leaves everything outside the flames transparent."""

import functools

from fire import Flame
from pixelart import (BLACK, DARK_RED, Grid, LIGHT_GREY, RED, WHITE, YELLOW)

TRANSPARENT = -1

# Tongues of the fire behind the face: base x, base y, width, height, lean.
OUTER = [(4.0, 31, 9, 22, -0.25), (9.0, 31, 10, 27, -0.12), (16.0, 31, 12, 31, 0.02),
         (23.0, 31, 10, 27, 0.12), (28.0, 31, 9, 22, 0.25), (6.5, 26, 7, 20, -0.3),
         (25.5, 26, 7, 20, 0.3), (11.5, 15, 7, 14, -0.15), (16.0, 13, 8, 13, 0.0),
         (20.5, 15, 7, 14, 0.15)]
INNER = [(7.0, 31, 7, 15, -0.2), (12.0, 31, 8, 21, -0.05), (20.0, 31, 8, 21, 0.05),
         (25.0, 31, 7, 15, 0.2), (16.0, 31, 8, 25, 0.0), (12.0, 14, 5, 9, -0.1),
         (16.0, 12, 5, 8, 0.0), (20.0, 14, 5, 9, 0.1)]

def _flames(grid, tongues, fill, rim):
    shapes = [Flame(x, y, w, h, lean, seed=i * 13) for i, (x, y, w, h, lean) in enumerate(tongues)]
    # The fire keeps to a round ball, so the icon has no flat edge at the bottom.
    ball = [[((x + 0.5 - 16) / 16.2) ** 2 + ((y + 0.5 - 17) / 15.2) ** 2 <= 1.0
             for x in range(32)] for y in range(32)]
    inside = [[ball[y][x] and any(s.contains(x + 0.5, y + 0.5) for s in shapes)
               for x in range(32)] for y in range(32)]
    for y in range(32):
        for x in range(32):
            if not inside[y][x]:
                continue
            edge = any(not (0 <= nx < 32 and 0 <= ny < 32 and inside[ny][nx])
                       for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))
            grid.set(x, y, rim if edge else fill)


def _face(grid):
    cx, cy, rx, ry = 16.0, 19.5, 8.6, 8.2
    grid.ellipse(cx, cy, rx + 1, ry + 1, BLACK)
    grid.ellipse(cx, cy, rx, ry, WHITE)
    # Shade toward the lower right.
    for y in range(32):
        for x in range(32):
            if grid.get(x, y) != WHITE:
                continue
            dx, dy = (x + 0.5 - cx + 3) / rx, (y + 0.5 - cy + 3) / ry
            if dx * dx + dy * dy > 1.55:
                grid.set(x, y, LIGHT_GREY)
    # The curl on top of his head.
    grid.art(14, 9, ["kkk.", "kWWk", ".kk."])
    # Worried brows, wide eyes, an open mouth.
    grid.art(10, 14, ["..kk", "kk.."])
    grid.art(18, 14, ["kk..", "..kk"])
    for ex in (11, 19):
        grid.art(ex, 16, ["kkk", "kWk", "kWk", "kkk"])
        grid.set(ex + 1, 18, BLACK)
    grid.art(15, 20, ["RR"])
    grid.art(14, 22, [".kk.", "krrk", "krrk", ".kk."])


@functools.lru_cache(maxsize=None)
def _make():
    grid = Grid(32, 32, TRANSPARENT)
    _flames(grid, OUTER, RED, DARK_RED)
    _flames(grid, INNER, YELLOW, RED)
    _face(grid)
    mask = [[1 if v == TRANSPARENT else 0 for v in row] for row in grid.rows]
    # Transparent pixels are black in the image, as the mask expects.
    rows = [[BLACK if v == TRANSPARENT else v for v in row] for row in grid.rows]
    return rows, mask


def icon():
    rows, mask = _make()
    return [list(r) for r in rows], [list(m) for m in mask]
