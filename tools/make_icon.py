#!/usr/bin/env python3
"""Draws the saver's icon (resource 100): 48 x 48 pixels, 256 colours, black
and white vertical stripes with small shapes whose colours swap where they
cover a stripe, as the saver draws them. Writes resources/monoglint.ico.

Run from the repository root: tools/make_icon.py
"""
import struct

SIZE = 48
STRIPES = [(3, 5), (12, 3), (19, 6), (30, 4), (39, 5)]  # (left, width) in pixels


def on_stripe(x):
    return any(left <= x < left + width for left, width in STRIPES)


def in_shape(x, y):
    # An oval, a square and a triangle (pointing up), like the foreground shapes.
    cx, cy = x + 0.5, y + 0.5
    oval = ((cx - 14) / 11) ** 2 + ((cy - 12) / 5) ** 2 <= 1
    square = 26 <= cx <= 42 and 20 <= cy <= 28
    triangle = 34 <= cy <= 44 and abs(cx - 15) <= (cy - 34) * 0.9
    return oval or square or triangle


def pixel(x, y):
    white = on_stripe(x)
    if in_shape(x, y):
        white = not white  # the colours swap where a shape covers a stripe
    return 1 if white else 0


def icon_bytes():
    palette = bytearray(256 * 4)
    palette[4:8] = bytes((255, 255, 255, 0))  # index 1 white; index 0 and the rest black
    rows = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        rows += bytes(pixel(x, y) for x in range(SIZE))
    mask = bytes(8 * SIZE)  # every pixel opaque; rows of 48 bits padded to 64
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(rows) + len(mask), 0, 0, 256, 0)
    image = header + bytes(palette) + bytes(rows) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open("resources/monoglint.ico", "wb") as out:
        out.write(icon_bytes())
