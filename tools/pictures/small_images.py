"""The small pictures: toolbar strip, network images and tab images, as crisp pixel art.

Each is designed on a 16 x 16 grid and drawn at every side in SIDES, so that a high-DPI display
gets a picture drawn for its size instead of a small one stretched.
"""

from raster import (
    Canvas,
    box,
    circle,
    intersect,
    mirror_x,
    polygon,
    ring,
    segment,
    solid,
    subtract,
    union,
    vertical,
)

SIZE = 16
# 100 %, 125 %, 150 % and 200 % of the design size.
SIDES = (16, 20, 24, 32)

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
PAPER_LINE = (110, 140, 200)
GREEN_LIGHT, GREEN, GREEN_DARK = (120, 220, 100), (40, 160, 40), (20, 90, 20)
BLUE_LIGHT, BLUE, BLUE_DARK = (120, 170, 250), (40, 90, 210), (20, 40, 120)
FOLDER_LIGHT, FOLDER, FOLDER_DARK = (255, 236, 140), (240, 196, 60), (150, 105, 20)
BROWN, BROWN_DARK = (160, 100, 45), (90, 55, 20)
RED = (210, 40, 40)
GLASS = (200, 230, 255)


def canvas(side=SIZE):
    """A square canvas of side pixels over the 16-unit design grid."""
    return Canvas(side, side, side / SIZE)


# ---- Shapes used by several pictures


def _left_arrow():
    return polygon([(0.5, 8), (7.5, 1.5), (7.5, 5), (15, 5), (15, 11), (7.5, 11), (7.5, 14.5)])


def draw_folder(c, left, top, right, bottom, open_front=False):
    c.pixel_art(box(left, top, left + 6, top + 3), solid(FOLDER), FOLDER_DARK)
    body = vertical(top, FOLDER_LIGHT, bottom, FOLDER)
    c.pixel_art(box(left, top + 2, right, bottom), body, FOLDER_DARK)
    if open_front:
        corners = [(left + 2, top + 5), (right + 1, top + 5), (right - 1, bottom), (left, bottom)]
        front = polygon(corners)
        c.pixel_art(front, vertical(top + 5, FOLDER_LIGHT, bottom, FOLDER), FOLDER_DARK)


def draw_page(c, left, top, right, bottom, lines=True):
    c.pixel_art(box(left, top, right, bottom), solid(WHITE), GREY)
    if lines:
        for y in range(int(top) + 2, int(bottom) - 1, 2):
            c.dots(PAPER_LINE, [(x, y) for x in range(int(left) + 2, int(right) - 2)])


def draw_magnifier(
    c, cx, cy, r, handle_end,
    glass_rgb=GLASS, rim_rgb=BLUE_DARK, handle_rgb=BROWN, handle_edge=BROWN_DARK,
):  # fmt: skip
    hx, hy = handle_end
    c.pixel_art(segment(cx + r * 0.6, cy + r * 0.6, hx, hy, 1.3), solid(handle_rgb), handle_edge)
    c.pixel_art(circle(cx, cy, r + 0.6), solid(glass_rgb), rim_rgb)


def _computer(c, left, top, width, screen_rgb=BLUE_LIGHT):
    """A small monitor on a foot: the screen is width x (width - 1), the foot two rows more."""
    c.pixel_art(box(left, top, left + width, top + width - 1), solid(screen_rgb), BLACK)
    middle = left + width // 2
    c.dots(GREY, [(middle - 1, top + width - 1), (middle, top + width - 1)])
    c.dots(BLACK, [(x, top + width) for x in range(middle - 2, middle + 2)])


# ---- Toolbar strip: the eight button images first, in button order, then the extra commands


def back(c):
    c.pixel_art(_left_arrow(), vertical(2, GREEN_LIGHT, 14, GREEN), GREEN_DARK)
    return c


def forward(c):
    c.pixel_art(mirror_x(_left_arrow(), SIZE), vertical(2, GREEN_LIGHT, 14, GREEN), GREEN_DARK)
    return c


def up(c):
    draw_folder(c, 0, 6, 16, 15.5)
    arrow = polygon([(8, 0.5), (13.5, 6), (10, 6), (10, 12), (6, 12), (6, 6), (2.5, 6)])
    c.pixel_art(arrow, vertical(0, GREEN_LIGHT, 12, GREEN), GREEN_DARK)
    return c


def refresh(c):
    # Most of a circle, open from twelve to two o'clock, its arrow head at twelve pointing right.
    gap = polygon([(8, 9), (8, -6), (24, -6), (24, 6)])
    c.pixel_art(subtract(ring(8, 9, 5.6, 2.6), gap), vertical(2, BLUE_LIGHT, 14, BLUE), BLUE_DARK)
    head = polygon([(7, -0.5), (13.5, 3.4), (7, 7.3)])
    c.pixel_art(head, vertical(0, BLUE_LIGHT, 8, BLUE), BLUE_DARK)
    return c


def copy(c):
    draw_page(c, 0.5, 0.5, 10.5, 12.5)
    draw_page(c, 5.5, 3.5, 15.5, 15.5)
    return c


def save(c):
    body = polygon([(0.5, 0.5), (13, 0.5), (15.5, 3), (15.5, 15.5), (0.5, 15.5)])
    c.pixel_art(body, vertical(0, BLUE_LIGHT, 16, BLUE), BLUE_DARK)
    c.pixel_art(box(3.5, 0.5, 12.5, 6.5), solid(SILVER), BLUE_DARK)
    c.pixel_art(box(9, 1.5, 11, 5.5), solid(BLUE_DARK))
    c.pixel_art(box(2.5, 8.5, 13.5, 15.5), solid(WHITE), BLUE_DARK)
    c.dots(PAPER_LINE, [(x, 11) for x in range(4, 12)] + [(x, 13) for x in range(4, 12)])
    return c


QUESTION_MARK = [".###.", "##.##", "...##", "..##.", ".##..", ".....", ".##.."]
INFO_LETTER = [".##.", ".##.", "....", "###.", ".##.", ".##.", ".##.", ".##.", "####"]


def help_contents(c):
    # A closed book, pages showing at the bottom, a question mark on its cover.
    c.pixel_art(box(2.5, 12, 14.5, 15.5), solid(WHITE), GREY)
    c.pixel_art(box(1.5, 0.5, 13.5, 14), vertical(0, BLUE, 14, BLUE_DARK), BLACK)
    c.dots(BLUE_LIGHT, [(3, y) for y in range(2, 12)])
    c.glyph(QUESTION_MARK, 6, 3, (255, 220, 60))
    return c


def about(c):
    c.pixel_art(circle(8, 8, 7.3), vertical(0, BLUE_LIGHT, 16, BLUE), BLUE_DARK)
    c.glyph(INFO_LETTER, 6, 3, WHITE)
    return c


def open_item(c):
    draw_folder(c, 0, 2, 14, 14.5, open_front=True)
    return c


def properties(c):
    draw_page(c, 1.5, 0.5, 14.5, 15.5, lines=False)
    for row, rgb in enumerate((RED, GREEN, BLUE)):
        y = 3 + row * 4
        c.pixel_art(box(3, y, 6, y + 3), solid(rgb))
        c.dots(GREY, [(x, y + 1) for x in range(8, 13)])
    return c


def search(c):
    draw_magnifier(c, 6, 6, 4.8, (14.5, 14.5))
    c.dots(WHITE, [(4, 4), (5, 3), (4, 5)])
    return c


def copy_path(c):
    c.pixel_art(box(1.5, 1.5, 14.5, 15.5), solid(BROWN), BROWN_DARK)
    draw_page(c, 3.5, 4.5, 12.5, 14.5)
    c.pixel_art(box(5, 0.5, 11, 3.5), solid(SILVER), GREY)
    return c


def command_prompt(c):
    c.pixel_art(box(0.5, 1.5, 15.5, 14.5), solid(BLACK), GREY)
    c.dots(BLUE, [(x, y) for x in range(1, 15) for y in (2, 3)])
    c.glyph(["#..", ".#.", "..#", ".#.", "#.."], 2, 6, SILVER)
    c.dots(SILVER, [(6, 10), (7, 10), (8, 10)])
    return c


TOOLBAR = [
    back,
    forward,
    up,
    refresh,
    copy,
    save,
    help_contents,
    about,
    open_item,
    properties,
    search,
    copy_path,
    command_prompt,
]
# The images of the toolbar's eight buttons, in button order.
TOOLBAR_BUTTONS = TOOLBAR[:8]


# ---- Network images: domain, generic network resource, entire network, server


def domain(c):
    c.pixel_art(box(7, 5, 9, 12), solid(GREY))
    c.pixel_art(box(3, 11, 13, 13), solid(GREY))
    _computer(c, 4, 0, 8)
    _computer(c, 0, 9, 6, GREEN_LIGHT)
    _computer(c, 10, 9, 6, GREEN_LIGHT)
    return c


def network_resource(c):
    c.pixel_art(box(0, 12, 16, 14), solid(GREY))
    c.pixel_art(box(7, 9, 9, 13), solid(GREY))
    _computer(c, 3, 0, 10)
    c.pixel_art(box(5.5, 11, 10.5, 15.5), solid(SILVER), BLACK)
    return c


def entire_network(c):
    globe = circle(8, 8, 7.3)
    c.pixel_art(globe, vertical(0, BLUE_LIGHT, 16, BLUE), BLUE_DARK)
    land = union(
        polygon([(3, 4), (7, 2.5), (8, 5), (6, 7), (6.5, 10), (4, 9), (2.5, 6)]),
        polygon([(9, 7), (13.5, 6), (14, 10), (11, 13), (9.5, 11)]),
    )
    c.pixel_art(intersect(land, circle(8, 8, 6.8)), solid(GREEN), None)
    c.dots(WHITE, [(4, 3), (5, 3)])
    return c


def server(c):
    c.pixel_art(box(3.5, 0.5, 12.5, 15.5), vertical(0, WHITE, 16, SILVER), BLACK)
    for y in (3, 5, 7):
        c.dots(GREY, [(x, y) for x in range(5, 11)])
    c.dots(GREEN, [(5, 12), (6, 12)])
    c.dots(RED, [(10, 12)])
    return c


NETWORK = [domain, network_resource, entire_network, server]


# ---- Tab images: 16 colours of the standard VGA palette only

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # fmt: skip
VGA_LIGHT_GREY = VGA[7]


def tab_folder(c):
    c.pixel_art(box(0.5, 1.5, 7, 5), solid(VGA[11]), VGA[0])
    c.pixel_art(box(0.5, 3.5, 15.5, 14.5), solid(VGA[11]), VGA[0])
    c.dots(VGA[15], [(x, 5) for x in range(2, 14)])
    c.dots(VGA[3], [(x, 13) for x in range(2, 15)] + [(14, y) for y in range(6, 13)])
    return c


def tab_search(c):
    draw_magnifier(c, 6, 6, 4.8, (14.5, 14.5), VGA[14], VGA[4], VGA[3], VGA[0])
    c.dots(VGA[15], [(4, 4), (5, 3), (4, 5)])
    return c


TABS = [tab_folder, tab_search]


def strip(drawings, side=SIZE):
    """The pictures drawn side pixels square, side by side in one canvas."""
    out = Canvas(side * len(drawings), side)
    for k, draw in enumerate(drawings):
        out.paste(draw(canvas(side)), k * side, 0)
    return out
