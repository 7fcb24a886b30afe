#!/usr/bin/env python3
"""Draws the program's icon and its invisible pointer and writes them as
Windows icon and cursor files.

  res/verdane.ico      icon group 128: a green sprig at 16x16 and 32x32 in
                       16 colours, transparent around the drawing, and at
                       16, 32, 48 and 256 pixels in 32-bit colour with
                       smooth (alpha) edges, the 256 one stored as PNG as
                       Windows expects
  res/transparent.cur  cursor 129: 32x32 monochrome, AND mask all ones and
                       XOR mask all zeros (nothing drawn), hotspot (0, 0)

The sprig is described once in unit coordinates (x to the right, y down)
and rasterised at each size, so every image shows the same picture.

Usage: scripts/make-icons.py [--preview FILE.png]   (run from the repository)
"""
import math
import os
import struct
import sys
import zlib

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRANSPARENT, GREEN, OLIVE, LIME = None, 2, 3, 10

# The 32-bit images' colours, as (red, green, blue): a leaf's rim and
# inside, and the stems.
LEAF_RIM = (30, 110, 40)
LEAF_INSIDE = (110, 200, 70)
STEM = (120, 100, 45)
# Sizes of the 32-bit images; the largest goes in as PNG.
TRUE_COLOUR_SIZES = (16, 32, 48, 256)
PNG_FROM = 256

# Stems: polylines with a stroke width, all in units of the icon's side.
STEMS = [
    (0.065, [(0.50, 0.97), (0.47, 0.72), (0.52, 0.46), (0.60, 0.16)]),
    (0.050, [(0.48, 0.66), (0.32, 0.46), (0.24, 0.30)]),
    (0.045, [(0.52, 0.48), (0.70, 0.36)]),
]
# Leaves: ellipses (centre x, centre y, half length, half width, angle in
# degrees counter-clockwise from the x axis).
LEAVES = [
    (0.64, 0.11, 0.15, 0.070, 60),
    (0.20, 0.22, 0.14, 0.065, 115),
    (0.80, 0.30, 0.14, 0.060, 25),
    (0.31, 0.76, 0.13, 0.060, 160),
    (0.66, 0.62, 0.13, 0.055, 15),
]


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def in_leaf(x, y, leaf):
    cx, cy, a, b, angle = leaf
    r = math.radians(angle)
    # y grows downward, so counter-clockwise on screen is a negative angle here.
    u = (x - cx) * math.cos(r) - (y - cy) * math.sin(r)
    v = (x - cx) * math.sin(r) + (y - cy) * math.cos(r)
    return (u / a) ** 2 + (v / b) ** 2 <= 1.0


def in_leaf_inside(x, y, rim):
    """Inside a leaf shrunk by rim (units) on every side."""
    return any(in_leaf(x, y, (cx, cy, a - rim, b - rim, angle)) for cx, cy, a, b, angle in LEAVES)


def in_stem(x, y, size):
    for width, points in STEMS:
        # At least one pixel wide at any size.
        half = max(width, 1.0 / size) / 2
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            if distance_to_segment(x, y, ax, ay, bx, by) <= half:
                return True
    return False


def coverage(size, px, py, test, samples=4):
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            x = (px + (sx + 0.5) / samples) / size
            y = (py + (sy + 0.5) / samples) / size
            hits += test(x, y)
    return hits / (samples * samples)


def draw(size):
    """Rows of palette indexes (None where transparent), top row first."""
    leaf = [[coverage(size, x, y, lambda u, v: any(in_leaf(u, v, l) for l in LEAVES)) >= 0.45
             for x in range(size)] for y in range(size)]
    stem = [[coverage(size, x, y, lambda u, v: in_stem(u, v, size)) >= 0.4
             for x in range(size)] for y in range(size)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if leaf[y][x]:
                # At 32 pixels a leaf gets a dark rim around its bright
                # inside; at 16 it is too small for one.
                edge = size >= 32 and any(not (0 <= x + dx < size and 0 <= y + dy < size and leaf[y + dy][x + dx])
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                row.append(GREEN if edge else LIME)
            elif stem[y][x]:
                row.append(OLIVE)
            else:
                row.append(TRANSPARENT)
        rows.append(row)
    return rows


def draw_true_colour(size):
    """Rows of (red, green, blue, alpha), top row first: each pixel's share
    of leaf and stem, sampled, gives its alpha and mixes its colour."""
    samples = 4 if size <= 48 else 2
    # A rim of about a pixel and a half, but never more than a fifth of a
    # leaf's width.
    rim = min(1.5 / size, 0.012)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            totals = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    if any(in_leaf(x, y, l) for l in LEAVES):
                        colour = LEAF_INSIDE if in_leaf_inside(x, y, rim) else LEAF_RIM
                    elif in_stem(x, y, size):
                        colour = STEM
                    else:
                        continue
                    hits += 1
                    totals = [t + c for t, c in zip(totals, colour)]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(t / hits) for t in totals) + (round(255 * hits / samples ** 2),))
        rows.append(row)
    return rows


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def icon_image(rows):
    """A 4-bit DIB with its AND mask, as an icon file stores one image."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = b""
    mask = b""
    for row in reversed(rows):  # DIBs store the bottom row first
        indexes = [0 if c is None else c for c in row]
        xor += padded(bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, size, 2)))
        bits = [1 if c is None else 0 for c in row]
        mask += padded(bytes(sum(bits[i + j] << (7 - j) for j in range(8)) for i in range(0, size, 8)))
    return header + palette + xor + mask


def true_colour_image(rows):
    """A 32-bit DIB (blue, green, red, alpha) with its AND mask, which
    systems without alpha blending use: a pixel is transparent where its
    alpha is 0."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b""
    mask = b""
    for row in reversed(rows):
        xor += b"".join(bytes((b, g, r, a)) for r, g, b, a in row)
        bits = [1 if a == 0 else 0 for _, _, _, a in row]
        mask += padded(bytes(sum(bits[i + j] << (7 - j) for j in range(8)) for i in range(0, size, 8)))
    return header + xor + mask


def icon_file(images):
    """images: (size, colours, bits per pixel, data); a size of 256 is
    written as 0 in the directory, as the format has it."""
    count = len(images)
    directory = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    entries = b""
    for size, colours, bits, data in images:
        side = size % 256
        entries += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, _, _, data in images)


def transparent_cursor():
    size = 32
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBB", 0, 0, 0, 0) + struct.pack("<BBBB", 255, 255, 255, 0)
    xor = b"\x00" * (4 * size)
    mask = b"\xff" * (4 * size)
    data = header + palette + xor + mask
    # In a cursor file the planes and bit-count fields hold the hotspot.
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, 0, 0, len(data), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + entry + data


def png(pixels, colour_type):
    """A PNG of rows of byte tuples: colour type 2 for (red, green, blue), 6
    for (red, green, blue, alpha)."""
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_png(path, rows, scale):
    """An enlarged picture of the 16-colour drawing on a grey checker, for
    looking at."""
    size = len(rows) * scale
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            c = rows[y // scale][x // scale]
            row.append(PALETTE[c] if c is not None else ((200, 200, 200) if (x // 8 + y // 8) % 2 else (240, 240, 240)))
        pixels.append(row)
    with open(path, "wb") as f:
        f.write(png(pixels, 2))


def main():
    small, large = draw(16), draw(32)
    images = [(16, 16, 4, icon_image(small)), (32, 16, 4, icon_image(large))]
    for size in TRUE_COLOUR_SIZES:
        rows = draw_true_colour(size)
        data = png(rows, 6) if size >= PNG_FROM else true_colour_image(rows)
        images.append((size, 0, 32, data))
    with open(os.path.join("res", "verdane.ico"), "wb") as f:
        f.write(icon_file(images))
    with open(os.path.join("res", "transparent.cur"), "wb") as f:
        f.write(transparent_cursor())
    if len(sys.argv) == 3 and sys.argv[1] == "--preview":
        write_png(sys.argv[2], large, 8)
        write_png(sys.argv[2].replace(".png", "-16.png"), small, 16)
        with open(sys.argv[2].replace(".png", "-256.png"), "wb") as f:
            f.write(png(draw_true_colour(256), 6))


if __name__ == "__main__":
    main()
