"""Writers for the picture files the resource script embeds: BMP, ICO (with PNG), PNG and AVI."""

import struct
import zlib


def _info_header(width, height, bit_count, image_size, colours_used, pels_per_metre=2835):
    resolution = (pels_per_metre, pels_per_metre)
    return struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, bit_count, 0, image_size, *resolution, colours_used, 0
    )


def _palette_bytes(palette, count):
    out = bytearray()
    for r, g, b in palette:
        out += bytes((b, g, r, 0))
    out += bytes(4 * (count - len(palette)))
    return bytes(out)


def _row_stride(width, bit_count):
    return (width * bit_count + 31) // 32 * 4


def palette_pixels(width, height, indices, bit_count):
    """Bottom-up DIB rows of 8- or 4-bit palette indices, padded to 32 bits."""
    stride = _row_stride(width, bit_count)
    out = bytearray()
    for j in reversed(range(height)):
        row = indices[j * width : (j + 1) * width]
        if bit_count == 8:
            packed = bytes(row)
        else:
            padded = list(row) + [0] * (len(row) % 2)
            packed = bytes((padded[k] << 4) | padded[k + 1] for k in range(0, len(padded), 2))
        out += packed + bytes(stride - len(packed))
    return bytes(out)


def bmp_file(width, height, indices, palette, bit_count):
    """A palette bitmap file, 8 or 4 bits per pixel, with at most 2^bit_count colours."""
    assert len(palette) <= 1 << bit_count
    colours = len(palette) if bit_count == 8 else 16
    pixels = palette_pixels(width, height, indices, bit_count)
    header = _info_header(width, height, bit_count, len(pixels), colours)
    offset = 14 + len(header) + 4 * colours
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + header + _palette_bytes(palette, colours) + pixels


def rgb_bmp_file(width, height, rgba):
    """A 24-bit bitmap file from top-down RGBA rows of an opaque picture (alpha is dropped)."""
    stride = _row_stride(width, 24)
    pixels = bytearray()
    for j in reversed(range(height)):
        row = rgba[j * width * 4 : (j + 1) * width * 4]
        for i in range(width):
            r, g, b = row[i * 4 : i * 4 + 3]
            pixels += bytes((b, g, r))
        pixels += bytes(stride - width * 3)
    header = _info_header(width, height, 24, len(pixels), 0)
    offset = 14 + len(header)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + header + bytes(pixels)


def png_file(width, height, rgba):
    """An 8-bit RGBA PNG from top-down RGBA rows."""

    def chunk(kind, data):
        crc = zlib.crc32(kind + data)
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)

    stride = width * 4
    raw = b"".join(b"\x00" + rgba[j * stride : (j + 1) * stride] for j in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", ihdr)
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )


def _icon_dib(size, rgba):
    """One icon image: a 32-bit colour DIB with alpha, then the AND mask (set where transparent)."""
    colour = bytearray()
    mask = bytearray()
    mask_stride = _row_stride(size, 1)
    for j in reversed(range(size)):
        row = rgba[j * size * 4 : (j + 1) * size * 4]
        bits = bytearray(mask_stride)
        for i in range(size):
            r, g, b, a = row[i * 4 : i * 4 + 4]
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bits
    header = _info_header(size, size * 2, 32, len(colour) + len(mask), 0, pels_per_metre=0)
    return header + bytes(colour) + bytes(mask)


def ico_file(images):
    """An icon file from (size, rgba) pairs; a 256-pixel image is stored as PNG."""
    entries = []
    for size, rgba in images:
        data = png_file(size, size, rgba) if size >= 256 else _icon_dib(size, rgba)
        entries.append((size, data))
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    body = b""
    for size, data in entries:
        dim = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    return directory + body


def avi_file(width, height, frames, palette, microseconds_per_frame):
    """An uncompressed 8-bit AVI: one video stream, every frame a key frame, with an index."""

    def chunk(fourcc, data):
        return fourcc + struct.pack("<I", len(data)) + data + (b"\x00" if len(data) % 2 else b"")

    def riff_list(kind, fourcc, data):
        return kind + struct.pack("<I", len(data) + 4) + fourcc + data

    frame_bytes = [palette_pixels(width, height, f, 8) for f in frames]
    frame_size = len(frame_bytes[0])
    rate = 1_000_000
    avih = struct.pack(
        "<IIIIIIIIII16x",
        microseconds_per_frame,
        frame_size * rate // microseconds_per_frame,
        0,
        0x10,  # AVIF_HASINDEX
        len(frames),
        0,
        1,
        frame_size,
        width,
        height,
    )
    strh = struct.pack(
        "<4s4sIHHIIIIIIIIhhhh",
        b"vids",
        b"\x00\x00\x00\x00",
        0,
        0,
        0,
        0,
        microseconds_per_frame,
        rate,
        0,
        len(frames),
        frame_size,
        0xFFFFFFFF,
        0,
        0,
        0,
        width,
        height,
    )
    strf = _info_header(width, height, 8, frame_size, len(palette))
    strf += _palette_bytes(palette, len(palette))
    stream_list = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    header_list = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + stream_list)
    movi_data = b""
    index = b""
    for data in frame_bytes:
        # Index offsets count from the "movi" fourcc.
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_data), len(data))
        movi_data += chunk(b"00db", data)
    body = header_list + riff_list(b"LIST", b"movi", movi_data) + chunk(b"idx1", index)
    return riff_list(b"RIFF", b"AVI ", body)


def to_palette(width, height, rgba, key_rgb, palette=None, key_may_be_drawn=False):
    """Palette indices of a picture whose pixels are opaque or fully transparent.

    Transparent pixels take the key colour, which the picture must not use otherwise unless
    key_may_be_drawn (a background painted in the key colour on purpose). Without a
    palette one is built from the colours used, the key colour first; with one, every colour used
    must be in it. Returns (indices, palette).
    """
    key = tuple(key_rgb)
    fixed = palette is not None
    palette = list(palette) if fixed else [key]
    lookup = {rgb: k for k, rgb in enumerate(palette)}
    indices = []
    for k in range(width * height):
        r, g, b, a = rgba[k * 4 : k * 4 + 4]
        rgb = key if a == 0 else (r, g, b)
        if a != 0 and rgb == key and not key_may_be_drawn:
            raise ValueError(f"pixel {k % width},{k // width} uses the transparent colour {key}")
        if rgb not in lookup:
            if fixed:
                raise ValueError(f"colour {rgb} is not in the palette")
            lookup[rgb] = len(palette)
            palette.append(rgb)
        indices.append(lookup[rgb])
    return indices, palette
