#!/usr/bin/python3
"""Checks that check_levels.py catches a bad layout: a copy of the shipped
levels with one level (its level file, or its map) broken must fail with the
fault that says why.

    test_check_levels.py DATA_LEVELS_DIR"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def broken_copy(source, folder, level, old, new, name="level"):
    for each in os.listdir(source):
        shutil.copy(os.path.join(source, each), folder)
    path = os.path.join(folder, f"{name}{level}.txt")
    with open(path, encoding="ascii") as f:
        text = f.read()
    if old not in text:
        sys.exit(f"{name}{level}.txt no longer holds {old!r}: update this test")
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(text.replace(old, new, 1))


def main():
    source = sys.argv[1]
    cases = [
        # The top-left battery of level 20 turned back along the top row,
        # straight into the whirlpool in the top-right corner.
        (20, "enemy EnemyShip1 0 0 down 200 -200 guard", "enemy EnemyShip1 0 0 right 200 -200 guard",
         "fires straight at a whirlpool"),
        # Level 28's south-west battery put back on the start row, where a
        # player holding Right from the start sails into it.
        (28, "enemy EnemyShip1 195 325 up 230 -230 guard", "enemy EnemyShip1 195 390 up 230 -230 guard",
         "sits in the ship's start row"),
        # A treasure of level 31 put back in the pocket between two batteries.
        (31, "treasure 910 195", "treasure 715 195", "without sinking a guard"),
        # Level 4's eastern brig faster than the cutter sharing its beat: the
        # two drift into step and sail as one for seconds at a time.
        (4, "enemy EnemyShip1 520 195 left 160 -160", "enemy EnemyShip1 520 195 left 175 -175",
         "sail on top of each other"),
        # Level 12's battery put back on the western brig's loop.
        (12, "enemy EnemyShip 325 325 up 190 -190 guard", "enemy EnemyShip 260 325 up 190 -190 guard",
         "a ship sails through one that never moves"),
        # Level 7's whirlpool back in the harbour mouth, five cells out.
        (7, "whirlpool 81 406", "whirlpool 366 81", "cells' sail from the ship's start"),
        # A battery of level 20 turned to face the map edge beside it.
        (20, "enemy EnemyShip1 0 195 right 200 -200 guard", "enemy EnemyShip1 0 195 left 200 -200 guard",
         "before it leaves the battery's cell"),
        # Level 2's bottom marker 3 px off the brig's line: each turn pushes the
        # brig a little sideways, and only after seven minutes it is over land.
        (2, "marker 487 455", "marker 490 455", "sails over solid cells"),
        # Level 1's reef put back in the northern roads (map row 1, column 8):
        # the ship still gets through, squeezing diagonally past it between
        # two islands, but only one cell wide.
        (1, "3 3 5 5 7 5 8 5 5 5 3 0", "3 3 5 5 7 5 8 5 2 5 3 0", "narrows to one cell", "map"),
    ]
    failures = 0
    for level, old, new, expected, *name in cases:
        with tempfile.TemporaryDirectory() as folder:
            broken_copy(source, folder, level, old, new, *name)
            run = subprocess.run([sys.executable, os.path.join(HERE, "check_levels.py"), folder, "--level",
                                  str(level)], capture_output=True, text=True)
            if run.returncode == 0 or expected not in run.stdout:
                print(f"level {level}: the checker missed '{expected}':\n{run.stdout}{run.stderr}")
                failures += 1
    print(f"{len(cases) - failures} of {len(cases)} bad layouts caught")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
