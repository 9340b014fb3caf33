"""Vector drawings of the three ships, seen from above. Each is drawn facing
right (+x) in frame pixels around the frame's centre; lighting is applied in
screen space by path_fill_lit, so a rotated ship is still lit from the
top-left."""
import math

import numpy as np

from kh_common import (PAL, path_fill, path_fill_lit, path_stroke, shade)

OUT = PAL["outline"]


def _hull(ctx, half_len, beam, stern):
    L = half_len
    ctx.new_path()
    ctx.move_to(-L, -stern)
    ctx.curve_to(-L * 0.25, -beam * 1.08, L * 0.40, -beam * 0.95, L, 0)
    ctx.curve_to(L * 0.40, beam * 0.95, -L * 0.25, beam * 1.08, -L, stern)
    ctx.curve_to(-L - 2.2, stern * 0.5, -L - 2.2, -stern * 0.5, -L, -stern)
    ctx.close_path()


def _ellipse(ctx, x, y, rx, ry):
    ctx.new_path()
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(rx, ry)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()


def wake(ctx, half_len, beam, phase, spread=1.0):
    """Foam trailing from the stern and curling off the bow; phase 0..1 moves
    the foam blobs aft so four frames loop."""
    foam = PAL["foam"]
    # stern trail: two lines of blobs diverging backward
    for side in (-1, 1):
        for i in range(4):
            t = (i + phase) / 4.0
            x = -half_len - 1.0 - t * 7.5
            y = side * (beam * 0.45 + t * 5.5 * spread)
            r = 2.3 - t * 1.1
            _ellipse(ctx, x, y, r * 1.3, r)
            path_fill(ctx, foam)
    _ellipse(ctx, -half_len - 1.5, 0, 2.6, beam * 0.45)
    path_fill(ctx, shade(foam, -0.05))
    # bow wave: short arcs along both sides of the bow
    for side in (-1, 1):
        for i in range(3):
            t = ((i + phase) / 3.0) % 1.0
            x = half_len * (0.78 - t * 0.55)
            y = side * (beam * (0.55 + t * 0.55) + 1.6)
            _ellipse(ctx, x, y, 2.2 - t, 1.2 - t * 0.5)
            path_fill(ctx, foam)


def _planks(ctx, half_len, beam, color):
    ctx.save()
    _hull(ctx, half_len * 0.86, beam * 0.74, beam * 0.5)
    ctx.clip()
    ctx.new_path()
    for k in range(-4, 5):
        y = k * beam * 0.19
        ctx.move_to(-half_len, y)
        ctx.line_to(half_len, y)
    ctx.set_source_rgba(*[c / 255.0 for c in color], 0.55)
    ctx.set_line_width(0.45)
    ctx.stroke()
    ctx.restore()


def _square_sail(ctx, xm, span, bulge, cloth, stripe):
    """A square sail seen from above: a fat crescent bellied toward the bow."""
    ctx.new_path()
    ctx.move_to(xm - 2.0, -span)
    ctx.curve_to(xm + bulge, -span * 0.62, xm + bulge, span * 0.62, xm - 2.0, span)
    ctx.curve_to(xm + 1.5, span * 0.4, xm + 1.5, -span * 0.4, xm - 2.0, -span)
    ctx.close_path()
    path_fill_lit(ctx, cloth, 0.3, 0.32)
    path_stroke(ctx, OUT, 0.9)
    if stripe is not None:
        ctx.new_path()
        ctx.move_to(xm - 1.0, -span * 0.55)
        ctx.curve_to(xm + bulge * 0.78, -span * 0.3, xm + bulge * 0.78, span * 0.3,
                     xm - 1.0, span * 0.55)
        ctx.set_source_rgba(*[c / 255.0 for c in stripe], 1)
        ctx.set_line_width(1.6)
        ctx.stroke()
    # the yard
    ctx.new_path()
    ctx.move_to(xm - 2.3, -span - 1.2)
    ctx.line_to(xm - 2.3, span + 1.2)
    ctx.set_source_rgba(*[c / 255.0 for c in PAL["wood_dark"]], 1)
    ctx.set_line_width(1.3)
    ctx.stroke()


def _mast_top(ctx, x, y=0.0, r=1.6):
    _ellipse(ctx, x, y, r, r)
    path_fill(ctx, PAL["wood_dark"])


def _pennant(ctx, x, color, phase, length=9.0, side=1):
    wob = math.sin(phase * 2 * math.pi) * 1.4
    ctx.new_path()
    ctx.move_to(x, -1.0)
    ctx.curve_to(x - length * 0.4, -1.0 + wob, x - length * 0.7, 0.5 - wob,
                 x - length, 0.3 + wob * 0.6)
    ctx.curve_to(x - length * 0.7, 1.6 - wob, x - length * 0.4, 1.5 + wob, x, 1.0)
    ctx.close_path()
    path_fill_lit(ctx, color, 0.25, 0.25)
    path_stroke(ctx, OUT, 0.5)


def _guns(ctx, xs, beam, color):
    for x in xs:
        for side in (-1, 1):
            ctx.new_path()
            ctx.rectangle(x - 1.3, side * (beam * 0.98) - 1.0, 2.6, 2.0)
            path_fill(ctx, color)


def player_ship(ctx, phase, sails=True, wake_on=True):
    """The player's brigantine: light oak hull, cream sails with a blue band,
    blue pennant."""
    L, B = 23.0, 11.0
    if wake_on:
        wake(ctx, L, B, phase)
    # bowsprit
    ctx.new_path()
    ctx.move_to(L - 3, 0)
    ctx.line_to(L + 6.5, 0)
    ctx.set_source_rgba(*[c / 255.0 for c in PAL["wood_dark"]], 1)
    ctx.set_line_width(1.4)
    ctx.stroke()
    _hull(ctx, L, B, B * 0.62)
    path_fill_lit(ctx, PAL["wood"], 0.3, 0.4)
    path_stroke(ctx, OUT, 1.3)
    _hull(ctx, L * 0.86, B * 0.74, B * 0.5)
    path_fill_lit(ctx, PAL["wood_light"], 0.25, 0.3)
    _planks(ctx, L, B, PAL["wood"])
    _guns(ctx, (-8, 0, 8), B * 0.9, PAL["iron"])
    # stern cabin with a lantern
    ctx.new_path()
    ctx.rectangle(-L + 1.5, -B * 0.42, 6.5, B * 0.84)
    path_fill_lit(ctx, PAL["wood_dark"], 0.25, 0.3)
    path_stroke(ctx, OUT, 0.6)
    _ellipse(ctx, -L + 0.5, 0, 1.3, 1.3)
    path_fill(ctx, PAL["gold"])
    if sails:
        bulge = 10.0 + 1.2 * math.sin(phase * 2 * math.pi)
        # jib from the foremast to the bowsprit
        ctx.new_path()
        ctx.move_to(L + 5.5, 0)
        ctx.curve_to(L, -3.2, 14, -3.0, 10, -1.0)
        ctx.line_to(10, 1.0)
        ctx.close_path()
        path_fill_lit(ctx, PAL["cream"], 0.3, 0.3)
        path_stroke(ctx, OUT, 0.6)
        _square_sail(ctx, -7.5, 18.0, bulge + 1.0, PAL["cream"], PAL["blue"])
        _square_sail(ctx, 8.0, 15.0, bulge, PAL["cream"], PAL["blue"])
        _mast_top(ctx, -9.0)
        _mast_top(ctx, 6.5)
        _pennant(ctx, -9.0, PAL["blue"], phase)


def sloop_ship(ctx, phase=0.0):
    """First enemy kind: a raider sloop with one mast and a big crimson
    fore-and-aft sail swung out over the side."""
    L, B = 21.0, 9.5
    red = (196, 40, 34)
    wake(ctx, L, B, phase, spread=0.8)
    ctx.new_path()
    ctx.move_to(L - 2, 0)
    ctx.line_to(L + 7, 0)
    ctx.set_source_rgba(*[c / 255.0 for c in PAL["wood_dark"]], 1)
    ctx.set_line_width(1.3)
    ctx.stroke()
    _hull(ctx, L, B, B * 0.55)
    path_fill_lit(ctx, (92, 52, 32), 0.3, 0.4)
    path_stroke(ctx, OUT, 1.3)
    _hull(ctx, L * 0.84, B * 0.7, B * 0.45)
    path_fill_lit(ctx, (138, 88, 54), 0.22, 0.3)
    _planks(ctx, L, B, (92, 52, 32))
    _guns(ctx, (-5, 5), B * 0.9, PAL["iron"])
    # jib
    ctx.new_path()
    ctx.move_to(L + 6.5, 0)
    ctx.curve_to(L + 1, 4.5, 10, 4.5, 5, 1.0)
    ctx.line_to(5, -0.5)
    ctx.close_path()
    path_fill_lit(ctx, red, 0.3, 0.35)
    path_stroke(ctx, OUT, 0.7)
    # mainsail on a long boom swung out to port
    ctx.new_path()
    ctx.move_to(5.5, -1.0)
    ctx.curve_to(4, -19, -12, -23, -23, -16)
    ctx.line_to(-22, -11.5)
    ctx.curve_to(-12, -8, -2, -4, 3.5, 1.0)
    ctx.close_path()
    path_fill_lit(ctx, red, 0.32, 0.35)
    path_stroke(ctx, OUT, 0.9)
    for t in (0.33, 0.62):  # darker seams
        ctx.new_path()
        ctx.move_to(4.5 - 26 * t, -1 - 14 * t * 0.9)
        ctx.line_to(4.5 - 26 * t - 1.5, -1 - 14 * t * 0.9 - 6.5 + t * 2)
        ctx.set_source_rgba(*[c / 255.0 for c in shade(red, -0.45)], 1)
        ctx.set_line_width(0.8)
        ctx.stroke()
    ctx.new_path()  # boom
    ctx.move_to(4.5, 0)
    ctx.line_to(-23.5, -13.2)
    ctx.set_source_rgba(*[c / 255.0 for c in PAL["wood_dark"]], 1)
    ctx.set_line_width(1.2)
    ctx.stroke()
    _mast_top(ctx, 4.5, 0, 1.9)
    _pennant(ctx, 4.5, (30, 26, 26), phase, 8.0)


def corsair_ship(ctx, phase=0.0):
    """Second enemy kind: a long black corsair with gold trim and two
    striped lateen sails; faster and quicker to fire."""
    L, B = 25.0, 8.8
    sail = (228, 178, 52)
    black = (44, 42, 48)
    wake(ctx, L, B, phase, spread=1.1)
    ctx.new_path()
    ctx.move_to(L - 2, 0)
    ctx.line_to(L + 5, 0)
    ctx.set_source_rgba(*[c / 255.0 for c in PAL["brass"]], 1)
    ctx.set_line_width(1.2)
    ctx.stroke()
    _hull(ctx, L, B, B * 0.5)
    path_fill_lit(ctx, black, 0.3, 0.3)
    path_stroke(ctx, OUT, 1.2)
    _hull(ctx, L * 0.9, B * 0.78, B * 0.42)
    path_stroke(ctx, PAL["brass"], 0.9)
    path_fill_lit(ctx, (78, 72, 76), 0.25, 0.3)
    _guns(ctx, (-12, -4, 4, 12), B * 0.88, (20, 20, 22))
    # two lateen sails: triangles on long slanted yards
    for xm, size in ((9.0, 1.0), (-8.0, 1.15)):
        s = size
        ctx.new_path()
        ctx.move_to(xm + 9 * s, -3.5 * s)
        ctx.curve_to(xm + 4 * s, -13 * s, xm - 6 * s, -15 * s, xm - 10 * s, -13.5 * s)
        ctx.line_to(xm - 9 * s, 9.5 * s)
        ctx.close_path()
        path_fill_lit(ctx, sail, 0.3, 0.4)
        path_stroke(ctx, OUT, 0.9)
        ctx.save()
        ctx.clip()
        ctx.new_path()
        for k in (-1, 1):
            ctx.move_to(xm + k * 3.2 * s - 12 * s, -16 * s)
            ctx.line_to(xm + k * 3.2 * s + 3 * s, 12 * s)
        ctx.set_source_rgba(*[c / 255.0 for c in (30, 26, 24)], 1)
        ctx.set_line_width(2.0 * s)
        ctx.stroke()
        ctx.restore()
        ctx.new_path()  # the long yard
        ctx.move_to(xm + 10 * s, -3.0 * s)
        ctx.line_to(xm - 10.5 * s, 10.5 * s)
        ctx.set_source_rgba(*[c / 255.0 for c in PAL["wood_dark"]], 1)
        ctx.set_line_width(1.3)
        ctx.stroke()
        _mast_top(ctx, xm, 0, 1.6)
    _pennant(ctx, -8.0, (170, 30, 30), phase, 9.0)
