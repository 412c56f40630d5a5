#!/usr/bin/env python3
"""Draws the pictures of the Options dialog: music.ico, palette.ico and cars.ico beside their controls,
and banner.bmp across the top.

Run it again after changing a drawing; the pictures are committed."""
import math

import make_icon
import picture_files

CLEAR = (0, 0, 0, 0)
ICON_SIZES = (32, 16)


def in_ellipse(x, y, cx, cy, rx, ry, turn=0.0):
    c, s = math.cos(turn), math.sin(turn)
    u, v = (x - cx) * c + (y - cy) * s, (y - cy) * c - (x - cx) * s
    return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0


def in_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def music(x, y):
    """Two beamed quavers in ink blue, lighter towards the top."""
    heads = in_ellipse(x, y, 0.27, 0.79, 0.16, 0.115, -0.4) or in_ellipse(x, y, 0.72, 0.69, 0.16, 0.115, -0.4)
    stems = (0.365 <= x <= 0.43 and 0.20 <= y <= 0.78) or (0.815 <= x <= 0.88 and 0.10 <= y <= 0.68)
    beam_top = 0.17 - (x - 0.365) * 0.2
    beam = 0.365 <= x <= 0.88 and beam_top <= y <= beam_top + 0.13
    if heads or stems or beam:
        light = 1.0 - y
        return (int(20 + 50 * light), int(30 + 60 * light), int(90 + 90 * light), 255)
    return CLEAR


def palette(x, y):
    """A wooden palette with a thumb hole, a notch and five dabs of paint."""

    def board(inset):
        return (
            in_ellipse(x, y, 0.5, 0.52, 0.47 - inset, 0.40 - inset, -0.25)
            and not in_circle(x, y, 0.83, 0.80, 0.15 + inset)
            and not in_circle(x, y, 0.33, 0.70, 0.075 + inset)
        )

    if not board(0.0):
        return CLEAR
    dabs = (
        ((0.25, 0.42), (220, 40, 40)),
        ((0.43, 0.27), (250, 210, 40)),
        ((0.66, 0.26), (50, 170, 70)),
        ((0.80, 0.45), (40, 90, 220)),
        ((0.57, 0.52), (245, 245, 245)),
    )
    for (cx, cy), colour in dabs:
        if in_circle(x, y, cx, cy, 0.095):
            return colour + (255,)
    if not board(0.05):
        return (120, 75, 35, 255)
    return (215, 165, 100, 255)


def cars(x, y):
    """A red car with a blue one behind it, further away."""
    front = make_icon.pixel((x - 0.24) / 0.78, (y - 0.32) / 0.78)
    if front[3]:
        return front
    return make_icon.pixel((x + 0.05) / 0.62, (y - 0.10) / 0.62, paint=(40, 90, 210))


# The letters of the banner, five columns by seven rows.
GLYPHS = {
    "V": ("#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."),
    "a": (".....", ".....", ".###.", "....#", ".####", "#...#", ".####"),
    "r": (".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."),
    "n": (".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"),
    "o": (".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."),
    "k": ("#....", "#....", "#...#", "#..#.", "###..", "#..#.", "#...#"),
}

BANNER_WIDTH, BANNER_HEIGHT = 342, 62
HORIZON = 45
CAR_LEFT, CAR_TOP, CAR_SCALE = 214, 8, 60
HEADLIGHT = (CAR_LEFT + 0.96 * CAR_SCALE, CAR_TOP + 0.56 * CAR_SCALE)


def text_cells(text, scale):
    """The lit (column, row) cells of the text, each glyph cell scale pixels square, one column apart."""
    cells = set()
    for i, letter in enumerate(text):
        for row, line in enumerate(GLYPHS[letter]):
            for column, mark in enumerate(line):
                if mark == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            cells.add((i * 6 * scale + column * scale + dx, row * scale + dy))
    return cells


def scenery(x, y):
    """Night sky over a road with a dashed centre line, a few stars, and the car's headlight beam."""
    colour = unlit(x, y)
    reach = x - HEADLIGHT[0]
    if reach > 0 and abs(y - HEADLIGHT[1]) <= 1 + reach * 0.22:
        glow = 90 * (1 - reach / (BANNER_WIDTH - HEADLIGHT[0])) * (1 - abs(y - HEADLIGHT[1]) / (2 + reach * 0.22))
        colour = tuple(min(255, int(c + glow * k)) for c, k in zip(colour, (1.0, 0.95, 0.7)))
    return colour


def unlit(x, y):
    """The scenery in the dark: the sky fades from deep blue to black at the horizon."""
    if y < HORIZON:
        t = y / HORIZON
        colour = (int(22 * (1 - t)) + 3, int(46 * (1 - t)) + 4, int(120 * (1 - t)) + 12)
        seed = (x * 7919 + y * 104729) % 997
        if seed < 4 and y < HORIZON - 8:
            colour = (170, 180, 210)
        return colour
    if y == HORIZON:
        return (140, 140, 150)
    if y in (50, 51) and x % 24 < 14:
        return (210, 200, 130)
    shade = (y - HORIZON) * 2
    return (40 + shade, 40 + shade, 46 + shade)


def banner():
    car = picture_files.sample(
        BANNER_WIDTH,
        BANNER_HEIGHT,
        lambda x, y: make_icon.pixel((x - CAR_LEFT) / CAR_SCALE, (y - CAR_TOP) / CAR_SCALE),
        1,
    )
    text = text_cells("Varnoka", 3)
    text_left, text_top = 20, 13
    rows = []
    for y in range(BANNER_HEIGHT):
        row = []
        for x in range(BANNER_WIDTH):
            # The sampled car is premultiplied by its coverage.
            paint = car[y][x]
            r, g, b = (c + v * (255 - paint[3]) // 255 for v, c in zip(scenery(x, y), paint))
            if (x - text_left, y - text_top) in text:
                r, g, b = (235, 235, 240)
            elif (x - text_left - 1, y - text_top - 1) in text:
                r, g, b = (0, 0, 0)
            row.append((r, g, b, 255))
        rows.append(row)
    return rows


def main():
    picture_files.write("music.ico", picture_files.draw_icon(music, ICON_SIZES))
    picture_files.write("palette.ico", picture_files.draw_icon(palette, ICON_SIZES))
    picture_files.write("cars.ico", picture_files.draw_icon(cars, ICON_SIZES))
    picture_files.write("banner.bmp", picture_files.bmp_file(banner()))


if __name__ == "__main__":
    main()
