#!/usr/bin/env python3
"""Draws Korvessa's pictures into resources/pictures/: the application icon (Korvessa.ico),
the list images (DeviceOk.bmp, DeviceProblem.bmp) and the banner (Banner.bmp).

Python 3 standard library only. Shapes are signed distance fields, so every edge is
antialiased analytically; the outputs are committed and the build never runs this script.
    python3 resources/draw_pictures.py
"""
import math
import os
import re
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "pictures")


def site_address():
    """The product page the banner opens, as install/WebPages.h spells it."""
    with open(os.path.join(HERE, "..", "install", "WebPages.h")) as header:
        return re.search(r'#define KORVESSA_WEB_SITE "([^"]+)"', header.read()).group(1)


# ---- Colours -------------------------------------------------------------------------------

def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def vertical_gradient(top_y, bottom_y, top, bottom):
    def paint(x, y):
        t = min(max((y - top_y) / (bottom_y - top_y), 0.0), 1.0)
        return mix(top, bottom, t)
    return paint


def solid(colour):
    return lambda x, y: colour


# ---- Shapes: signed distance (negative inside) and a bounding box --------------------------

class Shape:
    def __init__(self, distance, box):
        self.distance = distance
        self.box = box  # (x0, y0, x1, y1)


def disc(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2,
                 (cx - r - width, cy - r - width, cx + r + width, cy + r + width))


def rounded_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return Shape(distance, (x0, y0, x1, y1))


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else min(max(((x - ax) * dx + (y - ay) * dy) / length2, 0.0), 1.0)
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def strokes(polylines, width):
    """Polylines drawn with a round pen of the given width."""
    segments = []
    for line in polylines:
        if len(line) == 1:
            segments.append((line[0][0], line[0][1], line[0][0], line[0][1]))
        for (ax, ay), (bx, by) in zip(line, line[1:]):
            segments.append((ax, ay, bx, by))
    xs = [p[0] for line in polylines for p in line]
    ys = [p[1] for line in polylines for p in line]
    half = width / 2

    def distance(x, y):
        return min(segment_distance(x, y, *s) for s in segments) - half
    return Shape(distance, (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half))


def polygon(points):
    edges = list(zip(points, points[1:] + points[:1]))

    def distance(x, y):
        nearest = min(segment_distance(x, y, ax, ay, bx, by) for (ax, ay), (bx, by) in edges)
        inside = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -nearest if inside else nearest
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(distance, (min(xs), min(ys), max(xs), max(ys)))


def arc(cx, cy, rx, ry, start, end, steps=None):
    """Points of an elliptic arc, angles in degrees, y growing downwards, counter-clockwise
    as seen on the screen for end > start."""
    if steps is None:
        steps = max(8, int(abs(end - start) / 6))
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy - ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


# ---- Canvas --------------------------------------------------------------------------------

class Canvas:
    """Straight RGB colour plus coverage (alpha) per pixel, floats from 0 to 1."""

    def __init__(self, width, height, ground=None):
        self.width, self.height = width, height
        colour = ground if ground is not None else (0.0, 0.0, 0.0)
        alpha = 1.0 if ground is not None else 0.0
        self.rgb = [[colour] * width for _ in range(height)]
        self.alpha = [[alpha] * width for _ in range(height)]

    def fill(self, shape, paint, opacity=1.0):
        x0, y0, x1, y1 = shape.box
        for py in range(max(0, int(y0) - 1), min(self.height, int(math.ceil(y1)) + 1)):
            row_rgb, row_alpha = self.rgb[py], self.alpha[py]
            for px in range(max(0, int(x0) - 1), min(self.width, int(math.ceil(x1)) + 1)):
                x, y = px + 0.5, py + 0.5
                coverage = min(max(0.5 - shape.distance(x, y), 0.0), 1.0) * opacity
                if coverage <= 0.0:
                    continue
                colour = paint(x, y)
                below = row_alpha[px]
                alpha = coverage + below * (1.0 - coverage)
                row_rgb[px] = tuple((c * coverage + b * below * (1.0 - coverage)) / alpha
                                    for c, b in zip(colour, row_rgb[px]))
                row_alpha[px] = alpha

    def bytes_rgb(self, row):
        return [tuple(int(round(c * 255)) for c in rgb) for rgb in self.rgb[row]]

    def pixel(self, px, py):
        """8-bit red, green, blue, alpha."""
        r, g, b = (int(round(c * 255)) for c in self.rgb[py][px])
        return r, g, b, int(round(self.alpha[py][px] * 255))


# ---- File formats --------------------------------------------------------------------------

def padded(row):
    return row + b"\0" * (-len(row) % 4)


def bmp_24(canvas):
    """An uncompressed bottom-up 24-bit BMP file of an opaque canvas."""
    rows = b"".join(padded(bytes(c for r, g, b, _ in (canvas.pixel(x, y)
                                                      for x in range(canvas.width))
                                 for c in (b, g, r)))
                    for y in reversed(range(canvas.height)))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(rows),
                       2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return head + info + rows


def png_rgba(canvas):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(c for x in range(canvas.width) for c in canvas.pixel(x, y))
                   for y in range(canvas.height))
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def median_cut(colours, count):
    """Up to `count` palette colours for a list of (r, g, b) byte triples."""
    boxes = [colours]
    while len(boxes) < count:
        spans = [max(max(c[i] for c in box) - min(c[i] for c in box) for i in range(3))
                 if len(set(box)) > 1 else -1 for box in boxes]
        widest = max(range(len(boxes)), key=lambda i: (spans[i], len(boxes[i])))
        if spans[widest] <= 0:
            break
        box = boxes.pop(widest)
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(sum(c[i] for c in box) // len(box) for i in range(3)) for box in boxes]


def icon_image(canvas, bits):
    """One icon image: BITMAPINFOHEADER, palette for 8 bits, colour rows and the AND mask.
    Below 32 bits transparency is the mask alone, so coverage is cut at one half."""
    size = canvas.width
    pixels = [[canvas.pixel(x, y) for x in range(size)] for y in range(size)]
    opaque = [[p[3] >= 128 for p in row] for row in pixels]
    palette = b""
    if bits == 32:
        rows = [bytes(c for r, g, b, a in row for c in (b, g, r, a)) for row in pixels]
    elif bits == 24:
        rows = [bytes(c for (r, g, b, a), keep in zip(row, keep_row)
                      for c in ((b, g, r) if keep else (0, 0, 0)))
                for row, keep_row in zip(pixels, opaque)]
    else:
        shown = [p[:3] for row, keep_row in zip(pixels, opaque)
                 for p, keep in zip(row, keep_row) if keep]
        colours = [(0, 0, 0)] + median_cut(shown, 255)  # index 0: black under the mask
        colours += [(0, 0, 0)] * (256 - len(colours))
        nearest = {}

        def index(p):
            if p not in nearest:
                nearest[p] = min(range(1, 256), key=lambda i: sum(
                    (a - b) ** 2 for a, b in zip(p, colours[i])))
            return nearest[p]
        rows = [bytes(index(p[:3]) if keep else 0 for p, keep in zip(row, keep_row))
                for row, keep_row in zip(pixels, opaque)]
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    mask_rows = []
    for keep_row in opaque:
        bits_row = bytearray((size + 7) // 8)
        for x, keep in enumerate(keep_row):
            if not keep:
                bits_row[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(bits_row))
    colour_data = b"".join(padded(r) for r in reversed(rows))
    mask_data = b"".join(padded(r) for r in reversed(mask_rows))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                       len(colour_data) + len(mask_data), 0, 0, 256 if bits == 8 else 0, 0)
    return info + palette + colour_data + mask_data


def ico(images):
    """An ICO file of (size, bits, data) in the given order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bits, data in images:
        side = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    return directory + body


# ---- The pictures --------------------------------------------------------------------------

WHITE = (1.0, 1.0, 1.0)
MARK_WHITE = (254 / 255.0,) * 3  # white to the eye, but not the image list's mask colour


def status_disc(top, bottom, rim):
    """A 24 x 24 disc with a soft top-to-bottom shade, on a pure white ground."""
    canvas = Canvas(24, 24, WHITE)
    canvas.fill(disc(12, 12, 10.6), solid(rim))
    canvas.fill(disc(12, 12, 9.6), vertical_gradient(2.5, 21.5, top, bottom))
    return canvas


def device_ok():
    canvas = status_disc(hex_colour("6ACF5E"), hex_colour("2E9E3C"), hex_colour("23802F"))
    canvas.fill(strokes([[(7.4, 12.4), (10.6, 15.6), (16.8, 8.8)]], 2.7), solid(MARK_WHITE))
    return canvas


def device_problem():
    canvas = status_disc(hex_colour("FFC93A"), hex_colour("E89A00"), hex_colour("C27C00"))
    canvas.fill(polygon([(10.6, 5.6), (13.4, 5.6), (12.7, 14.2), (11.3, 14.2)]),
                solid(MARK_WHITE))
    canvas.fill(rounded_rect(10.6, 5.2, 13.4, 7.0, 1.2), solid(MARK_WHITE))
    canvas.fill(disc(12, 17.4, 1.55), solid(MARK_WHITE))
    return canvas


TILE_TOP, TILE_BOTTOM = hex_colour("3A8EEA"), hex_colour("1553B6")
TILE_EDGE = hex_colour("0F3F8C")


def emblem(canvas, left, top, size, badge):
    """Korvessa's emblem: a blue tile with a white USB plug, and at larger sizes a green
    badge with a check mark for the installed driver."""
    def at(u, v):
        return left + u * size, top + v * size
    inset = 0.04 if size >= 32 else 0.0
    x0, y0 = at(inset, inset)
    x1, y1 = at(1 - inset, 1 - inset)
    radius = size * 0.2
    canvas.fill(rounded_rect(x0, y0, x1, y1, radius), solid(TILE_EDGE))
    edge = max(1.0, size / 48)
    canvas.fill(rounded_rect(x0 + edge, y0 + edge, x1 - edge, y1 - edge, radius - edge),
                vertical_gradient(y0, y1, TILE_TOP, TILE_BOTTOM))
    # A soft light on the upper half of the tile.
    canvas.fill(rounded_rect(x0 + edge, y0 + edge, x1 - edge, (y0 + y1) / 2, radius - edge),
                solid(WHITE), 0.08)

    plug = MARK_WHITE
    canvas.fill(rounded_rect(*at(0.29, 0.17), *at(0.71, 0.47), size * 0.05), solid(plug))
    hole = mix(TILE_TOP, TILE_BOTTOM, 0.35)
    canvas.fill(rounded_rect(*at(0.38, 0.25), *at(0.46, 0.34), size * 0.012), solid(hole))
    canvas.fill(rounded_rect(*at(0.54, 0.25), *at(0.62, 0.34), size * 0.012), solid(hole))
    canvas.fill(polygon([at(0.34, 0.46), at(0.66, 0.46), at(0.60, 0.62), at(0.40, 0.62)]),
                solid(plug))
    canvas.fill(strokes([[at(0.5, 0.6), at(0.5, 0.86)]], size * 0.11), solid(plug))

    if badge:
        cx, cy = at(0.74, 0.74)
        r = size * 0.21
        canvas.fill(disc(cx, cy, r + size * 0.035), solid(WHITE))
        canvas.fill(disc(cx, cy, r), vertical_gradient(cy - r, cy + r, hex_colour("6ACF5E"),
                                                       hex_colour("2A9438")))
        canvas.fill(strokes([[(cx - r * 0.45, cy + r * 0.02), (cx - r * 0.12, cy + r * 0.36),
                              (cx + r * 0.48, cy - r * 0.34)]], r * 0.28), solid(MARK_WHITE))


ICON_IMAGES = [(48, 8), (32, 8), (24, 8), (16, 8), (48, 24), (32, 24), (24, 24), (16, 24),
               (256, 32), (128, 32), (64, 32), (48, 32), (32, 32), (24, 32), (16, 32)]


def icon_canvas(size):
    canvas = Canvas(size, size)
    emblem(canvas, 0, 0, size, badge=size >= 32)
    return canvas


def application_icon():
    canvases = {}
    images = []
    for size, bits in ICON_IMAGES:
        if size not in canvases:
            canvases[size] = icon_canvas(size)
        canvas = canvases[size]
        data = png_rgba(canvas) if size == 256 else icon_image(canvas, bits)
        images.append((size, bits, data))
    return ico(images)


BANNER_WIDTH, BANNER_HEIGHT = 900, 200


def banner():
    canvas = Canvas(BANNER_WIDTH, BANNER_HEIGHT, hex_colour("0E3C8A"))
    canvas.fill(rounded_rect(0, 0, BANNER_WIDTH, BANNER_HEIGHT, 0.01),
                vertical_gradient(0, BANNER_HEIGHT, hex_colour("1F6FD0"), hex_colour("0C3A87")))
    emblem(canvas, 44, 36, 128, badge=True)
    return canvas


def main():
    os.makedirs(OUT, exist_ok=True)
    outputs = {
        "DeviceOk.bmp": bmp_24(device_ok()),
        "DeviceProblem.bmp": bmp_24(device_problem()),
        "Korvessa.ico": application_icon(),
        "Banner.bmp": bmp_24(banner()),
    }
    for name, data in outputs.items():
        with open(os.path.join(OUT, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
