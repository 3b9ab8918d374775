"""The road's vehicles, side views in the sixteen system colours on the black of the road.

Each faces the way its lane runs: car 1, the semi and the mower drive left; car 2, the bus and
the truck drive right.
"""

import pixelfont
from pixelart import (BLACK, BLUE, CYAN, DARK_BLUE, DARK_CYAN, DARK_GREEN, DARK_GREY,
                      DARK_MAGENTA, DARK_RED, DARK_YELLOW, GREEN, Grid, LIGHT_GREY, MAGENTA,
                      RED, WHITE, YELLOW)
from picture import Picture


def wheel(grid, cx, cy, radius, arch=None):
    """A grey tyre with a light hub, in a dark arch cut into the body."""
    if arch:
        grid.ellipse(cx, cy, arch, arch, BLACK)
    grid.ellipse(cx, cy, radius, radius, DARK_GREY)
    hub = max(1.2, radius * 0.5)
    grid.ellipse(cx, cy, hub, hub, LIGHT_GREY)
    grid.set(int(cx), int(cy), DARK_GREY)


def draw_car(body, shade):
    """A small saloon facing left."""
    g = Grid(40, 17, BLACK)
    g.polygon([(1, 8), (3, 6.5), (11, 6), (15, 1), (27, 1), (32, 6), (38, 6.5), (39.5, 8),
               (39.5, 14), (0.5, 14), (0.5, 9)], body)
    g.outline(BLACK, shade)
    # Side windows with a pillar between them, a glint on each.
    g.polygon([(12.2, 6.2), (15.6, 2.2), (20.6, 2.2), (20.6, 6.2)], DARK_CYAN)
    g.polygon([(22.4, 2.2), (26.4, 2.2), (30.2, 6.2), (22.4, 6.2)], DARK_CYAN)
    for x, y in ((16, 3), (15, 4), (23, 3), (24, 3), (23, 4)):
        g.set(x, y, CYAN)
    # Door seam, handles and the sill.
    g.vline(21, 7, 12, shade)
    g.hline(23, 25, 8, LIGHT_GREY)
    g.hline(13, 15, 8, LIGHT_GREY)
    g.hline(4, 36, 12, shade)
    # Lights and bumpers.
    g.rect(1, 8, 3, 10, YELLOW)
    g.rect(38, 8, 40, 10, DARK_RED if body == RED else RED)
    g.rect(0, 11, 3, 13, LIGHT_GREY)
    g.rect(37, 11, 40, 13, LIGHT_GREY)
    wheel(g, 9.5, 13.5, 3.5, arch=4.5)
    wheel(g, 30.5, 13.5, 3.5, arch=4.5)
    return g


def draw_bus():
    """A yellow bus facing right, a row of dark windows along its side."""
    g = Grid(77, 32, BLACK)
    g.polygon([(1, 2), (73, 2), (75.5, 4), (76.5, 8), (76.5, 28), (1, 28)], YELLOW)
    g.set(1, 2, BLACK)
    g.outline(BLACK, DARK_YELLOW)
    g.hline(2, 74, 3, DARK_YELLOW)
    # Windows: eight dark panes in frames, each with a glint.
    g.rect(4, 6, 68, 15, DARK_YELLOW)
    for i in range(8):
        x0 = 5 + i * 8
        g.rect(x0, 7, x0 + 7, 14, BLACK)
        g.set(x0 + 1, 8, DARK_GREY)
        g.set(x0 + 2, 8, DARK_GREY)
        g.set(x0 + 1, 9, DARK_GREY)
    # Windscreen wraps round the front.
    g.polygon([(69, 6), (74.5, 6), (75.8, 8), (75.8, 16), (69, 16)], DARK_CYAN)
    g.set(70, 7, CYAN)
    g.set(71, 7, CYAN)
    g.set(70, 8, CYAN)
    # Front door with its glass.
    g.rect(60, 16, 67, 27, DARK_YELLOW)
    g.rect(61, 17, 66, 22, DARK_GREY)
    g.vline(63, 17, 27, DARK_YELLOW)
    # Stripes along the side, lights, bumper.
    g.hline(2, 59, 18, DARK_YELLOW)
    g.hline(2, 59, 20, DARK_YELLOW)
    g.rect(74, 21, 77, 24, WHITE)
    g.rect(1, 21, 3, 24, RED)
    g.rect(0, 25, 77, 27, LIGHT_GREY)
    g.hline(0, 77, 27, DARK_GREY)
    wheel(g, 15.5, 27.5, 4.5, arch=5.5)
    wheel(g, 58.5, 27.5, 4.5, arch=5.5)
    return g


def draw_semi():
    """A blue lorry facing left: cab at the front, box trailer with the name on it."""
    g = Grid(101, 38, BLACK)
    # Trailer: a box on a grey chassis rail.
    g.rect(28, 1, 101, 29, BLUE)
    g.outline(BLACK, DARK_BLUE)
    for x in range(34, 100, 11):
        g.vline(x, 2, 28, DARK_BLUE)
    g.rect(33, 8, 97, 22, WHITE)
    g.hline(33, 97, 8, LIGHT_GREY)
    g.hline(33, 97, 21, LIGHT_GREY)
    word = "Grommelin"
    x0 = 33 + (64 - pixelfont.text_width(word, spacing=2)) // 2
    for x, y in pixelfont.text_cells(word, spacing=2):
        g.set(x0 + x, 10 + y, RED)
    g.rect(26, 29, 101, 31, LIGHT_GREY)
    # Cab: flat front on the left, tall side window, exhaust stack behind.
    g.polygon([(1, 8), (4, 5), (22, 5), (22, 31), (1, 31)], BLUE)
    g.rect(22, 22, 28, 31, DARK_GREY)
    g.rect(23, 0, 25, 18, LIGHT_GREY)
    g.vline(24, 0, 18, WHITE)
    g.polygon([(4, 8), (6, 7), (14, 7), (14, 17), (4, 17)], DARK_CYAN)
    for x, y in ((6, 9), (7, 9), (6, 10)):
        g.set(x, y, CYAN)
    g.vline(16, 8, 28, DARK_BLUE)
    g.rect(17, 18, 20, 19, LIGHT_GREY)
    g.rect(0, 24, 3, 28, YELLOW)
    g.rect(0, 28, 22, 31, LIGHT_GREY)
    g.rect(9, 26, 20, 30, LIGHT_GREY)
    g.hline(9, 20, 26, WHITE)
    wheel(g, 7.5, 32.5, 5, arch=5.5)
    wheel(g, 19.5, 32.5, 5, arch=5.5)
    wheel(g, 80.5, 32.5, 5, arch=5.5)
    wheel(g, 92.5, 32.5, 5, arch=5.5)
    return g


def draw_truck():
    """A magenta pick-up facing right, open load bed at the back."""
    g = Grid(43, 22, BLACK)
    g.polygon([(0.5, 9), (22, 9), (23, 2.5), (31, 2.5), (35, 8), (41, 8.5), (42.5, 10),
               (42.5, 18), (0.5, 18)], MAGENTA)
    g.outline(BLACK, DARK_MAGENTA)
    # Load bed rim and tailgate seam.
    g.hline(1, 22, 10, DARK_MAGENTA)
    g.vline(22, 9, 18, DARK_MAGENTA)
    g.polygon([(24, 3.5), (30.3, 3.5), (33.6, 8), (24, 8)], DARK_CYAN)
    g.set(25, 4, CYAN)
    g.set(26, 4, CYAN)
    g.set(25, 5, CYAN)
    g.vline(32, 9, 16, DARK_MAGENTA)
    g.hline(27, 30, 10, LIGHT_GREY)
    g.rect(41, 10, 43, 12, YELLOW)
    g.rect(0, 10, 2, 13, RED)
    g.rect(39, 15, 43, 17, LIGHT_GREY)
    g.rect(0, 15, 2, 17, LIGHT_GREY)
    wheel(g, 9.5, 17.5, 3.5, arch=4.5)
    wheel(g, 34.5, 17.5, 3.5, arch=4.5)
    return g


def draw_mower():
    """A yellow ride-on mower facing left; its driver wears a red cap; smoke from the exhaust."""
    g = Grid(40, 33, BLACK)
    # Puffs of smoke from the exhaust, drifting back and up as it drives.
    g.ellipse(33.0, 10.6, 1.6, 1.5, DARK_GREY)
    g.ellipse(35.4, 7.0, 2.4, 2.2, DARK_GREY)
    g.ellipse(35.0, 6.6, 1.6, 1.4, LIGHT_GREY)
    g.ellipse(37.6, 2.9, 2.3, 2.3, LIGHT_GREY)
    g.ellipse(37.2, 2.4, 1.2, 1.1, WHITE)
    g.rect(31, 13, 33, 20, LIGHT_GREY)
    g.vline(32, 13, 20, WHITE)
    # Seat and driver.
    g.rect(26, 10, 29, 21, DARK_GREY)
    g.rect(20, 11, 27, 19, CYAN)
    g.vline(20, 11, 19, DARK_CYAN)
    g.polygon([(16, 17), (25, 17), (25, 20), (16, 20)], DARK_BLUE)
    g.rect(14, 17, 17, 23, DARK_BLUE)
    g.rect(12, 22, 16, 24, DARK_GREY)
    g.ellipse(23, 7.5, 3.6, 3.6, WHITE)
    g.set(21, 7, BLACK)
    g.set(20, 8, LIGHT_GREY)
    g.rect(20, 3, 28, 6, RED)
    g.rect(21, 2, 26, 3, RED)
    g.rect(17, 5, 21, 6, DARK_RED)
    g.set(25, 3, DARK_RED)
    g.rect(15, 12, 21, 14, CYAN)
    g.rect(13, 11, 15, 14, WHITE)
    # Steering column and wheel.
    g.polygon([(11, 18), (12, 18), (15, 11), (14, 11)], DARK_GREY)
    g.rect(12, 10, 17, 11, DARK_GREY)
    # Body: bonnet at the front, fender over the big rear wheel.
    g.polygon([(1, 22), (3, 18), (14, 17), (19, 20), (36, 20), (37, 23), (37, 27), (1, 27)],
              YELLOW)
    g.outline(BLACK, DARK_YELLOW, body={YELLOW})
    for y in (21, 23, 25):
        g.hline(2, 6, y, DARK_YELLOW)
    g.rect(1, 19, 3, 21, WHITE)
    # Cutting deck between the wheels.
    g.rect(9, 27, 26, 31, DARK_GREEN)
    g.hline(9, 26, 27, GREEN)
    wheel(g, 29.5, 27.5, 5.3)
    wheel(g, 6.5, 29.5, 3.3)
    return g


def car1():
    return Picture.from_grid("car1", draw_car(RED, DARK_RED))


def car2():
    # The same car in green, turned to face the way its lane runs.
    return Picture.from_grid("car2", draw_car(GREEN, DARK_GREEN).mirrored())


def bus():
    return Picture.from_grid("bus", draw_bus())


def semi():
    return Picture.from_grid("semi", draw_semi())


def truck():
    return Picture.from_grid("truck", draw_truck())


def mower():
    return Picture.from_grid("mower", draw_mower())
