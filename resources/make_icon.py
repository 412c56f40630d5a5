#!/usr/bin/env python3
"""Draws the saver's icon (a red car seen from the side) as resources/varnoka.ico.

Run it again after changing the drawing; the icon file is committed."""
import picture_files


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


def pixel(x, y, paint=(210, 30, 35)):
    """The car; paint is the colour of its body in the light."""
    w = wheel(x, y)
    if w == "tyre":
        return (30, 30, 30, 255)
    if w == "hub":
        return (200, 200, 210, 255)
    if window(x, y) and inside_car(x, y):
        return (110, 170, 220, 255)
    if inside_car(x, y):
        shade = 1.0 - 0.35 * max(0.0, y - 0.46) / 0.26
        return (int(paint[0] * shade), int(paint[1] * shade), int(paint[2] * shade), 255)
    return (0, 0, 0, 0)


def main():
    picture_files.write("varnoka.ico", picture_files.draw_icon(pixel, (16, 32, 48)))


if __name__ == "__main__":
    main()
