#!/usr/bin/env python3
"""Draws the library's three navigation cursors as 32 x 32 monochrome .cur
files (white shapes with a black outline): rotate, fly and walk.
Run once; the .cur files are committed under library/resources/."""
import math
import struct
import sys

SIZE = 32


def rotate_shape(x, y):
    # A ring with a gap and an arrow head: turning the model.
    dx, dy = x - 15.5, y - 15.5
    r = math.hypot(dx, dy)
    a = math.degrees(math.atan2(-dy, dx)) % 360
    ring = 8 <= r <= 12 and not (25 <= a <= 75)
    # Arrow head at the end of the ring, pointing clockwise (down).
    head = 6 <= y <= 16 and abs(x - 25.5) <= (16 - y) * 0.6
    return ring or head


def fly_shape(x, y):
    # A paper plane seen from above.
    body = abs(x - 15.5) <= 1.5 and 3 <= y <= 27
    nose = abs(x - 15.5) <= (y - 2) * 0.5 and 2 <= y <= 6
    wings = 10 <= y <= 17 and abs(x - 15.5) <= (y - 9) * 1.8
    tail = 23 <= y <= 27 and abs(x - 15.5) <= (y - 22) * 1.2
    return body or nose or wings or tail


def walk_shape(x, y):
    # Two footprints.
    def foot(cx, cy):
        return ((x - cx) / 4.0) ** 2 + ((y - cy) / 7.0) ** 2 <= 1.0
    return foot(10, 11) or foot(21, 20)


def cursor(shape, hotspot):
    inside = [[shape(x, y) for x in range(SIZE)] for y in range(SIZE)]

    def near(x, y):
        return any(0 <= x + i < SIZE and 0 <= y + j < SIZE and inside[y + j][x + i]
                   for i in (-1, 0, 1) for j in (-1, 0, 1))

    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bottom-up rows
        xor_bits = and_bits = 0
        for x in range(SIZE):
            white = inside[y][x]
            outline = not white and near(x, y)
            xor_bits = (xor_bits << 1) | int(white)
            and_bits = (and_bits << 1) | int(not (white or outline))
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, shape, hotspot in (("rotate", rotate_shape, (16, 16)),
                                 ("fly", fly_shape, (16, 3)),
                                 ("walk", walk_shape, (16, 16))):
        with open(f"{out}/{name}.cur", "wb") as f:
            f.write(cursor(shape, hotspot))
