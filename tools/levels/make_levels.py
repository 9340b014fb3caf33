#!/usr/bin/python3
"""Writes data/levels/mapN.txt and levelN.txt for the 31 levels from the
designs in designs_easy.py, designs_normal.py and designs_hard.py. The output
depends on nothing but those designs, so running it again gives the same
bytes.

    make_levels.py [DATA_LEVELS_DIR] [--check]

--check writes nothing and fails if a file differs from what the designs
give (a level file edited by hand, or a design changed without rebuilding)."""
import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import designs_easy  # noqa: E402
import designs_hard  # noqa: E402
import designs_normal  # noqa: E402
from level_files import format_level, format_map  # noqa: E402

sys.path.insert(0, os.path.join(HERE, ".."))
from replace_file import replace_file  # noqa: E402

DESIGNS = {**designs_easy.DESIGNS, **designs_normal.DESIGNS, **designs_hard.DESIGNS}


def level_texts(n):
    layout = DESIGNS[n]()
    data = layout.build()
    header = [f"Keelhaven level {n}" + (f": {layout.header[0]}" if layout.header else ""),
              *layout.header[1:],
              "Made by tools/levels/make_levels.py; CC BY 4.0, see tools/levels/README.md.",
              "Positions are sprite top-left corners in pixels, map scrolled fully left."]
    return format_map(layout.grid), format_level(data, header)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder", nargs="?",
                        default=os.path.join(HERE, "..", "..", "data", "levels"))
    parser.add_argument("--check", action="store_true",
                        help="compare with the files instead of writing them")
    args = parser.parse_args()
    stale = []
    for n in sorted(DESIGNS):
        map_text, level_text = level_texts(n)
        for name, text in ((f"map{n}.txt", map_text), (f"level{n}.txt", level_text)):
            path = os.path.join(args.folder, name)
            if args.check:
                try:
                    with open(path, encoding="ascii", newline="") as f:
                        if f.read() != text:
                            stale.append(name)
                except OSError:
                    stale.append(name)
            else:
                replace_file(path, text.encode("ascii"))
    if args.check:
        for name in stale:
            print(f"{name} differs from what tools/levels/make_levels.py makes")
        if stale:
            return 1
        print(f"{2 * len(DESIGNS)} level files match their designs")
    else:
        print(f"wrote {2 * len(DESIGNS)} level files to {os.path.normpath(args.folder)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
