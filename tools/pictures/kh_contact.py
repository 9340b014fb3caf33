"""One PNG that shows every picture, scaled, with its name and size."""
from PIL import Image, ImageDraw

from kh_common import font

CELL_W, CELL_H, LABEL = 270, 210, 30
COLS = 6


def contact_sheet(items):
    rows = (len(items) + COLS - 1) // COLS
    sheet = Image.new("RGB", (COLS * CELL_W, rows * CELL_H), (40, 44, 52))
    d = ImageDraw.Draw(sheet)
    f = font("sans", 12)
    for i, (name, img) in enumerate(items):
        x0, y0 = (i % COLS) * CELL_W, (i // COLS) * CELL_H
        box_w, box_h = CELL_W - 12, CELL_H - LABEL - 8
        s = min(box_w / img.width, box_h / img.height)
        if s > 1:
            s = min(float(int(s)), 4.0)  # small pictures: whole-number zoom
        if img.mode == "RGBA":  # tinted words: shown over parchment grey, ink and white both read
            img = Image.alpha_composite(Image.new("RGBA", img.size, (170, 156, 128, 255)), img)
        thumb = img.convert("RGB").resize(
            (max(1, int(img.width * s)), max(1, int(img.height * s))),
            Image.NEAREST if s >= 1 else Image.LANCZOS)
        sheet.paste(thumb, (x0 + 6 + (box_w - thumb.width) // 2, y0 + 6 + (box_h - thumb.height) // 2))
        d.text((x0 + CELL_W // 2, y0 + CELL_H - LABEL // 2 - 4),
               "%s  %dx%d" % (name, img.width, img.height), font=f, fill=(230, 230, 230), anchor="mm")
    return sheet
