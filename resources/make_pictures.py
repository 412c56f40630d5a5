#!/usr/bin/env python3
"""Draws the pictures of the Options dialog: music.ico, palette.ico and cars.ico beside their controls,
and banner.bmp across the top; and the installer's: installer/header.bmp and installer/side.bmp.

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

class NightRoad:
    """A car on a road at night: its size, the horizon's row, and where the car is and how big."""

    def __init__(self, width, height, horizon, car_left, car_top, car_scale):
        self.width, self.height, self.horizon = width, height, horizon
        self.car_left, self.car_top, self.car_scale = car_left, car_top, car_scale
        self.headlight = (car_left + 0.96 * car_scale, car_top + 0.56 * car_scale)


# Across the top of the Options dialog, and the installer's header and its first and last pages.
BANNER = NightRoad(342, 62, 45, 214, 8, 60)
INSTALLER_HEADER = NightRoad(150, 57, 41, 28, 6, 55)
INSTALLER_SIDE = NightRoad(164, 314, 258, 20, 190, 110)


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


def scenery(road, x, y):
    """Night sky over a road with a dashed centre line, a few stars, and the car's headlight beam."""
    colour = unlit(road, x, y)
    reach = x - road.headlight[0]
    if reach > 0 and abs(y - road.headlight[1]) <= 1 + reach * 0.22:
        across = abs(y - road.headlight[1]) / (2 + reach * 0.22)
        glow = 90 * (1 - reach / (road.width - road.headlight[0])) * (1 - across)
        colour = tuple(min(255, int(c + glow * k)) for c, k in zip(colour, (1.0, 0.95, 0.7)))
    return colour


def unlit(road, x, y):
    """The scenery in the dark: the sky fades from deep blue to black at the horizon."""
    if y < road.horizon:
        t = y / road.horizon
        colour = (int(22 * (1 - t)) + 3, int(46 * (1 - t)) + 4, int(120 * (1 - t)) + 12)
        seed = (x * 7919 + y * 104729) % 997
        if seed < 4 and y < road.horizon - 8:
            colour = (170, 180, 210)
        return colour
    if y == road.horizon:
        return (140, 140, 150)
    if y - road.horizon in (5, 6) and x % 24 < 14:
        return (210, 200, 130)
    shade = (y - road.horizon) * 2
    return (40 + shade, 40 + shade, 46 + shade)


def night_road(road, text="", text_left=0, text_top=0):
    car = picture_files.sample(
        road.width,
        road.height,
        lambda x, y: make_icon.pixel((x - road.car_left) / road.car_scale, (y - road.car_top) / road.car_scale),
        1,
    )
    lit = text_cells(text, 3)
    rows = []
    for y in range(road.height):
        row = []
        for x in range(road.width):
            # The sampled car is premultiplied by its coverage.
            paint = car[y][x]
            r, g, b = (c + v * (255 - paint[3]) // 255 for v, c in zip(scenery(road, x, y), paint))
            if (x - text_left, y - text_top) in lit:
                r, g, b = (235, 235, 240)
            elif (x - text_left - 1, y - text_top - 1) in lit:
                r, g, b = (0, 0, 0)
            row.append((r, g, b, 255))
        rows.append(row)
    return rows


def main():
    picture_files.write("music.ico", picture_files.draw_icon(music, ICON_SIZES))
    picture_files.write("palette.ico", picture_files.draw_icon(palette, ICON_SIZES))
    picture_files.write("cars.ico", picture_files.draw_icon(cars, ICON_SIZES))
    picture_files.write("banner.bmp", picture_files.bmp_file(night_road(BANNER, "Varnoka", 20, 13)))
    picture_files.write("installer/header.bmp", picture_files.bmp_file(night_road(INSTALLER_HEADER)))
    picture_files.write("installer/side.bmp", picture_files.bmp_file(night_road(INSTALLER_SIDE, "Varnoka", 19, 40)))


if __name__ == "__main__":
    main()
