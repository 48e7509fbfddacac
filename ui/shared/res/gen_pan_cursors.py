#!/usr/bin/env python3
"""Draws the drawing views' panning cursors as 32 x 32 monochrome cursor files beside this
script: a ring at the hot spot (the point panning started from) with one arrowhead pointing the
way the view moves, or with four small ones for the neutral cursor shown while the pointer
stays near that point. White shapes with a black edge, so they show on any background.

Run it after changing a shape and commit the files it writes; a test checks that the committed
files are what it writes."""
import math
import os
import struct

SIZE = 32
HOT = 16  # the hot spot, both axes: the middle of the cursor
CENTRE = HOT + 0.5  # in continuous coordinates, pixel (x, y) covering [x, x + 1)

# File name and arrowhead angle, clockwise from up in degrees; None: the neutral cursor.
CURSORS = [
    ("PanNeutral.cur", None),
    ("PanUp.cur", 0),
    ("PanUpRight.cur", 45),
    ("PanRight.cur", 90),
    ("PanDownRight.cur", 135),
    ("PanDown.cur", 180),
    ("PanDownLeft.cur", 225),
    ("PanLeft.cur", 270),
    ("PanUpLeft.cur", 315),
]


def rotate(points, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    # Screen y grows downwards: clockwise on screen is this rotation.
    return [(x * c - y * s, x * s + y * c) for x, y in points]


def arrowhead(degrees, tip, base, half_width):
    """A triangle pointing `degrees` clockwise from up, relative to the centre."""
    return rotate([(0.0, -tip), (-half_width, -base), (half_width, -base)], degrees)


def inside_triangle(px, py, tri):
    (x1, y1), (x2, y2), (x3, y3) = tri

    def side(ax, ay, bx, by):
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax)

    d1, d2, d3 = side(x1, y1, x2, y2), side(x2, y2, x3, y3), side(x3, y3, x1, y1)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def shape(angle):
    """The white pixels of one cursor, as a set of (x, y)."""
    if angle is None:
        heads = [arrowhead(a, 12.8, 7.7, 4.6) for a in (0, 90, 180, 270)]
    else:
        heads = [arrowhead(angle, 14.3, 7.2, 6.6)]
    white = set()
    for y in range(SIZE):
        for x in range(SIZE):
            px, py = x + 0.5 - CENTRE, y + 0.5 - CENTRE
            ring = 1.5 <= math.hypot(px, py) <= 3.2
            if ring or any(inside_triangle(px, py, t) for t in heads):
                white.add((x, y))
    return white


def cursor_file(white):
    """A .cur file: one 32 x 32 image, two colours, hot spot in the middle."""
    black = set()
    for x, y in white:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                n = (x + dx, y + dy)
                if n not in white and 0 <= n[0] < SIZE and 0 <= n[1] < SIZE:
                    black.add(n)
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bottom-up rows
        xor_bits = and_bits = 0
        for x in range(SIZE):
            bit = 1 << (SIZE - 1 - x)  # leftmost pixel in the high bit
            if (x, y) in white:
                xor_bits |= bit
            elif (x, y) not in black:
                and_bits |= bit  # transparent
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # BITMAPINFOHEADER (height counts both masks), black and white, then XOR and AND masks.
    image = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, 2 * SIZE * 4, 0, 0, 0, 0)
    image += struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image += b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT, HOT, len(image), 6 + 16)
    return header + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, angle in CURSORS:
        with open(os.path.join(here, name), "wb") as f:
            f.write(cursor_file(shape(angle)))


if __name__ == "__main__":
    main()
