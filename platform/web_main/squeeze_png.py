#!/usr/bin/python3
"""squeeze_png.py IN.png OUT.png: the same picture with its image data deflated at the best
level (the project's own encoder stores it uncompressed), so that the site's icons cost a
visitor kilobytes, not a megabyte."""

import struct
import sys
import zlib


def chunks(data):
    at = 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def main(source, target):
    data = open(source, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", source + " is not a PNG"
    header, image = b"", b""
    for kind, body in chunks(data):
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            image += body
    rows = zlib.decompress(image)
    with open(target, "wb") as out:
        out.write(data[:8] + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
                  chunk(b"IEND", b""))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
