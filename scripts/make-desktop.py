#!/usr/bin/env python3
"""Draws a picture like a desktop for the saver to grow over: a wallpaper
gradient, three light windows with title bars and lines of "text", and a
task bar along the bottom. Nothing is taken from elsewhere.

The windows' light bodies are where the saver's re-seed probes find bright
spots, so that is where its branches start.

Usage: scripts/make-desktop.py WIDTHxHEIGHT OUT.png|OUT.bmp
"""
import struct
import sys
import zlib


def draw(width, height):
    """The picture as rows of (r, g, b) tuples, top row first."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            # Deep blue at the top left to a light teal at the bottom right.
            t = (y / max(height - 1, 1)) * 0.75 + (x / max(width - 1, 1)) * 0.25
            row.append((int(20 + 90 * t), int(60 + 120 * t), int(120 + 90 * t)))
        rows.append(row)

    def fill(left, top, right, bottom, colour):
        for y in range(max(top, 0), min(bottom, height)):
            row = rows[y]
            for x in range(max(left, 0), min(right, width)):
                row[x] = colour

    def window(left, top, w, h):
        bar = max(h // 12, 6)
        fill(left + 6, top + 6, left + w + 6, top + h + 6, (15, 30, 50))  # shadow
        fill(left, top, left + w, top + h, (246, 246, 242))
        fill(left, top, left + w, top + bar, (60, 110, 180))
        for i, line in enumerate(range(top + bar * 2, top + h - bar, max(bar // 1, 4) + 4)):
            fill(left + bar, line, left + w - bar - (i * 37) % (w // 3 + 1), line + max(bar // 3, 2),
                 (170, 170, 175))

    window(width // 10, height // 8, width * 4 // 10, height * 4 // 10)
    window(width * 45 // 100, height * 30 // 100, width * 35 // 100, height * 40 // 100)
    window(width * 20 // 100, height * 58 // 100, width * 22 // 100, height * 25 // 100)

    task = max(height // 25, 12)
    fill(0, height - task, width, height, (32, 38, 48))
    fill(task // 4, height - task + task // 5, task // 4 + task * 2, height - task // 5, (70, 140, 90))
    for i in range(5):
        left = task * 3 + i * task * 3 // 2
        fill(left, height - task + task // 4, left + task, height - task // 4, (90, 100, 120))
    return rows


def write_png(path, rows):
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6))
                + chunk(b"IEND", b""))


def write_bmp(path, rows):
    """A 24-bit bottom-up bitmap, which every Windows loader reads."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) // 4 * 4
    pixels = b"".join(bytes(c for p in row for c in (p[2], p[1], p[0])).ljust(stride, b"\x00")
                      for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels)


def main(argv):
    if len(argv) != 3 or "x" not in argv[1]:
        sys.exit(__doc__.strip().splitlines()[-1])
    try:
        width, height = (int(v) for v in argv[1].split("x"))
    except ValueError:
        sys.exit("size must be WIDTHxHEIGHT, e.g. 1024x768")
    if not (16 <= width <= 8192 and 16 <= height <= 8192):
        sys.exit("size must be 16..8192 on each side")
    rows = draw(width, height)
    (write_bmp if argv[2].lower().endswith(".bmp") else write_png)(argv[2], rows)


if __name__ == "__main__":
    main(sys.argv)
