"""The cookie box, the title picture (111) and the round emblem of the story dialog (115)."""

import math

import pixelfont
import quibbert
from picture import Picture
from prng import Rng, fbm
from raster import Affine, Canvas, Ellipse, Placed, Polygon, Rect, Stroke, clamp, gradient, mix

# Narrow capitals for the box, three cells wide and five high.
NARROW = {
    "C": [".##", "#..", "#..", "#..", ".##"],
    "O": [".#.", "#.#", "#.#", "#.#", ".#."],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"],
    "I": ["#", "#", "#", "#", "#"],
    "E": ["###", "#..", "##.", "#..", "###"],
    "S": [".##", "#..", ".#.", "..#", "##."],
}

BOX_RED = (206, 28, 36)
BOX_DARK = (138, 14, 22)
BOX_LIGHT = (238, 84, 84)
LETTER = (254, 252, 246)
DOUGH = (214, 150, 72)
DOUGH_DARK = (160, 98, 40)
CHIP = (70, 36, 18)
GOLD = (250, 204, 48)
GOLD_DARK = (190, 128, 18)


def _narrow_text(canvas, text, x0, y0, cell_w, cell_h, colour):
    x = x0
    for char in text:
        rows = NARROW[char]
        for dy, row in enumerate(rows):
            for dx, mark in enumerate(row):
                if mark == "#":
                    canvas.fill(Rect(x + dx * cell_w, y0 + dy * cell_h,
                                     x + (dx + 1) * cell_w, y0 + (dy + 1) * cell_h), colour)
        x += len(rows[0]) * cell_w + cell_w


def _chip_cookie(canvas, cx, cy, r, seed):
    rng = Rng(seed)
    canvas.fill(Ellipse(cx, cy, r + 0.8, r + 0.8), DOUGH_DARK)
    canvas.fill(Ellipse(cx, cy, r, r),
                lambda x, y: mix(DOUGH, DOUGH_DARK, clamp(math.hypot(x - cx + r * 0.3, y - cy + r * 0.3) / (r * 1.8))))
    for _ in range(int(r * 1.2)):
        a, d = rng.uniform(0, 2 * math.pi), rng.uniform(0, r * 0.75)
        canvas.fill(Ellipse(cx + d * math.cos(a), cy + d * math.sin(a), 1.0, 0.8), CHIP)


def cookie():
    canvas = Canvas(40, 51, BOX_RED)
    # The box's lid and sides.
    canvas.fill(Rect(0, 0, 40, 6), BOX_LIGHT)
    canvas.fill(Rect(0, 5, 40, 6.6), BOX_DARK)
    canvas.fill(Rect(0, 0, 1.2, 51), BOX_LIGHT)
    canvas.fill(Rect(37.5, 0, 40, 51), BOX_DARK)
    canvas.fill(Rect(0, 48.5, 40, 51), BOX_DARK)
    # Name across the top in white.
    text = "COOKIES"
    cells = sum(len(NARROW[c][0]) + 1 for c in text) - 1
    _narrow_text(canvas, text, (38 - cells) // 2, 8, 1, 2, LETTER)
    # A window in the box shows what is inside.
    canvas.fill(Rect(4, 20, 34.5, 44, radius=3), BOX_DARK)
    canvas.fill(Rect(5, 21, 33.5, 43, radius=2.5), (250, 232, 196))
    _chip_cookie(canvas, 13.5, 34, 7.2, 3)
    _chip_cookie(canvas, 25, 30.5, 7.6, 4)
    # The round badge in the corner.
    canvas.fill(Ellipse(31.5, 25.5, 6.3, 6.3), GOLD_DARK)
    canvas.fill(Ellipse(31.5, 25.5, 5.3, 5.3), GOLD)
    star = [(31.5 + (3.6 if k % 2 == 0 else 1.5) * math.sin(k * math.pi / 5),
             25.6 - (3.6 if k % 2 == 0 else 1.5) * math.cos(k * math.pi / 5)) for k in range(10)]
    canvas.fill(Polygon(star), BOX_RED)
    canvas.fill(Rect(3, 45.5, 34.5, 46.5), LETTER, alpha=0.85)
    return Picture.from_rgb("cookie", 8, canvas.rgb_rows())


def _warm_light(x, y):
    d = math.hypot((x - 150) / 1.4, y - 60) / 260.0
    colour = gradient([(0.0, (255, 236, 170)), (0.35, (250, 190, 96)), (0.75, (204, 110, 42)),
                       (1.0, (120, 52, 24))], d)
    return colour


def _pastry(canvas, cx, cy, w, h, angle):
    rng = Rng(111)
    cos, sin = math.cos(angle), math.sin(angle)

    def rect(inset, radius):
        xf = Affine(cos, -sin, cx, sin, cos, cy)
        return Placed(Rect(-w / 2 + inset, -h / 2 + inset, w / 2 - inset, h / 2 - inset, radius), xf)

    # Shadow on the counter, crust, crimped rim, frosting, sprinkles.
    canvas.fill(Ellipse(cx + 8, cy + h * 0.5 + 6, w * 0.55, 9), (110, 50, 20), alpha=0.35)
    canvas.fill(rect(-2, 12), (120, 62, 24))
    crust = lambda x, y: mix((240, 196, 120), (196, 128, 60), clamp((y - cy + h / 2) / h + 0.2 * fbm(5, x / 8.0, y / 8.0)))
    canvas.fill(rect(0, 11), crust)
    for k in range(40):
        t = k / 40.0
        per = 2 * (w + h) - 32
        s = t * per
        # Fork marks around the rim.
        if s < w - 16:
            px, py = -w / 2 + 8 + s, -h / 2 + 5
        elif s < w - 16 + h - 16:
            px, py = w / 2 - 5, -h / 2 + 8 + s - (w - 16)
        elif s < 2 * (w - 16) + h - 16:
            px, py = w / 2 - 8 - (s - (w - 16) - (h - 16)), h / 2 - 5
        else:
            px, py = -w / 2 + 5, h / 2 - 8 - (s - 2 * (w - 16) - (h - 16))
        x, y = cx + px * cos - py * sin, cy + px * sin + py * cos
        canvas.fill(Ellipse(x, y, 1.3, 1.3), (170, 104, 44))
    icing = lambda x, y: mix((255, 196, 222), (236, 120, 170), clamp((y - cy + h / 2) / h))
    canvas.fill(rect(11, 9), (214, 96, 150))
    canvas.fill(rect(12.5, 8), icing)
    colours = [(255, 255, 255), (90, 170, 250), (250, 230, 60), (120, 210, 90), (236, 60, 60)]
    for k in range(46):
        px, py = rng.uniform(-w / 2 + 19, w / 2 - 19), rng.uniform(-h / 2 + 18, h / 2 - 18)
        x, y = cx + px * cos - py * sin, cy + px * sin + py * cos
        a = rng.uniform(0, math.pi)
        canvas.fill(Stroke([(x - 2.2 * math.cos(a), y - 2.2 * math.sin(a)),
                            (x + 2.2 * math.cos(a), y + 2.2 * math.sin(a))], 1.7), colours[k % 5])
    # A gleam on the icing.
    canvas.fill(Stroke([(cx - w * 0.3, cy - h * 0.22), (cx - w * 0.05, cy - h * 0.27)], 3),
                (255, 250, 252), alpha=0.7)


def _steam(canvas, x, y, height, seed):
    pts = [(x + 5 * math.sin(k * 0.5 + seed), y - k * height / 12.0) for k in range(13)]
    canvas.fill(Stroke(pts, 3.2), (255, 250, 240), alpha=0.35)


def title():
    canvas = Canvas(408, 157, (0, 0, 0))
    canvas.shade(lambda x, y, c, a: (_warm_light(x, y), 1.0))
    # A counter top to stand on.
    canvas.fill(Rect(0, 132, 408, 157), lambda x, y: mix((150, 84, 40), (96, 48, 22), (y - 132) / 25.0))
    canvas.fill(Rect(0, 131, 408, 134), (196, 122, 64))
    # Rays of warm light from behind him.
    for k in range(9):
        a = -math.pi * (0.1 + k * 0.1)
        canvas.fill(Stroke([(110, 70), (110 + 400 * math.cos(a), 70 + 400 * math.sin(a))], 14),
                    (255, 244, 200), alpha=0.12)
    canvas.fill(Ellipse(112, 137, 44, 6), (90, 40, 16), alpha=0.35)
    quibbert.draw(canvas, quibbert.Pose(look=(0.6, 0.1)), scale=2.45, dx=112 - 16 * 2.45, dy=10)
    _pastry(canvas, 290, 84, 170, 96, -0.08)
    for k, x in enumerate((250, 290, 330)):
        _steam(canvas, x, 30, 28, k * 1.7)
    # Sparkles of light.
    for x, y, r in ((205, 28, 5), (382, 40, 4), (45, 24, 4)):
        canvas.fill(Stroke([(x - r, y), (x + r, y)], 1.2), (255, 255, 240), alpha=0.9)
        canvas.fill(Stroke([(x, y - r), (x, y + r)], 1.2), (255, 255, 240), alpha=0.9)
    return Picture.from_rgb("111", 24, canvas.rgb_rows())


TEAL = (22, 140, 138)
DISC = (20, 32, 108)
DISC_EDGE = (64, 98, 190)


def emblem():
    canvas = Canvas(91, 91, TEAL)
    c = 45.5
    canvas.fill(Ellipse(c, c, 44.5, 44.5), (10, 70, 76))
    canvas.fill(Ellipse(c, c, 43.6, 43.6), DISC_EDGE)
    canvas.fill(Ellipse(c, c, 41.6, 41.6),
                lambda x, y: mix((34, 52, 146), DISC, clamp(math.hypot(x - 36, y - 34) / 50.0)))
    for k in range(28):
        a = k * 2 * math.pi / 28
        canvas.fill(Ellipse(c + 37.0 * math.cos(a), c + 37.0 * math.sin(a), 1.7, 1.7),
                    (255, 255, 255))
    word = "Grommelin"
    scale = 1.42
    width = pixelfont.text_width(word) * scale
    x0, y0 = c - width / 2.0, c - 7 * scale / 2.0
    # Round pen dots along the letters' cells give an even stroke at this size.
    for shadow, colour in ((1.0, (8, 14, 50)), (0.0, (255, 255, 255))):
        for x, y in pixelfont.text_cells(word):
            canvas.fill(Ellipse(x0 + (x + 0.5) * scale + shadow, y0 + (y + 0.5) * scale + shadow,
                                0.98, 0.98), colour)
    return Picture.from_rgb("115", 8, canvas.rgb_rows())

