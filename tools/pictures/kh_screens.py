"""Every screen outside play: logo, welcome, story, menus, the shop, the end
screens, the high-score table and the credits. Screen positions used below are
where the game draws its words and numbers over these pictures."""
import json
import math
import os

import numpy as np
from PIL import Image, ImageDraw

import kh_paper as P
import kh_ships
import kh_sprites
import kh_layout as L
import kh_words
from kh_common import (PAL, KEY, draw_outlined, font, key_from_pil_rgba, mix,
                       path_fill, path_fill_lit, path_stroke, rgb01, shade,
                       to_image)
from kh_hud import bevel_box, wood_planks

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.normpath(os.path.join(HERE, "..", "..", "assets", "pictures"))
INK = PAL["ink"]


def texts():
    with open(os.path.join(ASSETS, "texts.json"), encoding="utf-8") as f:
        return json.load(f)


def ship_art(scale, angle=0.0, kind="player", phase=0.0):
    draw = {
        "player": lambda ctx: kh_ships.player_ship(ctx, phase),
        "sloop": lambda ctx: kh_ships.sloop_ship(ctx, phase),
        "corsair": lambda ctx: kh_ships.corsair_ship(ctx, phase),
    }[kind]
    size = int(64 * scale)
    return P.sprite(draw, size, size, scale, angle)


def pickup_art(which, scale):
    draw = {"coin": kh_sprites.coin, "chest": kh_sprites.treasure_chest,
            "crate": kh_sprites.health_crate, "ammo": kh_sprites.ammo_pickup,
            "ball": lambda ctx: kh_sprites.iron_ball(ctx, 0, 0, 13)}[which]
    size = int(64 * scale)
    return P.sprite(draw, size, size, scale)


def rgb(img):
    return img.convert("RGB")


# -------------------------------------------------------------- the chart --

def chart_background(seed, islands, rose=None, dark=0.0):
    img = P.parchment(800, 600, seed, dark)

    def draw(ctx):
        if rose:
            P.rhumb_lines(ctx, rose[0], rose[1], 800, 600)
        for k, (x, y, r) in enumerate(islands):
            P.chart_island(ctx, x, y, r, seed * 10 + k)
        if rose:
            P.compass_rose(ctx, *rose)
    P.paste(img, P.layer(800, 600, draw), (0, 0))
    P.ink_border(img)
    return img


def startscreen():
    """Title background: a sea chart with the game's name; the middle is left
    clear for the menu words (x 290..560, y 160..510) and the welcome
    scroll at (100, 200); the islands keep off the scroll's ribbon tails."""
    img = chart_background(301, [(84, 262, 34), (120, 470, 55), (716, 262, 34),
                                 (690, 500, 36), (60, 548, 18), (728, 168, 20)],
                           rose=(690, 480, 46))
    d = ImageDraw.Draw(img)
    f = font("serif_bold", 92)
    d.text((403, 74), "KEELHAVEN", font=f, fill=(120, 40, 30, 255), anchor="mm")
    d.text((400, 71), "KEELHAVEN", font=f, fill=INK + (255,), anchor="mm")
    P.flourish(img, 400, 122, 210)
    d.text((400, 142), "a voyage among the islands", font=font("serif_italic", 24),
           fill=PAL["ink_soft"] + (255,), anchor="mm")
    P.paste(img, ship_art(1.6, -0.35), (40, 60))
    P.paste(img, ship_art(1.2, math.pi * 0.8, "sloop"), (676, 34))  # clear of the N
    # the maker's line sits in a break of the frame's inner rule, below the
    # band (y 512..568) where the title screen shows its notices
    f = font("serif_italic", 14)
    line = "\u00a9 the Keelhaven team"
    half = d.textlength(line, font=f) / 2 + 8
    arr = np.asarray(img).copy()
    x0, x1 = int(400 - half), int(400 + half) + 1
    arr[577:580, x0:x1] = arr[573:576, x0:x1]
    img = Image.fromarray(arr, "RGBA")
    d = ImageDraw.Draw(img)
    d.text((400, 580), line, font=f, fill=PAL["ink_soft"] + (255,), anchor="ms")
    return rgb(img)


def frontend_text():
    """The welcome scroll, drawn at (100, 200) over the title chart: the
    ribbon's tails end well inside the chart's inner border (x 21..778),
    from x 150 to 650 on screen."""
    w, h = 600, 190
    t = texts()["welcome"]

    def draw(ctx):
        for outer, inner in ((50, 110), (w - 50, w - 110)):  # ribbon tails behind
            notch = outer + (26 if outer < inner else -26)
            ctx.new_path()
            ctx.move_to(inner, 70)
            ctx.line_to(outer, 70)
            ctx.line_to(notch, 110)
            ctx.line_to(outer, 150)
            ctx.line_to(inner, 150)
            ctx.close_path()
            path_fill_lit(ctx, (150, 44, 36), 0.2, 0.4)
            path_stroke(ctx, INK, 2)
        ctx.new_path()
        ctx.move_to(80, 30)
        ctx.curve_to(220, 12, 380, 12, w - 80, 30)
        ctx.line_to(w - 80, 160)
        ctx.curve_to(380, 142, 220, 142, 80, 160)
        ctx.close_path()
        path_fill_lit(ctx, (196, 54, 42), 0.25, 0.35)
        path_stroke(ctx, INK, 2.5)
    img = P.layer(w, h, draw)
    f1, f2 = font("serif_bold", 36), font("serif_italic", 28)
    draw_outlined(img, (w // 2, 62), t[0], f1, PAL["cream"] + (255,), INK + (255,), 2,
                  anchor="mm", shadow=(2, INK + (255,)))
    draw_outlined(img, (w // 2, 112), t[1], f2, (255, 226, 120, 255), INK + (255,), 2,
                  anchor="mm")
    return key_from_pil_rgba(img, fringe=INK)


def introscreen():
    t = texts()
    img = P.parchment(800, 600, 311)
    P.ink_border(img)
    P.heading(img, (400, 62), t["story_title"], 50)
    P.flourish(img, 400, 98, 160)
    P.text_block(img, 70, 122, 660, t["story"], size=23, leading=1.3, gap=12)
    P.paste(img, ship_art(1.5, 0.0), (610, 470))
    P.paste(img, ship_art(1.1, math.pi, "corsair"), (60, 500))
    P.heading(img, (400, 560), "Press Enter", 24, PAL["ink_soft"], face="serif_italic")
    return rgb(img)


def heading_rules(img, cx, y, gap_half, length=70, color=INK):
    """Hairline rules either side of a heading word, ending in diamonds."""
    d = ImageDraw.Draw(img)
    for sign in (-1, 1):
        a, b = cx + sign * gap_half, cx + sign * (gap_half + length)
        d.line([(min(a, b), y), (max(a, b), y)], fill=color + (255,), width=1)
        d.polygon([(b - 4, y), (b, y - 4), (b + 4, y), (b, y + 4)], fill=color + (255,))


def options():
    """The word frames are placed by kh_layout: the sound and difficulty
    headings (drawn in titleUI.png) get their rules here, and each voyage
    its caption under its column."""
    img = chart_background(321, [(90, 150, 40), (720, 140, 44), (700, 520, 30)])
    d = ImageDraw.Draw(img)
    P.heading(img, (400, 52), "Options", 46)
    P.flourish(img, 400, 84, 120)
    for y in (232, 440):
        P.flourish(img, 400, y, 230, PAL["ink_soft"])
    for text, y in (("Sound", L.OPTIONS_SOUND_Y), ("Difficulty", L.OPTIONS_DIFFICULTY_Y)):
        heading_rules(img, L.MENU_X, y, kh_words.heading_width(text) / 2 + 14)
    cap = font("serif_italic", 19)
    for n, x in L.VOYAGE_COLUMNS.items():
        d.text((x, L.VOYAGE_CAPTION_Y), L.VOYAGE_CAPTIONS[n], font=cap,
               fill=PAL["ink_soft"] + (255,), anchor="mm")
    return rgb(img)


def scimitar():
    """The page-turn pointer: a compass needle pointing both ways, so the
    same picture reads as back on the left and forward on the right."""
    w, h = 100, 56

    def draw(ctx):
        cy = h / 2
        for sign, col in ((-1, PAL["red"]), (1, (214, 218, 226))):
            ctx.new_path()
            ctx.move_to(w / 2, cy - 9)
            ctx.line_to(w / 2 + sign * 46, cy)
            ctx.line_to(w / 2, cy + 9)
            ctx.close_path()
            path_fill_lit(ctx, col, 0.3, 0.4)
            path_stroke(ctx, INK, 2)
            ctx.new_path()
            ctx.move_to(w / 2, cy)
            ctx.line_to(w / 2 + sign * 46, cy)
            ctx.set_source_rgba(*rgb01(shade(col, -0.35)))
            ctx.set_line_width(1.2)
            ctx.stroke()
        ctx.new_path()
        ctx.arc(w / 2, cy, 11, 0, 2 * math.pi)
        path_fill_lit(ctx, PAL["brass"], 0.4, 0.45)
        path_stroke(ctx, INK, 2)
        ctx.new_path()
        ctx.arc(w / 2, cy, 4, 0, 2 * math.pi)
        path_fill(ctx, INK)
    return key_from_pil_rgba(P.layer(w, h, draw), fringe=INK)


# ------------------------------------------------------------ rules book ---

def _page_base(n, title):
    img = P.parchment(800, 600, 400 + n)
    P.ink_border(img)
    P.heading(img, (400, 58), title, 42)
    P.flourish(img, 400, 92, 150)
    d = ImageDraw.Draw(img)
    d.text((400, 536), "page %d of 7" % (n + 1), font=font("serif_italic", 20),
           fill=PAL["ink_soft"] + (255,), anchor="mm")
    d.text((400, 558), "Left or Right chooses an arrow, Enter turns, Escape closes",
           font=font("serif_italic", 16), fill=PAL["ink_soft"] + (255,), anchor="mm")
    return img


def _caption(img, xy, text, size=19, anchor="mm", face="serif_bold", color=INK):
    d = ImageDraw.Draw(img)
    d.text(xy, text, font=font(face, size), fill=color + (255,), anchor=anchor)


def _key_cap(img, x, y, label, w=44, h=40):
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([x + 3, y + 4, x + w + 3, y + h + 4], 7, fill=(90, 70, 50, 255))
    d.rounded_rectangle([x, y, x + w, y + h], 7, fill=(246, 238, 220, 255),
                        outline=INK + (255,), width=2)
    d.text((x + w / 2, y + h / 2), label, font=font("sans_bold", 18 if len(label) < 3 else 14),
           fill=INK + (255,), anchor="mm")


def page_helm(img):
    P.text_block(img, 60, 120, 680, texts()["pages"][0]["text"])
    x0, y0 = 150, 330
    _key_cap(img, x0 + 50, y0, "\u2191")
    _key_cap(img, x0, y0 + 48, "\u2190")
    _key_cap(img, x0 + 50, y0 + 48, "\u2193")
    _key_cap(img, x0 + 100, y0 + 48, "\u2192")
    _caption(img, (x0 + 72, y0 + 112), "arrow keys or d-pad", 18, face="serif_italic")
    for k, ang in enumerate((-math.pi / 2, 0.0, math.pi / 2, math.pi)):
        P.paste(img, ship_art(1.3, ang, phase=k / 4.0), (380 + k * 92, 320))
    _caption(img, (555, 440), "your ship, sailing each way", 18, face="serif_italic")


def page_cannon(img):
    P.text_block(img, 60, 120, 680, texts()["pages"][1]["text"])
    _key_cap(img, 120, 360, "Space", 90)
    _caption(img, (165, 420), "or the A button", 18, face="serif_italic")
    P.paste(img, ship_art(1.4, 0.0), (290, 330))
    d = ImageDraw.Draw(img)
    for k in range(3):
        d.line([(400 + k * 40, 375), (420 + k * 40, 375)], fill=PAL["ink_soft"] + (255,), width=2)
    P.paste(img, pickup_art("ball", 0.5), (520, 359))
    P.paste(img, ship_art(1.3, math.pi, "sloop"), (570, 335))
    _caption(img, (470, 450), "one ball in flight, then reload", 18, face="serif_italic")


def page_pickups(img):
    P.text_block(img, 60, 118, 680, texts()["pages"][2]["text"])
    rows = [("coin", "Gold coin", "50 gold"), ("chest", "Treasure chest", "100 gold"),
            ("crate", "Repair crate", "mends 34 of the hull"),
            ("ammo", "Cannonballs", "one more shot for the rack")]
    for k, (art, name, gives) in enumerate(rows):
        x = 90 + (k % 2) * 340
        y = 170 + (k // 2) * 150
        P.paste(img, pickup_art(art, 1.4), (x - 10, y))
        _caption(img, (x + 90, y + 36), name, 24, anchor="lm")
        _caption(img, (x + 90, y + 66), gives, 20, anchor="lm", face="serif")
    P.text_block(img, 60, 470, 680, ["What you gather in a sea is lost again if your ship "
                                     "sinks there."], size=19, face="serif_italic")


def page_enemies(img):
    P.text_block(img, 60, 118, 680, texts()["pages"][3]["text"], size=20)
    P.paste(img, ship_art(1.6, 0.0, "sloop"), (120, 300))
    _caption(img, (171, 420), "Red sloop", 22)
    _caption(img, (171, 444), "two shots sink it", 17, face="serif_italic")
    P.paste(img, ship_art(1.6, 0.0, "corsair"), (350, 300))
    _caption(img, (401, 420), "Black corsair", 22)
    _caption(img, (401, 444), "two shots sink it", 17, face="serif_italic")
    import kh_tiles
    for k, fn in enumerate((kh_tiles.tile_grass, kh_tiles.tile_highland, kh_tiles.tile_reef)):
        t = fn().convert("RGBA")
        arr = np.asarray(t).copy()
        key = (arr[..., 0] == 0) & (arr[..., 1] == 255) & (arr[..., 2] == 0)
        arr[key, 3] = 0
        P.paste(img, Image.fromarray(arr, "RGBA"), (560 + (k % 2) * 70, 290 + (k // 2) * 70))
    _caption(img, (628, 444), "land, rock, reef: solid", 17, face="serif_italic")


def page_whirlpool(img):
    P.text_block(img, 60, 118, 680, texts()["pages"][4]["text"], size=20)
    wp = kh_sprites.whirlpool().crop((0, 0, 16, 16)).resize((96, 96), Image.NEAREST).convert("RGBA")
    arr = np.asarray(wp).copy()
    key = (arr[..., 0] == 0) & (arr[..., 1] == 255) & (arr[..., 2] == 0)
    arr[key, 3] = 0
    P.paste(img, Image.fromarray(arr, "RGBA"), (150, 360))
    _caption(img, (198, 472), "stay three seconds", 18, face="serif_italic")
    d = ImageDraw.Draw(img)
    gx, gy = 330, 380
    for k, col in enumerate(((0, 255, 0), (255, 255, 0), (255, 165, 0), (255, 0, 0))):
        wdt = 200 - k * 50
        d.rectangle([gx, gy + k * 22, gx + 200, gy + k * 22 + 14], fill=(40, 30, 26, 255))
        d.rectangle([gx, gy + k * 22, gx + wdt, gy + k * 22 + 14], fill=mix(col, (60, 60, 60), 0.15) + (255,))
    _caption(img, (430, 472), "the hull gauge", 18, face="serif_italic")
    life = kh_sprites.lives_icon().convert("RGBA")
    arr = np.asarray(life).copy()
    key = (arr[..., 0] == 0) & (arr[..., 1] == 255) & (arr[..., 2] == 0)
    arr[key, 3] = 0
    life = Image.fromarray(arr, "RGBA").resize((60, 54), Image.LANCZOS)
    for k in range(3):
        P.paste(img, life, (570 + k * 50, 395))
    _caption(img, (645, 472), "three lives", 18, face="serif_italic")


def page_shop(img):
    P.text_block(img, 60, 118, 680, texts()["pages"][5]["text"], size=20)
    rows = [("Sails", "300", "faster ship (speed 150 to 200)"),
            ("Hull", "1000", "rams cost 17 hull instead of 34"),
            ("Cannon", "1750", "heavy shot sinks a raider in one hit"),
            ("Ammo refill", "100", "one cannonball, up to nine"),
            ("Lives", "500", "one life, up to three; not in Gauntlet")]
    d = ImageDraw.Draw(img)
    y = 225
    for name, price, what in rows:
        d.text((90, y), name, font=font("serif_bold", 24), fill=INK + (255,), anchor="lm")
        d.text((330, y), price + " gold", font=font("stencil", 22), fill=(120, 40, 30, 255),
               anchor="rm")
        d.text((360, y), what, font=font("serif", 21), fill=INK + (255,), anchor="lm")
        d.line([(90, y + 20), (710, y + 20)], fill=PAL["parch_dark"] + (255,), width=1)
        y += 46
    P.paste(img, pickup_art("coin", 1.0), (690, 120))


def page_voyages(img):
    P.text_block(img, 60, 118, 680, texts()["pages"][6]["text"], size=20)
    _key_cap(img, 250, 410, "P")
    _key_cap(img, 302, 410, "Esc", 54)
    _key_cap(img, 364, 410, "START", 84)
    _caption(img, (350, 470), "pause", 18, face="serif_italic")
    P.paste(img, pickup_art("chest", 1.2), (520, 395))


PAGES = [("pg1.jpg", page_helm), ("pg3.jpg", page_cannon), ("pg5.jpg", page_pickups),
         ("pg7.jpg", page_enemies), ("pg9.jpg", page_whirlpool), ("pg11.jpg", page_shop),
         ("pg13.jpg", page_voyages)]


def rules_page(n):
    def make():
        img = _page_base(n, texts()["pages"][n]["title"])
        PAGES[n][1](img)
        return rgb(img)
    return make


# ---------------------------------------------------------------- pause ----

def pause_screen():
    """Words at resume (280,150), save (270,260), quit (280,400); the red
    'Game Saved' banner appears at (180,0) doubled, so the top stays plain."""
    img = chart_background(331, [(110, 300, 50), (700, 260, 46), (640, 520, 30)],
                           rose=(120, 480, 50))
    d = ImageDraw.Draw(img)
    P.heading(img, (400, 490), "At Anchor", 40)
    P.flourish(img, 400, 520, 130)
    d.text((400, 552), "Save keeps this voyage; Load on the title menu brings it back.",
           font=font("serif_italic", 19), fill=PAL["ink_soft"] + (255,), anchor="mm")
    P.paste(img, ship_art(1.5, -math.pi / 2, phase=0.5), (640, 340))
    return rgb(img)


# ----------------------------------------------------------------- shop ----

def _notice(img, box, seed, lines, art=None):
    """A card pinned to the wall: brass tacks in its top corners, clear of
    the price that is printed centred below its top edge when the ware is
    chosen, its caption at the foot."""
    x0, y0, x1, y1 = box
    note = P.parchment(x1 - x0, y1 - y0, seed)
    d = ImageDraw.Draw(note)
    d.rectangle([0, 0, x1 - x0 - 1, y1 - y0 - 1], outline=PAL["ink_soft"] + (255,), width=2)
    shadow = Image.new("RGBA", (x1 - x0, y1 - y0), (0, 0, 0, 110))
    P.paste(img, shadow, (x0 + 6, y0 + 6))
    P.paste(img, note, (x0, y0))
    dd = ImageDraw.Draw(img)
    for cx in (x0 + 11, x1 - 11):  # brass tacks
        dd.ellipse([cx - 5, y0 + 4, cx + 5, y0 + 14], fill=PAL["brass"] + (255,), outline=INK + (255,))
    yy = y1 - 12 - 20 * (len(lines) - 1)
    for line in lines:
        dd.text(((x0 + x1) // 2, yy), line, font=font("serif_italic", 17), fill=INK + (255,),
                anchor="mm")
        yy += 20
    if art is not None:
        a, (ax, ay) = art
        P.paste(img, a, (ax, ay))


def upgrades():
    """The chandler's wall. The cards, the words on them (centred by
    kh_layout) and the Proceed plaque come from kh_layout; the gold figure
    is printed in white at (80,450), lives icons from (300,460), cannonball
    icons from (480,460)."""
    img = to_image(wood_planks(800, 600, 341, PAL["wood"], plank=40)).convert("RGBA")
    d = ImageDraw.Draw(img)
    C = L.CARDS
    _notice(img, C[9], 342, ["one more life", "(up to three)"])
    _notice(img, C[2], 343, ["a faster ship"])
    _notice(img, C[8], 344, ["one cannonball, up to nine"])
    _notice(img, C[1], 345, ["rams cost half"])
    _notice(img, C[0], 346, ["sink a raider", "in one shot"])
    # small art in the cards' lower corners, beside the captions
    P.paste(img, ship_art(0.62, -0.5), (C[2][2] - 44, C[2][3] - 46))
    P.paste(img, pickup_art("ball", 0.42), (C[0][0] + 10, C[0][3] - 36))
    # the shop sign hanging on the left
    bevel_box(d, (14, 190, 200, 420), shade(PAL["wood_dark"], -0.2), shade(PAL["wood"], 0.2),
              shade(PAL["wood_dark"], -0.6), 4)
    for k, word in enumerate(("The", "Chandler")):
        draw_outlined(img, (107, 250 + k * 52), word, font("serif_bold", 40 if k else 30),
                      PAL["gold"] + (255,), INK + (255,), 2, anchor="mm")
    d.text((107, 350), "Arrows choose", font=font("serif_italic", 19), fill=PAL["cream"] + (255,),
           anchor="mm")
    d.text((107, 375), "Enter buys", font=font("serif_italic", 19), fill=PAL["cream"] + (255,),
           anchor="mm")
    # counter: gold plate, lives and shot shelves
    bevel_box(d, (0, 432, 800, 600), shade(PAL["wood_dark"], -0.3), shade(PAL["wood"], 0.1),
              (20, 14, 10), 3)
    bevel_box(d, (60, 442, 285, 508), (26, 20, 18), (10, 8, 6), shade(PAL["wood"], 0.1), 3)
    for x0, x1, label in ((296, 426, "lives"), (476, 772, "shot")):
        bevel_box(d, (x0, 452, x1, 502), (34, 26, 22), (12, 10, 8), shade(PAL["wood"], 0.1), 2)
        d.text(((x0 + x1) // 2, 512), label, font=font("serif_italic", 18),
               fill=PAL["cream"] + (255,), anchor="mm")
    d.text((172, 519), "gold", font=font("serif_italic", 18), fill=PAL["cream"] + (255,), anchor="mm")
    P.paste(img, pickup_art("coin", 0.6), (22, 456))
    # the gangway plaque Proceed is centred on
    bevel_box(d, L.PLAQUE, shade(PAL["wood"], -0.1), shade(PAL["wood"], 0.35),
              shade(PAL["wood_dark"], -0.5), 3)
    return rgb(img)


# ---------------------------------------------------------- end screens ----

PANEL_W, PANEL_H = 460, 400   # centred: (170, 100) .. (630, 500)


def highscore_panel():
    """Centred on the end screens, at (170, 100). The name box opens at
    (360, 120); measured in the game, its white entry line is (370..510,
    320..358) on screen, which is (200..340, 220..258) on the panel."""
    w, h = PANEL_W, PANEL_H

    def draw(ctx):
        ctx.new_path()
        r = 22
        ctx.move_to(r, 0)
        ctx.arc(w - r, r, r, -math.pi / 2, 0)
        ctx.arc(w - r, h - r, r, 0, math.pi / 2)
        ctx.arc(r, h - r, r, math.pi / 2, math.pi)
        ctx.arc(r, r, r, math.pi, 3 * math.pi / 2)
        ctx.close_path()
        ctx.set_source_rgba(*rgb01(PAL["wood_dark"]))
        ctx.fill()
    img = P.layer(w, h, draw)
    inner = P.parchment(w - 24, h - 24, 351)
    P.paste(img, inner, (12, 12))
    d = ImageDraw.Draw(img)
    d.rectangle([12, 12, w - 13, h - 13], outline=PAL["brass"] + (255,), width=3)
    d.text((w // 2, 52), "The Captain's Log", font=font("serif_bold", 38), fill=INK + (255,),
           anchor="mm")
    P.flourish(img, w // 2, 82, 150)
    d.text((w // 2, 112), "Your gold is your score.", font=font("serif_italic", 22),
           fill=INK + (255,), anchor="mm")
    d.text((w // 2, 140), "Sign the log with up to three letters,", font=font("serif", 21),
           fill=INK + (255,), anchor="mm")
    d.text((w // 2, 166), "then press Enter.", font=font("serif", 21), fill=INK + (255,),
           anchor="mm")
    # the writing slot framing the entry line by 10 px on every side
    d.rounded_rectangle([190, 210, 350, 268], 10, fill=shade(PAL["parch"], -0.12) + (255,),
                        outline=PAL["ink_soft"] + (255,), width=2)
    d.text((176, 239), "Name", font=font("serif_bold", 28), fill=INK + (255,), anchor="rm")
    d.text((w // 2, 352), "Fair winds, Captain!", font=font("serif_italic", 22),
           fill=PAL["ink_soft"] + (255,), anchor="mm")
    return key_from_pil_rgba(img, fringe=PAL["wood_dark"])


def complete_screen():
    img = chart_background(361, [(80, 300, 46), (730, 300, 40), (90, 540, 30), (720, 540, 34)],
                           rose=None)
    draw_outlined(img, (400, 56), "Voyage Complete!", font("serif_bold", 54), PAL["gold"] + (255,),
                  INK + (255,), 3, anchor="mm", shadow=(3, INK + (255,)))
    P.paste(img, pickup_art("chest", 1.8), (27, 130))
    P.paste(img, ship_art(2.0, -math.pi / 2), (672, 120))
    P.heading(img, (400, 540), "The bells of Keelhaven ring for you.", 26, PAL["ink_soft"],
              face="serif_italic")
    return rgb(img)


def gameover_screen():
    sky = P.night_sky(800, 600, 371)
    sea = P.dark_sea(800, 600, 372, (40, 52, 66), (10, 14, 20))
    yy = np.arange(600)[:, None, None]
    img = to_image(np.where(yy < 150, sky * np.array([1.0, 0.6, 0.55]) + np.array([30, 0, 0]), sea))
    img = img.convert("RGBA")
    d = ImageDraw.Draw(img)
    draw_outlined(img, (400, 62), "Harrowdell's Revenge", font("serif_bold", 52),
                  (222, 60, 46, 255), (10, 6, 6, 255), 3, anchor="mm", shadow=(3, (0, 0, 0, 255)))
    sheet = kh_sprites.sprite_sheet()
    for n, (x, y) in ((24, (40, 190)), (23, (650, 300)), (25, (60, 430))):
        fr = sheet.crop(((n % 4) * 64, (n // 4) * 64, (n % 4) * 64 + 64, (n // 4) * 64 + 64))
        fr = fr.resize((128, 128), Image.NEAREST).convert("RGBA")
        arr = np.asarray(fr).copy()
        key = (arr[..., 0] == 0) & (arr[..., 1] == 255) & (arr[..., 2] == 0)
        arr[key, 3] = 0
        P.paste(img, Image.fromarray(arr, "RGBA"), (x, y))
    P.paste(img, ship_art(1.6, math.pi * 0.75, "corsair"), (40, 330))
    P.paste(img, ship_art(1.6, math.pi * 1.2, "sloop"), (660, 440))
    d.text((400, 548), "Your last ship is lost beneath the waves.", font=font("serif_italic", 26),
           fill=(210, 200, 190, 255), anchor="mm")
    return rgb(img)


def highscore_table():
    """Names are printed in black at x 300 and scores at x 400, one row every
    30 pixels from y 130."""
    img = chart_background(381, [(90, 200, 40), (710, 420, 44), (100, 500, 28)], rose=(700, 170, 44))
    d = ImageDraw.Draw(img)
    P.heading(img, (400, 50), "Hall of Captains", 48)
    P.flourish(img, 400, 86, 170)
    band = (226, 204, 154, 255)
    for i in range(10):
        y = 130 + 30 * i
        if i % 2 == 0:
            d.rectangle([236, y + 2, 566, y + 32], fill=band)
        d.text((284, y + 18), "%d." % (i + 1), font=font("serif_bold", 22), fill=PAL["ink_soft"] + (255,),
               anchor="rm")
    d.text((300, 112), "Captain", font=font("serif_italic", 18), fill=PAL["ink_soft"] + (255,), anchor="lm")
    d.text((414, 112), "Gold", font=font("serif_italic", 18), fill=PAL["ink_soft"] + (255,), anchor="lm")
    d.line([(236, 124), (566, 124)], fill=INK + (255,), width=2)
    d.line([(236, 436), (566, 436)], fill=INK + (255,), width=2)
    d.text((400, 556), "Press Enter to continue", font=font("serif_italic", 22),
           fill=PAL["ink_soft"] + (255,), anchor="mm")
    return rgb(img)


# ---------------------------------------------------------------- credits --

def credit_screen():
    """Night harbour; the credits scroll over the sky from x 260."""
    sky = P.night_sky(800, 600, 391)
    sea = P.dark_sea(800, 600, 392)
    yy = np.arange(600)[:, None, None]
    img = to_image(np.where(yy < 470, sky, sea)).convert("RGBA")
    d = ImageDraw.Draw(img)
    d.ellipse([660, 30, 720, 90], fill=(240, 236, 214, 255))
    d.ellipse([676, 28, 736, 88], fill=(14, 22, 44, 255))  # crescent moon

    def draw(ctx):
        # rock and lighthouse on the left, lit from the top-left
        ctx.new_path()
        ctx.move_to(0, 600)
        ctx.line_to(0, 420)
        ctx.curve_to(40, 380, 160, 380, 230, 470)
        ctx.line_to(250, 600)
        ctx.close_path()
        path_fill_lit(ctx, (58, 56, 60), 0.15, 0.5)
        ctx.new_path()
        ctx.move_to(80, 400)
        ctx.line_to(96, 170)
        ctx.line_to(144, 170)
        ctx.line_to(160, 400)
        ctx.close_path()
        path_fill_lit(ctx, (226, 220, 208), 0.1, 0.55)
        for k, y in enumerate((220, 290, 360)):
            ctx.new_path()
            t = (y - 170) / 230.0
            ctx.rectangle(96 - 16 * t, y, 48 + 32 * t, 22)
            path_fill_lit(ctx, (176, 48, 40), 0.15, 0.5)
        ctx.new_path()
        ctx.rectangle(98, 136, 44, 34)
        path_fill(ctx, (255, 228, 140))
        ctx.new_path()
        ctx.move_to(90, 138)
        ctx.line_to(120, 108)
        ctx.line_to(150, 138)
        ctx.close_path()
        path_fill_lit(ctx, (60, 58, 64), 0.2, 0.4)
        # beams of light
        for sign in (-1, 1):
            ctx.new_path()
            ctx.move_to(120, 153)
            ctx.line_to(120 + sign * 260, 110)
            ctx.line_to(120 + sign * 260, 200)
            ctx.close_path()
            ctx.set_source_rgba(1.0, 0.92, 0.6, 0.10)
            ctx.fill()
    P.paste(img, P.layer(800, 600, draw), (0, 0))
    return rgb(img)


def credits_text():
    w, h = 540, 1300
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    y = 40
    cream, gold = PAL["cream"] + (255,), PAL["gold"] + (255,)
    outline = (10, 12, 22, 255)
    for entry in texts()["credits"]:
        if entry[0] == "gap":
            y += 26
        elif entry[0] == "end":  # the last words stay in view when scrolling stops
            y = max(y, 1170)
            draw_outlined(img, (w // 2, y), entry[1], font("serif_bold", 44), gold, outline, 2,
                          anchor="mt")
            y += 60
        elif entry[0] == "h":
            draw_outlined(img, (w // 2, y), entry[1], font("serif_bold", 31), gold, outline, 2,
                          anchor="mt")
            y += 44
        else:
            f = font("serif", 21)
            for line in P.wrap_text(d, entry[1], f, w - 30):
                draw_outlined(img, (w // 2, y), line, f, cream, outline, 2, anchor="mt")
                y += 28
    assert y < h - 10, "credits overflow: %d" % y
    return key_from_pil_rgba(img, fringe=outline[:3])


# --------------------------------------------------------------- the logo --

LOGO_BG = (0x31, 0x30, 0x30)


def _pool_ellipse(ctx, cx, cy, rx, ry):
    ctx.new_path()
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(rx, ry)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()


def ostrel_logo():
    """Three frames: the maker's emblem, the near half of a pool (drawn in
    front, hiding the emblem below the water line) and the far half (behind).
    The emblem climbs from y 200 to about y -87, the near half sits at y 340
    and the far half at y 110, so the water line is at screen y 380."""
    W, H = 800, 461
    WATER = 380
    rx, ry = 300, 46

    def logo(ctx):
        cx, cy = 400, 315  # emblem centre in the frame
        ctx.new_path()
        ctx.arc(cx, cy - 40, 78, 0, 2 * math.pi)
        path_fill_lit(ctx, (30, 92, 130), 0.3, 0.4)
        path_stroke(ctx, PAL["brass"], 6)
        for k in range(8):  # a ship's wheel
            a = k * math.pi / 4
            ctx.new_path()
            ctx.move_to(cx + math.cos(a) * 20, cy - 40 + math.sin(a) * 20)
            ctx.line_to(cx + math.cos(a) * 98, cy - 40 + math.sin(a) * 98)
            path_stroke(ctx, PAL["brass"], 7)
            ctx.new_path()
            ctx.arc(cx + math.cos(a) * 100, cy - 40 + math.sin(a) * 100, 8, 0, 2 * math.pi)
            path_fill_lit(ctx, PAL["brass"], 0.4, 0.4)
        ctx.new_path()
        ctx.arc(cx, cy - 40, 60, 0, 2 * math.pi)
        path_stroke(ctx, PAL["brass"], 8)
        ctx.new_path()
        ctx.arc(cx, cy - 40, 18, 0, 2 * math.pi)
        path_fill_lit(ctx, PAL["brass"], 0.4, 0.4)

    def far(ctx):
        cy = WATER - 110
        _pool_ellipse(ctx, 400, cy, rx + 14, ry + 10)
        path_fill_lit(ctx, (92, 86, 80), 0.3, 0.3)  # stone rim
        _pool_ellipse(ctx, 400, cy, rx, ry)
        path_fill_lit(ctx, (24, 80, 116), 0.2, 0.4)
        for k in range(3):
            _pool_ellipse(ctx, 400, cy, 120 + k * 60, 14 + k * 8)
            ctx.set_source_rgba(*rgb01(PAL["foam"], 0.5 - k * 0.13))
            ctx.set_line_width(2)
            ctx.stroke()

    def near(ctx):
        cy = WATER - 340
        ctx.save()
        ctx.rectangle(0, cy, W, H - cy)
        ctx.clip()
        ctx.new_path()
        ctx.rectangle(0, cy, W, H - cy)
        path_fill(ctx, LOGO_BG)
        _pool_ellipse(ctx, 400, cy, rx + 14, ry + 10)
        path_fill_lit(ctx, (92, 86, 80), 0.3, 0.3)
        _pool_ellipse(ctx, 400, cy, rx, ry)
        path_fill_lit(ctx, (30, 92, 130), 0.25, 0.4)
        ctx.new_path()
        ctx.move_to(400 - rx, cy)
        ctx.line_to(400 + rx, cy)
        ctx.set_source_rgba(*rgb01(PAL["foam"]))
        ctx.set_line_width(2.5)
        ctx.stroke()
        ctx.restore()

    frames = []
    a = P.layer(W, H, logo)
    draw_outlined(a, (400, 408), "KEELHAVEN CREW", font("serif_bold", 48), PAL["cream"] + (255,),
                  (20, 18, 18, 255), 2, anchor="mm")
    frames.append(a)
    frames.append(P.layer(W, H, near))
    frames.append(P.layer(W, H, far))
    sheet = Image.new("RGBA", (W * 3, H), (0, 0, 0, 0))
    for k, f in enumerate(frames):
        sheet.paste(f, (k * W, 0))
    return key_from_pil_rgba(sheet, fringe=LOGO_BG)


# ------------------------------------------------------------------ list ---

def pictures():
    items = [
        ("ostrelgames.png", ostrel_logo),
        ("startscreen.jpg", startscreen),
        ("FrontEndText.png", frontend_text),
        ("introscreen.jpg", introscreen),
        ("titleUI.png", kh_words.title_ui),
        ("options.jpg", options),
        ("instructionsText.png", kh_words.instructions_link),
        ("scimitar.png", scimitar),
    ]
    items += [(name, rules_page(n)) for n, (name, _) in enumerate(PAGES)]
    items += [
        ("creditScreen.jpg", credit_screen),
        ("Credits.png", credits_text),
        ("KeelhavenPause.jpg", pause_screen),
        ("upgrades.jpg", upgrades),
        ("upgradeUI.png", kh_words.upgrade_ui),
        ("upgradeprice.png", kh_words.upgrade_price),
        ("complete.jpg", complete_screen),
        ("HarrowdellRevenge.jpg", gameover_screen),
        ("HighScore2.png", highscore_panel),
        ("KeelhavenHighScore.jpg", highscore_table),
    ]
    return items
