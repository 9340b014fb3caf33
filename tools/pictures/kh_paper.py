"""Parchment, ink and sea-chart pieces shared by the screens and the rules
book: the game's pages look like a captain's chart and log."""
import math

import cairo
import numpy as np
from PIL import Image, ImageDraw

import kh_sprites
from kh_common import (PAL, cairo_surface, colorize, font, fractal_noise,
                       mix, path_fill, path_fill_lit, rgb01, shade,
                       surface_to_rgba, to_image, wrap_text)

INK = PAL["ink"]


def parchment(w, h, seed, dark=0.0):
    n = fractal_noise(h, w, seed, beta=1.7, low_cut=2)
    fib = fractal_noise(h, w, seed + 1, beta=0.5)
    f = n * 0.75 + fib * 0.25
    base = colorize(f, [(0, PAL["parch_dark"]), (0.55, PAL["parch"]), (1, (244, 232, 198))])
    yy, xx = np.mgrid[0:h, 0:w]
    ex = np.minimum(xx, w - 1 - xx) / (w * 0.5)
    ey = np.minimum(yy, h - 1 - yy) / (h * 0.5)
    edge = np.clip(np.minimum(ex, ey) * 5.0, 0, 1)  # scorched, aged edges
    vign = 0.62 + 0.38 * np.power(edge, 0.6)
    base *= (vign * (1 - dark))[..., None]
    rng = np.random.RandomState(seed + 2)
    stains = fractal_noise(h, w, seed + 3, beta=2.2, low_cut=1) > 0.82
    base[stains] *= 0.93
    return to_image(base).convert("RGBA")


def layer(w, h, draw):
    surf, ctx = cairo_surface(w, h)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    draw(ctx)
    arr = surface_to_rgba(surf)
    return Image.fromarray(np.round(arr * 255).astype(np.uint8), "RGBA")


def paste(dst, src, xy):
    dst.alpha_composite(src, (int(xy[0]), int(xy[1])))


def sprite(draw, w, h, scale=1.0, angle=0.0):
    """One of the game's vector sprites drawn large for an illustration."""
    arr = kh_sprites.render(draw, w, h, angle=angle, scale=scale)
    return Image.fromarray(np.round(np.clip(arr, 0, 1) * 255).astype(np.uint8), "RGBA")


def ink_border(img, inset=14, color=INK):
    d = ImageDraw.Draw(img)
    w, h = img.size
    d.rectangle([inset, inset, w - 1 - inset, h - 1 - inset], outline=color + (255,), width=3)
    d.rectangle([inset + 7, inset + 7, w - 1 - inset - 7, h - 1 - inset - 7],
                outline=color + (200,), width=1)
    for cx, cy in ((inset, inset), (w - 1 - inset, inset), (inset, h - 1 - inset),
                   (w - 1 - inset, h - 1 - inset)):
        d.ellipse([cx - 7, cy - 7, cx + 7, cy + 7], fill=PAL["parch_dark"] + (255,),
                  outline=color + (255,), width=2)
        d.ellipse([cx - 2, cy - 2, cx + 2, cy + 2], fill=color + (255,))


def compass_rose(ctx, x, y, r, color=INK, accent=PAL["red"]):
    ctx.save()
    ctx.translate(x, y)
    ctx.new_path()
    ctx.arc(0, 0, r * 1.05, 0, 2 * math.pi)
    ctx.set_source_rgba(*rgb01(color, 0.9))
    ctx.set_line_width(1.5)
    ctx.stroke()
    ctx.new_path()
    ctx.arc(0, 0, r * 0.92, 0, 2 * math.pi)
    ctx.set_line_width(0.8)
    ctx.stroke()
    for k in range(16):
        a = k * math.pi / 8
        L = r if k % 4 == 0 else (r * 0.7 if k % 2 == 0 else r * 0.45)
        wdt = r * (0.13 if k % 4 == 0 else 0.08)
        for half in (-1, 1):
            ctx.new_path()
            ctx.move_to(0, 0)
            ctx.line_to(math.cos(a) * L, math.sin(a) * L)
            ctx.line_to(math.cos(a + half * math.pi / 2) * wdt, math.sin(a + half * math.pi / 2) * wdt)
            ctx.close_path()
            col = accent if (k == 12 and half < 0) else (color if half < 0 else PAL["parch"])
            ctx.set_source_rgba(*rgb01(col))
            ctx.fill_preserve()
            ctx.set_source_rgba(*rgb01(color))
            ctx.set_line_width(0.8)
            ctx.stroke()
    f = r * 0.22
    ctx.select_font_face("serif", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.restore()


def chart_island(ctx, cx, cy, r, seed, land=(214, 196, 140)):
    """An island as a chart shows it: tinted land, an inked coast and rings
    of shore lines around it."""
    rng = np.random.RandomState(seed)
    n = 28
    radii = r * (1 + 0.28 * np.convolve(rng.uniform(-1, 1, n + 6), np.ones(4) / 4, "same")[3:n + 3])
    pts = [(cx + math.cos(k * 2 * math.pi / n) * radii[k] * 1.25,
            cy + math.sin(k * 2 * math.pi / n) * radii[k] * 0.85) for k in range(n)]

    def outline(off):
        ctx.new_path()
        for i in range(n):
            p = pts[i]
            dx, dy = p[0] - cx, p[1] - cy
            d = math.hypot(dx, dy) or 1
            q = (p[0] + dx / d * off, p[1] + dy / d * off)
            if i == 0:
                ctx.move_to(*q)
            else:
                ctx.line_to(*q)
        ctx.close_path()

    for off, alpha in ((14, 0.25), (8, 0.4)):
        outline(off)
        ctx.set_source_rgba(*rgb01(INK, alpha))
        ctx.set_line_width(0.9)
        ctx.stroke()
    outline(0)
    ctx.set_source_rgba(*rgb01(land))
    ctx.fill_preserve()
    ctx.set_source_rgba(*rgb01(INK))
    ctx.set_line_width(2.0)
    ctx.stroke()
    # hills drawn as little inked arcs, lit side left blank
    for k in range(max(2, int(r / 12))):
        hx = cx + rng.uniform(-0.6, 0.6) * r
        hy = cy + rng.uniform(-0.35, 0.35) * r
        ctx.new_path()
        ctx.arc(hx, hy + 4, 6, math.pi * 1.1, math.pi * 1.9)
        ctx.set_source_rgba(*rgb01(INK, 0.8))
        ctx.set_line_width(1.2)
        ctx.stroke()
        ctx.new_path()
        ctx.move_to(hx + 3, hy + 1)
        ctx.line_to(hx + 6, hy + 4)
        ctx.set_line_width(0.8)
        ctx.stroke()


def rhumb_lines(ctx, x, y, w, h, color=INK):
    ctx.save()
    for k in range(16):
        a = k * math.pi / 8
        ctx.new_path()
        ctx.move_to(x, y)
        ctx.line_to(x + math.cos(a) * 2000, y + math.sin(a) * 2000)
        ctx.set_source_rgba(*rgb01(color, 0.12))
        ctx.set_line_width(0.8)
        ctx.stroke()
    ctx.restore()


def text_block(img, x, y, width, paragraphs, size=21, color=INK, face="serif",
               leading=1.32, gap=10):
    d = ImageDraw.Draw(img)
    f = font(face, size)
    for para in paragraphs:
        for line in wrap_text(d, para, f, width):
            d.text((x, y), line, font=f, fill=color + (255,))
            y += int(size * leading)
        y += gap
    return y


def heading(img, xy, text, size=42, color=INK, anchor="mm", face="serif_bold"):
    d = ImageDraw.Draw(img)
    d.text(xy, text, font=font(face, size), fill=color + (255,), anchor=anchor)


def flourish(img, cx, y, half, color=INK):
    d = ImageDraw.Draw(img)
    d.line([(cx - half, y), (cx - 12, y)], fill=color + (255,), width=2)
    d.line([(cx + 12, y), (cx + half, y)], fill=color + (255,), width=2)
    d.polygon([(cx, y - 6), (cx + 8, y), (cx, y + 6), (cx - 8, y)], fill=color + (255,))


def night_sky(w, h, seed):
    yy = np.linspace(0, 1, h)[:, None, None]
    top, bottom = np.array((8, 14, 34)), np.array((36, 56, 92))
    sky = top + (bottom - top) * yy
    sky = np.repeat(sky, w, axis=1).astype(np.float64)
    rng = np.random.RandomState(seed)
    for _ in range(260):
        x, y = rng.randint(w), rng.randint(int(h * 0.75))
        b = rng.uniform(120, 255)
        sky[y, x] = (b, b, b * 0.95 + 12)
    return sky


def dark_sea(w, h, seed, top_color=(24, 44, 70), bottom_color=(8, 18, 32)):
    yy = np.linspace(0, 1, h)[:, None, None]
    sea = np.array(top_color) + (np.array(bottom_color) - np.array(top_color)) * yy
    sea = np.repeat(sea, w, axis=1).astype(np.float64)
    n = fractal_noise(h, w, seed, beta=1.0, low_cut=6)
    streak = np.clip((n - 0.62) * 4, 0, 1)
    sea += streak[..., None] * 40
    return sea
