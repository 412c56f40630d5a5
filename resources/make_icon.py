#!/usr/bin/env python3
"""Draws the saver's icon (a red car seen from the side) as resources/varnoka.ico.

Run it again after changing the drawing; the icon file is committed."""
import os
import struct


def inside_car(x, y):
    """Shape in a unit square, y downwards: body, cabin, two wheels."""
    body = 0.08 <= x <= 0.92 and 0.46 <= y <= 0.72
    nose = 0.92 < x <= 0.97 and 0.52 <= y <= 0.70
    cabin = 0.28 <= x <= 0.70 and 0.26 <= y < 0.46 and (x - 0.28) >= (0.46 - y) * 0.6 and (0.70 - x) >= (0.46 - y) * 0.9
    return body or nose or cabin


def wheel(x, y):
    for cx in (0.27, 0.74):
        d2 = (x - cx) ** 2 + (y - 0.74) ** 2
        if d2 <= 0.115 ** 2:
            return "hub" if d2 <= 0.045 ** 2 else "tyre"
    return None


def window(x, y):
    return 0.33 <= x <= 0.65 and 0.31 <= y <= 0.44 and not 0.485 <= x <= 0.515


def pixel(x, y):
    w = wheel(x, y)
    if w == "tyre":
        return (30, 30, 30, 255)
    if w == "hub":
        return (200, 200, 210, 255)
    if window(x, y) and inside_car(x, y):
        return (110, 170, 220, 255)
    if inside_car(x, y):
        shade = 1.0 - 0.35 * max(0.0, y - 0.46) / 0.26
        return (int(210 * shade), int(30 * shade), int(35 * shade), 255)
    return (0, 0, 0, 0)


def image(size):
    samples = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = pixel((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    for i in range(4):
                        acc[i] += c[i]
            n = samples * samples
            r, g, b, a = (v // n for v in acc)
            row.append((r, g, b, a))
        rows.append(row)
    # BMP inside an icon: BITMAPINFOHEADER with doubled height, bottom-up BGRA, then the AND mask.
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


def main():
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "varnoka.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
