#!/usr/bin/env python3
"""Draws Pathmoor's icons and background bitmaps into this folder.

Re-make them with `python3 resources/images/make_images.py` (any working
directory; Python 3 standard library only). The output is deterministic, so
an unchanged script rewrites byte-identical files; commit the results, the
build itself never runs this script.

Icons are classic BMP-in-ICO images: a BITMAPINFOHEADER of double height, a
32-bit BGRA colour bitmap with straight alpha and a 1-bit AND mask, both
bottom-up. Bitmaps are 24-bit bottom-up BMP files.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Subsamples per pixel edge; shapes are point tests, so edges are antialiased
# by averaging coverage.
SUPERSAMPLE = 8


def render(size, picture):
    """Rasterises picture(x, y) -> (r, g, b) or None into rows of RGBA."""
    rows = []
    step = 1.0 / SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            sums = [0, 0, 0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    colour = picture(px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                    if colour is None:
                        continue
                    hits += 1
                    for c in range(3):
                        sums[c] += colour[c]
            if hits == 0:
                row.append((0, 0, 0, 0))
                continue
            total = SUPERSAMPLE * SUPERSAMPLE
            rgb = tuple(int(math.floor(sums[c] / hits + 0.5)) for c in range(3))
            row.append(rgb + ((hits * 255 * 2 + total) // (total * 2),))
        rows.append(row)
    return rows


def ico_image(rows):
    size = len(rows)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def write_ico(name, images):
    """images: list of RGBA row lists, one per size, smallest first."""
    blobs = [ico_image(rows) for rows in images]
    data = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        size = len(rows)
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        data += blob
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)


def write_bmp24(name, width, height, colour_of_row):
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(height)):
        r, g, b = colour_of_row(y)
        line = bytearray(bytes((b, g, r)) * width)
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(file_header + info + pixels)


def vertical_gradient(top, bottom, height):
    """Row colours from top to bottom, the end rows exactly the end colours."""
    last = height - 1

    def colour_of_row(y):
        return tuple(((t * (last - y) + b * y) * 2 + last) // (last * 2)
                     for t, b in zip(top, bottom))
    return colour_of_row


# Geometry helpers; coordinates are pixels with (0, 0) the top-left corner.

def inside_rect(x, y, left, top, right, bottom):
    return left <= x < right and top <= y < bottom


def inside_rounded_rect(x, y, left, top, right, bottom, radius):
    if not inside_rect(x, y, left, top, right, bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def inside_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def distance_to_segment(x, y, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    t = ((x - a[0]) * dx + (y - a[1]) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(x - (a[0] + t * dx), y - (a[1] + t * dy))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# Program icon (400, 401): a blue rounded tile with a white arrow leaving it
# towards the top right, "launch". Drawn on a 16-unit grid and scaled.

def launcher(size):
    s = size / 16.0
    outline = 1.0 if size <= 16 else 1.5

    def picture(x, y):
        u, v = x / s, y / s
        if not inside_rounded_rect(x, y, 0.5 * s, 0.5 * s, 15.5 * s, 15.5 * s, 3.0 * s):
            return None
        if not inside_rounded_rect(x, y, 0.5 * s + outline, 0.5 * s + outline,
                                   15.5 * s - outline, 15.5 * s - outline,
                                   3.0 * s - outline):
            return (22, 52, 112)
        if inside_triangle(u, v, (12.6, 3.4), (12.6, 10.2), (5.8, 3.4)):
            return (255, 255, 255)
        if distance_to_segment(u, v, (3.6, 12.4), (10.0, 6.0)) <= 1.15:
            return (255, 255, 255)
        return mix((78, 142, 230), (30, 78, 168), v / 16.0)
    return render(size, picture)


def plus_badge(x, y):
    """Green plus in the bottom-right corner of a 16 x 16 icon, or None."""
    if inside_rect(x, y, 11, 8, 13, 16) or inside_rect(x, y, 8, 11, 16, 13):
        return (36, 150, 52)
    if inside_rect(x, y, 10, 7, 14, 16) or inside_rect(x, y, 7, 10, 16, 14):
        return (255, 255, 255)
    return None


# 402 "Add item": a sheet with a folded corner and lines of text.

SHEET_EDGE = (96, 104, 120)


def add_item_picture(x, y):
    badge = plus_badge(x, y)
    if badge is not None:
        return badge
    if not inside_rect(x, y, 2, 1, 13, 15):
        return None
    beyond_fold = (x - 9) - (y - 1)
    if beyond_fold > 0.7:
        return None
    if beyond_fold > -0.7 or x < 3 or x >= 12 or y < 2 or y >= 14:
        return SHEET_EDGE
    if x >= 9 and y < 6:
        return SHEET_EDGE if x < 10 or y >= 5 else (214, 222, 238)
    for left, top, right in ((4, 7, 9), (4, 9, 9), (4, 11, 7)):
        if inside_rect(x, y, left, top, right, top + 1):
            return (150, 162, 186)
    return (255, 255, 255)


# 403 "Add group": a category column, a dark header over light rows, as the
# pages draw them.

def add_group_picture(x, y):
    badge = plus_badge(x, y)
    if badge is not None:
        return badge
    if not inside_rect(x, y, 1, 1, 13, 15):
        return None
    if x < 2 or x >= 12 or y < 2 or y >= 14:
        return (52, 76, 120)
    if y < 5:
        return (112, 148, 200)
    if int(y) in (5, 8, 11):
        return (52, 76, 120)
    return (226, 232, 248)


# 404: hotkey marker, a white square with a black K, framed so that it shows
# on the light row backgrounds.

K_GLYPH = ("X..X",
           "X.X.",
           "XX..",
           "X.X.",
           "X..X")


def hotkey_marker_picture(x, y):
    col, row = int(x), int(y)
    if col in (0, 8) or row in (0, 8):
        return (112, 112, 112)
    gx, gy = col - 3, row - 2
    if 0 <= gy < len(K_GLYPH) and 0 <= gx < len(K_GLYPH[0]) and K_GLYPH[gy][gx] == "X":
        return (0, 0, 0)
    return (255, 255, 255)


# 503 to 506: running-state balls, 10 x 10.

def ball(base, rim, rim_width):
    centre, radius = 5.0, 4.9

    def picture(x, y):
        d = math.hypot(x - centre, y - centre)
        if d > radius:
            return None
        if d > radius - rim_width:
            return rim
        light = max(0.0, 1.0 - math.hypot(x - 3.7, y - 3.5) / 4.2)
        return mix(base, (255, 255, 255), 0.6 * light * light)
    return scaled(10, picture, dpi_sizes(10))


def scaled(base, picture, sizes):
    """The picture drawn on a base-unit grid, rendered at each size (one per DPI step)."""
    return [render(size, lambda x, y, s=size: picture(x * base / s, y * base / s))
            for size in sizes]


# The sides of an image of 96-DPI side base at 96, 120, 144, 168 and 192 DPI, rounded as
# the program rounds them (halves up).
def dpi_sizes(base):
    return sorted({(base * dpi * 2 + 96) // (96 * 2) for dpi in (96, 120, 144, 168, 192)})


LIGHT_BLUE = (104, 176, 244)
DARK_BLUE = (34, 84, 166)
OUTLINE = (22, 44, 92)
RED = (222, 32, 32)


def main():
    program = [launcher(size) for size in (16, 20, 24, 32, 48)]
    write_ico("pathmoor.ico", program)
    write_ico("add_item.ico", scaled(16, add_item_picture, dpi_sizes(16)))
    write_ico("add_group.ico", scaled(16, add_group_picture, dpi_sizes(16)))
    write_ico("hotkey_marker.ico", scaled(9, hotkey_marker_picture, dpi_sizes(9)))
    write_ico("ball_running.ico", ball(LIGHT_BLUE, OUTLINE, 1.0))
    write_ico("ball_running_hot.ico", ball(LIGHT_BLUE, RED, 1.7))
    write_ico("ball_not_running.ico", ball(DARK_BLUE, OUTLINE, 1.0))
    write_ico("ball_not_running_hot.ico", ball(DARK_BLUE, RED, 1.7))
    write_bmp24("row_background.bmp", 20, 22,
                vertical_gradient((232, 236, 250), (222, 228, 241), 22))
    write_bmp24("header_background.bmp", 20, 22,
                vertical_gradient((183, 202, 224), (230, 238, 253), 22))


if __name__ == "__main__":
    main()
