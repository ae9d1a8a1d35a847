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


def rounded_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return Shape(distance, (x0, y0, x1, y1))


def union(*shapes):
    """Shapes filled as one, so that overlaps of a translucent fill do not show."""
    box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
           max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))
    return Shape(lambda x, y: min(s.distance(x, y) for s in shapes), box)


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


def arc(cx, cy, rx, ry, start, end):
    """Points of an elliptic arc, angles in degrees, y growing downwards, counter-clockwise
    as seen on the screen for end > start."""
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
    # Edge pixels that are white but for a trace become ground, so that a highlighted list
    # row shows no pale ring around the disc.
    for row in canvas.rgb:
        for x, colour in enumerate(row):
            if min(colour) > 0.96:
                row[x] = WHITE
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
    """Korvessa's emblem: a white phone on a blue tile, and at larger sizes a green badge
    with a check mark for the installed driver."""
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

    small = size < 32
    body = (0.27, 0.10, 0.73, 0.90) if small else (0.29, 0.12, 0.71, 0.88)
    canvas.fill(rounded_rect(*at(*body[:2]), *at(*body[2:]), size * 0.09), solid(MARK_WHITE))
    screen = (body[0] + 0.06, body[1] + 0.11, body[2] - 0.06, body[3] - 0.13)
    canvas.fill(rounded_rect(*at(*screen[:2]), *at(*screen[2:]), size * 0.015),
                vertical_gradient(at(0, screen[1])[1], at(0, screen[3])[1],
                                  hex_colour("2C6FCF"), hex_colour("17489A")))
    if not small:
        canvas.fill(strokes([[at(0.46, body[1] + 0.055), at(0.54, body[1] + 0.055)]],
                            size * 0.025), solid(hex_colour("9DB3CF")))
        canvas.fill(disc(*at(0.5, body[3] - 0.065), size * 0.032), solid(hex_colour("9DB3CF")))

    if badge:
        cx, cy = at(0.73, 0.73)
        r = size * 0.2
        canvas.fill(disc(cx, cy, r + size * 0.04), solid(WHITE))
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


# ---- A geometric stroke font ---------------------------------------------------------------
# Glyphs are pen strokes in font units: baseline 0, x-height 5, capitals 7, ascenders 7.5,
# descenders -2.5, y growing upwards. Each entry: (advance, [polyline, ...]).

def font_arc(cx, cy, rx, ry, start, end):
    """An arc in font units (y up), angles counter-clockwise from the right."""
    return [(x, 2 * cy - y) for x, y in arc(cx, cy, rx, ry, start, end)]


BOWL = font_arc(2.5, 2.5, 2.5, 2.5, 0, 360)
ARCH = font_arc(2.5, 2.5, 2.5, 2.5, 180, 0)

GLYPHS = {
    " ": (2.4, []),
    ".": (0.0, [[(0, 0)]]),
    ":": (0.0, [[(0, 0)], [(0, 4.2)]]),
    "/": (3.2, [[(0, -1), (3.2, 7.5)]]),
    "a": (5.0, [BOWL, [(5, 5), (5, 0)]]),
    "b": (5.0, [BOWL, [(0, 7.5), (0, 0)]]),
    "c": (4.7, [font_arc(2.5, 2.5, 2.5, 2.5, 48, 312)]),
    "d": (5.0, [BOWL, [(5, 7.5), (5, 0)]]),
    "e": (5.0, [[(0.05, 2.5), (5, 2.5)] + font_arc(2.5, 2.5, 2.5, 2.5, 0, 312)]),
    "f": (2.8, [[(0.9, 0)] + font_arc(2.6, 6.0, 1.7, 1.5, 180, 55), [(0, 5), (2.7, 5)]]),
    "h": (5.0, [[(0, 7.5), (0, 0)], ARCH + [(5, 0)]]),
    "i": (0.0, [[(0, 0), (0, 5)], [(0, 6.9)]]),
    "k": (4.3, [[(0, 7.5), (0, 0)], [(4.1, 5), (0, 1.7)], [(1.5, 2.9), (4.3, 0)]]),
    "l": (0.0, [[(0, 7.5), (0, 0)]]),
    "m": (8.0, [[(0, 5), (0, 0)], font_arc(2, 2.6, 2, 2.4, 180, 0) + [(4, 0)],
                font_arc(6, 2.6, 2, 2.4, 180, 0) + [(8, 0)]]),
    "n": (5.0, [[(0, 5), (0, 0)], ARCH + [(5, 0)]]),
    "o": (5.0, [BOWL]),
    "p": (5.0, [BOWL, [(0, 5), (0, -2.5)]]),
    "r": (3.3, [[(0, 5), (0, 0)], font_arc(2.7, 2.3, 2.7, 2.7, 180, 78)]),
    "s": (4.0, [font_arc(2.0, 3.75, 1.95, 1.25, 35, 270) + font_arc(2.0, 1.25, 2.05, 1.25, 90, -145)]),
    "t": (2.7, [[(0.9, 7), (0.9, 1.2)] + font_arc(2.1, 1.2, 1.2, 1.2, 180, 300), [(0, 5), (2.6, 5)]]),
    "u": (5.0, [[(0, 5)] + font_arc(2.5, 2.5, 2.5, 2.5, 180, 360), [(5, 5), (5, 0)]]),
    "v": (4.6, [[(0, 5), (2.3, 0), (4.6, 5)]]),
    "w": (7.2, [[(0, 5), (1.8, 0), (3.6, 5), (5.4, 0), (7.2, 5)]]),
    "y": (4.8, [[(0, 5), (2.4, 0)], [(4.8, 5), (1.3, -2.5)]]),
    "A": (5.8, [[(0, 0), (2.9, 7), (5.8, 0)], [(1.1, 2.4), (4.7, 2.4)]]),
    "B": (4.6, [[(0, 3.6), (2.5, 3.6)] + font_arc(2.5, 5.3, 1.75, 1.7, -90, 90) + [(0, 7), (0, 0)]
                + font_arc(2.8, 1.8, 1.8, 1.8, -90, 90) + [(2.5, 3.6)]]),
    "D": (5.6, [[(0, 0), (0, 7), (2.1, 7)] + font_arc(2.1, 3.5, 3.5, 3.5, 90, -90) + [(0, 0)]]),
    "K": (4.9, [[(0, 7), (0, 0)], [(4.7, 7), (0, 2.5)], [(1.7, 4.2), (4.9, 0)]]),
    "U": (5.4, [[(0, 7), (0, 2.7)] + font_arc(2.7, 2.7, 2.7, 2.7, 180, 360) + [(5.4, 7)]]),
    "W": (8.6, [[(0, 7), (2.15, 0), (4.3, 7), (6.45, 0), (8.6, 7)]]),
}


def text_width(text, unit, pen, spacing=None):
    if spacing is None:
        spacing = unit * 1.1
    return sum(GLYPHS[c][0] * unit + pen + spacing for c in text) - spacing


def draw_text(canvas, text, left, baseline, unit, pen, colour, spacing=None):
    """Draws text whose x-height is 5 units of `unit` pixels with a round pen of `pen`
    pixels, letters `spacing` pixels apart."""
    if spacing is None:
        spacing = unit * 1.1
    x = left + pen / 2
    for c in text:
        advance, lines = GLYPHS[c]
        if lines:
            placed = [[(x + u * unit, baseline - v * unit) for u, v in line] for line in lines]
            canvas.fill(strokes(placed, pen), solid(colour))
        x += advance * unit + pen + spacing


# ---- The banner ----------------------------------------------------------------------------

BANNER_WIDTH, BANNER_HEIGHT = 900, 200


def usb_symbol(left, middle, length):
    """The USB trident, lying with its arrow to the right."""
    u = length / 100.0
    pen = 4.5 * u
    right = left + length
    return union(
        disc(left + 6 * u, middle, 7.5 * u),
        strokes([[(left + 10 * u, middle), (right - 16 * u, middle)]], pen),
        polygon([(right - 18 * u, middle - 9 * u), (right, middle),
                 (right - 18 * u, middle + 9 * u)]),
        strokes([[(left + 28 * u, middle), (left + 44 * u, middle - 18 * u),
                  (left + 62 * u, middle - 18 * u)]], pen),
        disc(left + 66 * u, middle - 18 * u, 5.5 * u),
        strokes([[(left + 42 * u, middle), (left + 56 * u, middle + 18 * u),
                  (left + 70 * u, middle + 18 * u)]], pen),
        rounded_rect(left + 68 * u, middle + 12.5 * u, left + 79 * u, middle + 23.5 * u, u))


def banner():
    width, height = BANNER_WIDTH, BANNER_HEIGHT
    canvas = Canvas(width, height, hex_colour("0E3C8A"))
    canvas.fill(rounded_rect(-1, -1, width + 1, height + 1, 0.5),
                vertical_gradient(0, height, hex_colour("2373D6"), hex_colour("0B3680")))
    # Large faint shapes give the ground some depth on the right.
    canvas.fill(disc(800, -60, 240), solid(WHITE), 0.05)
    canvas.fill(disc(910, 250, 180), solid(WHITE), 0.04)
    canvas.fill(usb_symbol(655, 96, 205), solid(WHITE), 0.10)
    canvas.fill(rounded_rect(-1, height - 4, width + 1, height + 1, 0.5),
                solid(hex_colour("5CC452")))

    emblem(canvas, 46, 34, 128, badge=True)
    draw_text(canvas, "Korvessa", 212, 92, 7.4, 8.6, WHITE, spacing=7.0)
    draw_text(canvas, "ADB driver installer for Windows", 214, 126, 2.6, 3.0,
              hex_colour("D4E4F7"))

    # The product page that a click on the banner opens.
    unit, pen = 2.3, 2.5
    text_left, baseline = 232, 161
    text_right = text_left + text_width(site_address(), unit, pen)
    canvas.fill(rounded_rect(212, baseline - 24, text_right + 44, baseline + 9, 16.5),
                solid(WHITE), 0.16)
    draw_text(canvas, site_address(), text_left, baseline, unit, pen, WHITE)
    chevron_x = text_right + 18
    canvas.fill(strokes([[(chevron_x, baseline - 13), (chevron_x + 6, baseline - 7),
                          (chevron_x, baseline - 1)]], pen), solid(WHITE))
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
