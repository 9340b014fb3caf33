#!/usr/bin/python3
"""Checks the game's pictures: every file exists with the size and frame grid
the game draws it with, sprite pictures use exact key green where they are
transparent (no green-tinted fringe), the word sheets keep their words
inside their frames and lined up where the screens draw them, and the tile
list names real tiles.

    check_pictures.py DATA_PICTURES_DIR
"""
import os
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "pictures"))
import kh_layout as L  # noqa: E402  (plain data: where the game draws each frame)

KEY = (0, 255, 0)

# name: (width, height, frame_w, frame_h, keyed)
# frame sizes are those the game cuts the picture into; keyed pictures are
# drawn over other things and must hold key green somewhere; ALPHA ones (the
# tinted words) carry real transparency instead.
ALPHA = "alpha"
EXPECTED = {
    "textures4-3.png": (256, 704, 64, 64, True),
    "ocean.jpg": (1600, 600, None, None, False),
    "HUD.png": (800, 135, None, None, False),
    "Ammunition.png": (None, None, None, None, True),
    "LIVESICON.png": (None, None, None, None, True),
    "healthbar.png": (270, 270, 270, 270, True),
    "Whirlpool2.png": (16, 64, 16, 16, True),
    "marker.png": (None, None, None, None, False),
    "ostrelgames.png": (2400, 461, 800, 461, True),
    "startscreen.jpg": (800, 600, None, None, False),
    "FrontEndText.png": (None, None, None, None, True),
    "introscreen.jpg": (800, 600, None, None, False),
    "titleUI.png": (1000, 250, 250, 50, ALPHA),
    "options.jpg": (800, 600, None, None, False),
    "instructionsText.png": (None, None, None, None, ALPHA),
    "scimitar.png": (None, None, None, None, True),
    "pg1.jpg": (800, 600, None, None, False),
    "pg3.jpg": (800, 600, None, None, False),
    "pg5.jpg": (800, 600, None, None, False),
    "pg7.jpg": (800, 600, None, None, False),
    "pg9.jpg": (800, 600, None, None, False),
    "pg11.jpg": (800, 600, None, None, False),
    "pg13.jpg": (800, 600, None, None, False),
    "creditScreen.jpg": (800, 600, None, None, False),
    "Credits.png": (None, None, None, None, True),
    "KeelhavenPause.jpg": (800, 600, None, None, False),
    "upgrades.jpg": (800, 600, None, None, False),
    "upgradeUI.png": (1000, 150, 250, 50, ALPHA),
    "upgradeprice.png": (1000, 100, 250, 50, ALPHA),
    "complete.jpg": (800, 600, None, None, False),
    "HarrowdellRevenge.jpg": (800, 600, None, None, False),
    "HighScore2.png": (None, None, None, None, True),
    "KeelhavenHighScore.jpg": (800, 600, None, None, False),
}

# Frames the game draws from each sheet; all others must be fully transparent.
USED_FRAMES = {
    "textures4-3.png": set(range(0, 31)) | {32, 33} | set(range(36, 44)),
    "titleUI.png": set(range(0, 17)),
    "upgradeUI.png": {0, 1, 2, 5, 8, 9},
    "upgradeprice.png": set(range(0, 8)),
    "Whirlpool2.png": set(range(4)),
    "ostrelgames.png": {0, 1, 2},
}

failures = []


def fail(msg):
    failures.append(msg)


def pixels(img):
    return img.convert("RGB").load()


def is_key(p):
    return p[0] == 0 and p[1] == 255 and p[2] == 0


def greenish(p):
    """A pixel that is not the key but leans toward it: an anti-aliased edge
    blended with key green, which would show as a green halo in play."""
    return not is_key(p) and p[1] - max(p[0], p[2]) > 120


def check_alpha(name, img):
    """Tinted words: RGBA with some fully transparent pixels, and those carry
    no key green, which filtering would bleed into the edges of a scaled
    word."""
    if img.mode != "RGBA":
        fail("%s: mode %s, the tinted words need RGBA" % (name, img.mode))
        return
    clear = green = 0
    for r, g, b, a in img.getdata():
        if a == 0:
            clear += 1
            if g - max(r, b) > 120:
                green += 1
    if clear == 0:
        fail("%s: no transparent pixels" % name)
    if green:
        fail("%s: %d transparent pixels hold key green" % (name, green))


def check_key(name, img):
    px = pixels(img)
    w, h = img.size
    keys = bad = 0
    for y in range(h):
        for x in range(w):
            p = px[x, y]
            if is_key(p):
                keys += 1
            elif greenish(p):
                bad += 1
    if keys == 0:
        fail("%s: no key-green pixels, nothing would be transparent" % name)
    if bad:
        fail("%s: %d green-tinted pixels that are not exact key green" % (name, bad))
    if img.mode not in ("RGB", "RGBA", "P", "L"):
        fail("%s: unexpected mode %s" % (name, img.mode))
    if img.mode == "RGBA":
        alpha = img.getchannel("A").getextrema()
        if alpha[0] < 255:
            fail("%s: has translucent pixels; the key must be opaque" % name)


def frame_box(n, fw, fh, cols):
    return ((n % cols) * fw, (n // cols) * fh, (n % cols + 1) * fw, (n // cols + 1) * fh)


def check_frames(name, img, fw, fh):
    cols, rows = img.width // fw, img.height // fh
    used = USED_FRAMES.get(name)
    if used is None:
        return
    for n in range(cols * rows):
        frame = img.crop(frame_box(n, fw, fh, cols))
        if img.mode == "RGBA":
            only_key = frame.getchannel("A").getextrema()[1] == 0
        else:
            colours = frame.convert("RGB").getcolors(fw * fh)
            only_key = colours is not None and len(colours) == 1 and colours[0][1] == KEY
        if n in used and only_key:
            fail("%s: frame %d is used by the game but empty" % (name, n))
        if n not in used and not only_key:
            fail("%s: frame %d is unused and should be transparent" % (name, n))


def check_sprite_edges(name, img, fw, fh, frames):
    """Sprites that move over the sea must not touch their frame's corners,
    or they would show a square edge."""
    px = pixels(img)
    cols = img.width // fw
    for n in frames:
        x0, y0, x1, y1 = frame_box(n, fw, fh, cols)
        for cx, cy in ((x0, y0), (x1 - 1, y0), (x0, y1 - 1), (x1 - 1, y1 - 1)):
            if not is_key(px[cx, cy]):
                fail("%s: frame %d has art in its corner (%d, %d)" % (name, n, cx, cy))


def check_tiles(folder):
    path = os.path.join(folder, "Tiles.txt")
    if not os.path.exists(path):
        fail("Tiles.txt missing")
        return
    data = open(path, "rb").read()
    if not data.endswith(b"\n"):
        fail("Tiles.txt: the last line needs a line end, or the game skips it")
    if b"\r" in data:
        fail("Tiles.txt: use plain line ends")
    lines = data.decode("ascii").split("\n")[:-1]
    if len(lines) < 8:
        fail("Tiles.txt: want at least 5 solid and 3 water tiles, got %d" % len(lines))
    for code, line in enumerate(lines):
        if not line.lower().startswith("pictures\\"):
            fail("Tiles.txt line %d: %r is not under pictures\\" % (code + 1, line))
            continue
        tile = os.path.join(folder, line.split("\\", 1)[1])
        if not os.path.exists(tile):
            fail("Tiles.txt line %d: %s does not exist" % (code + 1, line))
            continue
        img = Image.open(tile)
        if img.size != (65, 65):
            fail("%s: %dx%d, tiles are 65x65" % (line, img.width, img.height))
        px = pixels(img)
        keys = sum(is_key(px[x, y]) for y in range(65) for x in range(65))
        if any(greenish(px[x, y]) for y in range(65) for x in range(65)):
            fail("%s: green-tinted pixels next to the key" % line)
        if code >= 5 and keys < 0.8 * 65 * 65:
            fail("%s: water tile (code %d) must let the sea and whirlpool show; "
                 "only %d of %d pixels are key" % (line, code, keys, 65 * 65))


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    folder = sys.argv[1]
    for name, (w, h, fw, fh, keyed) in EXPECTED.items():
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            fail("%s missing" % name)
            continue
        img = Image.open(path)
        img.load()
        if name.endswith(".jpg") != (img.format == "JPEG"):
            fail("%s: format %s does not match its name" % (name, img.format))
        if w is not None and img.size != (w, h):
            fail("%s: %dx%d, want %dx%d" % (name, img.width, img.height, w, h))
            continue
        if fw is not None and (img.width % fw or img.height % fh):
            fail("%s: %dx%d is not a whole grid of %dx%d frames" % (name, img.width, img.height, fw, fh))
            continue
        if keyed == ALPHA:
            check_alpha(name, img)
        elif keyed:
            check_key(name, img)
        if fw is not None:
            check_frames(name, img, fw, fh)
    check_words(folder)
    check_welcome(folder)
    check_icon_fit(folder)
    check_gauge(folder)
    check_credits(folder)
    if os.path.exists(os.path.join(folder, "textures4-3.png")):
        sheet = Image.open(os.path.join(folder, "textures4-3.png"))
        check_sprite_edges("textures4-3.png", sheet, 64, 64, USED_FRAMES["textures4-3.png"])
    check_tiles(folder)
    for f in failures:
        print("FAIL:", f)
    print("%d problems in %s" % (len(failures), folder))
    return 1 if failures else 0


# ---------------------------------------------------------------- words ---

MARGIN = 3        # clear pixels a word keeps from its frame's edges
SEEN = 8          # alpha from which a pixel shows on screen
SOLID = 128       # alpha of the letters themselves, for centres and overlaps


def ink_box(img, threshold):
    """(x0, y0, x1, y1) of the pixels at least `threshold` opaque, or None."""
    mask = img.getchannel("A").point(lambda a: 255 if a >= threshold else 0)
    return mask.getbbox()


def frames_of(folder, name, fw=L.FW, fh=L.FH):
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        return None
    img = Image.open(path).convert("RGBA")
    cols = img.width // fw
    return lambda n: img.crop(frame_box(n, fw, fh, cols))


def on_screen(box, at):
    return (box[0] + at[0], box[1] + at[1], box[2] + at[0], box[3] + at[1])


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def check_words(folder):
    """Every word stays inside its frame, so the screen never cuts a letter
    off; the title menu's words centre on one line, and the pause menu's
    Resume and Save on the same one; the shop's words and prices land on
    their cards, each price clear of the card's pins and of the ware's word;
    Proceed sits centred on its plaque."""
    sheets = {}
    for name in ("titleUI.png", "upgradeUI.png", "upgradeprice.png"):
        frame = frames_of(folder, name)
        if frame is None:
            return
        sheets[name] = frame
        for n in sorted(USED_FRAMES[name]):
            box = ink_box(frame(n), SEEN)
            if box is None:
                continue  # reported as an empty frame
            if (box[0] < MARGIN or box[1] < MARGIN or box[2] > L.FW - MARGIN or
                    box[3] > L.FH - MARGIN):
                fail("%s: frame %d's word reaches the frame's edge %s" % (name, n, box))
    link = os.path.join(folder, "instructionsText.png")
    if os.path.exists(link):
        img = Image.open(link).convert("RGBA")
        box = ink_box(img, SEEN)
        if box and (box[0] < MARGIN or box[1] < MARGIN or box[2] > img.width - MARGIN or
                    box[3] > img.height - MARGIN):
            fail("instructionsText.png: the words reach the picture's edge %s" % (box,))

    title = sheets["titleUI.png"]

    def centre_x(frame, n, at):
        box = ink_box(frame(n), SOLID)
        return None if box is None else at[0] + (box[0] + box[2]) / 2.0

    centres = {n: centre_x(title, n, at) for n, at in L.TITLE_MENU.items()}
    centres = {n: c for n, c in centres.items() if c is not None}
    if centres and max(centres.values()) - min(centres.values()) > 2:
        fail("titleUI.png: the title menu's words are ragged, centres at %s"
             % {n: round(c, 1) for n, c in centres.items()})
    if centres:
        line = sum(centres.values()) / len(centres)
        for n in (7, 12):
            c = centre_x(title, n, L.PAUSE_MENU[n])
            if c is not None and abs(c - line) > 2:
                fail("titleUI.png: frame %d centres at x %.1f on the pause screen, the "
                     "menu's line is %.1f" % (n, c, line))

    words, prices = sheets["upgradeUI.png"], sheets["upgradeprice.png"]
    for n, card in L.CARDS.items():
        wbox = ink_box(words(n), SEEN)
        p = L.PRICE_OF[n]
        pbox = ink_box(prices(p), SEEN)
        if wbox is None or pbox is None:
            continue
        wbox, pbox = on_screen(wbox, L.SHOP_WORDS[n]), on_screen(pbox, L.SHOP_PRICES[p])
        for what, box in (("word", wbox), ("price", pbox)):
            if not (card[0] + 6 <= box[0] and box[2] <= card[2] - 6 and
                    card[1] + 4 <= box[1] and box[3] <= card[3] - 4):
                fail("upgrade frame %d: its %s %s is not on its card %s" % (n, what, box, card))
        for px in (card[0] + 11, card[2] - 11):   # the brass tacks
            if overlap(pbox, (px - 6, card[1] + 3, px + 6, card[1] + 15)):
                fail("upgradeprice.png: frame %d covers a tack of its card %s" % (p, card))
        wsolid = on_screen(ink_box(words(n), SOLID), L.SHOP_WORDS[n])
        psolid = on_screen(ink_box(prices(p), SOLID), L.SHOP_PRICES[p])
        if overlap(wsolid, psolid):
            fail("upgradeprice.png: frame %d runs into its ware's word (frame %d)" % (p, n))
    box = ink_box(words(5), SOLID)
    if box is not None:
        box = on_screen(box, L.SHOP_WORDS[5])
        pc, bc = L.centre(L.PLAQUE), L.centre(box)
        if abs(pc[0] - bc[0]) > 2 or abs(pc[1] - bc[1]) > 3:
            fail("upgradeUI.png: Proceed centres at (%.1f, %.1f), its plaque at (%.1f, %.1f)"
                 % (bc + pc))


INNER_BORDER = (21, 21, 778, 578)   # the chart frame's inner rule (kh_paper.ink_border)


def check_welcome(folder):
    """The welcome scroll, drawn at (100, 200), lies inside the title
    chart's inner border with room to spare."""
    path = os.path.join(folder, "FrontEndText.png")
    if not os.path.exists(path):
        return
    img = Image.open(path).convert("RGB")
    px = img.load()
    xs = [x for x in range(img.width) if any(not is_key(px[x, y]) for y in range(0, img.height, 2))]
    ys = [y for y in range(img.height) if any(not is_key(px[x, y]) for x in range(0, img.width, 2))]
    if not xs:
        return
    box = on_screen((xs[0], ys[0], xs[-1] + 1, ys[-1] + 1), L.FRONT_END_TEXT_AT)
    room = 40
    if (box[0] < INNER_BORDER[0] + room or box[2] > INNER_BORDER[2] - room or
            box[1] < INNER_BORDER[1] + room or box[3] > INNER_BORDER[3] - room):
        fail("FrontEndText.png: the scroll spans %s on screen, want %d px inside the "
             "border %s" % (box, room, INNER_BORDER))


def check_icon_fit(folder):
    """Nine ammunition and three life icons are laid side by side from x 490
    on the 800-wide screen; the gold figure starts at x 660 beside the lives."""
    for name, count, right in (("Ammunition.png", 9, 800), ("LIVESICON.png", 3, 660)):
        path = os.path.join(folder, name)
        if os.path.exists(path):
            w, h = Image.open(path).size
            if 490 + count * w > right or h > 45:
                fail("%s: %dx%d, %d of them do not fit from x 490 to %d" % (name, w, h, count, right))


def check_gauge(folder):
    """The gauge is tinted by multiplying, so it must be white-ish in its top
    rows, and cut from the left, so its rows must start at x 0."""
    path = os.path.join(folder, "healthbar.png")
    if not os.path.exists(path):
        return
    px = pixels(Image.open(path))
    top = px[140, 8]
    if min(top) < 180 or is_key(top):
        fail("healthbar.png: gauge at (140, 8) is %s, want light grey to white" % (top,))
    if not is_key(px[135, 200]):
        fail("healthbar.png: below the gauge must be transparent")
    if is_key(px[1, 8]):
        fail("healthbar.png: the gauge must start at the left edge")


def check_credits(folder):
    """Drawn at (260, 60) and scrolled up 1150 pixels."""
    path = os.path.join(folder, "Credits.png")
    if os.path.exists(path):
        w, h = Image.open(path).size
        if w > 540 or not 1100 <= h <= 1400:
            fail("Credits.png: %dx%d, want at most 540 wide and about 1300 tall" % (w, h))


if __name__ == "__main__":
    sys.exit(main())
