"""The sea behind every level and the 65 x 65 map tiles. Land textures are
periodic, so any block of the same tile reads as one landmass; the stand-alone
tiles (reef, islet) and the water tiles are keyed around their art."""
import math

import cairo
import numpy as np
from PIL import Image

from kh_common import (PAL, KEY, FRINGE, cairo_surface, colorize, downsample,
                       fractal_noise, keyed, mix, path_fill, path_fill_lit,
                       path_stroke, rgb01, shade, surface_to_rgba, to_image)

T = 65
SS = 4
OUT = PAL["outline"]

# Code order matters: 0..4 stop ships, 5 and above are open water.
TILE_FILES = [
    "tile_grass.png", "tile_highland.png", "tile_reef.png", "tile_sand.png",
    "tile_islet.png", "tile_sea.png", "tile_sea_crests.png",
    "tile_sea_shoal.png", "tile_sea_weed.png",
]


def _overlay(size, draw, seed=0):
    surf, ctx = cairo_surface(size * SS, size * SS)
    ctx.scale(SS, SS)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    draw(ctx, np.random.RandomState(seed))
    return downsample(surface_to_rgba(surf), SS)


def _over(base_rgb, rgba):
    a = rgba[..., 3:4]
    return base_rgb * (1 - a) + rgba[..., :3] * 255.0 * a


def _lit_relief(height, strength):
    """Shade a periodic height field as if lit from the top-left."""
    gx = np.roll(height, -1, axis=1) - np.roll(height, 1, axis=1)
    gy = np.roll(height, -1, axis=0) - np.roll(height, 1, axis=0)
    return 1.0 - strength * (gx + gy)


def palm(ctx, x, y, s, rng):
    """A palm tree from above: a shadow cast to the bottom-right, fronds lit
    from the top-left."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    for shadow in (True, False):
        ox = 3.0 if shadow else 0.0
        for k in range(7):
            a = k * 2 * math.pi / 7 + rng.uniform(-0.2, 0.2)
            L = rng.uniform(9.5, 12.0)
            cx, cy = math.cos(a), math.sin(a)
            px, py = -cy, cx
            ctx.new_path()
            ctx.move_to(ox, ox)
            ctx.curve_to(ox + cx * L * 0.4 + px * 3.2, ox + cy * L * 0.4 + py * 3.2,
                         ox + cx * L * 0.8 + px * 2.0, ox + cy * L * 0.8 + py * 2.0,
                         ox + cx * L, ox + cy * L)
            ctx.curve_to(ox + cx * L * 0.8 - px * 1.2, ox + cy * L * 0.8 - py * 1.2,
                         ox + cx * L * 0.4 - px * 1.5, ox + cy * L * 0.4 - py * 1.5,
                         ox, ox)
            ctx.close_path()
            if shadow:
                ctx.set_source_rgba(0, 0, 0, 0.28)
                ctx.fill()
            else:
                path_fill_lit(ctx, (70, 150, 58), 0.35, 0.45)
                path_stroke(ctx, (28, 60, 24), 0.5)
        if not shadow:
            ctx.new_path()
            ctx.arc(0, 0, 2.0, 0, 2 * math.pi)
            path_fill_lit(ctx, (130, 96, 50), 0.3, 0.3)
    ctx.restore()


def boulder(ctx, x, y, r, rng, color=None):
    color = color or PAL["rock"]
    n = 9
    pts = []
    for k in range(n):
        a = k * 2 * math.pi / n
        rr = r * rng.uniform(0.75, 1.05)
        pts.append((x + math.cos(a) * rr, y + math.sin(a) * rr * 0.85))
    ctx.new_path()
    ctx.move_to(pts[0][0] + 1.8, pts[0][1] + 1.8)
    for p in pts[1:]:
        ctx.line_to(p[0] + 1.8, p[1] + 1.8)
    ctx.close_path()
    ctx.set_source_rgba(0, 0, 0, 0.3)
    ctx.fill()
    ctx.new_path()
    ctx.move_to(*pts[0])
    for p in pts[1:]:
        ctx.line_to(*p)
    ctx.close_path()
    path_fill_lit(ctx, color, 0.4, 0.5)
    path_stroke(ctx, shade(color, -0.6), 0.7)


# ------------------------------------------------------------ solid tiles --

def tile_grass():
    n = fractal_noise(T, T, 11, beta=1.6, low_cut=2)
    fine = fractal_noise(T, T, 12, beta=0.6)
    base = colorize(n * 0.7 + fine * 0.3,
                    [(0, PAL["grass_dark"]), (0.55, PAL["grass"]), (1, (128, 170, 78))])
    base *= _lit_relief(n, 1.2)[..., None]

    def draw(ctx, rng):
        palm(ctx, 21, 22, 1.45, rng)
        palm(ctx, 45, 42, 1.25, rng)
        for _ in range(8):
            x, y = rng.uniform(8, 57), rng.uniform(8, 57)
            ctx.new_path()
            ctx.arc(x, y, 1.3, 0, 2 * math.pi)
            path_fill(ctx, (150, 186, 92))
    return to_image(_over(base, _overlay(T, draw, 13)))


def tile_highland():
    n = fractal_noise(T, T, 21, beta=1.8, low_cut=2)
    fine = fractal_noise(T, T, 22, beta=0.8)
    h = n * 0.8 + fine * 0.2
    base = colorize(h, [(0, PAL["rock_dark"]), (0.5, PAL["rock"]), (1, (176, 170, 156))])
    base *= _lit_relief(h, 2.2)[..., None]

    def draw(ctx, rng):
        boulder(ctx, 20, 24, 10, rng)
        boulder(ctx, 44, 20, 7, rng)
        boulder(ctx, 36, 46, 11, rng)
        boulder(ctx, 14, 48, 5, rng)
    return to_image(_over(base, _overlay(T, draw, 23)))


def tile_sand():
    n = fractal_noise(T, T, 31, beta=1.6, low_cut=2)
    yy, xx = np.mgrid[0:T, 0:T]
    ripple = 0.5 + 0.5 * np.sin((xx + yy * 0.5) * 2 * math.pi * 5 / T + n * 4)
    base = colorize(n * 0.75 + ripple * 0.25,
                    [(0, PAL["sand_dark"]), (0.5, PAL["sand"]), (1, (242, 222, 170))])
    base *= _lit_relief(ripple * 0.15 + n, 0.8)[..., None]

    def draw(ctx, rng):
        x, y = 44, 40  # one shell, so repeats are not obvious
        ctx.new_path()
        ctx.arc(x, y, 1.5, 0, 2 * math.pi)
        path_fill_lit(ctx, (244, 236, 222), 0.3, 0.4)
        path_stroke(ctx, PAL["sand_dark"], 0.4)
    return to_image(_over(base, _overlay(T, draw, 33)))


def _shallow_patch(ctx, inset, radius, rng):
    ctx.new_path()
    x0, y0, x1, y1 = inset, inset, T - inset, T - inset
    ctx.move_to(x0 + radius, y0)
    ctx.arc(x1 - radius, y0 + radius, radius, -math.pi / 2, 0)
    ctx.arc(x1 - radius, y1 - radius, radius, 0, math.pi / 2)
    ctx.arc(x0 + radius, y1 - radius, radius, math.pi / 2, math.pi)
    ctx.arc(x0 + radius, y0 + radius, radius, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def _blob(ctx, cx, cy, r, rng, wobble=0.18, n=14):
    pts = []
    for k in range(n):
        a = k * 2 * math.pi / n
        rr = r * (1 + rng.uniform(-wobble, wobble))
        pts.append((cx + math.cos(a) * rr, cy + math.sin(a) * rr))
    ctx.new_path()
    ctx.move_to((pts[0][0] + pts[-1][0]) / 2, (pts[0][1] + pts[-1][1]) / 2)
    for i in range(n):
        p, q = pts[i], pts[(i + 1) % n]
        ctx.curve_to(p[0], p[1], p[0], p[1], (p[0] + q[0]) / 2, (p[1] + q[1]) / 2)
    ctx.close_path()


def _cell_patch(ctx, inset, radius):
    """A rounded square over the whole cell: these tiles stop a ship anywhere
    in their 65 pixels, so they fill them, and the player sees the hazard's
    true extent."""
    a, b = inset, T - inset
    ctx.new_path()
    ctx.arc(b - radius, a + radius, radius, -math.pi / 2, 0)
    ctx.arc(b - radius, b - radius, radius, 0, math.pi / 2)
    ctx.arc(a + radius, b - radius, radius, math.pi / 2, math.pi)
    ctx.arc(a + radius, a + radius, radius, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def tile_reef():
    """Sharp rocks and coral in a shallow patch: a hazard standing in the sea."""
    def draw(ctx, rng):
        _cell_patch(ctx, 0, 5)
        path_fill(ctx, PAL["foam"])
        _cell_patch(ctx, 2.5, 4)
        path_fill_lit(ctx, PAL["shallow"], 0.2, 0.3)
        for _ in range(9):  # coral fans
            x, y = rng.uniform(12, 53), rng.uniform(12, 53)
            col = [(236, 112, 112), (248, 176, 92), (204, 98, 176)][rng.randint(3)]
            for k in range(6):
                a = rng.uniform(0, 2 * math.pi)
                ctx.new_path()
                ctx.move_to(x, y)
                ctx.line_to(x + math.cos(a) * 4.5, y + math.sin(a) * 4.5)
                ctx.set_source_rgba(*rgb01(col))
                ctx.set_line_width(1.5)
                ctx.stroke()
        for x, y, r in ((22, 22, 8), (42, 18, 6), (44, 40, 9), (20, 44, 6.5), (32, 31, 5)):
            boulder(ctx, x, y, r, rng, (118, 104, 98))
    return keyed(_overlay(T, draw, 41))


def tile_islet():
    def draw(ctx, rng):
        _cell_patch(ctx, 0, 6)
        path_fill(ctx, PAL["shallow"])
        _cell_patch(ctx, 1, 5)
        ctx.set_source_rgba(*rgb01(PAL["foam"]))
        ctx.set_line_width(2.0)
        ctx.stroke()
        _cell_patch(ctx, 6, 8)
        path_fill_lit(ctx, PAL["sand"], 0.3, 0.4)
        path_stroke(ctx, PAL["sand_dark"], 1.0)
        ctx.new_path()
        ctx.arc(30, 30, 15, 0, 2 * math.pi)
        path_fill_lit(ctx, PAL["grass"], 0.3, 0.4)
        boulder(ctx, 46, 44, 4, rng)
        palm(ctx, 30, 29, 1.15, rng)
    return keyed(_overlay(T, draw, 51))


# ------------------------------------------------------------- water tiles -

def tile_sea():
    return Image.new("RGB", (T, T), KEY)


def _crest(ctx, x, y, w):
    ctx.new_path()
    ctx.move_to(x - w, y + 1)
    ctx.curve_to(x - w * 0.4, y - 1.5, x + w * 0.4, y - 1.5, x + w, y + 1)
    ctx.set_source_rgba(*rgb01(PAL["foam"]))
    ctx.set_line_width(1.6)
    ctx.stroke()


def tile_sea_crests():
    def draw(ctx, rng):
        for x, y, w in ((16, 18, 5), (44, 30, 6), (24, 48, 4)):
            _crest(ctx, x, y, w)
    return keyed(_overlay(T, draw, 61))


def tile_sea_shoal():
    """Open water over a sandbar: a few pale ripples, nothing that blocks."""
    def draw(ctx, rng):
        for k in range(4):
            y = 14 + k * 12
            ctx.new_path()
            ctx.move_to(10 + k * 3, y)
            ctx.curve_to(24, y - 3, 38, y + 3, 54 - k * 2, y)
            ctx.set_source_rgba(*rgb01(PAL["shallow"]))
            ctx.set_line_width(1.5)
            ctx.stroke()
    return keyed(_overlay(T, draw, 71))


def tile_sea_weed():
    def draw(ctx, rng):
        for cx, cy in ((18, 20), (46, 44)):
            for k in range(6):
                a = rng.uniform(0, 2 * math.pi)
                ctx.new_path()
                ctx.move_to(cx, cy)
                ctx.curve_to(cx + math.cos(a) * 4 + 2, cy + math.sin(a) * 4,
                             cx + math.cos(a) * 7, cy + math.sin(a) * 7 + 2,
                             cx + math.cos(a) * 9, cy + math.sin(a) * 9)
                ctx.set_source_rgba(*rgb01((60, 120, 70)))
                ctx.set_line_width(1.6)
                ctx.stroke()
    return keyed(_overlay(T, draw, 81))


def tiles():
    makers = [tile_grass, tile_highland, tile_reef, tile_sand, tile_islet,
              tile_sea, tile_sea_crests, tile_sea_shoal, tile_sea_weed]
    return list(zip(TILE_FILES, (m() for m in makers)))


def tiles_list_text():
    return "".join("pictures\\%s\n" % name for name in TILE_FILES)


# ------------------------------------------------------------------ ocean --

def ocean(w=1600, h=600):
    """Open sea lit from the top-left: broad swells, then small crests with a
    bright upper-left lip and a darker trough below."""
    broad = fractal_noise(h, w, 101, beta=1.9, low_cut=3)
    mid = fractal_noise(h, w, 102, beta=1.2, low_cut=8)
    base = colorize(broad * 0.75 + mid * 0.25,
                    [(0, PAL["sea_deep"]), (0.55, PAL["sea"]), (1, (52, 128, 156))])
    rng = np.random.RandomState(103)
    white = rng.standard_normal((h, w))
    fy = np.fft.fftfreq(h)[:, None] * h
    fx = np.fft.fftfreq(w)[None, :] * w
    # stretched spectrum: crests longer across than deep
    f = np.sqrt((fx / 3.0) ** 2 + fy ** 2)
    band = np.exp(-((f - 38.0) / 14.0) ** 2)
    waves = np.real(np.fft.ifft2(np.fft.fft2(white) * band))
    waves /= np.abs(waves).max()
    crest = np.clip((waves - 0.42) / 0.25, 0, 1)
    trough = np.clip((np.roll(np.roll(waves, 3, 0), 3, 1) - 0.35) / 0.3, 0, 1)
    base = base * (1 - 0.22 * trough[..., None])
    base = base + (np.array(PAL["foam"]) - base) * (0.42 * crest[..., None])
    sparkle = (rng.random_sample((h, w)) > 0.9995) & (crest > 0.6)
    base[sparkle] = (235, 248, 250)
    return to_image(base)
