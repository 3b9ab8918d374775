"""Quibbert himself, drawn from shapes so he looks the same small on the road and large on the
title picture: a round white fellow with big eyes, a blue bow tie and brown shoes.

Coordinates are those of the small sprite (32 x 53); a transform places him anywhere.
"""

from raster import Affine, Ellipse, Placed, Polygon, Stroke, mix, smoothstep

INK = (38, 36, 52)
WHITE = (252, 252, 250)
SHADE = (196, 204, 224)
SHOE = (112, 62, 30)
SHOE_LIGHT = (168, 104, 58)
TIE = (36, 86, 206)
TIE_DARK = (20, 48, 140)
NOSE = (236, 128, 110)
CHEEK = (246, 176, 176)
MOUTH = (120, 26, 36)
TONGUE = (226, 90, 100)
EYE_WHITE = (254, 254, 254)
PUPIL = (24, 24, 36)


class Pose:
    def __init__(self, arms="down", eyes="open", mouth="smile", look=(0.0, 0.0)):
        self.arms, self.eyes, self.mouth, self.look = arms, eyes, mouth, look


def _ellipse(cx, cy, rx, ry, angle=0.0):
    return lambda grow: Ellipse(cx, cy, rx + grow, ry + grow, angle)


def _stroke(points, width):
    return lambda grow: Stroke(points, width + 2 * grow)


def _soft_white(xf, light=(9.0, 6.0), reach=24.0):
    """White lit from the upper left, shading to blue-grey away from the light."""
    def paint(x, y):
        fx, fy = xf.invert(x, y)
        distance = ((fx - light[0]) ** 2 + (fy - light[1]) ** 2) ** 0.5
        return mix(WHITE, SHADE, smoothstep(reach * 0.45, reach, distance) * 0.85)
    return paint


class Figure:
    def __init__(self, canvas, xf, ss=4):
        self.canvas, self.xf, self.ss = canvas, xf, ss
        # Outlines keep a steady weight in canvas pixels, whatever the scale.
        self.ink = 1.05 / xf.scale() if xf.scale() < 2 else 0.9

    def part(self, shape_fn, paint, outline=True, ink=1.0):
        if outline:
            self.canvas.fill(Placed(shape_fn(self.ink * ink), self.xf), INK, ss=self.ss)
        self.canvas.fill(Placed(shape_fn(0.0), self.xf), paint, ss=self.ss)

    def detail(self, shape, paint):
        self.canvas.fill(Placed(shape, self.xf), paint, ss=self.ss)

    def draw(self, pose):
        body_paint = _soft_white(self.xf, light=(11.0, 28.0), reach=16.0)
        head_paint = _soft_white(self.xf, light=(11.0, 8.0), reach=20.0)
        # Legs and shoes.
        for hip_x, foot_x in ((12.6, 11.8), (19.4, 20.2)):
            self.part(_stroke([(hip_x, 40.0), (foot_x, 48.5)], 4.8), body_paint)
        for foot_x, toe in ((11.0, -1), (21.0, 1)):
            self.part(_ellipse(foot_x + toe * 0.6, 50.2, 4.0, 2.3), SHOE)
            self.detail(Ellipse(foot_x - 0.4 + toe * 0.6, 49.4, 1.8, 0.8), SHOE_LIGHT)
        # Arms behind the body when raised, in front when hanging.
        if pose.arms == "up":
            for side in (-1, 1):
                shoulder = (16 + side * 7.0, 30.0)
                hand = (16 + side * 13.2, 20.5)
                self.part(_stroke([shoulder, (16 + side * 11.0, 26.0), hand], 4.2), body_paint)
                self.part(_ellipse(hand[0], hand[1] - 0.6, 2.5, 2.5), body_paint)
        self.part(_ellipse(16.0, 35.0, 9.4, 9.6), body_paint)
        if pose.arms == "down":
            for side in (-1, 1):
                shoulder = (16 + side * 7.6, 29.5)
                hand = (16 + side * 10.2, 39.0)
                self.part(_stroke([shoulder, hand], 4.2), body_paint)
                self.part(_ellipse(hand[0], hand[1] + 0.4, 2.5, 2.5), body_paint)
        # Head with a curl of hair on top.
        self.part(_stroke([(14.2, 5.0), (15.0, 1.8), (17.6, 1.4), (18.4, 3.2)], 2.2), head_paint)
        self.part(_ellipse(16.0, 14.8, 11.8, 11.0), head_paint)
        # Bow tie under the chin.
        for side in (-1, 1):
            self.part(lambda grow, s=side: Polygon(_grown_triangle(s, grow)), TIE)
        self.part(_ellipse(16.0, 26.6, 1.6, 1.6), TIE_DARK)
        self._face(pose)

    def _face(self, pose):
        lx, ly = pose.look
        for ex in (11.4, 20.6):
            if pose.eyes == "x":
                for a, b in (((-1.8, -1.8), (1.8, 1.8)), ((-1.8, 1.8), (1.8, -1.8))):
                    self.detail(Stroke([(ex + a[0], 14 + a[1]), (ex + b[0], 14 + b[1])], 1.2),
                                INK)
                continue
            px, py = ex + lx * 0.9, 14.2 + ly * 0.9
            if pose.eyes == "wide":
                # Fright: whites all round small pupils.
                self.part(_ellipse(ex, 13.6, 2.6, 3.3), EYE_WHITE, ink=0.75)
                self.detail(Ellipse(px, py, 1.1, 1.25), PUPIL)
                continue
            # Bright bead eyes, each with a glint.
            self.detail(Ellipse(px, py - 0.4, 2.0, 2.7), PUPIL)
            self.detail(Ellipse(px - 0.6, py - 1.4, 0.75, 0.75), EYE_WHITE)
        self.detail(Ellipse(8.6, 18.8, 1.9, 1.2), CHEEK)
        self.detail(Ellipse(23.4, 18.8, 1.9, 1.2), CHEEK)
        self.part(_ellipse(16.0, 18.2, 1.5, 1.1), NOSE, ink=0.6)
        if pose.mouth == "smile":
            self.detail(Stroke([(13.0, 20.4), (14.6, 21.6), (17.4, 21.6), (19.0, 20.4)], 1.1),
                        INK)
        elif pose.mouth == "open":
            self.part(_ellipse(16.0, 22.0, 3.0, 3.1), MOUTH)
            self.detail(Ellipse(16.0, 23.6, 2.0, 1.2), TONGUE)
        elif pose.mouth == "tongue":
            self.detail(Stroke([(13.2, 21.0), (18.8, 21.0)], 1.1), INK)
            self.part(_ellipse(17.4, 22.4, 1.5, 1.5), TONGUE)


    def draw_flat(self):
        """Flattened on his back, head to the left, arms and legs flung out: the figure as a
        tyre leaves it, drawn straight in the sprite's own 53 x 32 space."""
        white = _soft_white(self.xf, light=(14.0, 10.0), reach=26.0)
        for hip, foot in (((36, 12.5), (45, 7.5)), ((36, 19.5), (45, 24.5))):
            self.part(_stroke([hip, foot], 5.0), white)
        for y, angle in ((6.4, -0.5), (25.6, 0.5)):
            self.part(_ellipse(47.6, y, 3.0, 4.2, angle), SHOE)
            self.detail(Ellipse(48.2, y, 1.1, 2.0, angle), SHOE_LIGHT)
        for shoulder, hand in (((25, 9), (19.5, 3.2)), ((25, 23), (19.5, 28.8))):
            self.part(_stroke([shoulder, hand], 4.6), white)
            self.part(_ellipse(hand[0], hand[1], 2.6, 2.6), white)
        self.part(_ellipse(30.0, 16.0, 10.6, 9.4), white)
        for side in (-1, 1):
            self.part(lambda grow, s=side: Polygon(
                [(21.6, 16.0), (19.2 - grow, 16 + s * (4.6 + grow)), (24.0 + grow, 16 + s * (4.6 + grow))]), TIE)
        self.part(_ellipse(21.6, 16.0, 1.6, 1.6), TIE_DARK)
        self.part(_stroke([(2.6, 14.2), (0.9, 15.0), (0.9, 17.4), (2.6, 18.2)], 2.0), white)
        self.part(_ellipse(11.6, 16.0, 9.4, 11.2), white)
        for ey in (11.4, 20.6):
            for a, b in (((-1.9, -1.9), (1.9, 1.9)), ((-1.9, 1.9), (1.9, -1.9))):
                self.detail(Stroke([(9.0 + a[0], ey + a[1]), (9.0 + b[0], ey + b[1])], 1.2), INK)
        self.detail(Ellipse(12.8, 8.4, 1.2, 1.8), CHEEK)
        self.detail(Ellipse(12.8, 23.6, 1.2, 1.8), CHEEK)
        self.part(_ellipse(13.4, 16.0, 1.1, 1.5), NOSE, ink=0.6)
        self.detail(Stroke([(16.6, 12.8), (17.2, 16.0), (16.6, 19.2)], 1.1), INK)
        self.part(_ellipse(18.6, 17.6, 1.7, 1.5), TONGUE)


def _grown_triangle(side, grow):
    return [(16.0, 26.6), (16 + side * (4.6 + grow), 24.4 - grow),
            (16 + side * (4.6 + grow), 28.8 + grow)]


def draw_flat(canvas, ss=4):
    Figure(canvas, Affine(), ss).draw_flat()


def draw(canvas, pose, scale=1.0, dx=0.0, dy=0.0, angle=0.0, squash=1.0, ss=4):
    Figure(canvas, Affine.place(scale, dx, dy, angle, squash), ss).draw(pose)
