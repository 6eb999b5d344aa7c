#!/usr/bin/env python3
"""Writes the program icon (a blue letter V), its locked variant (the V with a
padlock, the tray's while blocking) and the hand pointer HAND-M.CUR.

All are drawn here from geometry and a small pixel template, so the build
reproduces them byte for byte.
Usage: make_images.py ICON_PATH LOCKED_ICON_PATH CURSOR_PATH
"""
import struct
import sys

BLUE = (0, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (215, 0, 0)
GREY = (70, 70, 70)

# The small icon's sizes at 100 % to 200 % display scale, and Explorer's 32
# and 48: each drawn for its own pixel grid, none scaled by Windows.
ICON_SIZES = (16, 20, 24, 32, 48)

# The hand: '#' outline, '.' fill, ' ' transparent. The hot spot is the tip
# of the index finger.
HAND = [
    "     ##                         ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..###                      ",
    "    #..#..###                   ",
    "    #..#..#..##                 ",
    "    #..#..#..#.#                ",
    "### #..#..#..#..#               ",
    "#..##........#..#               ",
    "#...#...........#               ",
    " #..............#               ",
    "  #.............#               ",
    "  #.............#               ",
    "   #............#               ",
    "   #...........#                ",
    "    #..........#                ",
    "    #.........#                 ",
    "     #........#                 ",
    "     #........#                 ",
    "     ##########                 ",
]
HAND_HOTSPOT = (5, 0)


def v_pixels(size):
    """The letter V as a size x size grid of colours (None = transparent)."""
    margin = size * 0.12
    thickness = max(2.0, size * 0.17)
    top_left = (margin + thickness / 2, margin)
    top_right = (size - margin - thickness / 2, margin)
    bottom = (size / 2, size - margin)

    def near(px, py, a, b):
        ax, ay = a
        bx, by = b
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        cx, cy = ax + t * dx, ay + t * dy
        return (px - cx) ** 2 + (py - cy) ** 2 <= (thickness / 2) ** 2

    grid = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            inside = near(px, py, top_left, bottom) or near(px, py, top_right, bottom)
            row.append(BLUE if inside else None)
        grid.append(row)
    return grid


def outline_width(size):
    return max(1, round(size / 24))


def padlock_pixels(size):
    """The padlock in the bottom right corner, by (x, y). Its shackle's
    opening is white: a taskbar that draws a new icon over the old one would
    otherwise show the V through it. Edges fall on whole pixels, so that it
    stays sharp and symmetric at every size."""
    unit = size / 16
    # Room for the outline at the icon's edge.
    right = bottom = size - outline_width(size)
    left, top = right - round(8 * unit), bottom - round(6 * unit)
    centre_x, centre_y = (left + right) / 2, top - unit  # of the shackle's arch
    outer, inner = 3 * unit, 1.25 * unit
    cells = {}
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            if left <= px < right and top <= py < bottom:
                cells[(x, y)] = RED
            elif py < top:
                dx = px - centre_x
                reach = (dx * dx + (py - centre_y) ** 2) ** 0.5 if py < centre_y else abs(dx)
                if reach <= outer:
                    cells[(x, y)] = GREY if reach >= inner else WHITE
    # A keyhole where there are pixels enough for one.
    if size >= 20:
        width, height = max(1, round(1.25 * unit)), round(2.5 * unit)
        hole_x, hole_y = round(centre_x - width / 2), round(top + 1.5 * unit)
        for y in range(hole_y, hole_y + height):
            for x in range(hole_x, hole_x + width):
                cells[(x, y)] = WHITE
    return cells


def locked_pixels(size):
    """The V with the padlock over it, the padlock ringed in white so that it
    stands out from the V and from a dark taskbar alike."""
    grid = v_pixels(size)
    padlock = padlock_pixels(size)
    ring = outline_width(size)
    for x, y in padlock:
        for oy in range(max(0, y - ring), min(size, y + ring + 1)):
            for ox in range(max(0, x - ring), min(size, x + ring + 1)):
                if (ox, oy) not in padlock:
                    grid[oy][ox] = WHITE
    for (x, y), colour in padlock.items():
        grid[y][x] = colour
    return grid


def hand_pixels(size=32):
    colours = {"#": BLACK, ".": WHITE, " ": None}
    grid = [[None] * size for _ in range(size)]
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line.ljust(size)[:size]):
            grid[y][x] = colours[ch]
    return grid


def dib(grid):
    """A 24-bit DIB with its AND mask, as stored in icon and cursor files."""
    size = len(grid)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    xor_stride = (size * 3 + 3) & ~3
    and_stride = ((size + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for row in reversed(grid):  # bottom-up
        line = bytearray()
        mask = bytearray(and_stride)
        for x, colour in enumerate(row):
            r, g, b = colour if colour else (0, 0, 0)
            line += bytes((b, g, r))
            if colour is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        line += bytes(xor_stride - len(line))
        xor_rows.append(bytes(line))
        and_rows.append(bytes(mask))
    return header + b"".join(xor_rows) + b"".join(and_rows)


def icon_file(images, kind, hotspot=(0, 0)):
    """kind 1 = icon, 2 = cursor."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for grid in images:
        size = len(grid)
        blob = dib(grid)
        planes_or_x, bits_or_y = (1, 24) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, planes_or_x, bits_or_y,
                           len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


def main():
    icon_path, locked_icon_path, cursor_path = sys.argv[1:4]
    with open(icon_path, "wb") as f:
        f.write(icon_file([v_pixels(size) for size in ICON_SIZES], 1))
    with open(locked_icon_path, "wb") as f:
        f.write(icon_file([locked_pixels(size) for size in ICON_SIZES], 1))
    with open(cursor_path, "wb") as f:
        f.write(icon_file([hand_pixels()], 2, HAND_HOTSPOT))


if __name__ == "__main__":
    main()
