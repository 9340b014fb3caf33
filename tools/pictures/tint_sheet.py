#!/usr/bin/python3
"""Tint sheet: every word frame the game tints, composited the way the game
draws it (colours multiplied by the tint, alpha kept) over the real screen
behind it, once per tint it is drawn with, enlarged for review.

    /usr/bin/python3 tools/pictures/tint_sheet.py [--pictures DIR] [--out FILE]
        [--zoom N] [--screens DIR]

--screens also writes each menu screen whole (cursor on its first item) so
the words' alignment can be checked against the background. Reads the built
pictures (data/pictures by default); needs only Pillow and NumPy.
"""
import argparse
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)
import kh_layout as L  # noqa: E402

WHITE, BLACK, CYAN, GREY = 0xFFFFFF, 0x000000, 0x00FFFF, 0x808080
RED, GREEN = 0xFF0000, 0x008000
TINT_NAMES = {WHITE: "white", BLACK: "black", CYAN: "cyan", GREY: "grey", RED: "red",
              GREEN: "green"}
MENU = (WHITE, BLACK)
SETTING = (WHITE, BLACK, CYAN)
WARE = (WHITE, CYAN, GREY)
PRICE = (GREEN, RED, GREY)


def uses():
    """(label, background, sheet, frame or None, (x, y), scale, tints)."""
    out = []
    for n, at in L.TITLE_MENU.items():
        out.append(("title %d" % n, "startscreen.jpg", "titleUI.png", n, at, 1.0, MENU))
    for n, at in L.OPTIONS_LABELS.items():
        out.append(("options label %d" % n, "options.jpg", "titleUI.png", n, at, 1.0, (BLACK,)))
    for n, at in L.OPTIONS_ITEMS.items():
        out.append(("options %d" % n, "options.jpg", "titleUI.png", n, at, 1.0,
                    MENU if n == 7 else SETTING))
    out.append(("options rules link", "options.jpg", "instructionsText.png", None, L.RULES_LINK_AT,
                1.0, MENU))
    for n, at in L.PAUSE_MENU.items():
        out.append(("pause %d" % n, "KeelhavenPause.jpg", "titleUI.png", n, at, 1.0, MENU))
    out.append(("pause banner", "KeelhavenPause.jpg", "titleUI.png", L.BANNER_FRAME, L.BANNER_AT,
                L.BANNER_SCALE, (RED,)))
    for n, at in L.SHOP_WORDS.items():
        out.append(("shop %d" % n, "upgrades.jpg", "upgradeUI.png", n, at, 1.0,
                    (WHITE, CYAN) if n == 5 else WARE))
    for n, at in L.SHOP_PRICES.items():
        out.append(("price %d" % n, "upgrades.jpg", "upgradeprice.png", n, at, 1.0, PRICE))
    return out


def load_rgba(path):
    """A game picture as RGBA: key green transparent, alpha kept."""
    img = Image.open(path)
    img.load()
    if img.mode == "RGBA":
        return img
    arr = np.asarray(img.convert("RGB"))
    key = (arr[..., 0] == 0) & (arr[..., 1] == 255) & (arr[..., 2] == 0)
    alpha = np.where(key, 0, 255).astype(np.uint8)
    return Image.fromarray(np.dstack([arr, alpha]), "RGBA")


def frame_of(sheet, n, fw=L.FW, fh=L.FH):
    if n is None:
        return sheet
    cols = sheet.width // fw
    x, y = (n % cols) * fw, (n // cols) * fh
    return sheet.crop((x, y, x + fw, y + fh))


def tinted(frame, tint):
    arr = np.asarray(frame, dtype=np.float64).copy()
    mul = np.array([(tint >> 16) & 255, (tint >> 8) & 255, tint & 255]) / 255.0
    arr[..., :3] *= mul
    return Image.fromarray(np.round(arr).astype(np.uint8), "RGBA")


def draw_on(screen, frame, at, scale, tint):
    """Draws like the game: scaled about the top-left corner, then tinted."""
    if scale != 1.0:
        frame = frame.resize((int(frame.width * scale), int(frame.height * scale)), Image.BILINEAR)
    screen.alpha_composite(tinted(frame, tint), (int(at[0]), int(at[1])))
    return frame.size


def label_font(size):
    try:
        return ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", size)
    except OSError:
        return ImageFont.load_default()


def tint_sheet(folder, zoom=2, pad=12):
    cache = {}

    def pic(name):
        if name not in cache:
            cache[name] = load_rgba(os.path.join(folder, name))
        return cache[name]

    rows = []
    for label, bg, sheet, n, at, scale, tints in uses():
        fr = frame_of(pic(sheet), n)
        w, h = int(fr.width * scale), int(fr.height * scale)
        box = (max(0, at[0] - pad), max(0, at[1] - pad), min(800, at[0] + w + pad),
               min(600, at[1] + h + pad))
        cells = []
        for t in tints:
            screen = pic(bg).copy()
            draw_on(screen, fr, at, scale, 0xFF000000 | t)
            cell = screen.crop(box)
            cells.append((TINT_NAMES[t], cell.resize((cell.width * zoom, cell.height * zoom),
                                                     Image.NEAREST)))
        rows.append((label, cells))
    f = label_font(14)
    gap, head = 10, 20
    width = max(sum(c.width + gap for _, c in cells) for _, cells in rows) + gap
    height = sum(max(c.height for _, c in cells) + head + gap for _, cells in rows) + gap
    out = Image.new("RGB", (width, height), (40, 44, 52))
    d = ImageDraw.Draw(out)
    y = gap
    for label, cells in rows:
        x = gap
        for name, c in cells:
            d.text((x, y + 2), "%s, %s" % (label, name), font=f, fill=(230, 230, 230))
            out.paste(c.convert("RGB"), (x, y + head))
            x += c.width + gap
        y += max(c.height for _, c in cells) + head + gap
    return out


def screens(folder):
    """Each menu screen whole, cursor on its first item, current settings on
    the options screen cyan, the shop with its prices for the chosen ware."""
    title_ui = load_rgba(os.path.join(folder, "titleUI.png"))
    shots = {}

    def base(name):
        return load_rgba(os.path.join(folder, name))

    s = base("startscreen.jpg")
    s.alpha_composite(load_rgba(os.path.join(folder, "FrontEndText.png")), L.FRONT_END_TEXT_AT)
    shots["frontend"] = s
    s = base("startscreen.jpg")
    for k, (n, at) in enumerate(L.TITLE_MENU.items()):
        draw_on(s, frame_of(title_ui, n), at, 1.0, 0xFF000000 if k == 0 else 0xFFFFFFFF)
    shots["title"] = s
    s = base("options.jpg")
    for n, at in L.OPTIONS_LABELS.items():
        draw_on(s, frame_of(title_ui, n), at, 1.0, 0xFF000000)
    for n, at in L.OPTIONS_ITEMS.items():
        tint = 0xFF000000 if n == 6 else 0xFF00FFFF if n in (5, 9) else 0xFFFFFFFF
        draw_on(s, frame_of(title_ui, n), at, 1.0, tint)
    draw_on(s, load_rgba(os.path.join(folder, "instructionsText.png")), L.RULES_LINK_AT, 1.0,
            0xFFFFFFFF)
    shots["options"] = s
    s = base("KeelhavenPause.jpg")
    draw_on(s, frame_of(title_ui, L.BANNER_FRAME), L.BANNER_AT, L.BANNER_SCALE, 0xFFFF0000)
    for k, (n, at) in enumerate(L.PAUSE_MENU.items()):
        draw_on(s, frame_of(title_ui, n), at, 1.0, 0xFF000000 if k == 0 else 0xFFFFFFFF)
    shots["pause"] = s
    words = load_rgba(os.path.join(folder, "upgradeUI.png"))
    prices = load_rgba(os.path.join(folder, "upgradeprice.png"))
    for chosen in L.PRICE_OF:
        s = base("upgrades.jpg")
        for n, at in L.SHOP_WORDS.items():
            draw_on(s, frame_of(words, n), at, 1.0, 0xFF00FFFF if n == chosen else 0xFFFFFFFF)
        p = L.PRICE_OF[chosen]
        draw_on(s, frame_of(prices, p), L.SHOP_PRICES[p], 1.0, 0xFF008000)
        shots["shop-%d" % chosen] = s
    return shots


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--pictures", default=os.path.join(ROOT, "data", "pictures"))
    ap.add_argument("--out", default="/tmp/keelhaven-tint-sheet.png")
    ap.add_argument("--zoom", type=int, default=2)
    ap.add_argument("--screens", help="folder for whole-screen composites")
    args = ap.parse_args()
    tint_sheet(args.pictures, args.zoom).save(args.out)
    print("tint sheet", args.out)
    if args.screens:
        os.makedirs(args.screens, exist_ok=True)
        for name, img in screens(args.pictures).items():
            path = os.path.join(args.screens, name + ".png")
            img.convert("RGB").save(path)
            print("screen", path)


if __name__ == "__main__":
    main()
