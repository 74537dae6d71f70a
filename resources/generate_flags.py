#!/usr/bin/env python3
"""Draws simplified flags for the language pack into lang/pack/<language key>.flag (PNG bytes).

Every flag is 32 x 24 pixels, 8-bit RGBA, a few hundred bytes: far below the 16000 bytes the
language pack reads of a flag inside a ZIP archive. Stripes sit on whole pixels so they stay sharp.
"""

import math
import os
import sys

from raster import (Border, Canvas, Circle, Intersect, Polygon, Rect, RoundRect, Subtract, Union,
                    linear_gradient, star_points)

WIDTH, HEIGHT = 32, 24
OUTPUT_FOLDER = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), 'lang',
                             'pack')


def stripes(canvas, colours, heights=None, vertical=False):
    count = len(colours)
    extent = WIDTH if vertical else HEIGHT
    if heights is None:
        heights = [extent // count] * count
        for i in range(extent - sum(heights)):  # spread the leftover pixels from the middle out
            heights[(count // 2 + i) % count] += 1
    start = 0
    for paint, size in zip(colours, heights):
        band = Rect(start, 0, start + size, HEIGHT) if vertical else Rect(0, start, WIDTH,
                                                                          start + size)
        canvas.fill(band, paint)
        start += size


def draw_en_gb(canvas):
    canvas.fill(Rect(0, 0, WIDTH, HEIGHT), '#012169')
    cx, cy = WIDTH / 2, HEIGHT / 2
    corners = [(0, 0), (WIDTH, 0), (WIDTH, HEIGHT), (0, HEIGHT)]
    diagonals = []
    red_arms = []
    for corner_x, corner_y in corners:
        dx, dy = corner_x - cx, corner_y - cy
        length = math.hypot(dx, dy)
        dx, dy = dx / length, dy / length
        # The white saltire, and a narrow red band beside its centre line; the band sits on the
        # anticlockwise side of every arm, which gives the pinwheel look of the real flag.
        far = (cx + dx * length * 1.5, cy + dy * length * 1.5)
        nx, ny = -dy, dx
        half = 2.4
        diagonals.append(Polygon([(cx + nx * half, cy + ny * half), (far[0] + nx * half,
                                                                     far[1] + ny * half),
                                  (far[0] - nx * half, far[1] - ny * half),
                                  (cx - nx * half, cy - ny * half)]))
        anticlockwise = (dy, -dx)
        red = 1.6
        red_arms.append(Polygon([(cx, cy), far, (far[0] + anticlockwise[0] * red,
                                                 far[1] + anticlockwise[1] * red),
                                 (cx + anticlockwise[0] * red, cy + anticlockwise[1] * red)]))
    canvas.fill(Union(*diagonals), '#FFFFFF')
    canvas.fill(Union(*red_arms), '#C8102E')
    canvas.fill(Union(Rect(12, 0, 20, HEIGHT), Rect(0, 8, WIDTH, 16)), '#FFFFFF')
    canvas.fill(Union(Rect(14, 0, 18, HEIGHT), Rect(0, 10, WIDTH, 14)), '#C8102E')


def draw_en_us(canvas):
    # Seven stripes instead of thirteen: thirteen cannot sit on whole pixels at this height.
    red, white = '#B22234', '#FFFFFF'
    stripes(canvas, [red, white] * 3 + [red], heights=[3, 4, 3, 4, 3, 4, 3])
    canvas.fill(Rect(0, 0, 14, 14), '#3C3B6E')
    stars = []
    for row in range(3):
        for column in range(3):
            stars.append(Polygon(star_points(2.6 + column * 4.4, 2.6 + row * 4.4, 1.55, 0.65)))
    for row in range(2):
        for column in range(2):
            stars.append(Polygon(star_points(4.8 + column * 4.4, 4.8 + row * 4.4, 1.55, 0.65)))
    canvas.fill(Union(*stars), '#FFFFFF')


def draw_es_es(canvas):
    stripes(canvas, ['#AA151B', '#F1BF00', '#AA151B'], heights=[6, 12, 6])
    # A much simplified coat of arms: a crowned shield on the hoist side of the yellow band.
    shield = Union(Rect(7, 10, 13, 14.5), Circle(10, 14.5, 3))
    canvas.fill(shield, '#AD1519')
    canvas.fill(Intersect(shield, Union(Rect(10, 10, 13, 12.5), Rect(7, 12.5, 10, 18))),
                '#E8D5B0')
    canvas.fill(Border(shield, 0.8), '#6E4A12')
    canvas.fill(Polygon([(7, 9.5), (7.5, 7), (9, 8.5), (10, 6.5), (11, 8.5), (12.5, 7),
                         (13, 9.5)]), '#C8912A')


def draw_pt_br(canvas):
    canvas.fill(Rect(0, 0, WIDTH, HEIGHT), '#009C3B')
    canvas.fill(Polygon([(16, 2.5), (29.5, 12), (16, 21.5), (2.5, 12)]), '#FEDF00')
    disc = Circle(16, 12, 5.6)
    canvas.fill(disc, '#002776')
    band = Subtract(Circle(13, 23, 12.2), Circle(13, 23, 10.9))
    canvas.fill(Intersect(disc, band), '#FFFFFF')
    for x, y in ((14.5, 14.5), (17.5, 15.5), (16, 16.5), (19, 13.8), (13, 13.6)):
        canvas.fill(Circle(x, y, 0.5), '#FFFFFF', opacity=0.9)


def draw_ja_jp(canvas):
    canvas.fill(Rect(0, 0, WIDTH, HEIGHT), '#FFFFFF')
    canvas.fill(Circle(16, 12, 7.2), '#BC002D')


FLAGS = {
    'en_GB': draw_en_gb,
    'en_US': draw_en_us,
    'de_DE': lambda c: stripes(c, ['#000000', '#DD0000', '#FFCE00']),
    'fr_FR': lambda c: stripes(c, ['#0055A4', '#FFFFFF', '#EF4135'], heights=[11, 10, 11],
                               vertical=True),
    'it_IT': lambda c: stripes(c, ['#009246', '#FFFFFF', '#CE2B37'], heights=[11, 10, 11],
                               vertical=True),
    'es_ES': draw_es_es,
    'pt_BR': draw_pt_br,
    'nl_NL': lambda c: stripes(c, ['#AE1C28', '#FFFFFF', '#21468B']),
    'ru_RU': lambda c: stripes(c, ['#FFFFFF', '#0039A6', '#D52B1E']),
    'ja_JP': draw_ja_jp,
}


def draw_flag(draw):
    canvas = Canvas(WIDTH, HEIGHT)
    draw(canvas)
    cloth = RoundRect(0, 0, WIDTH, HEIGHT, 1.0)
    # A light sheen and a faint edge, so that white flags still stand out on a white menu.
    canvas.fill(cloth, linear_gradient(0, 0, 0, HEIGHT, [(0, '#FFFFFF30'), (0.5, '#FFFFFF00'),
                                                         (1, '#00000018')]))
    canvas.fill(Border(cloth, 1.0), '#000000', opacity=0.28)
    canvas.mask(cloth)
    return canvas


def main():
    os.makedirs(OUTPUT_FOLDER, exist_ok=True)
    wanted = set(sys.argv[1:])
    for key, draw in FLAGS.items():
        if wanted and key not in wanted:
            continue
        path = os.path.join(OUTPUT_FOLDER, key + '.flag')
        draw_flag(draw).save(path)
        print(path)


if __name__ == '__main__':
    main()
