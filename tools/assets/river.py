"""What floats on the river: two logs and two lily pads, one with a frog, on the river's blue."""

import math

from pixelart import BLACK, BLUE, DARK_GREEN, DARK_RED, DARK_YELLOW, GREEN, Grid
from picture import Picture
from prng import Rng


def draw_log(width, seed):
    g = Grid(width, 17, BLUE)
    top, bottom = 2, 15
    cy, ry = (top + bottom) / 2.0, (bottom - top) / 2.0
    left, right = 4.0, width - 5.0
    g.rect(int(left), top, int(right) + 1, bottom, DARK_RED)
    g.ellipse(left, cy, 3.6, ry, DARK_RED)
    g.ellipse(right, cy, 3.6, ry, DARK_RED)
    rng = Rng(seed)
    # Bark: broken lengthwise furrows, a lighter ridge along the top, shadow underneath.
    for row in range(top + 3, bottom - 3, 2):
        x = int(left) + rng.randint(0, 8)
        while x < right - 6:
            length = rng.randint(6, 16)
            end = min(x + length, int(right) - 4)
            g.hline(x, end, row + (x // 23) % 2, BLACK)
            x = end + rng.randint(5, 14)
    for x in range(int(left) + 1, int(right) - 1):
        if rng.chance(0.55):
            g.set(x, top + 1, DARK_YELLOW)
    g.hline(int(left) + 2, int(right) - 1, top, DARK_RED)
    g.outline(BLUE, BLACK)
    for x in range(int(left) + 1, int(right)):
        g.set(x, bottom - 2, BLACK if rng.chance(0.7) else DARK_RED)
    # A knot or two.
    for _ in range(max(1, width // 40)):
        kx = rng.randint(int(left) + 10, int(right) - 12)
        g.ellipse(kx + 0.5, cy + 0.5, 2.2, 1.6, BLACK)
        g.rect(kx, int(cy), kx + 1, int(cy) + 1, DARK_YELLOW)
    # The sawn end shows its rings.
    g.ellipse(right, cy, 3.6, ry - 0.2, DARK_YELLOW)
    g.ellipse(right, cy, 2.4, ry - 2.2, DARK_RED)
    g.ellipse(right, cy, 1.5, ry - 3.6, DARK_YELLOW)
    g.set(int(right), int(cy), DARK_RED)
    g.outline(BLUE, BLACK, body={DARK_YELLOW})
    return g


def draw_pad():
    g = Grid(47, 22, BLUE)
    cx, cy, rx, ry = 23.5, 11.0, 22.5, 10.2
    g.ellipse(cx, cy + 0.8, rx, ry, BLACK)
    g.ellipse(cx, cy, rx, ry, DARK_GREEN)
    # The notch every pad has, a wedge to its centre.
    notch = [(cx, cy), (cx + 25 * math.cos(-0.25), cy + 12 * math.sin(-0.25)),
             (cx + 25 * math.cos(0.12), cy + 12 * math.sin(0.12))]
    g.polygon(notch, BLUE)
    # Veins from the centre.
    for k in range(9):
        angle = 0.55 + k * (2 * math.pi - 1.0) / 8.5
        for step in range(2, 17):
            t = step / 20.0
            x = cx + rx * 0.92 * t * math.cos(angle)
            y = cy + ry * 0.92 * t * math.sin(angle)
            if g.get(int(x), int(y)) == DARK_GREEN:
                g.set(int(x), int(y), DARK_YELLOW)
    g.outline(BLUE, BLACK, body={DARK_GREEN})
    for x in range(10, 19):
        g.set(x, 2, GREEN)
    return g


def draw_frog(g, x0, y0):
    """A frog sitting facing us, eyes up on top of its head."""
    frog = [
        "..kkk.....kkk..",
        ".kWWWk...kWWWk.",
        ".kWkWkkkkkWkWk.",
        "kGGGGGGGGGGGGGk",
        "kGGGGGGGGGGGGGk",
        "kGGGGkGGGkGGGGk",
        "kGGkkkkkkkkkGGk",
        ".kGGGGGGGGGGGk.",
        "kGGkGGgGgGGkGGk",
        "kGGkkGGGGGkkGGk",
        ".kkk.kkkkk.kkk.",
    ]
    g.art(x0, y0, frog)


def log():
    return Picture.from_grid("log", draw_log(61, 11))


def biglog():
    return Picture.from_grid("biglog", draw_log(97, 12))


def lilly1():
    pad = draw_pad()
    draw_frog(pad, 16, 5)
    return Picture.from_grid("lilly1", pad)


def lilly2():
    return Picture.from_grid("lilly2", draw_pad())
