#!/usr/bin/python3
"""Builds every picture the game loads into data/pictures/, and a contact
sheet of all of them for review.

    /usr/bin/python3 tools/pictures/build_pictures.py [--out DIR] [--sheet FILE]

Needs Debian's python3-pil, python3-numpy, python3-cairo and the fonts listed
in assets/pictures/NOTICE.md. The output is byte-identical from run to run.
"""
import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)

from PIL import Image  # noqa: E402

import kh_hud  # noqa: E402
import kh_screens  # noqa: E402
import kh_sprites  # noqa: E402
import kh_tiles  # noqa: E402
from kh_common import save_jpg, save_png, save_text  # noqa: E402
from kh_contact import contact_sheet  # noqa: E402


def pictures():
    """(file name, builder) in the order the game needs them first."""
    items = [
        ("textures4-3.png", kh_sprites.sprite_sheet),
        ("ocean.jpg", kh_tiles.ocean),
        ("HUD.png", kh_hud.hud),
        ("Ammunition.png", kh_sprites.ammunition_icon),
        ("LIVESICON.png", kh_sprites.lives_icon),
        ("healthbar.png", kh_sprites.health_gauge),
        ("Whirlpool2.png", kh_sprites.whirlpool),
        ("marker.png", kh_sprites.marker),
    ]
    items += kh_screens.pictures()
    return items


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(ROOT, "data", "pictures"))
    ap.add_argument("--sheet", default=os.path.join(ROOT, "docs", "pictures-contact-sheet.png"))
    args = ap.parse_args()

    built = []
    for name, make in pictures():
        img = make()
        path = os.path.join(args.out, name)
        (save_jpg if name.endswith(".jpg") else save_png)(img, path)
        built.append((name, img))
        print("built", name, "%dx%d" % img.size)
    for name, img in kh_tiles.tiles():
        save_png(img, os.path.join(args.out, name))
        built.append((name, img))
    save_text(kh_tiles.tiles_list_text(), os.path.join(args.out, "Tiles.txt"))
    print("built Tiles.txt with", len(kh_tiles.TILE_FILES), "tiles")
    save_png(contact_sheet(built), args.sheet)
    print("contact sheet", os.path.relpath(args.sheet, ROOT))


if __name__ == "__main__":
    main()
