"""File writers: uncompressed BMP, the icon, 8-bit PCM WAVE and PNG (for the contact sheet only).

Pictures arrive as rows of palette indices (depth 4 and 8) or of (r, g, b) tuples (depth 24),
top row first; the writers store them bottom row first with rows padded to four bytes.
"""

import struct
import zlib

# The sixteen standard system colours, in their standard order.
SYSTEM16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _row_bytes(row, depth):
    if depth == 24:
        data = bytearray()
        for r, g, b in row:
            data += bytes((b, g, r))
    elif depth == 8:
        data = bytearray(row)
    elif depth == 4:
        data = bytearray()
        for i in range(0, len(row), 2):
            hi = row[i]
            lo = row[i + 1] if i + 1 < len(row) else 0
            data.append((hi << 4) | lo)
    elif depth == 1:
        data = bytearray()
        for i in range(0, len(row), 8):
            byte = 0
            for bit, value in enumerate(row[i:i + 8]):
                byte |= (value & 1) << (7 - bit)
            data.append(byte)
    else:
        raise ValueError("unsupported depth %d" % depth)
    data += b"\0" * (-len(data) % 4)
    return bytes(data)


def _palette_bytes(palette, entries):
    colours = list(palette) + [(0, 0, 0)] * (entries - len(palette))
    return b"".join(bytes((b, g, r, 0)) for r, g, b in colours)


def _info_header(width, height, depth, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, depth, 0, image_size, 0, 0, 0, 0)


def bmp_bytes(rows, depth, palette=None):
    height, width = len(rows), len(rows[0])
    for row in rows:
        assert len(row) == width, "ragged picture"
    pixels = b"".join(_row_bytes(row, depth) for row in reversed(rows))
    colours = b""
    if depth <= 8:
        assert palette is not None and len(palette) <= 1 << depth
        colours = _palette_bytes(palette, 1 << depth)
    offset = 14 + 40 + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + _info_header(width, height, depth, len(pixels)) + colours + pixels


def ico_bytes(rows, mask):
    """One 16-colour image of the system palette; mask rows hold 1 where the icon is transparent."""
    height, width = len(rows), len(rows[0])
    xor = b"".join(_row_bytes(row, 4) for row in reversed(rows))
    and_mask = b"".join(_row_bytes(row, 1) for row in reversed(mask))
    image = (_info_header(width, height * 2, 4, len(xor) + len(and_mask))
             + _palette_bytes(SYSTEM16, 16) + xor + and_mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def wav_bytes(samples, rate):
    """samples: unsigned 8-bit values, silence 128."""
    data = bytes(samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    if len(data) % 2:
        body += b"\0"
    return b"RIFF" + struct.pack("<I", len(body)) + body


def png_bytes(rows):
    """rows of (r, g, b) tuples."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
