#!/usr/bin/env python3
# Writes QVGA_Bird.bmp, the picture (and frame buffer) of the Simple QVGA driver: a 320x240,
# 16 bits per pixel Windows bitmap (BITMAPINFOHEADER, BI_BITFIELDS with RGB565 masks
# $F800/$07E0/$001F, top-down rows via a negative height, no palette) of exactly 153668
# bytes. Two zero bytes after the masks put the pixels at offset 68, a multiple of 4, so
# that the driver can stream the rows where they lie. Python 3 standard library only.
#
#   python3 make_qvga_bird.py [output.bmp]      (default: QVGA_Bird.bmp beside this script)
#
# The picture: a small bird on a branch against a sky that shades from blue to a pale
# horizon (a smooth ramp shows off the 65536 colours), a sun, green hills and a thin white
# frame with red corner marks for checking the picture edges.
#
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Kyv developers

import struct

from bmp_picture import Picture, save

WIDTH, HEIGHT = 320, 240
PIXEL_OFFSET = 14 + 40 + 12 + 2
FILE_SIZE = PIXEL_OFFSET + WIDTH * HEIGHT * 2          # 153668


def rgb565(r, g, b):
    return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def draw():
    pic = Picture(WIDTH, HEIGHT, (0, 0, 0))
    top, horizon = (40, 90, 200), (225, 235, 250)
    for y in range(HEIGHT):
        pic.rect(0, y, WIDTH, y + 1, blend(top, horizon, y / (HEIGHT - 1)))

    pic.ellipse(262, 50, 24, 24, (255, 214, 80))                   # sun
    pic.ellipse(262, 50, 18, 18, (255, 240, 150))
    pic.ellipse(70, 260, 150, 70, (70, 150, 60))                     # hills
    pic.ellipse(260, 270, 170, 80, (50, 125, 50))
    pic.polygon([(0, 170), (250, 150), (252, 157), (0, 180)], (110, 70, 35))   # branch
    pic.polygon([(170, 155), (215, 128), (218, 133), (176, 160)], (110, 70, 35))
    pic.ellipse(212, 129, 9, 5, (70, 160, 60))                       # leaves
    pic.ellipse(236, 146, 9, 5, (70, 160, 60))

    # The bird: tail, body, belly, wing, head, eye, beak, legs.
    pic.polygon([(108, 118), (72, 104), (76, 122), (104, 132)], (40, 70, 140))
    pic.ellipse(130, 118, 32, 22, (60, 110, 200))
    pic.ellipse(138, 126, 22, 13, (250, 150, 60))
    pic.polygon([(112, 108), (146, 104), (134, 126), (104, 124)], (35, 65, 150))
    pic.ellipse(162, 98, 16, 15, (60, 110, 200))
    pic.ellipse(167, 95, 5, 5, (255, 255, 255))
    pic.ellipse(168, 95, 2.5, 2.5, (0, 0, 0))
    pic.polygon([(176, 96), (192, 101), (176, 105)], (250, 190, 40))
    for leg_x in (124, 140):
        pic.rect(leg_x, 138, leg_x + 2, 158, (90, 60, 30))

    pic.frame((255, 255, 255), (230, 30, 30), 8)
    return pic


def bmp_bytes(pic):
    out = bytearray()
    out += struct.pack('<2sIHHI', b'BM', FILE_SIZE, 0, 0, PIXEL_OFFSET)
    out += struct.pack('<IiiHHIIiiII', 40, WIDTH, -HEIGHT, 1, 16, 3, WIDTH * HEIGHT * 2,
                       2835, 2835, 0, 0)
    out += struct.pack('<III', 0xF800, 0x07E0, 0x001F)
    out += bytes(PIXEL_OFFSET - len(out))
    for row in pic.rows:                         # top row first (negative height)
        out += b''.join(struct.pack('<H', rgb565(*colour)) for colour in row)
    return bytes(out)


def main():
    save('QVGA_Bird.bmp', bmp_bytes(draw()), FILE_SIZE)


if __name__ == '__main__':
    main()
