#!/usr/bin/env python3
# Writes bitmap2.bmp, the test card that the Simple VGA driver shows: a 640x480,
# 8 bits per pixel Windows bitmap (BITMAPINFOHEADER, 256-colour palette, bottom-up
# rows, no compression) of exactly 308278 bytes. Python 3 standard library only.
#
#   python3 make_bitmap2.py [output.bmp]      (default: bitmap2.bmp beside this script)
#
# The picture: colour bars, the Kyv name, a grey ramp and the 216-colour cube of the
# palette, with a white frame and corner marks for checking the monitor's picture edges.
#
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Kyv developers

import struct

from bmp_picture import save

WIDTH, HEIGHT = 640, 480
FILE_SIZE = 14 + 40 + 256 * 4 + WIDTH * HEIGHT        # 308278

# Palette: indexes 0..215 are a 6x6x6 colour cube (index = 36*r + 6*g + b, levels
# 0, 51, ..., 255); 216..255 are 40 greys from black to white.
LEVELS = [0, 51, 102, 153, 204, 255]
PALETTE = [(LEVELS[i // 36], LEVELS[i // 6 % 6], LEVELS[i % 6]) for i in range(216)]
PALETTE += [(v, v, v) for v in (round(k * 255 / 39) for k in range(40))]


def cube(r, g, b):
    """Palette index of the cube colour with levels r, g, b (0..5)."""
    return 36 * r + 6 * g + b


def grey(k):
    """Palette index of grey step k (0 black .. 39 white)."""
    return 216 + k


WHITE, BLACK = cube(5, 5, 5), cube(0, 0, 0)
BACKGROUND = cube(0, 0, 1)
PANEL = cube(0, 1, 2)

# 5x7 glyphs for the few characters the card prints.
GLYPHS = {
    'K': ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    'Y': ["X...X", "X...X", ".X.X.", "..X..", "..X..", "..X..", "..X.."],
    'V': ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    'P': ["XXXX.", "X...X", "X...X", "XXXX.", "X....", "X....", "X...."],
    '2': [".XXX.", "X...X", "....X", "...X.", "..X..", ".X...", "XXXXX"],
    '4': ["...X.", "..XX.", ".X.X.", "X..X.", "XXXXX", "...X.", "...X."],
    '6': ["..XX.", ".X...", "X....", "XXXX.", "X...X", "X...X", ".XXX."],
    '8': [".XXX.", "X...X", "X...X", ".XXX.", "X...X", "X...X", ".XXX."],
    '0': [".XXX.", "X...X", "X..XX", "X.X.X", "XX..X", "X...X", ".XXX."],
    'x': [".....", ".....", "X...X", ".X.X.", "..X..", ".X.X.", "X...X"],
    'b': ["X....", "X....", "X.XX.", "XX..X", "X...X", "X...X", "XXXX."],
    'p': [".....", ".....", "XXXX.", "X...X", "XXXX.", "X....", "X...."],
    ' ': ["....."] * 7,
}


def make_pixels():
    img = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(HEIGHT, y1)):
            row = img[y]
            for x in range(max(0, x0), min(WIDTH, x1)):
                row[x] = colour

    def text(s, x, y, scale, colour):
        for ch in s:
            for gy, line in enumerate(GLYPHS[ch]):
                for gx, cell in enumerate(line):
                    if cell == 'X':
                        rect(x + gx * scale, y + gy * scale,
                             x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
            x += 6 * scale

    # Colour bars: white, yellow, cyan, green, magenta, red, blue, black.
    bars = [cube(5, 5, 5), cube(5, 5, 0), cube(0, 5, 5), cube(0, 5, 0),
            cube(5, 0, 5), cube(5, 0, 0), cube(0, 0, 5), cube(0, 0, 0)]
    for i, colour in enumerate(bars):
        rect(i * 80, 0, (i + 1) * 80, 150, colour)

    # Name panel with the picture format underneath.
    rect(40, 165, 600, 315, PANEL)
    rect(40, 165, 600, 168, WHITE)
    rect(40, 312, 600, 315, WHITE)
    name_scale = 14
    name_width = 3 * 6 * name_scale - name_scale
    text("KYV", (WIDTH - name_width) // 2, 172, name_scale, cube(5, 4, 0))
    info = "640x480 8bpp"
    text(info, (WIDTH - (len(info) * 18 - 3)) // 2, 280, 3, WHITE)

    # Grey ramp, 40 steps of 16 pixels.
    for k in range(40):
        rect(k * 16, 330, (k + 1) * 16, 385, grey(k))

    # The 216-colour cube: 36 columns (red, green) by 6 rows (blue).
    for r in range(6):
        for g in range(6):
            for b in range(6):
                col = r * 6 + g
                rect(32 + col * 16, 398 + b * 11, 32 + (col + 1) * 16, 398 + (b + 1) * 11,
                     cube(r, g, b))

    # One-pixel white frame and 16-pixel corner marks.
    rect(0, 0, WIDTH, 1, WHITE)
    rect(0, HEIGHT - 1, WIDTH, HEIGHT, WHITE)
    rect(0, 0, 1, HEIGHT, WHITE)
    rect(WIDTH - 1, 0, WIDTH, HEIGHT, WHITE)
    for cx, cy in ((0, 0), (WIDTH - 16, 0), (0, HEIGHT - 16), (WIDTH - 16, HEIGHT - 16)):
        rect(cx, cy, cx + 16, cy + 16, cube(5, 0, 0))
        rect(cx + 4, cy + 4, cx + 12, cy + 12, WHITE)
    return img


def bmp_bytes(img):
    offset = 14 + 40 + 256 * 4
    out = bytearray()
    out += struct.pack('<2sIHHI', b'BM', FILE_SIZE, 0, 0, offset)
    out += struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 8, 0, WIDTH * HEIGHT,
                       2835, 2835, 256, 256)
    for r, g, b in PALETTE:
        out += bytes((b, g, r, 0))
    for row in reversed(img):                  # BMP rows run bottom to top
        out += bytes(row)
    return bytes(out)


def main():
    save('bitmap2.bmp', bmp_bytes(make_pixels()), FILE_SIZE)


if __name__ == '__main__':
    main()
