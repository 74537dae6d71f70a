#!/usr/bin/env python3
"""Draws the program's built-in images into resources/images/ as 8-bit RGBA PNG files.

The PNG files are committed, so building the program never needs Python; run this again after
changing a drawing. The output is deterministic: unchanged drawings give identical bytes.
"""

import os
import sys

from raster import (Border, Canvas, Circle, Ellipse, Intersect, Offset, Polygon, Rect, RoundRect,
                    Stroke, Subtract, Transformed, Union, arc_points, bezier_points,
                    inset_convex, linear_gradient, radial_gradient, rounded_polygon)

OUTPUT_FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'images')


# ---------------------------------------------------------------------------------------------
# 0: the logo, a white hash sign on a dark red rounded square. Also the desktop icon.


def draw_logo():
    canvas = Canvas(128, 128)
    tile = RoundRect(6, 5, 122, 121, 26)
    canvas.fill(Transformed(tile, dy=2.5), '#000000', opacity=0.28, softness=5)
    canvas.fill(tile, linear_gradient(0, 5, 0, 121, [(0, '#C0303A'), (0.55, '#99161F'),
                                                     (1, '#760C14')]))
    # A soft sheen over the upper half gives the tile some depth without a hard reflection.
    sheen = Intersect(tile, Ellipse(64, 8, 96, 60))
    canvas.fill(sheen, linear_gradient(0, 5, 0, 68, [(0, '#FFFFFF30'), (1, '#FFFFFF00')]))
    canvas.fill(Border(Offset(tile, -1), 1.2), linear_gradient(0, 5, 0, 121, [
        (0, '#FFFFFF55'), (0.5, '#FFFFFF10'), (1, '#FFFFFF00')]))
    canvas.fill(Border(tile, 1.2), '#5A070D', opacity=0.85)

    bar = 13.5
    slant = 7.0
    top, bottom = 27.0, 101.0
    verticals = []
    for centre in (51.0, 79.0):
        verticals.append(rounded_polygon([
            (centre + slant - bar / 2, top), (centre + slant + bar / 2, top),
            (centre - slant + bar / 2, bottom), (centre - slant - bar / 2, bottom)], 2.5))
    horizontals = [RoundRect(27, y - bar / 2, 101, y + bar / 2, 2.5) for y in (51.5, 77.5)]
    hash_sign = Union(*verticals, *horizontals)
    canvas.fill(Transformed(hash_sign, dy=2.5), '#3A0006', opacity=0.45, softness=3.5)
    canvas.fill(hash_sign, linear_gradient(0, top, 0, bottom, [(0, '#FFFFFF'),
                                                                (1, '#EEDFE0')]))
    return canvas


# ---------------------------------------------------------------------------------------------
# 1: a blue globe (menu item "web").


def draw_web():
    # Drawn on the 15 x 15 pixel grid centred on pixel 7 so that every grid line is one sharp
    # pixel wide; the last column and row stay empty.
    canvas = Canvas(16, 16)
    cx = cy = 7.5
    globe = Circle(cx, cy, 7.5)
    canvas.fill(globe, radial_gradient(5, 4.5, 11, [(0, '#93D3FF'), (0.55, '#3C8DE0'),
                                                    (1, '#1B56A8')]))
    grid = Union(
        Ellipse(cx, cy, 4.5, 8) - Ellipse(cx, cy, 3.5, 7),
        Rect(7, 0, 8, 15),
        Rect(0, 7, 15, 8),
        Rect(0, 3, 15, 4),
        Rect(0, 11, 15, 12),
    )
    canvas.fill(Intersect(grid, globe), '#FFFFFF', opacity=0.55)
    canvas.fill(Border(globe, 1.0), '#17497F')
    return canvas


# ---------------------------------------------------------------------------------------------
# 3: a light bulb (notice dialogs).


def draw_bulb():
    canvas = Canvas(64, 64)
    glass = Union(Circle(32, 23, 17.5), rounded_polygon([(19, 30), (45, 30), (39.5, 46),
                                                         (24.5, 46)], 2))
    canvas.fill(Circle(32, 23, 24), radial_gradient(32, 23, 24, [
        (0, '#FFE96A80'), (0.7, '#FFE96A30'), (1, '#FFE96A00')]))
    canvas.fill(glass, radial_gradient(26, 16, 30, [(0, '#FFFDE8'), (0.35, '#FFEC7A'),
                                                    (0.8, '#F8C21B'), (1, '#E9A400')]))
    filament = Stroke([(28, 46), (28, 35), (29.5, 31), (31, 35), (32.5, 31), (34, 35), (35.5, 31),
                       (36, 35), (36, 46)], 1.4)
    canvas.fill(filament, '#B8650A', opacity=0.9)
    canvas.fill(Border(glass, 1.6), '#A86E00')
    canvas.fill(Transformed(Ellipse(24.5, 16, 4, 7), degrees=35, cx=24.5, cy=16), '#FFFFFF',
                opacity=0.75)

    base = RoundRect(23, 45, 41, 56, 2)
    metal = linear_gradient(23, 0, 41, 0, [(0, '#8C8C8C'), (0.35, '#E6E6E6'), (0.6, '#C4C4C4'),
                                           (1, '#6E6E6E')])
    canvas.fill(base, metal)
    for y in (48.5, 52.5):
        canvas.fill(Stroke([(23.5, y), (40.5, y + 1.2)], 1.3), '#5A5A5A', opacity=0.8)
    canvas.fill(Border(base, 1.2), '#4A4A4A')
    tip = RoundRect(27.5, 55, 36.5, 60, 2.5)
    canvas.fill(tip, '#3F3F3F')
    return canvas


# ---------------------------------------------------------------------------------------------
# 4: a blue question mark (question dialogs).


def draw_question():
    canvas = Canvas(64, 64)
    hook = (arc_points(32, 20, 12.5, 160, 360, 40) +
            bezier_points((44.5, 20), (44.5, 29), (32, 29), (32, 38), 24)[1:] + [(32, 42)])
    question = Union(Stroke(hook, 10.5), Circle(32, 54.5, 6))
    canvas.fill(Transformed(question, dy=1.5), '#0A2A5E', opacity=0.3, softness=3)
    canvas.fill(Offset(question, 1.4), '#103E8A')
    canvas.fill(question, linear_gradient(0, 5, 0, 60, [(0, '#6DB6FF'), (0.5, '#2F7FE0'),
                                                        (1, '#1B5EC2')]))
    shine = Intersect(question, Stroke(arc_points(32, 20, 14.5, 190, 300, 20), 2.5))
    canvas.fill(shine, '#FFFFFF', opacity=0.55)
    return canvas


# ---------------------------------------------------------------------------------------------
# 5: a red-edged warning triangle with an exclamation mark (warning dialogs).


def draw_warning():
    canvas = Canvas(64, 64)
    corners = [(32, 4), (61, 57), (3, 57)]
    triangle = rounded_polygon(corners, 5)
    canvas.fill(Transformed(triangle, dy=1.5), '#000000', opacity=0.25, softness=3)
    canvas.fill(triangle, linear_gradient(0, 4, 0, 57, [(0, '#F0474B'), (1, '#C4161C')]))
    inner = rounded_polygon(inset_convex(corners, 7), 2.5)
    canvas.fill(inner, linear_gradient(0, 14, 0, 52, [(0, '#FFFFFF'), (1, '#FFF4E0')]))
    canvas.fill(Border(triangle, 1.2), '#8A0A0F')

    mark = Union(rounded_polygon([(28.5, 22), (35.5, 22), (34, 42), (30, 42)], 1.5),
                 Circle(32, 48, 3.6))
    canvas.fill(mark, '#262626')
    return canvas


# ---------------------------------------------------------------------------------------------
# 6: a document over an open tray (menu item "open").


def draw_menu_open():
    canvas = Canvas(16, 16)
    # The inside of the tray, seen from slightly above, behind the page.
    canvas.fill(Polygon([(2, 8), (14, 8), (15, 11), (1, 11)]), '#9C6A1E')
    # The document, its lower end standing in the tray.
    page = Polygon([(4, 1), (10, 1), (12, 3), (12, 12), (4, 12)])
    canvas.fill(page, '#FFFFFF')
    canvas.fill(Border(page, 1.0), '#6F6F6F')
    canvas.fill(Polygon([(9.5, 1), (10, 1), (12, 3), (12, 3.5), (9.5, 3.5)]), '#6F6F6F')
    for y in (4, 6, 8):
        canvas.fill(Rect(6, y, 10, y + 1), '#9DB0C6')
    # The front wall, wider at the rim than at the floor.
    front = Polygon([(1, 10), (15, 10), (14, 15), (2, 15)])
    canvas.fill(front, linear_gradient(0, 10, 0, 15, [(0, '#F6CB6E'), (1, '#DDA23A')]))
    canvas.fill(Border(front, 1.0), '#8A5A12')
    return canvas


# ---------------------------------------------------------------------------------------------
# 7: a white "i" on a blue disc (menu item "about").


def draw_menu_about():
    canvas = Canvas(16, 16)
    disc = Circle(8, 8, 7.5)
    canvas.fill(disc, linear_gradient(0, 0.5, 0, 15.5, [(0, '#5AA2F0'), (1, '#1B58B0')]))
    canvas.fill(Border(disc, 1.0), '#154A93')
    # Whole-pixel strokes with a clear row between dot and stem keep the letter sharp at 16 px.
    canvas.fill(RoundRect(7, 3, 9, 5, 0.6), '#FFFFFF')
    canvas.fill(Union(Rect(7, 6, 9, 12), Rect(6, 6, 7, 7), Rect(6, 11, 10, 12)), '#FFFFFF')
    return canvas


# ---------------------------------------------------------------------------------------------
# 8: a red and white life buoy (menu item "help").


def draw_menu_help():
    canvas = Canvas(16, 16)
    outer = Circle(8, 8, 7.5)
    hole = Circle(8, 8, 3.5)
    ring = Subtract(outer, hole)
    canvas.fill(ring, '#FFFFFF')
    bands = Union(Rect(6, 0, 10, 16), Rect(0, 6, 16, 10))
    canvas.fill(Intersect(ring, bands), '#E0282E')
    edge = '#8C2A2D'
    canvas.fill(Border(outer, 1.0), edge)
    canvas.fill(Subtract(Circle(8, 8, 4.5), hole), edge)
    return canvas


# ---------------------------------------------------------------------------------------------
# 9: a door with a red arrow pointing out (menu item "quit").


def draw_menu_quit():
    canvas = Canvas(16, 16)
    frame = Rect(2, 1, 11, 15)
    canvas.fill(frame, '#6B4A2E')
    canvas.fill(Rect(3, 2, 10, 15), '#2E2A28')
    # The door leaf, swung open towards the viewer on its left hinge.
    leaf = Polygon([(3, 2), (7, 3.5), (7, 15.5), (3, 15)])
    canvas.fill(leaf, linear_gradient(3, 0, 7, 0, [(0, '#C98F58'), (1, '#A36B37')]))
    canvas.fill(Border(leaf, 0.9), '#6B4A2E')
    canvas.fill(Circle(6, 9, 0.7), '#F3D27A')
    arrow = Union(Rect(8, 7, 12, 10), Polygon([(11, 3.5), (15.5, 8.5), (11, 13.5)]))
    canvas.fill(Offset(arrow, 0.8), '#FFFFFF', opacity=0.9)
    canvas.fill(arrow, linear_gradient(0, 4, 0, 13, [(0, '#F0484C'), (1, '#C01A20')]))
    return canvas


# ---------------------------------------------------------------------------------------------
# 10..13: the row states, plain squares that tell apart at a glance.


def row_square(fill_top, fill_bottom, edge):
    def draw():
        canvas = Canvas(16, 16)
        square = RoundRect(2, 2, 14, 14, 1.0)
        canvas.fill(square, linear_gradient(0, 2, 0, 14, [(0, fill_top), (1, fill_bottom)]))
        canvas.fill(Border(square, 1.0), edge)
        return canvas

    return draw


IMAGES = [
    (0, 'logo', draw_logo),
    (1, 'web', draw_web),
    (3, 'bulb', draw_bulb),
    (4, 'question', draw_question),
    (5, 'warning', draw_warning),
    (6, 'menu_open', draw_menu_open),
    (7, 'menu_about', draw_menu_about),
    (8, 'menu_help', draw_menu_help),
    (9, 'menu_quit', draw_menu_quit),
    (10, 'row_busy', row_square('#5C9BEA', '#2F6FCB', '#1F4F99')),
    (11, 'row_done', row_square('#5CC766', '#2E9A3C', '#1F6E2A')),
    (12, 'row_queued', row_square('#EFEFEF', '#D6D6D6', '#9A9A9A')),
    (13, 'row_failed', row_square('#F0595C', '#CC2A2F', '#8E1418')),
]


def main():
    os.makedirs(OUTPUT_FOLDER, exist_ok=True)
    wanted = set(sys.argv[1:])
    for number, name, draw in IMAGES:
        if wanted and name not in wanted:
            continue
        path = os.path.join(OUTPUT_FOLDER, '%02d_%s.png' % (number, name))
        draw().save(path)
        print(path)


if __name__ == '__main__':
    main()
