#!/usr/bin/python3
"""Draws each level as the game would show it (sea, tiles, pick-ups, enemies,
whirlpools, the ship at its start) with the markers and a minute of each
enemy's wake on top, for looking over a layout. Needs python3-pil.

    preview_levels.py DATA_DIR OUT_DIR [--level N]

DATA_DIR is the game's data folder (pictures/ and levels/)."""
import argparse
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from enemy_motion import marker_rules, sail  # noqa: E402
from level_files import parse_level, parse_map  # noqa: E402
from roster import LEVELS, MAP_HEIGHT, TILE, roster  # noqa: E402

KEY = (0, 255, 0)
FRAMES = {"coin": 29, "treasure": 30, "health": 28, "ammo": 32}
ENEMY_FRAMES = {"EnemyShip": {"right": 39, "left": 38, "up": 37, "down": 36},
                "EnemyShip1": {"right": 42, "left": 43, "up": 40, "down": 41}}
WAKE = {"EnemyShip": (255, 120, 40, 255), "EnemyShip1": (255, 230, 60, 255)}


def keyed(image):
    image = image.convert("RGBA")
    pixels = [(0, 0, 0, 0) if p[:3] == KEY else p for p in image.getdata()]
    image.putdata(pixels)
    return image


def frame(sheet, n, scale=1.0):
    f = sheet.crop(((n % 4) * 64, (n // 4) * 64, (n % 4) * 64 + 64, (n // 4) * 64 + 64))
    if scale != 1.0:
        f = f.resize((round(64 * scale), round(64 * scale)), Image.LANCZOS)
    return f


def draw_level(data_dir, n):
    pictures = os.path.join(data_dir, "pictures")
    r = roster(n)
    with open(os.path.join(data_dir, "levels", f"map{n}.txt")) as f:
        grid = parse_map(f.read(), f"map{n}.txt", r.columns)
    with open(os.path.join(data_dir, "levels", f"level{n}.txt")) as f:
        data = parse_level(f.read(), f"level{n}.txt")
    with open(os.path.join(pictures, "Tiles.txt")) as f:
        tile_names = [line.strip().split("\\")[-1] for line in f if line.strip()]
    tiles = [keyed(Image.open(os.path.join(pictures, name))) for name in tile_names]
    sheet = keyed(Image.open(os.path.join(pictures, "textures4-3.png")))
    pool = keyed(Image.open(os.path.join(pictures, "Whirlpool2.png"))).crop((0, 16, 16, 32))
    pool = pool.resize((32, 32), Image.NEAREST)

    ocean = Image.open(os.path.join(pictures, "ocean.jpg")).convert("RGBA")
    canvas = ocean.crop((0, 0, r.width, MAP_HEIGHT)).copy()
    for x, y in data.whirlpools:
        canvas.alpha_composite(pool, (int(x), int(y)))
    for row, codes in enumerate(grid):
        for col, code in enumerate(codes):
            canvas.alpha_composite(tiles[code], (col * TILE, row * TILE))
    for kind, places in data.pickups.items():
        sprite = frame(sheet, FRAMES[kind], 0.6 if kind == "ammo" else 1.0)
        for x, y in places:
            canvas.alpha_composite(sprite, (int(x), int(y)))
    overlay = Image.new("RGBA", canvas.size, (0, 0, 0, 0))
    pen = ImageDraw.Draw(overlay)
    for kind in ("EnemyShip", "EnemyShip1"):
        for index, e in enumerate(data.enemies_of(kind)):
            rules = marker_rules(data, kind, index)
            trail = []
            sail(e, (e.x, e.y), rules, data.markers, 60.0, 20,
                 lambda t, s: trail.append(s.centre()))
            for cx, cy in trail:
                pen.point((cx, cy), fill=WAKE[kind])
    for i, (x, y) in enumerate(data.markers):
        pen.rectangle((x - 32, y - 32, x + 32, y + 32), outline=(255, 40, 40, 200))
        pen.text((x - 4, y - 6), str(i), fill=(255, 60, 60, 255))
    canvas.alpha_composite(overlay)
    for e in data.enemies:
        canvas.alpha_composite(frame(sheet, ENEMY_FRAMES[e.kind][e.frame or e.direction]),
                               (int(e.x), int(e.y)))
        if e.mode == "guard":
            ImageDraw.Draw(canvas).text((e.x + 26, e.y + 26), "G", fill=(255, 255, 255, 255))
    canvas.alpha_composite(frame(sheet, 4), (int(data.ship[0]), int(data.ship[1])))
    return canvas.convert("RGB")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("data_dir")
    parser.add_argument("out_dir")
    parser.add_argument("--level", type=int, action="append")
    args = parser.parse_args()
    os.makedirs(args.out_dir, exist_ok=True)
    for n in args.level or LEVELS:
        path = os.path.join(args.out_dir, f"level{n}.png")
        draw_level(args.data_dir, n).save(path)
        print(path)


if __name__ == "__main__":
    main()
