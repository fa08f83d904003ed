"""The search form's animation: a magnifying glass circling over a folder, as 8-bit frames."""

import math

from raster import Canvas, circle, ring, segment, solid
from small_images import BROWN, BROWN_DARK, BLUE_DARK, GLASS, WHITE, draw_folder

WIDTH, HEIGHT = 32, 24
FRAME_COUNT = 12
MICROSECONDS_PER_FRAME = 100_000
# The animation control treats the colour of the first pixel as transparent.
BACKGROUND = (212, 208, 200)


def frame(k):
    c = Canvas(WIDTH, HEIGHT)
    for j in range(HEIGHT):
        for i in range(WIDTH):
            c.set(i, j, BACKGROUND)
    draw_folder(c, 3, 6, 27, 22)
    angle = 2 * math.pi * k / FRAME_COUNT
    cx, cy, r = 14.5 + 6 * math.cos(angle), 10.5 + 3 * math.sin(angle), 4.6
    c.pixel_art(segment(cx + 3.4, cy + 3.4, cx + 8, cy + 8, 1.3), solid(BROWN), BROWN_DARK)
    c.tint(circle(cx, cy, r), GLASS, 0.55)
    c.pixel_art(ring(cx, cy, r, 1.6), solid(BLUE_DARK))
    c.set(int(cx - 2), int(cy - 2), WHITE)
    return c


def frames():
    return [frame(k) for k in range(FRAME_COUNT)]
