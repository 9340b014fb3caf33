#!/usr/bin/env python3
"""The game's layers, read from its includes.

Every quoted include of src/ is resolved to its file the way the compiler
finds it (beside the including file, then under src/, then among the
platform's headers). The folders of src/ are layers, listed lowest first in
CMakeLists.txt (KEELHAVEN_LAYERS); a folder may include only from itself and
the layers below it, and no files may include each other round a circle.

  layers.py check ROOT             exits 1, naming each include that breaks a rule
  layers.py svg ROOT OUT.svg       draws the folder graph
  layers.py check-svg ROOT FILE    exits 1 when FILE is not what svg would draw now
"""

import re
import sys
from collections import defaultdict
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
LAYERS = re.compile(r'set\(KEELHAVEN_LAYERS\s+([^)]*)\)')


def layer_order(root):
    found = LAYERS.search((root / "CMakeLists.txt").read_text())
    if not found:
        raise SystemExit("CMakeLists.txt names no KEELHAVEN_LAYERS")
    return found.group(1).split()


def source_files(src):
    return sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp") and p.is_file())


def resolve(src, including, name):
    for base in (including.parent, src, src / "platform"):
        candidate = (base / name).resolve()
        if candidate.is_file() and src.resolve() in candidate.parents:
            return candidate
    return None


def read_graph(root):
    """Every include of src/ as (from file, to file), relative to src/."""
    src = (root / "src").resolve()
    edges, unresolved = [], []
    for path in source_files(src):
        for name in INCLUDE.findall(path.read_text(errors="replace")):
            target = resolve(src, path, name)
            if target is None:
                unresolved.append((path.relative_to(src), name))
            else:
                edges.append((path.relative_to(src), target.relative_to(src)))
    return edges, unresolved


def folder(path):
    return path.parts[0] if len(path.parts) > 1 else "."


def folder_edges(edges):
    counts = defaultdict(int)
    for a, b in edges:
        if folder(a) != folder(b):
            counts[(folder(a), folder(b))] += 1
    return counts


def file_cycles(edges):
    """Circles of includes between files: each as a list of files."""
    after = defaultdict(set)
    for a, b in edges:
        after[a].add(b)
    state, stack, cycles = {}, [], []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(after[node]):
            if state.get(nxt) == "open":
                cycles.append(stack[stack.index(nxt):] + [nxt])
            elif nxt not in state:
                visit(nxt)
        stack.pop()
        state[node] = "done"

    for node in sorted(after):
        if node not in state:
            visit(node)
    return cycles


def problems(root):
    order = layer_order(root)
    rank = {name: i for i, name in enumerate(order)}
    edges, unresolved = read_graph(root)
    found = []
    for path, name in unresolved:
        found.append(f'src/{path}: #include "{name}" is no file of src/')
    folders = {folder(p) for p in (a for a, _ in edges)} | {folder(p.relative_to((root / "src").resolve()))
                                                            for p in source_files((root / "src").resolve())}
    for name in sorted(folders - set(rank)):
        found.append(f"src/{name}/ is in no layer: add it to KEELHAVEN_LAYERS in CMakeLists.txt")
    for a, b in edges:
        fa, fb = folder(a), folder(b)
        if fa in rank and fb in rank and rank[fb] > rank[fa]:
            found.append(f"src/{a} includes src/{b}: {fa} may not use {fb}, a higher layer")
    for cycle in file_cycles(edges):
        found.append("files include each other in a circle: " + " -> ".join(f"src/{p}" for p in cycle))
    return found


# ---------------------------------------------------------------- the picture

BOX_W, BOX_H, GAP, LEFT, TOP = 150, 34, 22, 30, 50
LANE = 16


def draw(root):
    order = layer_order(root)
    edges, _ = read_graph(root)
    counts = folder_edges(edges)
    top_down = list(reversed(order))
    row = {name: i for i, name in enumerate(top_down)}
    mid = lambda name: TOP + row[name] * (BOX_H + GAP) + BOX_H / 2

    # Each dependency runs down a lane of its own to the right of the boxes;
    # lanes are shared only by spans that do not overlap.
    spans = sorted(((row[a], row[b], a, b) for (a, b) in counts if a in row and b in row),
                   key=lambda s: (s[1] - s[0], s[0]))
    lanes = []
    placed = []
    for start, end, a, b in spans:
        lo, hi = min(start, end), max(start, end)
        lane = 0
        while any(l == lane and not (hi <= o_lo or lo >= o_hi) for l, o_lo, o_hi in lanes):
            lane += 1
        lanes.append((lane, lo, hi))
        placed.append((lane, a, b))
    lane_count = max((l for l, _, _ in lanes), default=-1) + 1
    width = LEFT + BOX_W + 30 + lane_count * LANE + 40
    height = TOP + len(top_down) * (BOX_H + GAP) + 20

    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'viewBox="0 0 {width} {height}" font-family="sans-serif" font-size="13">',
           f'<rect width="{width}" height="{height}" fill="#fdfaf2"/>',
           f'<text x="{LEFT}" y="24" font-size="14" font-weight="bold">src/ by layer: an arrow is an include, '
           'always of a layer below</text>']
    for name in top_down:
        y = TOP + row[name] * (BOX_H + GAP)
        out.append(f'<rect x="{LEFT}" y="{y}" width="{BOX_W}" height="{BOX_H}" rx="5" fill="#e4ecf7" '
                   'stroke="#335"/>')
        out.append(f'<text x="{LEFT + 10}" y="{y + 22}" font-weight="bold">{name}/</text>')
    # A layer's lines share its colour (the titles name the edge but not how
    # many includes make it, so the picture changes only when the graph does); each leaves the lower half of its box
    # and ends in an arrow on the upper half of the box it uses.
    palette = ["#1b4f9c", "#b5451b", "#2e7d32", "#7b1fa2", "#00838f", "#9e7700", "#c2185b", "#455a64",
               "#5d4037"]
    for lane, a, b in sorted(placed):
        x = LEFT + BOX_W + 30 + lane * LANE
        y1 = mid(a) + 3 + (lane % 4) * 3
        y2 = mid(b) - 3 - (lane % 4) * 3
        colour = palette[row[a] % len(palette)] if row[b] > row[a] else "#ff0000"
        tip = LEFT + BOX_W + 1
        out.append(f'<path d="M{LEFT + BOX_W},{y1:.0f} H{x} V{y2:.0f} H{tip + 7}" fill="none" '
                   f'stroke="{colour}" stroke-width="1.4"><title>{a} includes {b}</title></path>')
        out.append(f'<path d="M{tip},{y2:.0f} l8,-4 v8 z" fill="{colour}"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) < 3 or argv[1] not in ("check", "svg", "check-svg"):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = Path(argv[2])
    if argv[1] == "check":
        found = problems(root)
        for line in found:
            print(line)
        if not found:
            order = layer_order(root)
            print("layers one way, lowest first: " + " < ".join(order))
        return 1 if found else 0
    if len(argv) != 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    picture = draw(root)
    if argv[1] == "svg":
        Path(argv[3]).write_text(picture)
        return 0
    if Path(argv[3]).read_text() != picture:
        print(f"{argv[3]} is not the graph the includes make now: run tools/layers/layers.py svg "
              f"{argv[2]} {argv[3]}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
