#!/usr/bin/env python3
"""Draws the program's own icon (resource 143), the help dialog's picture
(resource 133) and the audio-edition dialog's pictures of the two audio
editions (resources 141 and 142) and writes them into resources/ as
Tavrems.ico, HelpPicture.bmp, AudioEdition1.bmp and AudioEdition2.bmp. The
output is committed; run this again only to change the pictures. Needs
nothing beyond the standard library."""

import math
import os
import struct
import sys


class Canvas:
    def __init__(self, width, height, color):
        self.width = width
        self.height = height
        self.pixels = [[color] * width for _ in range(height)]

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def rect(self, x0, y0, x1, y1, color):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, color)

    def frame(self, x0, y0, x1, y1, color):
        for x in range(x0, x1):
            self.put(x, y0, color)
            self.put(x, y1 - 1, color)
        for y in range(y0, y1):
            self.put(x0, y, color)
            self.put(x1 - 1, y, color)

    def disc(self, cx, cy, r, color):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, color)

    def triangle(self, pts, color):
        (ax, ay), (bx, by), (cx, cy) = pts
        for y in range(min(ay, by, cy), max(ay, by, cy) + 1):
            for x in range(min(ax, bx, cx), max(ax, bx, cx) + 1):
                d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
                d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy)
                d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay)
                if (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0):
                    self.put(x, y, color)


NAVY = (28, 40, 92)
WHITE = (255, 255, 255)
PAPER = (250, 246, 232)
INK = (40, 40, 40)
MOON = (246, 214, 90)
SPINE = (150, 110, 60)
BALLOON = (255, 255, 223)
TEAL = (0, 176, 176)
GREEN = (0, 159, 0)
BLUE = (0, 0, 223)
GREY = (200, 200, 200)
SILVER = (214, 218, 224)
SHEEN_A = (190, 170, 230)
SHEEN_B = (170, 215, 235)
SHEEN_C = (235, 225, 170)


def draw_icon():
    c = Canvas(32, 32, NAVY)
    # A crescent moon over an open book.
    c.disc(20, 9, 7, MOON)
    c.disc(23, 7, 6, NAVY)
    for y in range(17, 28):
        lift = (y - 17) // 4
        c.rect(3, y - lift, 15, y - lift + 1, PAPER)
        c.rect(17, y - lift, 29, y - lift + 1, PAPER)
    c.rect(15, 16, 17, 28, SPINE)
    for y in (19, 21, 23):
        c.rect(5, y, 13, y + 1, INK)
        c.rect(19, y, 27, y + 1, INK)
    return c


def draw_help_picture():
    c = Canvas(240, 124, WHITE)
    c.frame(0, 0, 240, 124, GREY)
    # An open page with lines of text; one segment green, one word blue.
    c.rect(14, 44, 150, 114, PAPER)
    c.frame(14, 44, 150, 114, SPINE)
    for i, y in enumerate(range(52, 108, 9)):
        c.rect(22, y, 142 - (30 if i == 5 else 0), y + 3, INK)
    c.rect(22, 70, 98, 73, GREEN)
    c.rect(104, 88, 130, 91, BLUE)
    # The dotted outline of the clicked sentence and its balloon.
    for x in range(20, 144, 3):
        c.put(x, 59, TEAL)
        c.put(x, 66, TEAL)
    c.rect(30, 8, 140, 34, BALLOON)
    c.frame(30, 8, 140, 34, INK)
    c.triangle([(60, 33), (76, 33), (64, 58)], BALLOON)
    c.rect(36, 15, 126, 17, INK)
    c.rect(36, 23, 104, 25, INK)
    # A mouse: left button for balloons, right button to play.
    c.disc(196, 78, 26, GREY)
    c.rect(170, 78, 223, 118, GREY)
    c.rect(171, 60, 195, 80, TEAL)
    c.rect(197, 60, 221, 80, GREEN)
    c.rect(195, 52, 197, 80, INK)
    c.rect(170, 80, 223, 82, INK)
    return c


def draw_disc(c, cx, cy, r):
    """A compact disc seen from above: silver with a rainbow sheen and a hole."""
    c.disc(cx, cy, r, SILVER)
    for i, color in enumerate((SHEEN_A, SHEEN_B, SHEEN_C)):
        c.disc(cx - r // 3 + i * 3, cy - r // 3 + i * 2, r // 4 - i * 2, color)
    c.disc(cx, cy, r // 3, GREY)
    c.disc(cx, cy, r // 6, WHITE)


def draw_case(c, x0, y0, x1, y1, label_lines):
    """The front of a disc case: a night sky with the crescent moon, the
    title band and a few lines of text."""
    c.rect(x0, y0, x1, y1, NAVY)
    c.frame(x0, y0, x1, y1, INK)
    w = x1 - x0
    c.disc(x0 + w * 2 // 3, y0 + 26, 14, MOON)
    c.disc(x0 + w * 2 // 3 + 6, y0 + 22, 12, NAVY)
    for i in range(label_lines):
        y = y0 + 56 + i * 9
        c.rect(x0 + 10, y, x1 - 10 - (i % 2) * 18, y + 3, PAPER)


def draw_audio_edition_1():
    # A single case with its disc half out, 149 x 146.
    c = Canvas(149, 146, WHITE)
    draw_disc(c, 100, 70, 44)
    draw_case(c, 6, 10, 96, 136, 5)
    c.rect(6, 124, 96, 136, MOON)
    return c


def draw_audio_edition_2():
    # The second edition: two cases side by side with their discs, 150 x 128.
    c = Canvas(150, 128, WHITE)
    draw_disc(c, 118, 40, 28)
    draw_disc(c, 118, 92, 28)
    draw_case(c, 4, 8, 62, 120, 3)
    draw_case(c, 36, 18, 96, 124, 4)
    c.rect(36, 112, 96, 124, TEAL)
    return c


def palette_256():
    colors = []
    for r in range(6):
        for g in range(6):
            for b in range(6):
                colors.append((r * 51, g * 51, b * 51))
    for i in range(40):
        v = 6 + i * 6
        colors.append((v, v, v))
    return colors


def nearest(colors, color):
    return min(range(len(colors)), key=lambda i: sum((a - b) ** 2 for a, b in zip(colors[i], color)))


def icon_bytes(canvas):
    colors = palette_256()
    # Exact colours of the drawing replace the first palette entries' neighbours.
    used = []
    for row in canvas.pixels:
        for p in row:
            if p not in used:
                used.append(p)
    for i, p in enumerate(used):
        colors[216 + i] = p
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 8, 0, 32 * 32 + 32 * 4, 0, 0, 256, 0)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in colors)
    xor = bytearray()
    for y in range(31, -1, -1):
        for x in range(32):
            xor.append(nearest(colors, canvas.pixels[y][x]))
    mask = bytes(32 * 4)  # every pixel opaque
    image = header + pal + bytes(xor) + mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', 32, 32, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def bmp_bytes(canvas):
    stride = (canvas.width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in canvas.pixels[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources')
    if len(sys.argv) > 1:
        out = sys.argv[1]
    with open(os.path.join(out, 'Tavrems.ico'), 'wb') as f:
        f.write(icon_bytes(draw_icon()))
    with open(os.path.join(out, 'HelpPicture.bmp'), 'wb') as f:
        f.write(bmp_bytes(draw_help_picture()))
    with open(os.path.join(out, 'AudioEdition1.bmp'), 'wb') as f:
        f.write(bmp_bytes(draw_audio_edition_1()))
    with open(os.path.join(out, 'AudioEdition2.bmp'), 'wb') as f:
        f.write(bmp_bytes(draw_audio_edition_2()))


if __name__ == '__main__':
    main()
