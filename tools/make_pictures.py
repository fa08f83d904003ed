#!/usr/bin/env python3
"""Draws Quarvel's pictures into a folder: toolbar, network and tab bitmaps (at 16 pixels and at
the larger sides of high-DPI displays, "toolbar_24.bmp" and the like), two icons, the search
form's animation clip, and the installer's side picture, header and uninstaller icon.

Usage: make_pictures.py OUTPUT_FOLDER
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures"))

import animation  # noqa: E402
import formats  # noqa: E402
import icons  # noqa: E402
import installer  # noqa: E402
import small_images  # noqa: E402

MAGENTA = (255, 0, 255)
APP_ICON_SIZES = (16, 32, 48, 256)
BATCH_SAVE_ICON_SIZES = (16, 32, 48)
UNINSTALL_ICON_SIZES = (16, 32, 48)


def palette_bitmap(drawings, key_rgb, bit_count, palette=None, side=small_images.SIZE):
    """The strip in a palette of bit_count bits; larger sides, whose gradients may use more
    colours than 8 bits hold, fall back to 24 bits (the key colour still marks transparency)."""
    canvas = small_images.strip(drawings, side)
    indices, palette = formats.to_palette(
        canvas.width, canvas.height, canvas.rgba_bytes(), key_rgb, palette
    )
    if len(palette) > 1 << bit_count:
        return formats.rgb_bmp_file(canvas.width, canvas.height, keyed_rgba(canvas, key_rgb))
    return formats.bmp_file(canvas.width, canvas.height, indices, palette, bit_count)


def keyed_rgba(canvas, key_rgb):
    """The canvas's pixels with the transparent ones in the key colour."""
    rgba = bytearray(canvas.rgba_bytes())
    for k in range(0, len(rgba), 4):
        if rgba[k + 3] == 0:
            rgba[k : k + 4] = bytes((*key_rgb, 255))
    return bytes(rgba)


def sized_strips(name, drawings, key_rgb, bit_count, palette=None):
    """name.bmp at the design size, name_<side>.bmp at each larger side."""
    out = {}
    for side in small_images.SIDES:
        file = f"{name}.bmp" if side == small_images.SIZE else f"{name}_{side}.bmp"
        out[file] = lambda side=side: palette_bitmap(drawings, key_rgb, bit_count, palette, side)
    return out


def icon(draw, sizes):
    return formats.ico_file([(size, draw(size).rgba_bytes()) for size in sizes])


def opaque_bitmap(canvas):
    return formats.rgb_bmp_file(canvas.width, canvas.height, canvas.rgba_bytes())


def clip():
    frames = animation.frames()
    width, height = animation.WIDTH, animation.HEIGHT
    # One palette for all frames: index the frames stacked as one tall picture.
    stacked = b"".join(f.rgba_bytes() for f in frames)
    indices, palette = formats.to_palette(
        width, height * len(frames), stacked, animation.BACKGROUND, key_may_be_drawn=True
    )
    per_frame = width * height
    split = [indices[k * per_frame : (k + 1) * per_frame] for k in range(len(frames))]
    return formats.avi_file(width, height, split, palette, animation.MICROSECONDS_PER_FRAME)


def pictures():
    return {
        **sized_strips("toolbar", small_images.TOOLBAR, MAGENTA, 8),
        "toolbar_buttons.bmp": lambda: palette_bitmap(small_images.TOOLBAR_BUTTONS, MAGENTA, 8),
        **sized_strips("network", small_images.NETWORK, MAGENTA, 8),
        **sized_strips("tabs", small_images.TABS, small_images.VGA_LIGHT_GREY, 4, small_images.VGA),
        "quarvel.ico": lambda: icon(icons.app_icon, APP_ICON_SIZES),
        "batch_save.ico": lambda: icon(icons.batch_save_icon, BATCH_SAVE_ICON_SIZES),
        "search.avi": clip,
        "installer_sidebar.bmp": lambda: opaque_bitmap(installer.sidebar()),
        "installer_header.bmp": lambda: opaque_bitmap(installer.header()),
        "uninstall.ico": lambda: icon(installer.uninstall_icon, UNINSTALL_ICON_SIZES),
    }


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, make in pictures().items():
        data = make()
        # Write beside, then rename: an interrupted run never leaves a partial picture.
        path = os.path.join(folder, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
