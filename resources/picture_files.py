"""Shared helpers of the picture scripts: sampling a drawing into pixels and writing .ico and .bmp files.

A drawing is a function (x, y) -> (r, g, b, a); a picture is a list of rows of (r, g, b, a), top row first."""
import os
import struct

SAMPLES = 4


def sample(width, height, pixel, unit):
    """Averages SAMPLES x SAMPLES points per pixel; the drawing sees pixel coordinates divided by unit.

    Transparent samples count as black, so the averaged colour is alpha-premultiplied at the edges."""
    n = SAMPLES * SAMPLES
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = pixel((px + (sx + 0.5) / SAMPLES) / unit, (py + (sy + 0.5) / SAMPLES) / unit)
                    for i in range(4):
                        acc[i] += c[i]
            row.append(tuple(v // n for v in acc))
        rows.append(row)
    return rows


def icon_image(rows):
    """One square image of an icon: BITMAPINFOHEADER with doubled height, bottom-up BGRA, then the AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def icon_file(pictures):
    """An .ico holding the given square pictures, in the order given."""
    images = [icon_image(rows) for rows in pictures]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, data in zip(pictures, images):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def draw_icon(pixel, sizes):
    """An .ico of the drawing, which sees the unit square (y downwards), at each size."""
    return icon_file([sample(s, s, pixel, s) for s in sizes])


def bmp_file(rows):
    """A 24-bit BMP of the opaque picture: bottom-up BGR rows padded to four bytes."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r)) for (r, g, b, _) in row)
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return file_header + info + bytes(pixels)


def write(name, data):
    """Writes the file beside these scripts."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with open(path, "wb") as f:
        f.write(data)
