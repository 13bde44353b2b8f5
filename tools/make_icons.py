#!/usr/bin/env python3
"""Draws the icons of the dialog programs and writes them as .ico files.

The artwork is made from simple shapes, supersampled and then reduced to the
formats the resource files need. Run it from anywhere; it writes into
reqcheck/res and applet/res. The generated files are committed, so the build
needs no Python.

    python3 tools/make_icons.py
"""
import math
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
REQCHECK_RES = os.path.join(ROOT, "reqcheck", "res")
APPLET_RES = os.path.join(ROOT, "applet", "res")
SAMPLES = 4  # per axis, per pixel

# The 16 colours of the standard VGA palette.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# 256 colours: the VGA colours, a 6x6x6 cube, then greys.
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
GREYS = [(v, v, v) for v in range(8, 248, 240 // 24)][: 256 - 16 - 216]
PALETTE_256 = VGA + CUBE + GREYS
PALETTE_256 += [(0, 0, 0)] * (256 - len(PALETTE_256))


# --- geometry --------------------------------------------------------------

def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline_dist(px, py, points):
    return min(seg_dist(px, py, *points[i], *points[i + 1]) for i in range(len(points) - 1))


def inside_polygon(px, py, points):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def polygon_edge_dist(px, py, points):
    return polyline_dist(px, py, points + [points[0]])


# --- the four pictures: colour (r, g, b, a) at a point of the unit square ---

def tick(x, y):
    if polyline_dist(x, y, [(0.16, 0.55), (0.4, 0.8), (0.86, 0.22)]) < 0.09:
        return (0, 150, 0, 255)
    return None


def cross(x, y):
    d = min(seg_dist(x, y, 0.2, 0.2, 0.8, 0.8), seg_dist(x, y, 0.8, 0.2, 0.2, 0.8))
    if d < 0.1:
        return (140, 0, 0, 255)
    return None


TRIANGLE = [(0.5, 0.06), (0.96, 0.9), (0.04, 0.9)]


def warning(x, y):
    if not inside_polygon(x, y, TRIANGLE):
        return None
    if polygon_edge_dist(x, y, TRIANGLE) < 0.05:
        return (0, 0, 0, 255)
    if seg_dist(x, y, 0.5, 0.32, 0.5, 0.6) < 0.055 or math.hypot(x - 0.5, y - 0.75) < 0.06:
        return (0, 0, 0, 255)
    return (255, 220, 0, 255)


TAG = [(0.28, 0.1), (0.9, 0.1), (0.9, 0.78), (0.28, 0.78), (0.06, 0.44)]


def question_mark(x, y, cx, cy, r):
    # Arc of the hook, the stem below it and the dot, in a badge of radius r.
    u, v = (x - cx) / r, (y - cy) / r
    arc_r = 0.36
    angle = math.atan2(v + 0.2, u)
    ring = abs(math.hypot(u, v + 0.2) - arc_r) < 0.13
    if ring and -2.9 < angle < 1.5:  # open at the lower left, where the stem starts
        return True
    if seg_dist(u, v, 0.0, 0.16, 0.0, 0.36) < 0.12:
        return True
    return math.hypot(u, v - 0.62) < 0.13


def luggage_tag(x, y):
    cx, cy, r = 0.66, 0.66, 0.31
    if math.hypot(x - cx, y - cy) < r:
        if math.hypot(x - cx, y - cy) > r - 0.04:
            return (0, 90, 30, 255)
        return (255, 255, 255, 255) if question_mark(x, y, cx, cy, r) else (0, 160, 60, 255)
    if math.hypot(x - 0.24, y - 0.44) < 0.055:  # the tag's eyelet
        return None
    if inside_polygon(x, y, TAG):
        if polygon_edge_dist(x, y, TAG) < 0.04 or math.hypot(x - 0.24, y - 0.44) < 0.085:
            return (110, 70, 20, 255)
        return (225, 185, 120, 255)
    if seg_dist(x, y, 0.02, 0.2, 0.2, 0.44) < 0.02:  # the string
        return (110, 70, 20, 255)
    return None


def config_tag(x, y):
    """A pale luggage tag with an orange band, under a small grey panel of
    two option rows: a blue option button and a line each."""
    panel = (0.36, 0.44, 0.96, 0.94)
    if panel[0] <= x <= panel[2] and panel[1] <= y <= panel[3]:
        if (x - panel[0] < 0.035 or panel[2] - x < 0.035 or y - panel[1] < 0.035
                or panel[3] - y < 0.035):
            return (90, 90, 90, 255)
        for row_y in (0.59, 0.8):
            if math.hypot(x - 0.48, y - row_y) < 0.07:
                return (20, 70, 200, 255) if math.hypot(x - 0.48, y - row_y) < 0.05 else (
                    255, 255, 255, 255)
            if 0.6 <= x <= 0.88 and abs(y - row_y) < 0.025:
                return (60, 60, 60, 255)
        return (200, 200, 200, 255)
    if math.hypot(x - 0.24, y - 0.44) < 0.055:  # the tag's eyelet
        return None
    if inside_polygon(x, y, TAG):
        if polygon_edge_dist(x, y, TAG) < 0.04 or math.hypot(x - 0.24, y - 0.44) < 0.085:
            return (150, 120, 70, 255)
        if 0.42 <= x <= 0.54:
            return (245, 140, 20, 255)  # the orange band
        return (250, 240, 210, 255)
    if seg_dist(x, y, 0.02, 0.2, 0.2, 0.44) < 0.02:  # the string
        return (150, 120, 70, 255)
    return None


# --- rendering and formats -------------------------------------------------

def render(draw, size):
    """Supersampled RGBA rows, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = draw((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        for i in range(3):
                            acc[i] += c[i] * c[3]
                        acc[3] += c[3]
            n = SAMPLES * SAMPLES
            a = acc[3] / n
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3)) + (round(a),))
        rows.append(row)
    return rows


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - rgb[k]) ** 2 for k in range(3)))


def row_bytes(bits, width):
    return (bits * width + 31) // 32 * 4


def image_data(rows, bits):
    """The image as stored in an .ico file: header, palette, XOR and AND rows."""
    size = len(rows)
    palette = {4: VGA, 8: PALETTE_256}.get(bits, [])
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    xor = b""
    mask = b""
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        mask_bits = 0
        mask_line = bytearray()
        for x, (r, g, b, a) in enumerate(row):
            transparent = a < 128 if bits != 32 else a == 0
            if bits == 32:
                line += bytes((b, g, r, a))
            else:
                index = 0 if transparent else nearest(palette, (r, g, b))
                if bits == 8:
                    line.append(index)
                elif x % 2 == 0:
                    line.append(index << 4)
                else:
                    line[-1] |= index
            mask_bits = (mask_bits << 1) | (1 if transparent else 0)
            if x % 8 == 7:
                mask_line.append(mask_bits)
                mask_bits = 0
        if size % 8:
            mask_line.append(mask_bits << (8 - size % 8))
        line += bytes(row_bytes(bits, size) - len(line))
        mask_line += bytes(row_bytes(1, size) - len(mask_line))
        xor += bytes(line)
        mask += bytes(mask_line)
    return header + table + xor + mask


def write_ico(path, images):
    """images: list of (size, bits, data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colours = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data),
                           offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def application_icon(draw):
    """48, 32 and 16 pixels in 16 colours, 256 colours and 32-bit colour."""
    images = []
    for bits in (4, 8, 32):
        for size in (48, 32, 16):
            images.append((size, bits, image_data(render(draw, size), bits)))
    return images


def main():
    os.makedirs(REQCHECK_RES, exist_ok=True)
    os.makedirs(APPLET_RES, exist_ok=True)
    for name, draw in (("passed", tick), ("failed", cross), ("warning", warning)):
        rows = render(draw, 32)
        write_ico(os.path.join(REQCHECK_RES, name + ".ico"), [(32, 4, image_data(rows, 4))])
    write_ico(os.path.join(REQCHECK_RES, "huereq.ico"), application_icon(luggage_tag))
    write_ico(os.path.join(APPLET_RES, "huecfg.ico"), application_icon(config_tag))


if __name__ == "__main__":
    main()
