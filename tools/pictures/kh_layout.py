"""Where the game draws the word frames and other keyed pictures on the
800 x 600 screens (fixed in the game's screen code), and where on those
screens the words should land. The word sheets, the backgrounds, the tint
sheet and tests/pictures/check_pictures.py all read this one table, so the
art and its checks agree on the layout.

Plain data: it must import with nothing but the standard library."""

FW, FH = 250, 50          # word frames

# --- where the game draws each frame: {frame: (x, y)} per screen ----------
TITLE_MENU = {0: (320, 160), 2: (310, 220), 1: (310, 280), 13: (290, 340), 14: (295, 400),
              3: (310, 460)}
PAUSE_MENU = {7: (280, 150), 12: (270, 260), 3: (310, 400)}
BANNER_FRAME, BANNER_AT, BANNER_SCALE = 16, (180, 0), 2.0
OPTIONS_LABELS = {4: (285, 100), 8: (260, 260)}
OPTIONS_ITEMS = {5: (200, 150), 6: (350, 160), 9: (20, 360), 10: (250, 365), 11: (420, 365),
                 15: (560, 365), 7: (280, 530)}
RULES_LINK_AT = (270, 450)            # instructionsText.png, 260 x 50
SHOP_WORDS = {0: (460, 260), 1: (260, 250), 8: (560, 100), 9: (160, 85), 2: (350, 80),
              5: (350, 520)}
SHOP_PRICES = {1: (630, 60), 2: (380, 50), 3: (195, 40), 7: (540, 235), 4: (235, 215)}
UNSOLD_PRICES = {0: (620, 60), 5: (620, 60), 6: (185, 50)}   # loaded, never drawn
FRONT_END_TEXT_AT = (100, 200)         # FrontEndText.png over startscreen.jpg

# --- where the words should land on screen --------------------------------
MENU_X = 400              # the title and pause menus' words centre on this line
ROW_Y = 22                # a menu word's capitals centre this far down its frame
PAUSE_SAVE_Y = 290        # Save halfway-ish between Resume (172) and Quit (422)

# Options: On and Off side by side under the sound heading; the four voyages
# in columns under the difficulty heading, their captions printed below.
OPTIONS_SOUND_Y, OPTIONS_SOUND_ROW = 122, 179
OPTIONS_ON_X, OPTIONS_OFF_X = 335, 465
OPTIONS_DIFFICULTY_Y, OPTIONS_VOYAGE_ROW = 296, 382
VOYAGE_COLUMNS = {9: 135, 10: 315, 11: 490, 15: 665}
VOYAGE_CAPTIONS = {9: "seas 1 to 10", 10: "seas 11 to 20", 11: "seas 21 to 30",
                   15: "all 30, one life"}
VOYAGE_CAPTION_Y = 414
RULES_LINK_Y = 471
BANNER_Y = 58             # the doubled 'Game Saved' centres here

# The shop's cards (x0, y0, x1, y1), one per ware, keyed by its word frame;
# the word and, when the ware is chosen, its price centre on the card.
CARDS = {9: (162, 30, 340, 175), 2: (350, 38, 535, 175), 8: (580, 50, 790, 175),
         1: (225, 205, 440, 345), 0: (486, 225, 720, 360)}
PRICE_OF = {9: 3, 2: 2, 8: 1, 1: 4, 0: 7}      # word frame -> price frame
CARD_PRICE_DROP = 27      # a price centres this far below its card's top
CARD_WORD_Y = {9: 110, 2: 106, 8: 124, 1: 276, 0: 290}
PLAQUE = (335, 522, 535, 574)          # the gangway plaque Proceed sits on


def centre(box):
    return ((box[0] + box[2]) / 2.0, (box[1] + box[3]) / 2.0)


def _in_frame(at, target):
    return (target[0] - at[0], target[1] - at[1])


def title_centres():
    """{frame: (cx, cy)} inside the frame for every titleUI frame."""
    c = {}
    for n, at in TITLE_MENU.items():
        c[n] = _in_frame(at, (MENU_X, at[1] + ROW_Y))
    c[7] = _in_frame(PAUSE_MENU[7], (MENU_X, PAUSE_MENU[7][1] + ROW_Y))
    c[12] = _in_frame(PAUSE_MENU[12], (MENU_X, PAUSE_SAVE_Y))
    c[4] = _in_frame(OPTIONS_LABELS[4], (MENU_X, OPTIONS_SOUND_Y))
    c[8] = _in_frame(OPTIONS_LABELS[8], (MENU_X, OPTIONS_DIFFICULTY_Y))
    c[5] = _in_frame(OPTIONS_ITEMS[5], (OPTIONS_ON_X, OPTIONS_SOUND_ROW))
    c[6] = _in_frame(OPTIONS_ITEMS[6], (OPTIONS_OFF_X, OPTIONS_SOUND_ROW))
    for n, x in VOYAGE_COLUMNS.items():
        c[n] = _in_frame(OPTIONS_ITEMS[n], (x, OPTIONS_VOYAGE_ROW))
    bx, by = BANNER_AT
    c[16] = ((MENU_X - bx) / BANNER_SCALE, (BANNER_Y - by) / BANNER_SCALE)
    return c


def upgrade_centres():
    c = {}
    for n, box in CARDS.items():
        c[n] = _in_frame(SHOP_WORDS[n], (centre(box)[0], CARD_WORD_Y[n]))
    c[5] = _in_frame(SHOP_WORDS[5], centre(PLAQUE))
    return c


def price_centres():
    c = {}
    for word, price in PRICE_OF.items():
        box = CARDS[word]
        c[price] = _in_frame(SHOP_PRICES[price], (centre(box)[0], box[1] + CARD_PRICE_DROP))
    for n in UNSOLD_PRICES:
        c[n] = (FW / 2.0, 18)
    return c


TITLE_CENTRES = title_centres()
UPGRADE_CENTRES = upgrade_centres()
PRICE_CENTRES = price_centres()
RULES_LINK_CENTRE = (MENU_X - RULES_LINK_AT[0], RULES_LINK_Y - RULES_LINK_AT[1])
