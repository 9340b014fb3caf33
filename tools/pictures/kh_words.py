"""Word sheets the game tints by multiplying: 250 x 50 frames with real
transparency (RGBA), so the words' soft edges blend into any screen.

The game tints a word by multiplying its colours: white stays white, the
cursor turns black, current settings cyan, sold-out wares grey, prices green
or red. Everything that is not the letters themselves (the dark edge that
parts a white word from the parchment, the shadow) is therefore drawn thin
and partly transparent: under a black tint the letters stay solid while the
edge turns to a faint grey rim, so the word reads as crisp ink instead of
running together. Letters are spaced a little wider than the font's own for
the same reason.

Each word sits in its frame where the screen that draws it needs it, not at
the frame's left edge: the frames' screen positions are fixed in the game, so
the centres below line the words up (the title and pause menus on x 400,
the shop's words on their cards, Proceed on its plaque). kh_layout.py holds
those screen positions."""
import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from kh_common import PAL, font
import kh_layout as L

FW, FH = L.FW, L.FH
INK = (22, 18, 16)
SS = 4                    # supersampling of the glyph masks

# How a menu word is drawn. The edge and shadow alphas are what keeps a
# black-tinted word legible; the tint sheet (tint_sheet.py) shows them.
WORD = dict(face="serif_bold", size=34, tracking=1.2, edge=1.1, edge_alpha=0.72,
            shadow=(1.5, 2.0), shadow_alpha=0.30, shadow_blur=1.0)
PRICE = dict(WORD, face="stencil", size=22, tracking=1.0)
BANNER = dict(WORD, size=34, edge_alpha=0.85, shadow_alpha=0.45)

TITLE_WORDS = {
    0: "Start", 1: "Load", 2: "Options", 3: "Quit", 4: "Sound", 5: "On", 6: "Off",
    7: "Resume", 8: "Difficulty", 9: "Easy", 10: "Normal", 11: "Hard", 12: "Save",
    13: "High Scores", 14: "Credits", 15: "Gauntlet", 16: "Game Saved",
}
HEADINGS = {4, 8}         # labels on the options screen, always drawn black
UPGRADE_WORDS = {0: "Cannon", 1: "Hull", 2: "Sails", 5: "Proceed", 8: "Ammo refill", 9: "Lives"}
PRICES = {0: "50", 1: "100", 2: "300", 3: "500", 4: "1000", 5: "10", 6: "400", 7: "1750"}


# ------------------------------------------------------------- masks ------

def _mask(text, face, size, tracking, stroke=0.0):
    """Coverage (0..1) of `text` at 1x, with the pen's origin: returns
    (mask, x of the pen start, y of the baseline). `stroke` widens every
    glyph by that many pixels on each side."""
    f = font(face, size * SS)
    pad = int(size * 0.6) * SS
    xs = []
    for i, ch in enumerate(text):
        xs.append(f.getlength(text[:i]) + i * tracking * SS)
    width = int(xs[-1] + f.getlength(text[-1]) + 2 * pad)
    width += (-width) % SS
    height = (size * 2) * SS
    base = int(size * 1.35) * SS
    img = Image.new("L", (width, height), 0)
    d = ImageDraw.Draw(img)
    sw = int(round(stroke * SS))
    for ch, x in zip(text, xs):
        d.text((pad + x, base), ch, font=f, fill=255, anchor="ls", stroke_width=sw, stroke_fill=255)
    arr = np.asarray(img, dtype=np.float64) / 255.0
    arr = arr.reshape(height // SS, SS, width // SS, SS).mean(axis=(1, 3))
    return arr, pad / SS, base / SS


def _blur(arr, radius):
    if radius <= 0:
        return arr
    img = Image.fromarray(np.round(arr * 255).astype(np.uint8), "L")
    return np.asarray(img.filter(ImageFilter.GaussianBlur(radius)), dtype=np.float64) / 255.0


def _shift(arr, dx, dy):
    """Moves a mask by a fraction of a pixel (bilinear)."""
    ix, iy = int(np.floor(dx)), int(np.floor(dy))
    fx, fy = dx - ix, dy - iy
    out = np.zeros_like(arr)
    h, w = arr.shape
    for ox, oy, wt in ((ix, iy, (1 - fx) * (1 - fy)), (ix + 1, iy, fx * (1 - fy)),
                       (ix, iy + 1, (1 - fx) * fy), (ix + 1, iy + 1, fx * fy)):
        if wt == 0:
            continue
        src = arr[max(0, -oy):h - max(0, oy), max(0, -ox):w - max(0, ox)]
        out[max(0, oy):max(0, oy) + src.shape[0], max(0, ox):max(0, ox) + src.shape[1]] += wt * src
    return out


def _over(top, bottom):
    """Straight-alpha 'over' of two (rgb, alpha) pairs."""
    (tc, ta), (bc, ba) = top, bottom
    a = ta + ba * (1 - ta)
    c = (tc * ta[..., None] + bc * (ba * (1 - ta))[..., None]) / np.maximum(a, 1e-9)[..., None]
    return c, a


def _layers(text, style):
    """The word as float RGBA (white letters, thin translucent ink edge, soft
    shadow) with its pen origin and ink box."""
    fill, ox, oy = _mask(text, style["face"], style["size"], style["tracking"])
    edge, _, _ = _mask(text, style["face"], style["size"], style["tracking"], style["edge"])
    sdx, sdy = style["shadow"]
    shadow = _blur(_shift(edge, sdx, sdy), style["shadow_blur"]) * style["shadow_alpha"]
    h, w = fill.shape
    ink = np.broadcast_to(np.array(INK, dtype=np.float64) / 255.0, (h, w, 3))
    white = np.ones((h, w, 3))
    c, a = _over((ink, edge * style["edge_alpha"]), (ink, shadow))
    c, a = _over((white, fill), (c, a))
    ys, xs = np.nonzero(fill > 0.5)
    box = (xs.min(), ys.min(), xs.max() + 1, ys.max() + 1)
    return np.dstack([c, a]), ox, oy, box


def _cap_height(face, size):
    f = font(face, size * SS)
    box = f.getbbox("H", anchor="ls")
    return -box[1] / SS


def place(canvas, rgba, at):
    """Alpha-composites float RGBA `rgba` onto float RGBA `canvas` at the
    whole-pixel offset `at` (x, y), cropping at the edges."""
    x, y = at
    h, w = rgba.shape[:2]
    H, W = canvas.shape[:2]
    sx0, sy0 = max(0, -x), max(0, -y)
    dx0, dy0 = max(0, x), max(0, y)
    sw, sh = min(w - sx0, W - dx0), min(h - sy0, H - dy0)
    if sw <= 0 or sh <= 0:
        return
    src = rgba[sy0:sy0 + sh, sx0:sx0 + sw]
    dst = canvas[dy0:dy0 + sh, dx0:dx0 + sw]
    c, a = _over((src[..., :3], src[..., 3]), (dst[..., :3], dst[..., 3]))
    dst[..., :3], dst[..., 3] = c, a


def word(canvas, text, cx, cy, style=WORD):
    """Draws a word into a frame canvas with its letters' ink centred on cx
    and its capitals centred on cy (so words in a row share a baseline)."""
    rgba, ox, oy, box = _layers(text, style)
    ink_cx = (box[0] + box[2]) / 2.0
    base = cy + _cap_height(style["face"], style["size"]) / 2.0
    place(canvas, rgba, (int(round(cx - ink_cx)), int(round(base - oy))))


HEADING = dict(face="serif", size=24, tracking=3.6)


def _heading_mask(text):
    st = HEADING
    fill, ox, oy = _mask(text.upper(), st["face"], st["size"], st["tracking"])
    return np.clip(fill * 1.15, 0, 1), ox, oy


def heading_width(text):
    """How wide a heading's letters are, for the rules the screen draws
    either side of it."""
    fill, _, _ = _heading_mask(text)
    xs = np.nonzero(fill.max(axis=0) > 0.5)[0]
    return int(xs.max() + 1 - xs.min())


def heading(canvas, text, cx, cy):
    """A label, not a choice: engraved capitals in plain ink, smaller and
    widely spaced, with no edge or shadow. The screen behind draws a rule
    either side of it (kh_screens.options), as its own section flourishes
    are drawn, so under the game's black it reads as a heading, never as
    the cursor's bold word."""
    fill, ox, oy = _heading_mask(text)
    h, w = fill.shape
    ys, xs = np.nonzero(fill > 0.5)
    ink = np.broadcast_to(np.array(INK, dtype=np.float64) / 255.0, (h, w, 3))
    cap = _cap_height(HEADING["face"], HEADING["size"])
    x0 = int(round(cx - (xs.min() + xs.max() + 1) / 2.0))
    y0 = int(round(cy + cap / 2.0 - oy))
    place(canvas, np.dstack([ink, fill]), (x0, y0))


# ------------------------------------------------------------- sheets -----

def _frame_canvas():
    return np.zeros((FH, FW, 4))


def to_rgba_image(arr):
    """Float RGBA to an 8-bit RGBA picture whose fully transparent pixels
    carry the ink colour, so a scaled, filtered word has a dark edge and
    never a coloured one."""
    a = arr[..., 3]
    rgb = arr[..., :3].copy()
    rgb[a <= 0.5 / 255] = np.array(INK) / 255.0
    out = np.dstack([rgb, a])
    return Image.fromarray(np.round(np.clip(out, 0, 1) * 255).astype(np.uint8), "RGBA")


MARGIN = 3                # clear pixels a word keeps from its frame's edges


def check_fit(n, fr):
    """A word that touches its frame's edge is cut off on screen."""
    ys, xs = np.nonzero(fr[..., 3] > 8 / 255.0)
    h, w = fr.shape[:2]
    if (xs.min() < MARGIN or ys.min() < MARGIN or xs.max() >= w - MARGIN or
            ys.max() >= h - MARGIN):
        raise ValueError("frame %d: the word reaches its frame's edge (%d..%d, %d..%d)"
                         % (n, xs.min(), xs.max(), ys.min(), ys.max()))


def sheet(cols, rows, frames):
    """frames: {n: float RGBA frame}."""
    out = np.zeros((FH * rows, FW * cols, 4))
    for n, fr in frames.items():
        check_fit(n, fr)
        x, y = (n % cols) * FW, (n // cols) * FH
        out[y:y + FH, x:x + FW] = fr
    return to_rgba_image(out)


def title_frame(n):
    c = _frame_canvas()
    cx, cy = L.TITLE_CENTRES[n]
    if n in HEADINGS:
        heading(c, TITLE_WORDS[n], cx, cy)
    elif n == 16:
        word(c, TITLE_WORDS[n], cx, cy, BANNER)
    else:
        word(c, TITLE_WORDS[n], cx, cy)
    return c


def title_ui():
    return sheet(4, 5, {n: title_frame(n) for n in TITLE_WORDS})


def upgrade_ui():
    frames = {}
    for n, text in UPGRADE_WORDS.items():
        c = _frame_canvas()
        word(c, text, *L.UPGRADE_CENTRES[n])
        frames[n] = c
    return sheet(4, 3, frames)


def upgrade_price():
    frames = {}
    for n, text in PRICES.items():
        c = _frame_canvas()
        word(c, text + " gold", *L.PRICE_CENTRES[n], style=PRICE)
        frames[n] = c
    return sheet(4, 2, frames)


def instructions_link():
    c = np.zeros((FH, 260, 4))
    word(c, "How to Play", *L.RULES_LINK_CENTRE)
    check_fit(0, c)
    return to_rgba_image(c)
