"""The sky behind the scene, and the house on fire that replaces the scene's house when the
clock runs out. The burning house is drawn where the scene paints its house, with the scene's
own colours and shapes, so it lies exactly over it; its corners are the sky picture's pixels."""

import functools
import math

import fire
from picture import Picture
from prng import fbm
from raster import Canvas, clamp, gradient, inside_polygon, mix, smoothstep

SKY_TOP = (84, 150, 226)
SKY_MIDDLE = (132, 186, 240)
SKY_LOW = (190, 222, 248)
CLOUD_LIGHT = (252, 253, 255)
CLOUD_SHADOW = (186, 198, 222)

# (left, top, right, bottom) of each cloud bank, in sky pixels.
CLOUDS = [
    (18, 52, 208, 112), (96, 150, 196, 186), (236, 18, 388, 64), (604, 112, 790, 176),
    (470, 20, 600, 58), (736, 18, 800, 50), (0, 208, 96, 240), (648, 224, 760, 252),
]
SUN = (712.5, 62.5)


def _cloud_density(x, y, box, seed):
    left, top, right, bottom = box
    cx, cy = (left + right) / 2.0, (top + bottom) / 2.0
    rx, ry = (right - left) / 2.0, (bottom - top) / 2.0
    # A flat-bottomed heap: rounder on top, cut cleaner underneath.
    u = (x - cx) / rx
    v = (y - cy) / ry
    v = v * (0.8 if v < 0 else 1.35)
    base = 1.0 - (u * u + v * v)
    lumps = fbm(seed, x / 22.0, y / 16.0, octaves=4)
    return base + (lumps - 0.5) * 1.1


def _sky_pixel(x, y):
    t = y / 291.0
    colour = gradient([(0.0, SKY_TOP), (0.55, SKY_MIDDLE), (1.0, SKY_LOW)], t)
    # A faint warm haze around the sun.
    d = math.hypot(x - SUN[0], y - SUN[1])
    colour = mix(colour, (250, 244, 214), 0.45 * (1.0 - smoothstep(10, 110, d)))
    for index, box in enumerate(CLOUDS):
        left, top, right, bottom = box
        if not (left - 20 <= x <= right + 20 and top - 20 <= y <= bottom + 20):
            continue
        density = _cloud_density(x, y, box, 900 + index * 17)
        alpha = smoothstep(0.05, 0.38, density)
        if alpha <= 0:
            continue
        # Lit from above: the lower part of each heap is greyer.
        depth = clamp((y - top) / float(bottom - top))
        shade = smoothstep(0.35, 1.0, depth) * 0.75 + (1 - smoothstep(0.0, 0.5, density)) * 0.2
        cloud = mix(CLOUD_LIGHT, CLOUD_SHADOW, clamp(shade))
        colour = mix(colour, cloud, alpha * 0.96)
    return colour


@functools.lru_cache(maxsize=None)
def sky():
    rows = [[tuple(int(round(v)) for v in _sky_pixel(x, y)) for x in range(800)]
            for y in range(292)]
    return Picture.from_rgb("sky", 8, rows, dither=5.0)


# The scene's colours and the house's place in it (scene pixels; the picture starts at x 224).
ORIGIN_X = 224
LAWN = (0, 128, 0)
WALL = (48, 54, 167)
DOOR = (27, 9, 111)
WINDOW = (79, 87, 145)
ROOF = (84, 51, 37)
KNOB = (200, 204, 23)
GREY = (160, 160, 160)
INK = (0, 0, 0)
WINDOWS = [(270, 150, 325, 200), (270, 225, 325, 275), (486, 225, 545, 275), (486, 150, 545, 200)]
ROOF_POINTS = [(400, 0), (225, 100), (600, 100)]


def _outlined_rect(canvas, box, colour):
    l, t, r, b = (box[0] - ORIGIN_X, box[1], box[2] - ORIGIN_X, box[3])
    for y in range(t, b):
        for x in range(l, r):
            edge = x in (l, r - 1) or y in (t, b - 1)
            canvas.set(x, y, INK if edge else colour)


def _outlined_ellipse(canvas, box, colour):
    l, t, r, b = (box[0] - ORIGIN_X, box[1], box[2] - ORIGIN_X, box[3])
    cx, cy, rx, ry = (l + r) / 2.0, (t + b) / 2.0, (r - l) / 2.0, (b - t) / 2.0
    for y in range(t, b):
        for x in range(l, r):
            outer = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
            inner = ((x + 0.5 - cx) / (rx - 1)) ** 2 + ((y + 0.5 - cy) / (ry - 1)) ** 2
            if outer <= 1.0:
                canvas.set(x, y, colour if inner <= 1.0 else INK)


def _line(canvas, p0, p1):
    (x0, y0), (x1, y1) = p0, p1
    steps = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(steps):
        t = i / float(steps)
        canvas.set(int(round(x0 + (x1 - x0) * t)) - ORIGIN_X, int(round(y0 + (y1 - y0) * t)), INK)


def _scene_house(canvas):
    """The house as the scene paints it, before the fire."""
    sky_rows = sky().rgb()
    for y in range(300):
        for x in range(canvas.w):
            canvas.set(x, y, sky_rows[y][x + ORIGIN_X] if y < 292 else LAWN)
    _outlined_rect(canvas, (0, 275, 800, 300), LAWN)
    _outlined_rect(canvas, (225, 100, 600, 300), WALL)
    _outlined_rect(canvas, (375, 225, 425, 300), DOOR)
    for box in WINDOWS:
        _outlined_rect(canvas, box, WINDOW)
    roof = [(x - ORIGIN_X, y) for x, y in ROOF_POINTS]
    for y in range(0, 101):
        for x in range(canvas.w):
            if inside_polygon(roof, x + 0.5, y + 0.5):
                canvas.set(x, y, ROOF)
    for a, b in zip(ROOF_POINTS, ROOF_POINTS[1:] + ROOF_POINTS[:1]):
        _line(canvas, a, b)
    _outlined_ellipse(canvas, (405, 250, 420, 265), KNOB)
    _outlined_ellipse(canvas, (360, 120, 440, 180), GREY)


def burnt_house():
    canvas = Canvas(384, 300, (0, 0, 0))
    _scene_house(canvas)
    fire.set_house_on_fire(canvas, ORIGIN_X, WINDOWS, ROOF_POINTS)
    return Picture.from_rgb("burnt_house", 24, canvas.rgb_rows())
