#!/usr/bin/env python3
"""Writes the seed corpus of the BMP fuzzer: a few tiny valid files and a few broken ones."""
import os
import struct

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bmp")


def header(width, stored_height, planes=1, bpp=24, size=0):
    return (b"BM" + struct.pack("<IHHI", size, 0, 0, 54)
            + struct.pack("<IIIHHIIiiII", 40, width & 0xFFFFFFFF, stored_height & 0xFFFFFFFF,
                          planes, bpp, 0, 0, 2835, 2835, 0, 0))


def image(width, height, top_down=False):
    row_bytes = width * 3
    padding = (4 - row_bytes % 4) % 4
    rows = []
    for y in range(height):
        row = bytes((7 * x + 3 * y) & 0xFF for x in range(row_bytes)) + b"\xee" * padding
        rows.append(row)
    if top_down:
        rows.reverse()
    data = b"".join(rows)
    stored = -height if top_down else height
    return header(width, stored, size=54 + len(data)) + data


seeds = {
    "valid_4x2.bmp": image(4, 2),
    "valid_odd_3x3.bmp": image(3, 3),
    "valid_odd_5x1.bmp": image(5, 1),
    "top_down_2x3.bmp": image(2, 3, top_down=True),
    "longer_1x1.bmp": image(1, 1) + b"\x00" * 5,
    "truncated_header.bmp": image(4, 2)[:30],
    "bad_planes.bmp": header(4, 2, planes=2) + b"\x00" * 24,
    "bpp_32.bmp": header(2, 2, bpp=32) + b"\x00" * 16,
    "short_pixels.bmp": image(3, 2)[:-4],
}

os.makedirs(out, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
