#!/usr/bin/env python3
"""Draws the application icon and writes resources/app.ico.

The artwork is the launcher's emblem: a blade with an arrow-shaped head, its cross bar and foot,
inside a ring and a diamond, in gold on a slate tile with rounded corners. Every size is drawn
from the same vector description and anti-aliased by supersampling. The icon holds seven 32-bit
images (16, 24, 32, 48, 64, 128 and 256 pixels). The sizes a window's caption, taskbar and Alt+Tab
use up to 150% scale (16 to 48) are BMP with a transparency mask; 64, 128 and 256 are stored
PNG-compressed, which keeps the icon at 29 KiB instead of 107 (the program's image, resources
included, is resident for the window's whole life).

Standard library only. Usage: make_icon.py [output.ico] [--preview sheet.png]
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)

# Palette colours (R, G, B).
SLATE = (21, 29, 40)
SLATE_EDGE = (43, 55, 71)
GOLD = (218, 186, 123)
GOLD_DIM = (145, 119, 70)

# The emblem in the home canvas's logical units around its centre: ring radius 64, diamond tips
# 18 beyond it, the blade's head half as wide as the ring's radius.
RING = 64
DIAMOND = RING + 18
HALF = RING // 2
EMBLEM_REACH = 0.41  # the diamond's tips, as a fraction of the icon's side from the centre


def blade_segments():
    tip, end = -RING + 8, RING - 8
    return [
        ((0, tip), (0, end)),  # shaft
        ((0, tip), (-HALF, 0)),  # head
        ((-HALF, 0), (0, HALF)),
        ((0, tip), (HALF, 0)),
        ((HALF, 0), (0, HALF)),
        ((-HALF - 8, 5), (HALF + 8, 5)),  # cross bar
        ((-8, end), (8, end)),  # foot
    ]


def diamond_segments():
    d = DIAMOND
    points = [(0, -d), (d, 0), (0, d), (-d, 0)]
    return [(points[i], points[(i + 1) % 4]) for i in range(4)]


def segment_distance(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


def rounded_square_distance(px, py, low, high, radius):
    """Signed distance to a rounded square: negative inside."""
    centre = (low + high) / 2
    half = (high - low) / 2 - radius
    qx = abs(px - centre) - half
    qy = abs(py - centre) - half
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - radius


class Artwork:
    """The icon at one size, in pixel coordinates."""

    def __init__(self, size):
        self.size = size
        unit = EMBLEM_REACH * size / DIAMOND  # pixels per emblem unit
        centre = size / 2

        def to_pixels(segment):
            (ax, ay), (bx, by) = segment
            return ((centre + ax * unit, centre + ay * unit), (centre + bx * unit, centre + by * unit))

        self.centre = centre
        self.blade = [to_pixels(s) for s in blade_segments()]
        self.diamond = [to_pixels(s) for s in diamond_segments()]
        self.ring_radius = RING * unit
        # Small sizes drop the ring and draw bolder, so the blade stays legible.
        self.with_ring = size >= 48
        self.blade_width = max(1.4, 0.04 * size + 0.6)
        self.frame_width = max(1.0, 0.024 * size)
        self.tile_low = size / 32
        self.tile_high = size - size / 32
        self.tile_radius = 0.2 * size
        self.border_width = max(1.0, size / 64)

    def colour_at(self, x, y):
        """Colour of the topmost shape at a sample point, or None outside the tile."""
        for a, b in self.blade:
            if segment_distance(x, y, a, b) <= self.blade_width / 2:
                return GOLD
        for a, b in self.diamond:
            if segment_distance(x, y, a, b) <= self.frame_width / 2:
                return GOLD_DIM
        if self.with_ring:
            if abs(math.hypot(x - self.centre, y - self.centre) - self.ring_radius) <= self.frame_width / 2:
                return GOLD_DIM
        edge = rounded_square_distance(x, y, self.tile_low, self.tile_high, self.tile_radius)
        if edge > 0:
            return None
        return SLATE_EDGE if edge > -self.border_width else SLATE

    def needs_supersampling(self, x, y):
        """False where a whole pixel lies inside one shape (its centre is far from every edge)."""
        margin = 0.75  # a little more than half a pixel's diagonal
        edge = rounded_square_distance(x, y, self.tile_low, self.tile_high, self.tile_radius)
        if abs(edge) <= margin or abs(edge + self.border_width) <= margin:
            return True
        if edge > 0:
            return False
        for a, b in self.blade:
            if abs(segment_distance(x, y, a, b) - self.blade_width / 2) <= margin:
                return True
        for a, b in self.diamond:
            if abs(segment_distance(x, y, a, b) - self.frame_width / 2) <= margin:
                return True
        if self.with_ring:
            ring = abs(math.hypot(x - self.centre, y - self.centre) - self.ring_radius)
            if abs(ring - self.frame_width / 2) <= margin:
                return True
        return False


def render(size, grid=8):
    """RGBA rows, top row first, straight (not premultiplied) alpha."""
    art = Artwork(size)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            cx, cy = px + 0.5, py + 0.5
            if not art.needs_supersampling(cx, cy):
                colour = art.colour_at(cx, cy)
                row.append((0, 0, 0, 0) if colour is None else colour + (255,))
                continue
            red = green = blue = covered = 0
            for sy in range(grid):
                for sx in range(grid):
                    colour = art.colour_at(px + (sx + 0.5) / grid, py + (sy + 0.5) / grid)
                    if colour is not None:
                        red += colour[0]
                        green += colour[1]
                        blue += colour[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * covered / (grid * grid))
                row.append((round(red / covered), round(green / covered), round(blue / covered), alpha))
        rows.append(row)
    return rows


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(
        b"IEND", b""
    )


def bmp_bytes(rows):
    """Icon image: BITMAPINFOHEADER with doubled height, BGRA rows bottom-up, then the AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def ico_bytes(images):
    count = len(images)
    directory = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    blobs = []
    for size, blob in images:
        dimension = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return directory + b"".join(blobs)


def preview_sheet(renders, path):
    """All sizes side by side on the window's background, each also enlarged 4x (for looking)."""
    scale = 4
    night = (13, 18, 26)
    width = sum(size * scale + 8 for size, _ in renders) + 8
    height = max(size for size, _ in renders) * scale + 16
    sheet = [[night + (255,) for _ in range(width)] for _ in range(height)]
    x0 = 8
    for size, rows in renders:
        for y in range(size * scale):
            for x in range(size * scale):
                r, g, b, a = rows[y // scale][x // scale]
                k = a / 255
                sheet[8 + y][x0 + x] = (
                    round(r * k + night[0] * (1 - k)),
                    round(g * k + night[1] * (1 - k)),
                    round(b * k + night[2] * (1 - k)),
                    255,
                )
        x0 += size * scale + 8
    with open(path, "wb") as f:
        f.write(png_bytes(sheet))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    output = os.path.join(here, "app.ico")
    preview = None
    args = list(argv)
    while args:
        arg = args.pop(0)
        if arg == "--preview" and args:
            preview = args.pop(0)
        else:
            output = arg
    renders = [(size, render(size)) for size in SIZES]
    images = [(size, png_bytes(rows) if size >= 64 else bmp_bytes(rows)) for size, rows in renders]
    with open(output, "wb") as f:
        f.write(ico_bytes(images))
    if preview:
        preview_sheet(renders, preview)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
