#!/usr/bin/env python3
"""Draws the settings dialog's two bitmaps in the saver's own style: black and
white shapes whose colours swap where they overlap.

  resources/banner.bmp  bitmap 107, the maker's banner, 420 x 139, 24 bits
  resources/logo.bmp    bitmap 112, the product logo, 201 x 201, 24 bits

Run from the repository root: tools/make_bitmaps.py
"""
import math
import struct

# A 5 x 7 pixel font for the few letters the pictures spell.
FONT = {
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    " ": ["00000"] * 7,
}


def text_cells(text, left, top, scale):
    """The set of pixels that the text covers."""
    cells = set()
    for i, letter in enumerate(text):
        for row, bits in enumerate(FONT[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            cells.add((left + (i * 6 + column) * scale + dx, top + row * scale + dy))
    return cells


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> True for white; y counts down from the top."""
    row_size = (width * 3 + 3) // 4 * 4
    rows = bytearray()
    for y in reversed(range(height)):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            row += b"\xff\xff\xff" if pixel(x, y) else b"\x00\x00\x00"
        rows += row + bytes(row_size - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(path, "wb") as out:
        out.write(header + info + rows)


def banner():
    width, height = 420, 139
    stripes = [(12, 18), (60, 9), (101, 26), (170, 12), (228, 30), (300, 8), (340, 22), (395, 14)]
    title = text_cells("MONOGLINT", 75, 30, 6)
    maker = text_cells("PELLUMBRA", 156, 100, 2)

    def pixel(x, y):
        white = any(left <= x < left + w for left, w in stripes)
        shapes = 0
        shapes += ((x - 70) / 60) ** 2 + ((y - 112) / 16) ** 2 <= 1  # an oval
        shapes += 300 <= x < 390 and 92 <= y < 122                    # a square
        shapes += 110 <= y < 134 and abs(x - 380) <= (y - 110) * 0.9  # a triangle
        shapes += (x, y) in title
        shapes += (x, y) in maker
        return white != (shapes % 2 == 1)  # every covering shape swaps the colours again

    write_bmp("resources/banner.bmp", width, height, pixel)


def logo():
    size = 201
    centre = size / 2
    angle = math.radians(30)

    def turned_square_at(x, y):
        # Spaced squares, each turned about its own centre.
        cell = 50
        cx = (x // cell) * cell + cell / 2
        cy = (y // cell) * cell + cell / 2
        dx, dy = x + 0.5 - cx, y + 0.5 - cy
        u = dx * math.cos(angle) + dy * math.sin(angle)
        v = -dx * math.sin(angle) + dy * math.cos(angle)
        return abs(u) <= 14 and abs(v) <= 14

    def pixel(x, y):
        white = turned_square_at(x, y)
        oval = ((x + 0.5 - centre) / 92) ** 2 + ((y + 0.5 - centre) / 34) ** 2 <= 1
        triangle = 120 <= y < 190 and abs(x + 0.5 - centre) <= (y - 120) * 0.6
        return white != (oval != triangle)

    write_bmp("resources/logo.bmp", size, size, pixel)


if __name__ == "__main__":
    banner()
    logo()
