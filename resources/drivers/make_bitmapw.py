#!/usr/bin/env python3
# Writes bitmapW.bmp, the picture of the Simple HDMI driver: an 800x480, 8 bits per pixel
# Windows bitmap (BITMAPINFOHEADER, 256-colour palette, top-down rows via a negative
# height, no compression) of exactly 385080 bytes. Two zero bytes after the palette put
# the pixels at offset 1080, a multiple of 4, so that the driver can stream the rows where
# they lie. Python 3 standard library only.
#
#   python3 make_bitmapw.py [output.bmp]      (default: bitmapW.bmp beside this script)
#
# The picture: a wide dusk landscape (a sky ramp of 64 palette shades, sun, three ranges of
# mountains and a lake with the sun's reflection) above a strip of the eight primary and
# secondary colours and a 64-step grey ramp, with a white frame and red corner marks for
# checking the picture edges.
#
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Kyv developers

import struct

from bmp_picture import Picture, save

WIDTH, HEIGHT = 800, 480
PIXEL_OFFSET = 14 + 40 + 256 * 4 + 2
FILE_SIZE = PIXEL_OFFSET + WIDTH * HEIGHT              # 385080

# Palette: 64 sky shades, 64 greys, the 8 corner colours of the RGB cube, then four
# 16-shade ramps for the mountains, lake and sun; the remaining entries are black.
SKY, GREY, BASIC, RAMPS = 0, 64, 128, 136
BLACK, BLUE, GREEN, CYAN, RED, MAGENTA, YELLOW, WHITE = range(BASIC, BASIC + 8)
FAR, MIDDLE, NEAR, WATER = (RAMPS + 16 * k for k in range(4))


def ramp(a, b, steps):
    return [tuple(round(x + (y - x) * i / (steps - 1)) for x, y in zip(a, b))
            for i in range(steps)]


PALETTE = (ramp((15, 25, 80), (250, 150, 70), 64)
           + ramp((0, 0, 0), (255, 255, 255), 64)
           + [(255 * (i >> 2 & 1), 255 * (i >> 1 & 1), 255 * (i & 1)) for i in range(8)]
           + ramp((60, 50, 110), (150, 110, 150), 16)
           + ramp((35, 35, 75), (100, 70, 100), 16)
           + ramp((15, 20, 40), (50, 40, 60), 16)
           + ramp((20, 40, 90), (240, 150, 80), 16))
PALETTE += [(0, 0, 0)] * (256 - len(PALETTE))

HORIZON = 330


def ridge(pic, base, peaks, colour):
    """A mountain range: a polygon through the peak points down to the horizon."""
    points = [(0, HORIZON), (0, base)] + peaks + [(WIDTH, base), (WIDTH, HORIZON)]
    pic.polygon(points, colour)


def draw():
    pic = Picture(WIDTH, HEIGHT, BLACK)
    for y in range(HORIZON):
        pic.rect(0, y, WIDTH, y + 1, SKY + y * 64 // HORIZON)
    pic.ellipse(560, 120, 46, 46, YELLOW)
    pic.ellipse(560, 120, 36, 36, WATER + 15)
    ridge(pic, 250, [(90, 190), (200, 230), (330, 160), (450, 220), (600, 200), (720, 150)],
          FAR + 8)
    ridge(pic, 280, [(60, 250), (170, 210), (300, 270), (420, 230), (540, 290), (690, 220)],
          MIDDLE + 6)
    ridge(pic, 310, [(120, 270), (260, 300), (380, 280), (500, 315), (650, 275), (760, 300)],
          NEAR + 4)
    for y in range(HORIZON, 420):                                    # lake, darker below
        pic.rect(0, y, WIDTH, y + 1, WATER + 9 - (y - HORIZON) * 9 // 90)
    for k, y in enumerate(range(HORIZON + 6, 414, 9)):               # sun's reflection
        half = 40 - k * 3
        pic.rect(560 - half, y, 560 + half, y + 3, WATER + 15 - k // 2)

    swatch = WIDTH // 16
    for i, colour in enumerate((BLACK, BLUE, GREEN, CYAN, RED, MAGENTA, YELLOW, WHITE)):
        pic.rect(i * swatch, 420, (i + 1) * swatch, 450, colour)
    for i in range(8):
        pic.rect((8 + i) * swatch, 420, (9 + i) * swatch, 450, GREY + 9 * i)
    for i in range(64):
        pic.rect(i * WIDTH // 64, 450, (i + 1) * WIDTH // 64, HEIGHT, GREY + i)

    pic.frame(WHITE, RED, 16)
    return pic


def bmp_bytes(pic):
    out = bytearray()
    out += struct.pack('<2sIHHI', b'BM', FILE_SIZE, 0, 0, PIXEL_OFFSET)
    out += struct.pack('<IiiHHIIiiII', 40, WIDTH, -HEIGHT, 1, 8, 0, WIDTH * HEIGHT,
                       2835, 2835, 256, 256)
    for r, g, b in PALETTE:
        out += bytes((b, g, r, 0))
    out += bytes(PIXEL_OFFSET - len(out))
    for row in pic.rows:                         # top row first (negative height)
        out += bytes(row)
    return bytes(out)


def main():
    save('bitmapW.bmp', bmp_bytes(draw()), FILE_SIZE)


if __name__ == '__main__':
    main()
