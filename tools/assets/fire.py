"""Fire and smoke: flame tongues, soft smoke, soot and glow, and the burning of the house."""

import math

from prng import Rng, fbm
from raster import clamp, gradient, inside_polygon, mix, smoothstep

FLAME_STOPS = [(0.0, (255, 252, 220)), (0.3, (255, 226, 96)), (0.55, (252, 160, 36)),
               (0.8, (232, 84, 18)), (1.0, (160, 28, 10))]
SMOKE_DARK = (62, 60, 62)
SMOKE_LIGHT = (168, 168, 172)
GLOW = (255, 150, 50)


class Flame:
    """A tongue of flame standing on (x, y), leaning with the wind toward its tip."""

    def __init__(self, x, y, width, height, lean=0.0, seed=0):
        self.x, self.y, self.width, self.height, self.lean = x, y, width, height, lean
        self.phase = (seed % 97) / 97.0 * 2 * math.pi

    def _local(self, px, py):
        t = (self.y - py) / self.height
        if t >= 1.0 or t < -0.12:
            return t, 9.0
        wiggle = math.sin(t * 7.0 + self.phase) * self.width * 0.12 * t
        centre = self.x + self.lean * self.height * t * t + wiggle
        if t < 0:
            half = self.width / 2.0 * math.sqrt(max(0.0, 1.0 - (t / 0.12) ** 2))
        else:
            half = self.width / 2.0 * (1.0 - t) ** 0.85 * (1.0 + 0.18 * math.sin(t * 9 + self.phase))
        s = (px - centre) / half if half > 0 else 9.0
        return t, s

    def bbox(self):
        reach = abs(self.lean) * self.height + self.width
        return (self.x - reach, self.y - self.height, self.x + reach, self.y + self.height * 0.12)

    def contains(self, px, py):
        t, s = self._local(px, py)
        return -0.12 <= t <= 1.0 and abs(s) <= 1.0

    def paint(self, px, py):
        t, s = self._local(px, py)
        heat = max(abs(s) ** 1.4, clamp(t) ** 1.2)
        return gradient(FLAME_STOPS, heat)


def flame(canvas, x, y, width, height, lean=0.0, seed=0, alpha=0.95, ss=3):
    f = Flame(x, y, width, height, lean, seed)
    canvas.fill(f, f.paint, alpha=alpha, ss=ss)


def blaze(canvas, left, right, base, height, rng, lean=(0.05, 0.25)):
    """A fire front: dark red tongues behind, bright ones in front, of uneven heights."""
    span = right - left
    for layer, (count, scale, alpha) in enumerate(((5, 1.0, 0.9), (7, 0.75, 0.95), (6, 0.45, 1.0))):
        for k in range(count):
            x = left + span * (k + rng.uniform(0.2, 0.8)) / count
            h = height * scale * rng.uniform(0.55, 1.0)
            flame(canvas, x, base + 2 * layer, h * rng.uniform(0.36, 0.5), h,
                  lean=rng.uniform(*lean), seed=rng.randint(0, 999), alpha=alpha)


def smoke_puff(canvas, cx, cy, radius, shade, opacity, seed):
    """shade 0 is dark smoke near the fire, 1 the pale smoke that has drifted away."""
    colour = mix(SMOKE_DARK, SMOKE_LIGHT, shade)
    for y in range(int(cy - radius), int(cy + radius) + 1):
        for x in range(int(cx - radius), int(cx + radius) + 1):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
            if d >= 1.0:
                continue
            lump = fbm(seed, x / 9.0, y / 9.0, octaves=3)
            a = (1.0 - smoothstep(0.35, 1.0, d + (lump - 0.5) * 0.5)) * opacity
            # Lit a little from above.
            lit = mix(colour, (200, 198, 200), 0.25 * clamp((cy - y) / radius))
            canvas.blend(x, y, lit, clamp(a))


def screen_glow(canvas, cx, cy, radius, strength, colour=GLOW):
    def light(x, y, c, a):
        d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
        k = strength * (1.0 - smoothstep(0.0, 1.0, d))
        if k <= 0:
            return c, a
        return tuple(255 - (255 - v) * (1 - k * g / 255.0) for v, g in zip(c, colour)), a
    r = int(radius) + 1
    canvas.shade(light, (int(cx) - r, int(cy) - r, int(cx) + r, int(cy) + r))


def soot(canvas, region, strength, seed, shape):
    """Darkens a region where shape(x, y) in [0, 1] says so, broken up by noise."""
    def darken(x, y, c, a):
        k = shape(x, y)
        if k <= 0:
            return c, a
        k *= strength * (0.55 + 0.6 * fbm(seed, x / 7.0, y / 11.0, octaves=3))
        k = clamp(k, 0.0, 0.92)
        return tuple(v * (1 - k) + 12 * k for v in c), a
    canvas.shade(darken, region)


def _burn_window(canvas, box, rng, seed):
    l, t, r, b = box
    def blaze(x, y, c, a):
        depth = (y - t) / float(b - t)
        flicker = fbm(seed, x / 6.0, y / 5.0, octaves=3)
        heat = clamp(0.15 + (1 - depth) * 0.55 + (flicker - 0.5) * 0.35)
        return gradient([(0.0, (255, 236, 130)), (0.45, (250, 150, 34)),
                         (0.8, (196, 54, 16)), (1.0, (92, 20, 12))], heat), a
    canvas.shade(blaze, (l + 1, t + 1, r - 1, b - 1))
    # What is left of the glass clings to the corners.
    for x0, y0, dx, dy in ((l + 1, t + 1, 1, 1), (r - 2, t + 1, -1, 1),
                           (l + 1, b - 2, 1, -1), (r - 2, b - 2, -1, -1)):
        size = rng.randint(4, 9)
        for i in range(size):
            for j in range(size - i):
                canvas.set(x0 + dx * i, y0 + dy * j, (79, 87, 145) if (i + j) % 5 else (150, 160, 210))


def set_house_on_fire(canvas, origin_x, windows, roof_points):
    rng = Rng(2027)
    wins = [(l - origin_x, t, r - origin_x, b) for l, t, r, b in windows]
    roof = [(x - origin_x, y) for x, y in roof_points]
    apex, left_eave, right_eave = roof
    # Soot blackens the wall above every window and the roof.
    for index, (l, t, r, b) in enumerate(wins):
        cx = (l + r) / 2.0
        def plume(x, y, l=l, t=t, r=r, cx=cx):
            rise = (t - y) / 46.0
            if rise < -0.05 or rise > 1.0:
                return 0.0
            half = (r - l) / 2.0 * (0.9 + rise * 0.5)
            return (1 - smoothstep(0.6, 1.0, abs(x - cx) / half)) * (1 - smoothstep(0.3, 1.0, rise))
        soot(canvas, (l - 16, t - 48, r + 16, t + 1), 0.8, 300 + index, plume)
    def char(x, y, c, a):
        if not inside_polygon(roof, x + 0.5, y + 0.5) or c == (0, 0, 0):
            return c, a
        n = fbm(7, x / 16.0, y / 9.0, octaves=4) + (1 - y / 100.0) * 0.08
        if n > 0.6:
            return mix(c, (28, 18, 14), 0.8), a
        if n > 0.585:
            return (226, 92, 24), a
        return c, a
    canvas.shade(char, (0, 0, canvas.w, 100))
    for index, box in enumerate(wins):
        _burn_window(canvas, box, rng, 500 + index)
    # Glow on the walls around the windows and the roof.
    for l, t, r, b in wins:
        screen_glow(canvas, (l + r) / 2.0, (t + b) / 2.0 - 6, 56, 0.42)
    screen_glow(canvas, apex[0], 70, 150, 0.35)
    # Flames leaping out of the window tops and up the wall.
    for index, (l, t, r, b) in enumerate(wins):
        blaze(canvas, l + 2, r - 2, t + 12, 46 if t < 200 else 30, rng)
    # Flames along the roof, tallest near the ridge, blown a little to the right.
    flames = []
    for k in range(26):
        u = rng.uniform(0.08, 0.92)
        x = left_eave[0] + (right_eave[0] - left_eave[0]) * u
        top_y = apex[1] + (left_eave[1] - apex[1]) * abs(x - apex[0]) / (apex[0] - left_eave[0])
        y = top_y + rng.uniform(8, 30)
        if y > 98:
            continue
        height = (1.0 - abs(u - 0.5) * 1.2) * rng.uniform(36, 74)
        flames.append((y, x, height))
    for y, x, height in sorted(flames):
        flame(canvas, x, y, height * 0.42, height, lean=rng.uniform(0.1, 0.3),
              seed=rng.randint(0, 999), alpha=0.93)
    # Smoke from the roof rising to the top and drifting right; a little from the upper windows.
    for k in range(22):
        s = k / 21.0
        cx = apex[0] - 20 + s * 150 + rng.uniform(-14, 14)
        cy = 34 - s * 50 + rng.uniform(-8, 8)
        smoke_puff(canvas, cx, cy, 20 + 18 * s, 0.15 + 0.8 * s, 0.72, 700 + k)
    for k in range(10):
        s = k / 9.0
        cx = apex[0] - 70 - s * 40 + rng.uniform(-10, 10)
        cy = 55 - s * 55
        smoke_puff(canvas, cx, cy, 14 + 10 * s, 0.3 + 0.6 * s, 0.45, 760 + k)
    # The lower windows' smoke would cross the upper ones, so only the upper ones smoke.
    for index, (l, t, r, b) in enumerate(wins):
        if t >= 200:
            continue
        for k in range(5):
            smoke_puff(canvas, (l + r) / 2.0 + 6 + k * 9, t - 30 - k * 13, 9 + k * 2.5,
                       0.15 + 0.12 * k, 0.62, 800 + index * 5 + k)
    # Sparks in the air above the roof.
    for _ in range(60):
        x, y = rng.uniform(40, 340), rng.uniform(0, 110)
        canvas.blend(int(x), int(y), (255, 230, 140), rng.uniform(0.5, 1.0))
