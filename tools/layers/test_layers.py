#!/usr/bin/env python3
"""The layer check fails on each way the layers can be broken, and passes a
tree that keeps them."""

import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import layers  # noqa: E402

GOOD = {
    "CMakeLists.txt": "set(KEELHAVEN_LAYERS base platform engine game)\n",
    "src/base/error.h": "#pragma once\n",
    "src/platform/window.h": "#pragma once\n",
    "src/platform/window.cpp": '#include "window.h"\n',
    "src/engine/loop.h": '#pragma once\n#include "base/error.h"\n#include "window.h"\n',
    "src/engine/loop.cpp": '#include "engine/loop.h"\n#include "loop.h"\n#include <vector>\n',
    "src/game/main.cpp": '#include "engine/loop.h"\n',
}


def tree(root, files):
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


def found(changes, removed=()):
    with tempfile.TemporaryDirectory() as folder:
        root = Path(folder)
        files = {k: v for k, v in GOOD.items() if k not in removed}
        files.update(changes)
        tree(root, files)
        return layers.problems(root)


def expect(label, changes, needle, removed=()):
    problems = found(changes, removed)
    if not any(needle in p for p in problems):
        print(f"FAIL {label}: expected a problem naming {needle!r}, got {problems}")
        return False
    return True


def main():
    ok = True
    if found({}):
        print(f"FAIL a tree that keeps its layers: {found({})}")
        ok = False
    ok &= expect("an include from a higher layer", {"src/engine/loop.cpp": '#include "game/main.h"\n',
                                                   "src/game/main.h": "#pragma once\n"},
                 "engine may not use game")
    ok &= expect("the platform including a lower layer's header by its bare name is fine, but "
                 "a bare name from above is caught", {"src/platform/window.cpp": '#include "engine/loop.h"\n'},
                 "platform may not use engine")
    ok &= expect("a folder that is in no layer", {"src/extra/thing.h": "#pragma once\n"}, "src/extra/ is in no layer")
    ok &= expect("files that include each other",
                 {"src/engine/a.h": '#pragma once\n#include "engine/b.h"\n',
                  "src/engine/b.h": '#pragma once\n#include "a.h"\n'}, "in a circle")
    ok &= expect("an include of no file", {"src/game/main.cpp": '#include "engine/gone.h"\n'}, "is no file of src/")
    with tempfile.TemporaryDirectory() as folder:
        root = Path(folder)
        tree(root, GOOD)
        picture = layers.draw(root)
        if "game/" not in picture or 'fill="#ff0000"' in picture:
            print("FAIL the picture of a tree that keeps its layers")
            ok = False
        tree(root, {"src/engine/loop.cpp": '#include "game/x.h"\n', "src/game/x.h": "#pragma once\n"})
        if 'fill="#ff0000"' not in layers.draw(root):
            print("FAIL an include upward is drawn red")
            ok = False
    print("the layer check catches every break" if ok else "")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
