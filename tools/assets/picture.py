"""A finished picture: its resource name, depth and pixels, ready for a BMP file and the sheet."""

import formats
import palette as palettes


class Picture:
    def __init__(self, name, depth, rows, colours=None, key=None):
        """rows hold palette indices (with colours) for depth 4 and 8, else (r, g, b)."""
        self.name, self.depth, self.rows, self.colours, self.key = name, depth, rows, colours, key
        self.h, self.w = len(rows), len(rows[0])

    @classmethod
    def from_grid(cls, name, grid):
        return cls(name, 4, grid.rows, formats.SYSTEM16)

    @classmethod
    def from_rgb(cls, name, depth, rows, key=None, dither=0.0):
        if depth == 24:
            return cls(name, 24, rows, key=key)
        reserved = (key,) if key is not None else ()
        indices, colours = palettes.quantize(rows, reserved=reserved, dither=dither)
        return cls(name, depth, indices, colours, key)

    def rgb(self):
        if self.depth == 24:
            return self.rows
        return [[self.colours[i] for i in row] for row in self.rows]

    def bmp(self):
        return formats.bmp_bytes(self.rows, self.depth, self.colours)
