#!/usr/bin/python3
"""Draws the game's desktop icon, a small sail over waves in a round of sea,
at every size the desktop asks for, into assets/desktop/icons/NxN/.

    /usr/bin/python3 tools/pictures/build_icons.py [--out DIR]

Needs Debian's python3-pil, python3-numpy and python3-cairo. Each size is
drawn from the shapes (not scaled from a big picture) four times over and
box-filtered down, so the small ones stay crisp; the output is byte-identical
from run to run.
"""
import argparse
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)

import cairo  # noqa: E402
import numpy as np  # noqa: E402
from PIL import Image  # noqa: E402

from kh_common import (PAL, cairo_surface, downsample, path_fill, path_fill_lit,  # noqa: E402
                       path_stroke, rgb01, save_png, shade, surface_to_rgba)

APP_ID = "io.github.keelhaven.Keelhaven"
SIZES = (16, 32, 48, 64, 128, 256)
OVERSAMPLE = 4


def _wave(ctx, y, amplitude, waves, phase=0.0):
    """A wavy line across the unit square at height y."""
    steps = 96
    for i in range(steps + 1):
        x = -0.05 + 1.1 * i / steps
        yy = y + amplitude * math.sin(2 * math.pi * (waves * x + phase))
        (ctx.move_to if i == 0 else ctx.line_to)(x, yy)


def draw_icon(size):
    """The icon at `size` pixels a side, as a PIL RGBA image."""
    big = size * OVERSAMPLE
    surf, ctx = cairo_surface(big, big)
    ctx.scale(big, big)  # draw in a unit square
    px = 1.0 / size      # one pixel of the finished icon
    small = size <= 32
    line = max(0.022, 1.0 * px)
    # Inner outlines thin out at the small sizes, where a full pixel of ink
    # round every shape would leave nothing else to see.
    edge = line if size >= 48 else 0.55 * px

    # A round of sea, lighter toward the sky.
    r = 0.5 - line / 2 - 0.5 * px
    ctx.arc(0.5, 0.5, r, 0, 2 * math.pi)
    sky = cairo.LinearGradient(0, 0.05, 0, 0.95)
    sky.add_color_stop_rgba(0.0, *rgb01(shade(PAL["sea_light"], 0.35)))
    sky.add_color_stop_rgba(0.55, *rgb01(PAL["sea_light"]))
    sky.add_color_stop_rgba(0.56, *rgb01(PAL["sea"]))
    sky.add_color_stop_rgba(1.0, *rgb01(PAL["sea_deep"]))
    ctx.set_source(sky)
    ctx.fill_preserve()
    ctx.save()
    ctx.clip()

    # Hull: a curved wooden boat sitting on the water line.
    ctx.new_path()
    ctx.move_to(0.22, 0.60)
    ctx.line_to(0.80, 0.60)
    ctx.curve_to(0.74, 0.70, 0.66, 0.73, 0.56, 0.73)
    ctx.line_to(0.40, 0.73)
    ctx.curve_to(0.32, 0.73, 0.26, 0.69, 0.22, 0.60)
    ctx.close_path()
    path_fill_lit(ctx, PAL["wood"])
    path_stroke(ctx, PAL["outline"], edge)
    ctx.new_path()
    if not small:  # a gold stripe along the side
        ctx.move_to(0.25, 0.645)
        ctx.line_to(0.775, 0.645)
        path_stroke(ctx, PAL["brass"], max(0.018, 0.8 * px))
        ctx.new_path()

    # Mast.
    mast_top = 0.17
    ctx.rectangle(0.5 - 0.6 * max(line, 1.2 * px), mast_top, 1.2 * max(line, 1.2 * px), 0.60 - mast_top)
    path_fill(ctx, PAL["wood_dark"])
    ctx.new_path()

    # Main sail, bellied by the wind, and a smaller fore sail.
    ctx.move_to(0.535, mast_top + 0.03)
    ctx.curve_to(0.66, 0.30, 0.74, 0.42, 0.75, 0.555)
    ctx.line_to(0.535, 0.555)
    ctx.close_path()
    path_fill_lit(ctx, PAL["cream"], light=0.1, dark=0.18)
    path_stroke(ctx, PAL["outline"], edge)
    ctx.new_path()
    ctx.move_to(0.465, mast_top + 0.08)
    ctx.curve_to(0.40, 0.30, 0.33, 0.42, 0.27, 0.555)
    ctx.line_to(0.465, 0.555)
    ctx.close_path()
    path_fill_lit(ctx, PAL["parch"], light=0.15, dark=0.2)
    path_stroke(ctx, PAL["outline"], edge)
    ctx.new_path()

    # A red pennant at the masthead.
    if size >= 48:
        ctx.move_to(0.515, mast_top)
        ctx.line_to(0.62, mast_top + 0.025)
        ctx.line_to(0.515, mast_top + 0.05)
        ctx.close_path()
        path_fill(ctx, PAL["red"])
        ctx.new_path()

    # Waves in front of the hull: a foam crest and the deep water below it.
    _wave(ctx, 0.71, 0.022, 3.0)
    ctx.line_to(1.1, 1.1)
    ctx.line_to(-0.1, 1.1)
    ctx.close_path()
    path_fill(ctx, PAL["sea"])
    ctx.new_path()
    _wave(ctx, 0.71, 0.022, 3.0)
    path_stroke(ctx, PAL["foam"], max(0.03, 1.2 * px))
    ctx.new_path()
    if not small:
        _wave(ctx, 0.83, 0.018, 3.0, phase=0.5)
        ctx.line_to(1.1, 1.1)
        ctx.line_to(-0.1, 1.1)
        ctx.close_path()
        path_fill(ctx, PAL["sea_deep"])
        ctx.new_path()
        _wave(ctx, 0.83, 0.018, 3.0, phase=0.5)
        path_stroke(ctx, shade(PAL["foam"], -0.15), max(0.022, 1.0 * px))
        ctx.new_path()
    ctx.restore()

    # A dark rim holds the round together on any background.
    ctx.arc(0.5, 0.5, r, 0, 2 * math.pi)
    path_stroke(ctx, PAL["outline"], line)
    ctx.new_path()

    rgba = downsample(surface_to_rgba(surf), OVERSAMPLE)
    return Image.fromarray((np.clip(rgba, 0, 1) * 255 + 0.5).astype(np.uint8), "RGBA")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(ROOT, "assets", "desktop", "icons"))
    args = ap.parse_args()
    for size in SIZES:
        path = os.path.join(args.out, "%dx%d" % (size, size), APP_ID + ".png")
        save_png(draw_icon(size), path)
        print("built", os.path.relpath(path, ROOT))


if __name__ == "__main__":
    main()
