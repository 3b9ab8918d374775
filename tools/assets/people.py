"""The player's sprite and the three pictures of his end, each on its exact key colour."""

import math

import quibbert
from picture import Picture
from prng import Rng
from raster import Canvas, Ellipse, Polygon, Stroke

WHITE_KEY = (255, 255, 255)
BLACK_KEY = (0, 0, 0)
BLOOD = (196, 18, 26)
BLOOD_DARK = (118, 8, 16)
WATER = (84, 156, 250)
WATER_DARK = (12, 40, 150)
WATER_LIGHT = (200, 232, 254)
STROKE_BLACK = (6, 6, 8)


def _sprite(name, canvas, key):
    rows = canvas.cutout_rows(key)
    # Nothing but the background may match the key exactly.
    rows = [[c if c != key or canvas.a[y * canvas.w + x] < 0.5 else _nudge(c)
             for x, c in enumerate(row)] for y, row in enumerate(rows)]
    _close_pinholes(rows, canvas, key)
    return Picture.from_rgb(name, 8, rows, key=key)


def _close_pinholes(rows, canvas, key, largest=11):
    """Fills tiny see-through holes left inside the figure where two outlines nearly meet."""
    h, w = len(rows), len(rows[0])
    seen = set()
    for y in range(h):
        for x in range(w):
            if rows[y][x] != key or (x, y) in seen:
                continue
            region, stack, border = [], [(x, y)], False
            seen.add((x, y))
            while stack:
                cx, cy = stack.pop()
                region.append((cx, cy))
                border = border or cx in (0, w - 1) or cy in (0, h - 1)
                for nx, ny in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                    if 0 <= nx < w and 0 <= ny < h and (nx, ny) not in seen and rows[ny][nx] == key:
                        seen.add((nx, ny))
                        stack.append((nx, ny))
            if border or len(region) > largest:
                continue
            for cx, cy in region:
                colour, alpha = canvas.get(cx, cy)
                colour = tuple(int(round(v)) for v in colour) if alpha > 0 else quibbert.INK
                rows[cy][cx] = colour if colour != key else _nudge(colour)


def _nudge(colour):
    return tuple(v - 1 if v > 127 else v + 1 for v in colour)


def small_quibbert():
    canvas = Canvas(32, 53)
    quibbert.draw(canvas, quibbert.Pose())
    return _sprite("smallquibbert", canvas, WHITE_KEY)


def _drop(canvas, x, y, size, tilt=0.0):
    """A falling drop: round below, pointed above."""
    tip = (x + math.sin(tilt) * size * 2.2, y - math.cos(tilt) * size * 2.2)
    shape = Polygon([tip, (x - size * 0.95, y - size * 0.2), (x + size * 0.95, y - size * 0.2)])
    canvas.fill(Ellipse(x, y, size + 0.7, size + 0.7), WATER_DARK)
    canvas.fill(Polygon([(tip[0], tip[1] - 0.8), (x - size - 0.7, y), (x + size + 0.7, y)]),
                WATER_DARK)
    canvas.fill(Ellipse(x, y, size, size), WATER)
    canvas.fill(shape, WATER)
    canvas.fill(Ellipse(x - size * 0.35, y - size * 0.3, size * 0.35, size * 0.35), WATER_LIGHT)


def drown():
    canvas = Canvas(32, 53)
    # Water churned up around his feet, behind and in front of him.
    canvas.fill(Ellipse(16, 49.5, 14.5, 3.4), WATER_DARK)
    canvas.fill(Ellipse(16, 49.2, 13.6, 2.6), WATER)
    quibbert.draw(canvas, quibbert.Pose(arms="up", eyes="wide", mouth="open", look=(0, -0.4)))
    canvas.fill(Ellipse(16, 51.2, 12.5, 1.6), WATER)
    canvas.fill(Stroke([(6, 50.6), (10, 50.0)], 0.9), WATER_LIGHT)
    canvas.fill(Stroke([(20, 50.4), (25, 50.6)], 0.9), WATER_LIGHT)
    for x, y, size, tilt in ((2.6, 44.5, 1.5, -0.5), (29.4, 44.0, 1.5, 0.5), (4.0, 38.5, 1.1, -0.4),
                             (28.2, 38.0, 1.1, 0.4), (1.8, 50.2, 1.0, -0.9),
                             (30.3, 50.0, 1.0, 0.9)):
        _drop(canvas, x, y, size, tilt)
    return _sprite("drown", canvas, WHITE_KEY)


def squished():
    canvas = Canvas(53, 32)
    rng = Rng(404)
    # Red dragged out along the road on both sides of him, tapering away.
    for _ in range(9):
        y = rng.uniform(5, 27)
        x0, x1 = rng.uniform(0.5, 10), rng.uniform(42, 52.5)
        thick = rng.uniform(0.8, 2.0)
        mid = rng.uniform(16, 36)
        canvas.fill(Polygon([(x0, y), (mid, y - thick), (x1, y + rng.uniform(-1, 1)), (mid, y + thick)]),
                    BLOOD_DARK)
    canvas.fill(Ellipse(27, 16, 22, 12.5), BLOOD_DARK)
    for _ in range(6):
        canvas.fill(Ellipse(rng.uniform(8, 46), rng.uniform(4, 28), rng.uniform(2, 3.5),
                            rng.uniform(1.2, 2.0), rng.uniform(-0.4, 0.4)), BLOOD)
    quibbert.draw_flat(canvas)
    # Fresh red over him.
    for x, y, rx, ry in ((31, 12, 2.4, 1.6), (36.5, 18.5, 1.8, 1.3), (27, 20.5, 1.5, 1.1),
                         (6.5, 24.5, 1.6, 1.2), (15, 5.5, 1.3, 1.0)):
        canvas.fill(Ellipse(x, y, rx, ry), BLOOD)
    return _sprite("squished", canvas, BLACK_KEY)


def splat():
    whole = Canvas(32, 53)
    quibbert.draw(whole, quibbert.Pose(arms="up", eyes="x", mouth="open"),
                  scale=0.74, dx=16 - 16 * 0.74, dy=9.0)
    canvas = Canvas(32, 53)
    rng = Rng(77)
    # Red behind the pieces, where he came apart.
    for _ in range(9):
        angle = rng.uniform(0, 2 * math.pi)
        r = rng.uniform(4, 13)
        canvas.fill(Ellipse(16 + r * math.cos(angle) * 0.8, 29 + r * math.sin(angle),
                            rng.uniform(1.4, 3.2), rng.uniform(1.0, 2.2), angle), BLOOD_DARK)
    _burst(whole, canvas)
    for _ in range(12):
        angle = rng.uniform(0, 2 * math.pi)
        r = rng.uniform(11, 17)
        x, y = 16 + r * math.cos(angle) * 0.85, 28 + r * math.sin(angle) * 1.35
        size = rng.uniform(0.9, 1.9)
        canvas.fill(Ellipse(x, y, size * 1.3, size, angle), BLOOD)
    # Short black strokes flying out.
    for k in range(11):
        angle = k * 2 * math.pi / 11 + 0.2
        r0, r1 = 14.0, 17.5
        sx, sy = 0.92, 1.45
        canvas.fill(Stroke([(16 + r0 * math.cos(angle) * sx, 28 + r0 * math.sin(angle) * sy),
                            (16 + r1 * math.cos(angle) * sx, 28 + r1 * math.sin(angle) * sy)],
                           1.1), STROKE_BLACK)
    return _sprite("splat", canvas, WHITE_KEY)


def _burst(whole, canvas):
    """Pastes the figure's pieces pushed apart from his middle, red along the torn edges."""
    pieces = Canvas(whole.w, whole.h)
    for y in range(whole.h):
        for x in range(whole.w):
            colour, alpha = whole.get(x, y)
            if alpha <= 0:
                continue
            wobble = 1.6 * math.sin(x * 1.7) + math.sin(x * 0.6 + 1)
            if y < 25 + wobble:
                dx, dy = 0, -3  # head
            elif y > 39 + wobble:
                dx, dy = (-3 if x < 16 else 3), 3  # legs
            elif abs(x - 16) > 6.0 + wobble * 0.6:
                dx, dy = (-4 if x < 16 else 4), -2  # arms
            else:
                dx, dy = 0, 0
            pieces.blend(x + dx, y + dy, colour, alpha)
    for y in range(whole.h):
        for x in range(whole.w):
            if whole.get(x, y)[1] < 0.5 or pieces.get(x, y)[1] >= 0.5:
                continue
            near = any(pieces.get(nx, ny)[1] >= 0.5
                       for nx in range(max(0, x - 1), min(whole.w, x + 2))
                       for ny in range(max(0, y - 1), min(whole.h, y + 2)))
            if near:
                canvas.blend(x, y, BLOOD if (x * 7 + y * 3) % 5 == 0 else BLOOD_DARK, 1.0)
    canvas.paste(pieces, 0, 0)
