"""Colour reduction for the 8-bit pictures: a median-cut palette of the picture's own colours.

A reserved colour (a sprite's key) gets an entry of its own that only pixels of exactly that
colour map to, so the key stays exclusive.
"""

BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def _median_cut(histogram, count):
    boxes = [list(histogram.items())]
    while len(boxes) < count:
        best, best_score, best_axis = None, 0, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for axis in range(3):
                values = [colour[axis] for colour, _ in box]
                spread = max(values) - min(values)
                weight = sum(n for _, n in box)
                score = spread * spread * weight
                if score > best_score:
                    best, best_score, best_axis = index, score, axis
        if best is None:
            break
        box = sorted(boxes[best], key=lambda item: (item[0][best_axis], item[0]))
        half = sum(n for _, n in box) / 2.0
        running, cut = 0, 1
        for i, (_, n) in enumerate(box):
            running += n
            if running >= half:
                cut = min(max(i, 1), len(box) - 1)
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        weight = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(c[axis] * n for c, n in box) / weight))
                             for axis in range(3)))
    return palette


def _nearest(colour, palette, skip):
    best, best_distance = 0, None
    r, g, b = colour
    for index, (pr, pg, pb) in enumerate(palette):
        if index in skip:
            continue
        # Weighted toward green, as the eye is.
        distance = 3 * (r - pr) ** 2 + 4 * (g - pg) ** 2 + 2 * (b - pb) ** 2
        if best_distance is None or distance < best_distance:
            best, best_distance = index, distance
    return best


def quantize(rows, reserved=(), size=256, dither=0.0):
    """rows of (r, g, b) -> (rows of indices, palette). dither: ordered-dither strength."""
    histogram = {}
    for row in rows:
        for colour in row:
            if colour not in reserved:
                histogram[colour] = histogram.get(colour, 0) + 1
    room = size - len(reserved)
    if len(histogram) <= room:
        palette = sorted(histogram)
        dither = 0.0
    else:
        palette = _median_cut(histogram, room)
    for colour in reserved:
        # The key keeps its exact colour; nothing else may share it.
        palette = [c if c != colour else tuple(v - 1 if v else 1 for v in c) for c in palette]
    palette = list(reserved) + palette
    skip = set(range(len(reserved)))
    lookup = {colour: i for i, colour in enumerate(reserved)}
    cache = {}
    out = []
    for y, row in enumerate(rows):
        line = []
        for x, colour in enumerate(row):
            if colour in lookup:
                line.append(lookup[colour])
                continue
            if dither:
                offset = (BAYER4[y & 3][x & 3] - 7.5) / 16.0 * dither
                colour = tuple(min(255, max(0, int(round(v + offset)))) for v in colour)
                if colour in lookup:
                    colour = tuple(v - 1 if v else 1 for v in colour)
            index = cache.get(colour)
            if index is None:
                index = cache[colour] = _nearest(colour, palette, skip)
            line.append(index)
        out.append(line)
    return out, palette
