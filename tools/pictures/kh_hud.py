"""The 800 x 135 panel under the play area. The game draws on top of it: the
health gauge at (83, 32), ammunition icons from (490, 45), life icons from
(490, 95) and the gold figure, in black, from (660, 80) (panel coordinates)."""
import math

import numpy as np
from PIL import Image, ImageDraw

from kh_common import (PAL, colorize, font, fractal_noise, mix, shade,
                       to_image)

W, H = 800, 135


def wood_planks(w, h, seed, base=None, plank=27):
    base = base or PAL["wood"]
    rng = np.random.RandomState(seed)
    grain = fractal_noise(h, w * 4, seed, beta=1.2)
    grain = grain.reshape(h, w, 4).mean(axis=2)  # stretch along x
    yy, xx = np.mgrid[0:h, 0:w]
    rows = yy // plank
    tone = rng.uniform(-0.12, 0.12, size=rows.max() + 1)[rows]
    wave = 0.5 + 0.5 * np.sin(yy * 0.9 + grain * 9.0)
    f = 0.55 * grain + 0.2 * wave + tone
    img = colorize(np.clip(f, 0, 1), [(0, shade(base, -0.45)), (0.5, base),
                                      (1, shade(base, 0.25))])
    seam = (yy % plank == 0)
    img[seam] = shade(base, -0.7)
    img[(yy % plank == 1)] *= 1.15
    return img


def bevel_box(d, box, fill, light, dark, width=2):
    x0, y0, x1, y1 = box
    d.rectangle(box, fill=fill)
    for i in range(width):
        d.line([(x0 + i, y1 - i), (x0 + i, y0 + i), (x1 - i, y0 + i)], fill=light)
        d.line([(x1 - i, y0 + i), (x1 - i, y1 - i), (x0 + i, y1 - i)], fill=dark)


def inset_box(d, box, fill):
    """A recess: dark at the top-left edge (in shadow), lit at the bottom-right."""
    bevel_box(d, box, fill, shade(fill, -0.5), shade(fill, 0.35), 2)


def hud():
    img = to_image(wood_planks(W, H, 201, PAL["wood_dark"], plank=34))
    d = ImageDraw.Draw(img)
    # brass rail along the top
    for y in range(7):
        t = y / 6.0
        d.line([(0, y), (W, y)], fill=mix(shade(PAL["brass"], 0.45), shade(PAL["brass"], -0.4), t))
    d.line([(0, 7), (W, 7)], fill=PAL["outline"])
    for x in range(20, W, 60):  # rivets
        d.ellipse([x - 2, 1, x + 2, 5], fill=shade(PAL["brass"], -0.45))
        d.ellipse([x - 2, 1, x + 1, 4], fill=shade(PAL["brass"], 0.6))

    panel = shade(PAL["wood_dark"], -0.35)
    inset_box(d, (10, 16, 394, 128), panel)
    inset_box(d, (402, 16, 792, 128), panel)
    cream = PAL["cream"]
    label = font("stencil", 19)
    small = font("serif_italic", 17)

    # hull gauge: a dark trough the tinted gauge fills from the left
    d.text((22, 44), "HULL", font=label, fill=cream, anchor="lm")
    bevel_box(d, (78, 27, 358, 61), shade(PAL["brass"], -0.1), shade(PAL["brass"], 0.5),
              shade(PAL["brass"], -0.55), 2)
    inset_box(d, (82, 31, 354, 57), (26, 20, 18))
    for k in range(1, 10):
        x = 83 + 27 * k
        d.line([(x, 58), (x, 60)], fill=shade(PAL["brass"], -0.6))
    d.text((200, 86), "Arrows steer  \u00b7  Space fires  \u00b7  P pauses",
           font=small, fill=mix(cream, PAL["wood_dark"], 0.25), anchor="mm")
    d.text((200, 110), "Hold the whirlpool three seconds to sail on",
           font=small, fill=mix(cream, PAL["wood_dark"], 0.35), anchor="mm")

    # cannonball rack: nine cups, the icons sit in them
    d.text((416, 61), "SHOT", font=label, fill=cream, anchor="lm")
    for i in range(9):
        cx, cy = 506 + 32 * i, 61
        d.ellipse([cx - 14, cy - 14, cx + 14, cy + 14], fill=shade(panel, -0.4))
        d.arc([cx - 14, cy - 14, cx + 14, cy + 14], 200, 380, fill=shade(panel, -0.7), width=2)
        d.arc([cx - 14, cy - 14, cx + 14, cy + 14], 20, 200, fill=shade(panel, 0.4), width=1)

    d.text((416, 112), "LIVES", font=label, fill=cream, anchor="lm")
    for j in range(3):
        x = 490 + 40 * j
        d.rounded_rectangle([x + 2, 98, x + 37, 128], 6, outline=shade(panel, 0.25), width=1)

    # gold: a coin and a parchment plate the black figure is printed on
    cx, cy = 633, 106
    d.ellipse([cx - 12, cy - 12, cx + 12, cy + 12], fill=PAL["gold"], outline=(96, 60, 8), width=2)
    d.ellipse([cx - 7, cy - 7, cx + 7, cy + 7], outline=PAL["gold_dark"], width=2)
    d.arc([cx - 10, cy - 10, cx + 10, cy + 10], 190, 260, fill=(255, 248, 200), width=2)
    bevel_box(d, (652, 79, 794, 131), PAL["parch"], shade(PAL["parch"], 0.5),
              shade(PAL["parch"], -0.45), 2)
    return img
