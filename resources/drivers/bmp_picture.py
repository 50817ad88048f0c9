# Drawing helpers shared by the scripts that make the bundled pictures: a canvas of
# colour values (RGB tuples or palette indexes) with filled shapes whose pixels are chosen
# by their centres. Python 3 standard library only.
#
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Kyv developers

import os
import sys


def save(default_name, data, expected_size):
    """Write data to the file named on the command line, else to default_name beside the
    scripts; stop without writing when data is not expected_size bytes long."""
    if len(data) != expected_size:
        raise SystemExit("internal error: %d bytes instead of %d" % (len(data), expected_size))
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, default_name)
    with open(path, 'wb') as fh:
        fh.write(data)
    print("wrote %s (%d bytes)" % (path, expected_size))


class Picture:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.rows = [[background] * width for _ in range(height)]

    def fill(self, inside, colour, box):
        """Paint every pixel of box (x0, y0, x1, y1) whose centre satisfies inside(x, y)."""
        x0, y0, x1, y1 = box
        for y in range(max(0, y0), min(self.height, y1)):
            row = self.rows[y]
            for x in range(max(0, x0), min(self.width, x1)):
                if inside(x + 0.5, y + 0.5):
                    row[x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: True, colour, (x0, y0, x1, y1))

    def ellipse(self, cx, cy, rx, ry, colour):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, colour,
                  (int(cx - rx) - 1, int(cy - ry) - 1, int(cx + rx) + 2, int(cy + ry) + 2))

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            crossings = 0
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                    crossings += 1
            return crossings % 2 == 1
        self.fill(inside, colour, (int(min(xs)) - 1, int(min(ys)) - 1,
                                   int(max(xs)) + 2, int(max(ys)) + 2))

    def frame(self, line, mark, mark_size):
        """One-pixel frame round the picture and square marks in its corners, for checking
        that a monitor shows the picture's edges."""
        w, h = self.width, self.height
        self.rect(0, 0, w, 1, line)
        self.rect(0, h - 1, w, h, line)
        self.rect(0, 0, 1, h, line)
        self.rect(w - 1, 0, w, h, line)
        for cx, cy in ((0, 0), (w - mark_size, 0), (0, h - mark_size),
                       (w - mark_size, h - mark_size)):
            self.rect(cx, cy, cx + mark_size, cy + mark_size, mark)
