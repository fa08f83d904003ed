"""The installer's pictures: the welcome page's side picture, the page header and the
uninstaller's icon, all built on the application's icon."""

from icons import DESIGN, TILE_COLOURS, Painter, app_icon
from raster import Canvas, box, circle, linear, solid, vertical

SIDEBAR_SIZE = (164, 314)
HEADER_SIZE = (150, 57)
SIDEBAR_TOP, SIDEBAR_BOTTOM = (70, 120, 230), (18, 36, 100)


def _opaque(width, height, paint):
    canvas = Canvas(width, height)
    canvas.fill(box(-1, -1, width + 1, height + 1), paint)
    return canvas


def sidebar():
    """A deep blue column with the application's icon and a few faint icons falling below it."""
    width, height = SIDEBAR_SIZE
    canvas = _opaque(width, height, vertical(0, SIDEBAR_TOP, height, SIDEBAR_BOTTOM))
    for (x, y, side), (light, _, _) in zip(
        ((22, 190, 34), (92, 214, 42), (40, 258, 30)), TILE_COLOURS
    ):
        canvas.fill(box(x, y, x + side, y + side, side * 0.2), solid(light), opacity=0.35)
    canvas.paste(app_icon(128), (width - 128) // 2, 36)
    return canvas


def header():
    """White like the page header it sits in, with the application's icon at its right end."""
    width, height = HEADER_SIZE
    canvas = _opaque(width, height, solid((255, 255, 255)))
    canvas.paste(app_icon(48), width - 48 - 6, (height - 48) // 2)
    return canvas


def uninstall_icon(size):
    """The application's icon with a red "remove" badge in its lower right corner."""
    p = Painter(size)
    p.canvas.paste(app_icon(size), 0, 0)
    cx = cy = DESIGN * 0.72
    r = DESIGN * 0.26
    bounds = (cx - r - 8, cy - r - 8, cx + r + 8, cy + r + 8)
    shading = linear(cx - r, cy - r, (250, 110, 90), cx + r, cy + r, (190, 30, 30))
    p.shape(circle(cx, cy, r), shading, (110, 15, 15), edge=8, bounds=bounds)
    bar = box(cx - r * 0.6, cy - r * 0.17, cx + r * 0.6, cy + r * 0.17, r * 0.08)
    p.shape(bar, solid((255, 255, 255)), bounds=bounds)
    return p.canvas
