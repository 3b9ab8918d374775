"""The contact sheet: every picture at its own size with its name, the small ones scaled up, the
sprites keyed over the bands they cross, and the icon over a checkerboard through its mask."""

import pixelfont

BACKGROUND = (74, 78, 88)
LABEL = (236, 236, 228)
# Bands the sprites are drawn over in the game: footpath, lawn, road, river, house wall.
BANDS = [(255, 255, 255), (0, 128, 0), (0, 0, 0), (0, 0, 255), (48, 54, 167)]


class Board:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.rows = [[BACKGROUND] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x] = colour

    def blit(self, x0, y0, rows, scale=1, skip=None):
        for y, row in enumerate(rows):
            for x, colour in enumerate(row):
                if colour == skip:
                    continue
                for sy in range(scale):
                    for sx in range(scale):
                        self.put(x0 + x * scale + sx, y0 + y * scale + sy, colour)

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def label(self, x0, y0, text):
        for x, y in pixelfont.text_cells(text):
            self.put(x0 + x, y0 + y, LABEL)


class Flow:
    """Places boxes left to right, wrapping into new rows."""

    def __init__(self, width, margin=12):
        self.width, self.margin = width, margin
        self.x, self.y, self.row_height = margin, margin, 0
        self.items = []

    def place(self, w, h):
        if self.x + w + self.margin > self.width and self.x > self.margin:
            self.x, self.y = self.margin, self.y + self.row_height + self.margin
            self.row_height = 0
        spot = (self.x, self.y)
        self.x += w + self.margin
        self.row_height = max(self.row_height, h)
        return spot

    def bottom(self):
        return self.y + self.row_height + self.margin


def _keyed(picture, band):
    key = picture.key
    return [[band if c == key else c for c in row] for row in picture.rgb()]


def _outlined(board, box, colour):
    l, t, r, b = box
    board.rect(l, t, r, b, (0, 0, 0))
    board.rect(l + 1, t + 1, r - 1, b - 1, colour)


def scene(pictures):
    """The pictures where the game puts them, over a rough painting of its scene: a preview of
    how they sit together, not the game's own drawing."""
    by_name = {p.name: p for p in pictures}
    board = Board(800, 600)
    if "sky" in by_name:
        board.blit(0, 0, by_name["sky"].rgb())
    _outlined(board, (0, 275, 800, 300), (0, 128, 0))
    house = by_name.get("burnt_house")
    if house:
        board.blit(224, 0, [row[:375] for row in house.rgb()[:295]])
    _outlined(board, (0, 300, 800, 400), (0, 0, 255))
    _outlined(board, (0, 400, 800, 500), (0, 0, 0))
    _outlined(board, (0, 445, 800, 455), (255, 255, 0))
    _outlined(board, (0, 500, 800, 600), (255, 255, 255))
    for x in range(0, 800, 50):
        board.rect(x, 500, x + 1, 600, (0, 0, 0))
    places = [("log", 90, 375), ("biglog", 420, 375), ("lilly1", 200, 325), ("lilly2", 610, 325),
              ("car1", 120, 475), ("car2", 520, 415), ("truck", 300, 415), ("bus", 640, 410),
              ("mower", 80, 460), ("semi", 430, 460), ("cookie", 700, 420)]
    for name, x, y in places:
        if name in by_name:
            board.blit(x, y, by_name[name].rgb())
    for name, x, y in (("smallquibbert", 384, 530), ("drown", 300, 330), ("squished", 230, 470),
                       ("splat", 100, 235)):
        if name in by_name:
            p = by_name[name]
            board.blit(x, y, p.rgb(), skip=p.key)
    return board.rows


def build(pictures, icon_rows, icon_mask, width=1240):
    """pictures: Picture objects; icon_rows: (r, g, b) rows; icon_mask: 1 = transparent."""
    entries = []  # (kind, picture or data, w, h)
    for p in pictures:
        entries.append(("plain", p, max(p.w, pixelfont.text_width(p.name)), p.h + 12))
    for p in pictures:
        if p.w <= 101 and p.h <= 101:
            scale = 5 if p.w <= 60 else 4
            entries.append(("scaled", (p, scale), p.w * scale, p.h * scale + 12))
    for p in pictures:
        if p.key is not None:
            entries.append(("keyed", p, (p.w + 4) * len(BANDS) * 2, p.h * 2 + 12))
    entries.append(("icon", None, 32 * 5 + 48, 32 * 5 + 12))
    entries.append(("scene", None, 800, 612))

    flow = Flow(width)
    spots = [flow.place(w, h) for _, _, w, h in entries]
    board = Board(width, flow.bottom())
    for (kind, item, w, h), (x, y) in zip(entries, spots):
        if kind == "plain":
            board.label(x, y, item.name)
            board.blit(x, y + 12, item.rgb())
        elif kind == "scaled":
            p, scale = item
            board.label(x, y, "%s x%d" % (p.name, scale))
            board.blit(x, y + 12, p.rgb(), scale)
        elif kind == "keyed":
            board.label(x, y, item.name + " keyed")
            for i, band in enumerate(BANDS):
                bx = x + i * (item.w + 4) * 2
                board.rect(bx, y + 12, bx + item.w * 2 + 4, y + 12 + item.h * 2, band)
                board.blit(bx + 2, y + 12, _keyed(item, band), 2)
        elif kind == "scene":
            board.label(x, y, "in the scene - a rough preview")
            board.blit(x, y + 12, scene(pictures))
        else:
            board.label(x, y, "IDI_ICON1")
            for cy in range(32 * 5):
                for cx in range(32 * 5 + 40):
                    shade = (200, 200, 200) if (cx // 8 + cy // 8) % 2 else (150, 150, 150)
                    board.put(x + cx, y + 12 + cy, shade)
            for iy in range(32):
                for ix in range(32):
                    if icon_mask[iy][ix]:
                        continue
                    board.put(x + ix, y + 12 + iy, icon_rows[iy][ix])
                    for sy in range(5):
                        for sx in range(5):
                            board.put(x + 40 + ix * 5 + sx, y + 12 + iy * 5 + sy,
                                      icon_rows[iy][ix])
    return board.rows
