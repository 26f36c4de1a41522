#!/usr/bin/env python3
"""Rewrites an 8-bit RGBA PNG (as the SVG renderer writes it) as a 32-bit BMP with an alpha mask.

The program decodes its window icon at every start; a BMP needs no image library or decompressor
loaded for it, where a PNG brings both into memory for the rest of the run.
Usage: png_to_bmp.py IN.png OUT.bmp
"""
import struct
import sys
import zlib


def read_rgba(path):
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit(f'{path}: not a PNG')
    pos, header, idat = 8, None, b''
    while pos + 8 <= len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        elif kind == b'IEND':
            break
    if header is None:
        sys.exit(f'{path}: no header')
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        sys.exit(f'{path}: only 8-bit RGBA without interlacing is handled')
    raw = zlib.decompress(idat)
    stride = width * 4
    if len(raw) != height * (stride + 1):
        sys.exit(f'{path}: image data of the wrong size')
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - 4] if i >= 4 else 0
            b = previous[i]
            c = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                row[i] = (row[i] + a) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + b) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
            elif kind != 0:
                sys.exit(f'{path}: unknown row filter {kind}')
        rows.append(bytes(row))
        previous = row
    return width, height, rows


def write_bmp(path, width, height, rows):
    pixels = bytearray()
    for row in reversed(rows):  # bottom row first
        for i in range(0, len(row), 4):
            r, g, b, a = row[i:i + 4]
            pixels += bytes((b, g, r, a))
    info = struct.pack('<IiiHHIIiiII', 124, width, height, 1, 32, 3, len(pixels), 3780, 3780, 0, 0)
    masks = struct.pack('<IIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    info += masks + b'sRGB' + bytes(124 - len(info) - len(masks) - 4)
    offset = 14 + len(info)
    with open(path, 'wb') as out:
        out.write(b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) + info + pixels)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_bmp(sys.argv[2], *read_rgba(sys.argv[1]))
