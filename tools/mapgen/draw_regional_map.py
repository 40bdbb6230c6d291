#!/usr/bin/env python3
"""Draws the console's default site map, data/TEVH.bmp: a plain regional
sketch (sea, a coast with a bay and islands, land shaded by height, rivers
running to the sea, lakes, a grid) made from smooth functions and a fixed
seed, so it is the same on every run. Written as an 8-bit palette bitmap,
run-length encoded (RLE8), which keeps it small.

    tools/mapgen/draw_regional_map.py [output.bmp]
"""
import math
import random
import struct
import sys

WIDTH, HEIGHT = 800, 600
GRID = 100  # pixels between grid lines

PALETTE = [
    (62, 112, 164),   # 0 open sea
    (104, 154, 196),  # 1 shallow sea
    (214, 226, 176),  # 2 lowland
    (192, 208, 150),  # 3 plain
    (176, 180, 128),  # 4 upland
    (160, 146, 110),  # 5 hills
    (58, 78, 62),     # 6 coast line
    (70, 130, 196),   # 7 river and lake
    (128, 128, 128),  # 8 grid on land
    (150, 186, 214),  # 9 grid at sea
    (48, 48, 48),     # 10 frame
    (236, 232, 206),  # 11 beach
]
SEA, SHALLOW, LOW, PLAIN, UPLAND, HILLS, COAST, WATER, GRID_LAND, GRID_SEA, FRAME, BEACH = range(12)


def noise_field(seed, cell, octaves):
    """Smooth value noise: random heights on a lattice, eased between, summed
    over octaves of halving cell size; about -1 to 1."""
    rnd = random.Random(seed)
    layers = []
    for o in range(octaves):
        size = cell / 2 ** o
        cols, rows = int(WIDTH / size) + 2, int(HEIGHT / size) + 2
        grid = [[rnd.uniform(-1, 1) for _ in range(cols)] for _ in range(rows)]
        layers.append((size, grid, 0.5 ** o))
    total = sum(w for _, _, w in layers)

    def ease(t):
        return t * t * (3 - 2 * t)

    def at(x, y):
        v = 0.0
        for size, grid, weight in layers:
            gx, gy = x / size, y / size
            ix, iy = int(gx), int(gy)
            fx, fy = ease(gx - ix), ease(gy - iy)
            top = grid[iy][ix] + (grid[iy][ix + 1] - grid[iy][ix]) * fx
            bottom = grid[iy + 1][ix] + (grid[iy + 1][ix + 1] - grid[iy + 1][ix]) * fx
            v += weight * (top + (bottom - top) * fy)
        return v / total
    return at


def land_height(x, y, coast_noise):
    # A mainland in the south west, a peninsula reaching north east, islands.
    h = 1.1 - math.hypot((x - 170) / 600, (y - 560) / 500)
    h += 0.55 * math.exp(-(((x - 470) / 90) ** 2 + ((y - 250) / 210) ** 2))
    h -= 0.75 * math.exp(-(((x - 330) / 80) ** 2 + ((y - 300) / 60) ** 2))  # the bay
    for cx, cy, r in ((650, 110, 46), (718, 190, 30), (640, 430, 36), (110, 90, 34), (560, 60, 20)):
        h += 0.62 * math.exp(-(math.hypot(x - cx, y - cy) / r) ** 2)
    return h + 0.34 * coast_noise(x, y)


def draw():
    coast_noise = noise_field(7, 160, 5)
    relief = noise_field(23, 120, 3)
    height = [[land_height(x, y, coast_noise) for x in range(WIDTH)] for y in range(HEIGHT)]
    img = [[SEA] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            h = height[y][x]
            if h < 0.5:
                img[y][x] = SHALLOW if h > 0.42 else SEA
                continue
            r = h + 0.3 * relief(x, y)
            img[y][x] = (BEACH if h < 0.515 else LOW if r < 0.68 else PLAIN if r < 0.86
                         else UPLAND if r < 1.02 else HILLS)
    # The coast line: land next to sea.
    coast = []
    for y in range(1, HEIGHT - 1):
        for x in range(1, WIDTH - 1):
            if height[y][x] >= 0.5 and min(height[y + dy][x + dx] for dx, dy in
                                           ((1, 0), (-1, 0), (0, 1), (0, -1))) < 0.5:
                coast.append((x, y))
    for x, y in coast:
        img[y][x] = COAST

    def dot(x, y, r, colour, on_land_only=False):
        for yy in range(int(y - r), int(y + r) + 1):
            for xx in range(int(x - r), int(x + r) + 1):
                if 0 <= xx < WIDTH and 0 <= yy < HEIGHT and (xx - x) ** 2 + (yy - y) ** 2 <= r * r:
                    if not on_land_only or height[yy][xx] >= 0.5:
                        img[yy][xx] = colour

    # Rivers: from a spring, always a little downhill and wandering, to the sea.
    rnd = random.Random(5)
    for sx, sy in ((150, 470), (240, 560), (330, 430), (440, 260), (60, 520), (300, 330), (520, 380)):
        x, y, heading = float(sx), float(sy), None
        for step in range(900):
            if not (0 <= x < WIDTH and 0 <= y < HEIGHT) or height[int(y)][int(x)] < 0.5:
                break
            gx = height[int(y)][min(int(x) + 2, WIDTH - 1)] - height[int(y)][max(int(x) - 2, 0)]
            gy = height[min(int(y) + 2, HEIGHT - 1)][int(x)] - height[max(int(y) - 2, 0)][int(x)]
            downhill = math.atan2(-gy, -gx)
            heading = downhill if heading is None else heading + 0.25 * math.sin(downhill - heading)
            heading += rnd.uniform(-0.35, 0.35)
            dot(x, y, 1.0 + min(step, 300) / 300, WATER, on_land_only=True)
            x += math.cos(heading)
            y += math.sin(heading)
    for cx, cy, rx, ry in ((200, 400, 22, 12), (380, 500, 14, 9)):
        for yy in range(cy - ry, cy + ry + 1):
            for xx in range(cx - rx, cx + rx + 1):
                if ((xx - cx) / rx) ** 2 + ((yy - cy) / ry) ** 2 <= 1:
                    img[yy][xx] = WATER
    # The grid, dashed, over everything.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if (x % GRID == 0 and y % 8 < 5) or (y % GRID == 0 and x % 8 < 5):
                img[y][x] = GRID_SEA if img[y][x] in (SEA, SHALLOW) else GRID_LAND
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if x < 2 or y < 2 or x >= WIDTH - 2 or y >= HEIGHT - 2:
                img[y][x] = FRAME
    return img


def rle8_row(row):
    out = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 255 and row[i + run] == row[i]:
            run += 1
        out += bytes((run, row[i]))
        i += run
    return out + b"\x00\x00"  # end of line


def write_bmp(path, img):
    pixels = bytearray()
    for row in reversed(img):  # bottom-up
        pixels += rle8_row(row)
    pixels += b"\x00\x01"  # end of bitmap
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    palette += b"\x00" * (4 * 256 - len(palette))
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, len(pixels), 2835, 2835, 256, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


if __name__ == "__main__":
    write_bmp(sys.argv[1] if len(sys.argv) > 1 else "data/TEVH.bmp", draw())
