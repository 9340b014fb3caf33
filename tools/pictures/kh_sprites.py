"""The shared sprite sheet (ships, effects, pick-ups) and the small keyed
pictures: HUD icons, health gauge, whirlpool and marker."""
import math

import cairo
import numpy as np
from PIL import Image

import kh_ships
from kh_common import (PAL, KEY, cairo_surface, downsample, keyed, mix,
                       path_fill, path_fill_lit, path_stroke, rgb01, shade,
                       surface_to_rgba)

SS = 4          # supersampling factor for every vector sprite
FRAME = 64
COLS = 4
OUT = PAL["outline"]

UP, DOWN, LEFT, RIGHT = -math.pi / 2, math.pi / 2, math.pi, 0.0


def render(draw, w=FRAME, h=FRAME, angle=0.0, scale=1.0):
    """Draw at SS times the size around the frame's centre, then box-filter
    down: returns straight RGBA floats."""
    surf, ctx = cairo_surface(w * SS, h * SS)
    ctx.translate(w * SS / 2.0, h * SS / 2.0)
    ctx.scale(SS * scale, SS * scale)
    ctx.rotate(angle)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    draw(ctx)
    return downsample(surface_to_rgba(surf), SS)


def circle(ctx, x, y, r):
    ctx.new_path()
    ctx.arc(x, y, r, 0, 2 * math.pi)


# ------------------------------------------------------------- effects -----

def _blob_cloud(ctx, rng, n, radius, spread, colors, light=0.25):
    pts = []
    for _ in range(n):
        a = rng.uniform(0, 2 * math.pi)
        d = rng.uniform(0, spread)
        pts.append((math.cos(a) * d, math.sin(a) * d, radius * rng.uniform(0.55, 1.0)))
    for layer, (col, k) in enumerate(colors):
        for x, y, r in pts:
            circle(ctx, x, y, r * k)
            path_fill_lit(ctx, col, light, 0.2)


def explosion_frame(i):
    """Eight frames: flash, fireball, burst, smoke and floating wreckage."""
    def draw(ctx):
        rng = np.random.RandomState(700 + i)
        t = i / 7.0
        # wreckage planks drift outward from the third frame on
        if i >= 2:
            prng = np.random.RandomState(99)
            for k in range(7):
                a = prng.uniform(0, 2 * math.pi)
                d = 6 + t * 20 * prng.uniform(0.6, 1.0)
                ctx.save()
                ctx.translate(math.cos(a) * d, math.sin(a) * d)
                ctx.rotate(prng.uniform(0, math.pi) + t * 1.5)
                ctx.new_path()
                ctx.rectangle(-4.5, -1.3, 9, 2.6)
                path_fill_lit(ctx, PAL["wood"], 0.3, 0.4)
                path_stroke(ctx, OUT, 0.6)
                ctx.restore()
        if i <= 5:
            size = [7, 13, 17, 18, 16, 13][i]
            smoke = shade((96, 90, 86), -0.1 * t)
            fire = [((196, 58, 22), 1.0), ((242, 128, 32), 0.8), ((255, 206, 84), 0.58),
                    ((255, 248, 214), 0.34)]
            if i >= 2:
                _blob_cloud(ctx, np.random.RandomState(40), 9, size * 0.6, size * 0.8,
                            [(smoke, 1.0), (shade(smoke, 0.15), 0.7)])
            if i <= 4:
                core = [0.7, 1.0, 0.9, 0.6, 0.35][i]
                layers = [(mix(c, (120, 50, 30), min(1.0, i * 0.15)), k) for c, k in fire]
                _blob_cloud(ctx, rng, 7, size * 0.6 * core + 2, size * 0.5 * core + 1,
                            layers[: 4 - max(0, i - 2)])
            if i <= 1:  # sparks
                for k in range(10):
                    a = k * 2 * math.pi / 10 + 0.3
                    r0, r1 = size * 0.9, size * 1.5 + 3
                    ctx.new_path()
                    ctx.move_to(math.cos(a) * r0, math.sin(a) * r0)
                    ctx.line_to(math.cos(a) * r1, math.sin(a) * r1)
                    ctx.set_source_rgba(*rgb01((255, 220, 110)))
                    ctx.set_line_width(1.8)
                    ctx.stroke()
        else:
            # last puffs of smoke and a ring of disturbed water
            ctx.new_path()
            ctx.arc(0, 0, 20 + (i - 6) * 5, 0, 2 * math.pi)
            ctx.set_source_rgba(*rgb01(PAL["foam"]))
            ctx.set_line_width(2.0 - (i - 6) * 0.6)
            ctx.stroke()
            _blob_cloud(ctx, np.random.RandomState(41 + i), 4, 5 - (i - 6) * 1.5, 7,
                        [((120, 114, 108), 1.0)])
    return render(draw)


def hit_frame(i):
    """Splinters and a bright flash where a shot or a ram lands."""
    def draw(ctx):
        r = [14, 18, 13, 8][i]
        pts = []
        for k in range(16):
            a = k * math.pi / 8 + i * 0.2
            rr = r if k % 2 == 0 else r * 0.45
            pts.append((math.cos(a) * rr, math.sin(a) * rr))
        ctx.new_path()
        ctx.move_to(*pts[0])
        for p in pts[1:]:
            ctx.line_to(*p)
        ctx.close_path()
        path_fill_lit(ctx, (255, 236, 150), 0.4, 0.2)
        path_stroke(ctx, (200, 90, 30), 1.0)
        circle(ctx, 0, 0, r * 0.35)
        path_fill(ctx, (255, 255, 240))
        rng = np.random.RandomState(300)
        for k in range(6):
            a = rng.uniform(0, 2 * math.pi)
            d = r + 2 + i * 3
            ctx.save()
            ctx.translate(math.cos(a) * d, math.sin(a) * d)
            ctx.rotate(a)
            ctx.new_path()
            ctx.rectangle(-3, -0.8, 6, 1.6)
            path_fill(ctx, PAL["wood_light"])
            path_stroke(ctx, OUT, 0.5)
            ctx.restore()
    return render(draw)


# ------------------------------------------------------------- pick-ups ----

def iron_ball(ctx, x, y, r, base=(104, 108, 118)):
    circle(ctx, x, y, r)
    g = cairo.RadialGradient(x - r * 0.4, y - r * 0.45, r * 0.05, x, y, r * 1.05)
    g.add_color_stop_rgba(0.0, *rgb01((236, 240, 246)))
    g.add_color_stop_rgba(0.25, *rgb01(shade(base, 0.35)))
    g.add_color_stop_rgba(0.75, *rgb01(base))
    g.add_color_stop_rgba(1.0, *rgb01(shade(base, -0.55)))
    ctx.set_source(g)
    ctx.fill_preserve()
    path_stroke(ctx, OUT, max(0.8, r * 0.07))


def coin(ctx, r=15.0):
    circle(ctx, 0, 0, r)
    path_fill_lit(ctx, PAL["gold"], 0.35, 0.45)
    path_stroke(ctx, (96, 60, 8), 1.4)
    circle(ctx, 0, 0, r * 0.76)
    path_stroke(ctx, PAL["gold_dark"], 1.2)
    # an anchor stamped on the face
    ctx.new_path()
    s = r / 15.0
    ctx.move_to(0, -8 * s)
    ctx.line_to(0, 8 * s)
    ctx.move_to(-4 * s, -4.5 * s)
    ctx.line_to(4 * s, -4.5 * s)
    ctx.move_to(-6.5 * s, 3 * s)
    ctx.curve_to(-5 * s, 8.5 * s, 5 * s, 8.5 * s, 6.5 * s, 3 * s)
    ctx.set_source_rgba(*rgb01(PAL["gold_dark"]))
    ctx.set_line_width(2.0 * s)
    ctx.stroke()
    circle(ctx, 0, -9.5 * s, 1.8 * s)
    ctx.set_line_width(1.4 * s)
    ctx.stroke()
    # glint toward the light
    ctx.new_path()
    ctx.arc(0, 0, r * 0.88, math.pi * 1.05, math.pi * 1.45)
    ctx.set_source_rgba(*rgb01((255, 250, 210)))
    ctx.set_line_width(1.6 * s)
    ctx.stroke()


def health_crate(ctx):
    """A ship's-carpenter crate with a red cross: repairs the hull."""
    ctx.new_path()
    ctx.rectangle(-17, -15, 34, 30)
    path_fill_lit(ctx, PAL["wood_light"], 0.3, 0.4)
    path_stroke(ctx, OUT, 1.4)
    for y in (-5, 5):
        ctx.new_path()
        ctx.move_to(-17, y)
        ctx.line_to(17, y)
        ctx.set_source_rgba(*rgb01(PAL["wood"]))
        ctx.set_line_width(0.8)
        ctx.stroke()
    ctx.new_path()
    ctx.rectangle(-11, -10, 22, 20)
    path_fill_lit(ctx, PAL["cream"], 0.3, 0.2)
    path_stroke(ctx, OUT, 0.8)
    ctx.new_path()
    ctx.rectangle(-3, -8, 6, 16)
    ctx.rectangle(-8, -3, 16, 6)
    path_fill_lit(ctx, (214, 36, 36), 0.25, 0.3)
    # rope handles
    for x in (-17, 17):
        ctx.new_path()
        ctx.arc(x, 0, 4.0, -math.pi / 2, math.pi / 2) if x > 0 else \
            ctx.arc(x, 0, 4.0, math.pi / 2, 3 * math.pi / 2)
        ctx.set_source_rgba(*rgb01((150, 120, 70)))
        ctx.set_line_width(1.6)
        ctx.stroke()


def treasure_chest(ctx):
    """An open chest spilling gold: worth twice a coin."""
    # lid (open, seen above the chest body)
    ctx.new_path()
    ctx.rectangle(-20, -20, 40, 10)
    path_fill_lit(ctx, PAL["wood"], 0.3, 0.4)
    path_stroke(ctx, OUT, 1.3)
    ctx.new_path()
    ctx.rectangle(-20, -20, 40, 3)
    path_fill(ctx, PAL["brass"])
    # body
    ctx.new_path()
    ctx.rectangle(-21, -10, 42, 27)
    path_fill_lit(ctx, PAL["wood"], 0.3, 0.45)
    path_stroke(ctx, OUT, 1.4)
    for x in (-14, 14):
        ctx.new_path()
        ctx.rectangle(x - 2, -10, 4, 27)
        path_fill_lit(ctx, PAL["brass"], 0.3, 0.4)
        path_stroke(ctx, OUT, 0.6)
    # the heap of gold inside
    rng = np.random.RandomState(5)
    ctx.new_path()
    ctx.move_to(-18, -6)
    ctx.curve_to(-10, -15, 10, -15, 18, -6)
    ctx.line_to(18, -2)
    ctx.line_to(-18, -2)
    ctx.close_path()
    path_fill_lit(ctx, PAL["gold"], 0.3, 0.3)
    for _ in range(9):
        x, y = rng.uniform(-14, 14), rng.uniform(-10, -4)
        circle(ctx, x, y, 2.6)
        path_fill_lit(ctx, PAL["gold"], 0.45, 0.4)
        path_stroke(ctx, PAL["gold_dark"], 0.6)
    circle(ctx, -6, -9, 2.4)
    path_fill_lit(ctx, (60, 170, 220), 0.4, 0.3)
    path_stroke(ctx, OUT, 0.5)
    circle(ctx, 7, -8, 2.2)
    path_fill_lit(ctx, (220, 40, 70), 0.4, 0.3)
    path_stroke(ctx, OUT, 0.5)
    # lock plate
    ctx.new_path()
    ctx.rectangle(-3.5, 0, 7, 7)
    path_fill_lit(ctx, PAL["brass"], 0.3, 0.4)
    path_stroke(ctx, OUT, 0.6)


def ammo_pickup(ctx):
    """Three cannonballs stacked on a small raft: drawn at 0.6 scale."""
    ctx.new_path()
    ctx.rectangle(-27, 4, 54, 18)
    path_fill_lit(ctx, PAL["wood"], 0.3, 0.45)
    path_stroke(ctx, OUT, 2.0)
    for x in (-13, 0, 13):
        ctx.new_path()
        ctx.move_to(x + 6.5, 4)
        ctx.line_to(x + 6.5, 22)
        ctx.set_source_rgba(*rgb01(PAL["wood_dark"]))
        ctx.set_line_width(1.2)
        ctx.stroke()
    iron_ball(ctx, -13, -4, 12.5)
    iron_ball(ctx, 13, -4, 12.5)
    iron_ball(ctx, 0, -19, 12.5)


# ----------------------------------------------------------------- sheet ---

def sprite_sheet():
    frames = {}
    for f in range(4):
        ph = f / 4.0
        draw = lambda ctx, ph=ph: kh_ships.player_ship(ctx, ph)
        frames[0 + f] = render(draw, angle=RIGHT)
        frames[4 + f] = render(draw, angle=UP)
        frames[8 + f] = render(draw, angle=DOWN)
        frames[12 + f] = render(draw, angle=LEFT)
    for f in range(4):
        frames[16 + f] = hit_frame(f)
    for f in range(8):
        frames[20 + f] = explosion_frame(f)
    frames[28] = render(health_crate)
    frames[29] = render(coin)
    frames[30] = render(treasure_chest)
    frames[32] = render(ammo_pickup)
    frames[33] = render(lambda ctx: iron_ball(ctx, 0, 0, 29, (196, 198, 204)))
    sloop = lambda ctx: kh_ships.sloop_ship(ctx, 0.25)
    frames[36], frames[37], frames[38], frames[39] = (
        render(sloop, angle=a) for a in (DOWN, UP, LEFT, RIGHT))
    corsair = lambda ctx: kh_ships.corsair_ship(ctx, 0.5)
    frames[40], frames[41], frames[42], frames[43] = (
        render(corsair, angle=a) for a in (UP, DOWN, RIGHT, LEFT))

    sheet = Image.new("RGB", (FRAME * COLS, FRAME * 11), KEY)
    for n, rgba in frames.items():
        tile = keyed(rgba)
        sheet.paste(tile, ((n % COLS) * FRAME, (n // COLS) * FRAME))
    return sheet


# ----------------------------------------------------------- small icons ---

def ammunition_icon():
    return keyed(render(lambda ctx: iron_ball(ctx, 0, 0, 13.0), 32, 32))


def lives_icon():
    draw = lambda ctx: kh_ships.player_ship(ctx, 0.0, wake_on=False)
    return keyed(render(draw, 40, 36, scale=0.66))


def health_gauge():
    """A white gauge in the top rows of a 270 x 270 frame: the game tints it
    green, yellow, orange or red and cuts it at the right."""
    w, h = 270, 24
    img = np.zeros((270, 270, 3), dtype=np.int32)
    img[:, :] = KEY
    ys = np.arange(h)
    # white at the top to light grey below: the tint keeps the roundness
    prof = 255 - 70 * (ys / (h - 1)) ** 1.4
    prof[:3] = [255, 255, 255]
    prof[h - 2:] -= 30
    band = np.repeat(prof[:, None], w, axis=1)
    for x in range(27, w, 27):          # a notch every tenth
        band[3:h - 3, x] *= 0.7
    band[0, :] = 200
    band[:, 0] = band[:, 0] * 0.85
    img[:h, :, 0] = img[:h, :, 1] = img[:h, :, 2] = band.astype(np.int32)
    return Image.fromarray(img.astype(np.uint8), "RGB")


def whirlpool():
    """Four 16 x 16 frames of a turning whirlpool, drawn per pixel so it stays
    crisp at double size. The level draws it half transparent over the sea,
    which halves every difference from the water behind it, so it is drawn
    in the two colours furthest from the sea: two broad arms of white foam
    winding into a black eye, on dark water inside a near-black rim. Over
    the sea that reads as a bright spiral in a dark ring, unlike any crest
    or shoal."""
    rim, water, eye = (4, 10, 18), (8, 24, 40), (0, 0, 0)
    foam, foam_edge = (255, 255, 255), (196, 228, 236)
    frames = []
    for f in range(4):
        img = np.zeros((16, 16, 3), dtype=np.int32)
        img[:] = KEY
        for y in range(16):
            for x in range(16):
                dx, dy = x + 0.5 - 8, y + 0.5 - 8
                r = math.hypot(dx, dy)
                if r > 7.9:
                    continue
                a = math.atan2(dy, dx)
                # two arms, wound tighter toward the eye, a quarter turn a frame
                arm = math.sin(2 * a + r * 1.0 - f * math.pi / 2)
                if r > 6.6:
                    col = rim
                elif r < 1.8:
                    col = eye
                elif arm > -0.2:
                    col = foam if arm > 0.15 else foam_edge
                else:
                    col = water
                img[y, x] = col
        frames.append(img)
    return Image.fromarray(np.vstack(frames).astype(np.uint8), "RGB")


def marker():
    """Never drawn in play; a small buoy so it is recognisable if it is."""
    def draw(ctx):
        circle(ctx, 0, 0, 6)
        path_fill_lit(ctx, PAL["red"], 0.3, 0.3)
        path_stroke(ctx, OUT, 1.0)
        circle(ctx, 0, 0, 2.2)
        path_fill(ctx, PAL["cream"])
    return keyed(render(draw, 16, 16))
