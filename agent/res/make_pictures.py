#!/usr/bin/env python3
"""Draws the agent's pictures and writes them next to this script:

  sorvik.ico   the agent's icon (16, 32 and 48 pixels, with alpha)
  mascot.bmp   the 33 x 33 mascot of the link window and the title window
               (24-bit; magenta (255, 0, 255) is transparent)

The mascot is a round little bird carrying a letter. Shapes are described in
a unit square and rendered with 4 x 4 supersampling. Run it again after
changing a shape; the outputs are committed.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
LAVENDER = (187, 187, 255)   # the colour of the forms the mascot sits on
MAGENTA = (255, 0, 255)


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def ring(cx, cy, rx, ry, width):
    return ellipse(cx, cy, rx + width, ry + width)


def triangle(a, b, c):
    def inside(x, y):
        def side(p, q):
            return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
        s1, s2, s3 = side(a, b), side(b, c), side(c, a)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def segment(p, q, width):
    def inside(x, y):
        dx, dy = q[0] - p[0], q[1] - p[1]
        t = max(0.0, min(1.0, ((x - p[0]) * dx + (y - p[1]) * dy) / (dx * dx + dy * dy)))
        px, py = p[0] + t * dx, p[1] + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


OUTLINE = (96, 58, 34)


def bird(ox=0.0, oy=0.0, k=1.0):
    """The mascot's layers, back to front, placed at (ox, oy) scaled by k."""
    def at(x, y):
        return ox + x * k, oy + y * k
    def E(cx, cy, rx, ry):
        x, y = at(cx, cy)
        return ellipse(x, y, rx * k, ry * k)
    def R(cx, cy, rx, ry, w):
        x, y = at(cx, cy)
        return ring(x, y, rx * k, ry * k, w * k)
    def T(a, b, c):
        return triangle(at(*a), at(*b), at(*c))
    def S(p, q, w):
        return segment(at(*p), at(*q), w * k)
    def Rect(x0, y0, x1, y1):
        a, b = at(x0, y0), at(x1, y1)
        return rect(a[0], a[1], b[0], b[1])
    return [
        # feet
        (E(0.38, 0.93, 0.07, 0.04), (240, 130, 50)),
        (E(0.60, 0.93, 0.07, 0.04), (240, 130, 50)),
        # crest feathers
        (T((0.42, 0.22), (0.47, 0.05), (0.53, 0.22)), OUTLINE),
        (T((0.50, 0.22), (0.58, 0.08), (0.60, 0.24)), OUTLINE),
        # body
        (R(0.50, 0.55, 0.40, 0.37, 0.035), OUTLINE),
        (E(0.50, 0.55, 0.40, 0.37), (255, 204, 92)),
        (E(0.50, 0.68, 0.26, 0.21), (255, 238, 186)),
        # wing
        (E(0.20, 0.62, 0.09, 0.15), (236, 170, 60)),
        # eyes with a glint
        (E(0.38, 0.45, 0.065, 0.075), (40, 30, 30)),
        (E(0.63, 0.45, 0.065, 0.075), (40, 30, 30)),
        (E(0.36, 0.42, 0.022, 0.022), (255, 255, 255)),
        (E(0.61, 0.42, 0.022, 0.022), (255, 255, 255)),
        # cheeks and beak
        (E(0.27, 0.57, 0.055, 0.04), (255, 150, 160)),
        (E(0.75, 0.57, 0.055, 0.04), (255, 150, 160)),
        (T((0.45, 0.53), (0.56, 0.53), (0.505, 0.61)), (240, 118, 40)),
        # the letter it carries
        (Rect(0.52, 0.64, 0.95, 0.93), (82, 82, 150)),
        (Rect(0.545, 0.665, 0.925, 0.905), (255, 255, 255)),
        (S((0.55, 0.67), (0.735, 0.80), 0.04), (82, 82, 150)),
        (S((0.92, 0.67), (0.735, 0.80), 0.04), (82, 82, 150)),
        (E(0.735, 0.80, 0.035, 0.035), (230, 60, 80)),
    ]


def render(size, layers, samples=4):
    """Rows of (r, g, b, coverage) pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = None
                    for inside, c in layers:
                        if inside(x, y):
                            colour = c
                    if colour is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += colour[i]
            n = samples * samples
            if hits:
                row.append((acc[0] / hits, acc[1] / hits, acc[2] / hits, hits / n))
            else:
                row.append((0, 0, 0, 0.0))
        rows.append(row)
    return rows


def write_bmp24(path, rows):
    size = len(rows)
    stride = (size * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def mascot():
    rows = render(33, bird())
    out = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            if a == 0:
                line.append(MAGENTA)
            else:
                # Edges are blended into the forms' lavender, never into the key.
                line.append(tuple(int(round(c * a + bg * (1 - a))) for c, bg in zip((r, g, b), LAVENDER)))
        out.append(line)
    write_bmp24(os.path.join(HERE, "mascot.bmp"), out)


def icon_layers():
    tile = [
        (rounded_rect(0.03, 0.03, 0.97, 0.97, 0.22), (92, 92, 176)),
        (rounded_rect(0.07, 0.07, 0.93, 0.93, 0.19), LAVENDER),
    ]
    return tile + bird(0.09, 0.10, 0.84)


def icon_image(size):
    rows = render(size, icon_layers(), samples=6 if size <= 16 else 4)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = 0
        line = bytearray()
        for i, (r, g, b, a) in enumerate(row):
            alpha = int(round(a * 255))
            pixels += bytes((int(round(b)), int(round(g)), int(round(r)), alpha))
            if alpha == 0:
                bits |= 1 << (size - 1 - i)
        for j in range((size + 7) // 8):
            line.append((bits >> (size - 8 * (j + 1))) & 0xFF if size >= 8 * (j + 1) else 0)
        line += b"\0" * (mask_stride - len(line))
        mask += line
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + pixels + mask


def write_ico(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    mascot()
    write_ico(os.path.join(HERE, "sorvik.ico"), [16, 32, 48])
