"""The icons with alpha: the application's icon and the icon of the "Save..." dialog.

Both are drawn on a 256-unit square and rendered at each size with smooth edges.
"""

from raster import (
    Canvas,
    box,
    circle,
    linear,
    outline_of,
    polygon,
    radial,
    ring,
    segment,
    solid,
    vertical,
)

DESIGN = 256.0

FOLDER_BACK = ((236, 170, 40), (196, 128, 20))
FOLDER_FRONT = ((255, 226, 120), (240, 176, 40))
FOLDER_EDGE = (140, 90, 10)
TILE_COLOURS = [
    ((250, 110, 90), (200, 40, 40), (120, 20, 20)),
    ((120, 220, 110), (40, 150, 50), (20, 80, 25)),
    ((120, 170, 255), (40, 90, 210), (20, 40, 120)),
]
STEEL = ((110, 120, 135), (40, 45, 55))
HANDLE = ((90, 60, 40), (40, 25, 15))


class Painter:
    """Fills shapes with an outline whose width never falls below one pixel."""

    def __init__(self, size):
        self.canvas = Canvas(size, size, size / DESIGN)
        self.pixel = DESIGN / size

    def shape(self, shape, paint, edge_rgb=None, edge=6.0, bounds=None, opacity=1.0):
        self.canvas.fill(shape, paint, opacity, bounds)
        if edge_rgb is not None:
            width = max(edge, self.pixel)
            self.canvas.fill(outline_of(shape, width), solid(edge_rgb), opacity, bounds)


def _tile(p, left, top, side, colours):
    light, dark, edge = colours
    bounds = (left - 8, top - 8, left + side + 8, top + side + 8)
    shading = linear(left, top, light, left + side, top + side, dark)
    p.shape(box(left, top, left + side, top + side, side * 0.2), shading, edge, bounds=bounds)
    # A white glint in the upper left corner reads as "an icon" even when small.
    glint = side * 0.18
    glint_shape = circle(left + side * 0.3, top + side * 0.3, glint)
    p.shape(glint_shape, solid((255, 255, 255)), opacity=0.55, bounds=bounds)


def _magnifier(p, cx, cy, r, handle_to):
    hx, hy = handle_to
    rim = max(14.0, 1.5 * p.pixel)
    p.shape(
        segment(cx + r * 0.72, cy + r * 0.72, hx, hy, max(13.0, p.pixel)),
        linear(cx, cy, HANDLE[0], hx, hy, HANDLE[1]),
        (20, 12, 8),
        edge=4,
    )
    glass = circle(cx, cy, r)
    tint = radial(cx - r * 0.3, cy - r * 0.3, r * 1.3, (235, 248, 255), (150, 200, 240))
    p.shape(glass, tint, opacity=0.6)
    steel = linear(cx - r, cy - r, STEEL[0], cx + r, cy + r, STEEL[1])
    p.shape(ring(cx, cy, r, rim), steel, (25, 28, 35), edge=4)
    if p.pixel < 8:
        shine = segment(cx - r * 0.55, cy - r * 0.1, cx - r * 0.15, cy - r * 0.52, r * 0.08)
        p.shape(shine, solid((255, 255, 255)), opacity=0.8)


def app_icon(size):
    """A folder with icons spilling out of it, under a magnifying glass."""
    p = Painter(size)
    p.shape(box(14, 44, 120, 96, 14), solid(FOLDER_BACK[1]), FOLDER_EDGE)
    back = vertical(64, FOLDER_BACK[0], 228, FOLDER_BACK[1])
    p.shape(box(14, 64, 242, 228, 18), back, FOLDER_EDGE)
    # Small sizes show two bigger icons rather than three that would blur together.
    if size >= 32:
        tiles = [(34, 18, 84), (96, 40, 84), (160, 24, 76)]
    else:
        tiles = [(28, 16, 100), (128, 30, 100)]
    for (left, top, side), colours in zip(tiles, TILE_COLOURS):
        _tile(p, left, top, side, colours)
    front = polygon([(4, 112), (252, 112), (240, 236), (16, 236)])
    p.shape(front, vertical(112, FOLDER_FRONT[0], 236, FOLDER_FRONT[1]), FOLDER_EDGE)
    if size >= 32:
        _magnifier(p, 150, 148, 58, (236, 236))
    else:
        _magnifier(p, 146, 144, 62, (240, 240))
    return p.canvas


def batch_save_icon(size):
    """A floppy disk with a pile of icons on it: many icons saved at once."""
    p = Painter(size)
    blue_light, blue, blue_edge = TILE_COLOURS[2]
    disk = polygon([(16, 16), (206, 16), (240, 50), (240, 240), (16, 240)])
    p.shape(disk, vertical(16, blue_light, 240, blue), blue_edge, edge=8)
    shutter = vertical(16, (225, 228, 235), 96, (160, 165, 175))
    p.shape(box(60, 16, 186, 96, 6), shutter, (60, 65, 80))
    p.shape(box(140, 28, 168, 84, 4), solid(blue_edge))
    p.shape(box(40, 132, 216, 240, 8), solid((250, 250, 250)), (110, 115, 130))
    for left, top, colours in ((110, 118, TILE_COLOURS[0]), (150, 150, TILE_COLOURS[1])):
        _tile(p, left, top, 92, colours)
    return p.canvas
