"""Word sheets the game tints by multiplying: white letters with a dark
outline, left-aligned in 250 x 50 frames (the screens place each frame so the
words line up), on key green."""
from PIL import Image, ImageDraw

from kh_common import KEY, PAL, draw_outlined, font, key_from_pil_rgba

FW, FH = 250, 50
INK = (22, 18, 16)

TITLE_WORDS = {
    0: "Start", 1: "Load", 2: "Options", 3: "Quit", 4: "Sound", 5: "On", 6: "Off",
    7: "Resume", 8: "Difficulty", 9: "Easy", 10: "Normal", 11: "Hard", 12: "Save",
    13: "High Scores", 14: "Credits", 15: "Gauntlet", 16: "Game Saved",
}
UPGRADE_WORDS = {0: "Cannon", 1: "Hull", 2: "Sails", 5: "Proceed", 8: "Ammo refill", 9: "Lives"}
PRICES = {0: "50", 1: "100", 2: "300", 3: "500", 4: "1000", 5: "10", 6: "400", 7: "1750"}


def word_image(text, w, h, size=36, x=10, face="serif_bold", y=None, stroke=3):
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    f = font(face, size)
    yy = h / 2 if y is None else y
    draw_outlined(img, (x, yy), text, f, (255, 255, 255, 255), INK + (255,), stroke,
                  anchor="lm")
    return img


def sheet(words, rows, maker):
    out = Image.new("RGBA", (FW * 4, FH * rows), (0, 0, 0, 0))
    for n, text in words.items():
        out.paste(maker(text), ((n % 4) * FW, (n // 4) * FH))
    return key_from_pil_rgba(out, fringe=INK)


def title_ui():
    return sheet(TITLE_WORDS, 5, lambda t: word_image(t, FW, FH))


def upgrade_ui():
    return sheet(UPGRADE_WORDS, 3, lambda t: word_image(t, FW, FH))


def upgrade_price():
    # prices sit in the upper part of their frames, clear of the item words
    # drawn just below them in the shop
    return sheet(PRICES, 2, lambda t: word_image(t + " gold", FW, FH, 27, 6, "stencil",
                                                 y=19, stroke=3))


def instructions_link():
    return key_from_pil_rgba(word_image("How to Play", 260, 50), fringe=INK)
