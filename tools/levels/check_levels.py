#!/usr/bin/python3
"""Checks the 31 level layouts in data/levels: both files read as the game
reads them, each level holds what its roster entry asks for, every object
sits on open water, the ship can sail to every pick-up and whirlpool and the
whirlpool is at least MIN_EXIT_ROUTE cells' sail away (and, in the first
level, every such way is two cells wide), every enemy stays on
the map (and over water) for ten minutes of play at 30, 60, 144 and 480
frames per second from its start and its respawn place, no two enemies sail
on top of each other, and every battery's ball flies clear of its own cell
and misses the ship's start and the whirlpools. Pick-ups in a battery's line
of fire are warnings.

    check_levels.py DATA_LEVELS_DIR [--level N] [--seconds S] [--warnings]

Prints one line per fault and exits with 1 if there is any."""
import argparse
import math
import os
import sys
from collections import deque

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from enemy_motion import ENEMY_BOX, ENEMY_HALF, marker_rules, sail, sail_far, track  # noqa: E402
from level_files import LevelFileError, parse_level, parse_map  # noqa: E402
from roster import (CRUISE, GUARD, LEVEL1_RECORDS, LEVELS, MAP_HEIGHT,  # noqa: E402
                    PATROL_H, PATROL_V, SECOND_WHIRLPOOL, SOLID_MAX, SPEED_MAX,
                    SPEED_MIN, STOPPED, TILE, roster)

# The game's frame rates from a slow machine to a fast screen; the first one
# also decides which markers are used.
FRAME_RATES = (60, 30, 144, 480)
SHIP_HALF, SHIP_BOX = 32, 30
PICKUP_BOX = 5
WHIRLPOOL_HALF = 16
FIRE_HALF = 10                # half the width of a guard's line of fire
SAFE_START_SECONDS = 2.0
# Enemies do not collide with one another, so two can sail through each
# other. Crossing lanes is fine: the slowest ships (75 px/s) take just over
# a second to cross; two ships longer than this on top of one another sail
# together, looking like one, and a ship sailing through one that never
# moves looks wrong at once.
OVERLAP_SECONDS = 1.5
# The whirlpool at least this many cells' sail from the start (counting
# steps between neighbouring cells), so that every level asks for a route.
MIN_EXIT_ROUTE = 8
# A battery's ball (Cannon: 600 px/s from 6 px above and left of the
# battery's centre, a 16 px sprite with a box of +-7.5 about its centre, no
# lifetime; it dies on a solid cell or off the play area) must at least get
# out of the battery's own cell.
SHOT_FPS = 60
SHOT_SPEED = 600
SHOT_OFFSET = -6 + 8          # launch corner - 6, sprite centre + 8
SHOT_BOX = 7.5
SHOT_MIN_FLIGHT = TILE
PLAY_RIGHT, PLAY_BOTTOM = 800, 460
# A pick-up whose centre is this close to a ball's line is in the fire.
FIRE_LINE_HALF = 20
SAFE_START_MARGIN = 40
# Levels whose every way from the start is at least two cells wide: a block
# of 2 x 2 open cells slides, one cell at a time, from the start to a place
# where it covers the whirlpool's cell, and the same for every pick-up. So no
# passage (nor a corner cut diagonally between two islands) ever asks for
# threading the 60 px hull through one 65 px cell. The first level teaches.
WIDE_ROUTE_LEVELS = frozenset({1})
# Markers that may turn no enemy, by level (none: every marker has a use).
MARKERS_ALLOWED_IDLE = {}


def pickup_scale(kind):
    return 0.6 if kind == "ammo" else 1.0


class Level:
    def __init__(self, number, grid, data):
        self.number = number
        self.grid = grid
        self.data = data
        self.roster = roster(number)
        self.width = self.roster.width
        self._land = {}

    def solid(self, r, c):
        return self.grid[r][c] <= SOLID_MAX

    def cells_touched(self, left, top, right, bottom):
        """Map cells whose tile box (a cell's 65 px less its last pixel, as
        the game tests it) touches the closed rectangle."""
        def span(low, high, count):
            first = max(0, math.ceil((low - (TILE - 1)) / TILE))
            last = min(count - 1, math.floor(high / TILE))
            return range(first, last + 1)
        return [(r, c) for r in span(top, bottom, len(self.grid))
                for c in span(left, right, self.roster.columns)]

    def land_under(self, box):
        # Cell edges are whole pixels, so the rounded-in box touches the same
        # cells; that makes a good key for the many calls from the sailing.
        key = (math.ceil(box[0]), math.ceil(box[1]), math.floor(box[2]), math.floor(box[3]))
        if key not in self._land:
            self._land[key] = [cell for cell in self.cells_touched(*key) if self.solid(*cell)]
        return self._land[key]

    def cell_of(self, x, y):
        r, c = int(y // TILE), int(x // TILE)
        if 0 <= r < len(self.grid) and 0 <= c < self.roster.columns:
            return r, c
        return None


def box_around(cx, cy, half):
    return cx - half, cy - half, cx + half, cy + half


def boxes_touch(a, b):
    return a[0] <= b[2] and b[0] <= a[2] and a[1] <= b[3] and b[1] <= a[3]


def _longest_run(flags):
    """The longest run of True in a numpy bool array."""
    import numpy
    padded = numpy.concatenate(([False], flags, [False])).astype(numpy.int8)
    edges = numpy.flatnonzero(numpy.diff(padded))
    return int((edges[1::2] - edges[::2]).max()) if len(edges) else 0


class Checker:
    def __init__(self, seconds):
        self.seconds = seconds
        self.faults = []
        self.warnings = []

    def fault(self, level, message):
        self.faults.append(f"level {level}: {message}")

    # ---- reading -------------------------------------------------------
    def load(self, folder, n):
        r = roster(n)
        try:
            with open(os.path.join(folder, f"map{n}.txt"), encoding="ascii") as f:
                grid = parse_map(f.read(), f"map{n}.txt", r.columns)
            with open(os.path.join(folder, f"level{n}.txt"), encoding="ascii") as f:
                data = parse_level(f.read(), f"level{n}.txt")
        except (OSError, UnicodeDecodeError, LevelFileError) as error:
            self.fault(n, str(error))
            return None
        return Level(n, grid, data)

    # ---- what the roster asks for --------------------------------------
    def check_counts(self, lv):
        n, r, d = lv.number, lv.roster, lv.data
        for kind, want in r.pickups().items():
            if len(d.pickups[kind]) != want:
                self.fault(n, f"{len(d.pickups[kind])} {kind} lines, the roster wants {want}")
        for kind, want in r.enemies().items():
            have = len(d.enemies_of(kind))
            if have != want:
                self.fault(n, f"{have} {kind} enemies, the roster wants {want}")
        if len(d.markers) != r.markers:
            self.fault(n, f"{len(d.markers)} markers, the roster wants {r.markers}")
        if len(d.whirlpools) != r.whirlpools:
            self.fault(n, f"{len(d.whirlpools)} whirlpools, the roster wants {r.whirlpools}")
        elif n in SECOND_WHIRLPOOL and tuple(d.whirlpools[1]) != SECOND_WHIRLPOOL[n]:
            self.fault(n, f"second whirlpool at {d.whirlpools[1]}, "
                          f"should be at {SECOND_WHIRLPOOL[n]}")
        if tuple(d.ship) != r.ship:
            self.fault(n, f"ship starts at {d.ship}, the roster says {r.ship}")

    def check_level1(self, lv):
        d = lv.data
        have = [("ship",) + tuple(d.ship)]
        for kind in ("coin", "ammo", "treasure", "health"):
            have += [(kind, x, y) for x, y in d.pickups[kind]]
        for e in d.enemies:
            record = ("enemy", e.kind, e.x, e.y, e.direction, e.vx, e.vy, e.mode)
            if e.frame:
                record += (f"frame={e.frame}",)
            if e.respawn:
                record += (f"respawn={e.respawn[0]},{e.respawn[1]}",)
            have.append(record)
        have += [("marker", x, y) for x, y in d.markers]
        have += [("whirlpool", x, y) for x, y in d.whirlpools]
        if have != LEVEL1_RECORDS:
            missing = [rec for rec in LEVEL1_RECORDS if rec not in have]
            extra = [rec for rec in have if rec not in LEVEL1_RECORDS]
            self.fault(1, f"objects differ from the fixed level 1 layout; "
                          f"missing {missing}, unexpected {extra} (or out of order)")
        if d.turns:
            self.fault(1, "level 1 turns every enemy around: it has no turn lines")

    def check_enemy_settings(self, lv):
        n, r, d = lv.number, lv.roster, lv.data
        used = set()
        for e in d.enemies:
            used.add(e.mode)
            what = f"{e.kind} on line {e.line}"
            if e.mode not in r.modes:
                self.fault(n, f"{what}: mode {e.mode} is not one this level uses "
                              f"({', '.join(sorted(r.modes))})")
            if not (SPEED_MIN <= e.vx <= SPEED_MAX and e.vy == -e.vx):
                self.fault(n, f"{what}: velocity ({e.vx}, {e.vy}) is not (v, -v) "
                              f"with v in {SPEED_MIN}..{SPEED_MAX}")
            if e.mode == PATROL_H and e.direction != "left":
                self.fault(n, f"{what}: a horizontal patrol with (v, -v) starts "
                              f"sailing left, so it should face left")
            if e.mode == PATROL_V and e.direction != "down":
                self.fault(n, f"{what}: a vertical patrol with (v, -v) starts "
                              f"sailing down, so it should face down")
        for mode in sorted(r.modes - used):
            self.fault(n, f"no enemy uses the mode {mode}, which this level is meant to use")
        if r.turn_lines:
            if not d.turns:
                self.fault(n, "this level turns particular enemies at particular "
                              "markers but has no turn lines")
            for t in d.turns:
                e = d.enemies_of(t.kind)[t.enemy]
                if e.mode in (PATROL_H, PATROL_V) and t.turn != "around":
                    self.fault(n, f"line {t.line}: turn {t.turn} does nothing to a patrol")
                if e.mode == CRUISE and t.turn == "around":
                    self.fault(n, f"line {t.line}: turn around does nothing to a cruise")
                if e.mode in (GUARD, STOPPED):
                    self.fault(n, f"line {t.line}: a {e.mode} enemy never reaches a marker")
        elif d.turns:
            self.fault(n, "this level turns every enemy around at every marker; "
                          "it must not have turn lines")

    # ---- where things are ----------------------------------------------
    def check_water(self, lv, what, box, centre):
        cell = lv.cell_of(*centre)
        if cell is None:
            self.fault(lv.number, f"{what} at centre {centre} is off the map")
            return
        land = lv.land_under(box)
        if land:
            self.fault(lv.number, f"{what} (centre {centre}) sits on solid cells "
                                  f"{sorted(land)} (row, column)")

    def objects(self, lv):
        """(description, centre, box) of every object that must be on water."""
        d = lv.data
        out = []
        for kind, places in d.pickups.items():
            s = pickup_scale(kind)
            for i, (x, y) in enumerate(places):
                c = (x + 32 * s, y + 32 * s)
                out.append((f"{kind} {i} at ({x}, {y})", c, box_around(*c, PICKUP_BOX)))
        for i, (x, y) in enumerate(d.whirlpools):
            c = (x + WHIRLPOOL_HALF, y + WHIRLPOOL_HALF)
            out.append((f"whirlpool {i} at ({x}, {y})", c, box_around(*c, WHIRLPOOL_HALF)))
        for e in d.enemies:
            places = [("", (e.x, e.y))] + ([(" respawn", e.respawn)] if e.respawn else [])
            for label, (x, y) in places:
                c = (x + ENEMY_HALF, y + ENEMY_HALF)
                out.append((f"{e.kind} on line {e.line}{label} at ({x}, {y})", c,
                            box_around(*c, ENEMY_BOX)))
        return out

    def ship_box(self, lv):
        x, y = lv.data.ship
        return box_around(x + SHIP_HALF, y + SHIP_HALF, SHIP_BOX)

    def check_places(self, lv):
        n, d = lv.number, lv.data
        for what, centre, box in self.objects(lv):
            self.check_water(lv, what, box, centre)
        sx, sy = d.ship
        self.check_water(lv, f"ship start ({sx}, {sy})", self.ship_box(lv),
                         (sx + SHIP_HALF, sy + SHIP_HALF))
        for i, (x, y) in enumerate(d.markers):
            if not (0 <= x <= lv.width and 0 <= y <= MAP_HEIGHT):
                self.fault(n, f"marker {i} at ({x}, {y}) lies outside the map")
        if len(set(d.markers)) != len(d.markers):
            self.fault(n, "two markers share a position")
        # Pick-ups should not hide one another or the whirlpool.
        things = [(what, c) for what, c, _ in self.objects(lv)
                  if not what.startswith("Enemy")]
        for i in range(len(things)):
            for j in range(i + 1, len(things)):
                (a, ca), (b, cb) = things[i], things[j]
                if abs(ca[0] - cb[0]) < 30 and abs(ca[1] - cb[1]) < 30:
                    self.fault(n, f"{a} and {b} lie on top of each other")
        # ...nor sit under a ship that never moves.
        for e in d.enemies:
            if e.mode not in (GUARD, STOPPED):
                continue
            hull = box_around(e.x + ENEMY_HALF, e.y + ENEMY_HALF, ENEMY_BOX + PICKUP_BOX)
            for what, c in things:
                if boxes_touch(hull, box_around(*c, 0)):
                    self.fault(n, f"{what} lies under the {e.kind} guard on line {e.line}")
        for i, (x, y) in enumerate(d.whirlpools):
            pool = box_around(x + WHIRLPOOL_HALF, y + WHIRLPOOL_HALF, WHIRLPOOL_HALF + 60)
            if boxes_touch(pool, self.ship_box(lv)):
                self.fault(n, f"whirlpool {i} is within reach of the ship's start")

    def check_reach(self, lv):
        n, d = lv.number, lv.data
        sx, sy = d.ship
        start = lv.cell_of(sx + SHIP_HALF, sy + SHIP_HALF)
        if start is None or lv.solid(*start):
            return  # already reported
        # A guard never moves: its cell is as closed as land.
        guards = {lv.cell_of(e.x + ENEMY_HALF, e.y + ENEMY_HALF) for e in d.enemies if e.mode == GUARD}
        distance = {start: 0}
        queue = deque([start])
        while queue:
            r, c = queue.popleft()
            for nr, nc in ((r - 1, c), (r + 1, c), (r, c - 1), (r, c + 1)):
                if (0 <= nr < len(lv.grid) and 0 <= nc < lv.roster.columns
                        and (nr, nc) not in distance and not lv.solid(nr, nc)
                        and (nr, nc) not in guards):
                    distance[(nr, nc)] = distance[(r, c)] + 1
                    queue.append((nr, nc))
        for what, centre, _ in self.objects(lv):
            if what.startswith("Enemy"):
                continue
            cell = lv.cell_of(*centre)
            if cell is not None and cell not in distance:
                self.fault(n, f"the ship cannot sail from its start to {what} "
                              f"(cell {cell}) without sinking a guard")
            elif what.startswith("whirlpool") and distance[cell] < MIN_EXIT_ROUTE:
                self.fault(n, f"{what} is only {distance[cell]} cells' sail from the "
                              f"ship's start (at least {MIN_EXIT_ROUTE})")


    def check_wide_route(self, lv):
        n, d = lv.number, lv.data
        rows, cols = len(lv.grid), lv.roster.columns
        guards = {lv.cell_of(e.x + ENEMY_HALF, e.y + ENEMY_HALF) for e in d.enemies if e.mode == GUARD}

        def cells(block):
            r, c = block
            return ((r, c), (r, c + 1), (r + 1, c), (r + 1, c + 1))

        # Blocks by their top-left cell, all four cells open water.
        open_blocks = {(r, c) for r in range(rows - 1) for c in range(cols - 1)
                       if all(not lv.solid(*cell) and cell not in guards
                              for cell in cells((r, c)))}
        sx, sy = d.ship
        start = lv.cell_of(sx + SHIP_HALF, sy + SHIP_HALF)
        if start is None or lv.solid(*start):
            return  # already reported
        queue = deque(b for b in open_blocks if start in cells(b))
        reached = set(queue)
        while queue:
            r, c = queue.popleft()
            for b in ((r - 1, c), (r + 1, c), (r, c - 1), (r, c + 1)):
                if b in open_blocks and b not in reached:
                    reached.add(b)
                    queue.append(b)
        covered = {cell for b in reached for cell in cells(b)}
        for what, centre, _ in self.objects(lv):
            cell = lv.cell_of(*centre)
            if what.startswith("Enemy") or cell is None:
                continue
            if cell not in covered:
                self.fault(n, f"the way from the ship's start to {what} (cell {cell}) "
                              f"narrows to one cell: no 2 x 2 block of open water "
                              f"sails there")

    # ---- enemies under way ---------------------------------------------
    def watch_for(self, lv, what):
        def watch(t0, t1, box, ship):
            left, top, right, bottom = box
            if left < 0 or top < 0 or right > lv.width or bottom > MAP_HEIGHT:
                return (f"{what} leaves the map between {t0:.2f} and {t1:.2f} s "
                        f"(box {left:.0f},{top:.0f} to {right:.0f},{bottom:.0f})")
            land = lv.land_under(box)
            if land:
                return (f"{what} sails over solid cells {sorted(land)} between "
                        f"{t0:.2f} and {t1:.2f} s (now at centre {ship.centre()[0]:.0f},"
                        f"{ship.centre()[1]:.0f})")
            return None
        return watch

    def check_motion(self, lv):
        n, d = lv.number, lv.data
        used_markers, used_rules = set(), set()
        ship_zone = box_around(d.ship[0] + SHIP_HALF, d.ship[1] + SHIP_HALF,
                               SHIP_BOX + SAFE_START_MARGIN)
        for kind in ("EnemyShip", "EnemyShip1"):
            for index, e in enumerate(d.enemies_of(kind)):
                rules = marker_rules(d, kind, index)
                starts = [(e.x, e.y)] + ([e.respawn] if e.respawn else [])
                # A ship that never moves only has to keep clear of markers.
                rates = FRAME_RATES if e.mode not in (GUARD, STOPPED) else FRAME_RATES[:1]
                seconds = self.seconds if e.mode not in (GUARD, STOPPED) else 1.0 / rates[0]
                for start in starts:
                    what = f"{kind} {index} (line {e.line}) from ({start[0]}, {start[1]})"
                    for fps in rates:
                        complaint, used, ship = sail_far(e, start, rules, d.markers,
                                                         seconds, fps,
                                                         self.watch_for(lv, what))
                        if complaint:
                            self.fault(n, f"{complaint} at {fps} frames per second")
                            break
                        if fps == FRAME_RATES[0]:
                            used_markers |= used
                            used_rules |= {(kind, index, m) for m in used}
                        if e.mode in (GUARD, STOPPED) and (ship.x, ship.y) != start:
                            self.fault(n, f"{what} stands still but is pushed by a marker")
                            break
                    early, _, _ = sail(e, start, rules, d.markers, SAFE_START_SECONDS,
                                       FRAME_RATES[0],
                                       lambda t, s: "near" if boxes_touch(s.box(), ship_zone)
                                       else None)
                    if early:
                        self.fault(n, f"{what} comes within {SAFE_START_MARGIN} px of "
                                      f"the ship's start in the first "
                                      f"{SAFE_START_SECONDS:.0f} s")
        idle = set(range(len(d.markers))) - used_markers - MARKERS_ALLOWED_IDLE.get(n, set())
        for m in sorted(idle):
            self.fault(n, f"marker {m} at {d.markers[m]} never turns an enemy "
                          f"in {self.seconds:.0f} s")
        for t in d.turns:
            e = d.enemies_of(t.kind)[t.enemy]
            if e.mode in (PATROL_H, PATROL_V, CRUISE) and \
                    (t.kind, t.enemy, t.marker) not in used_rules:
                self.fault(n, f"line {t.line}: {t.kind} {t.enemy} never reaches "
                              f"marker {t.marker} in {self.seconds:.0f} s")

    def check_overlaps(self, lv):
        """Enemy boxes over one another, from the start and from the respawn
        places (all enemies go back together), for the whole run at the
        first frame rate: ships of nearly equal laps drift in and out of step
        over minutes."""
        import numpy
        n, d = lv.number, lv.data
        fps = FRAME_RATES[0]
        layouts = [("", lambda e: (e.x, e.y))]
        if any(e.respawn for e in d.enemies):
            layouts.append((" after a respawn", lambda e: e.respawn or (e.x, e.y)))
        for label, place in layouts:
            tracks = []
            for kind in ("EnemyShip", "EnemyShip1"):
                for index, e in enumerate(d.enemies_of(kind)):
                    legs = []
                    still = e.mode in (GUARD, STOPPED)
                    sail_far(e, place(e), marker_rules(d, kind, index), d.markers,
                             1.0 / fps if still else self.seconds, fps, lambda *_: None, legs)
                    tracks.append((f"{kind} {index} (line {e.line})", still, track(legs)))
            frames = max(len(xs) for _, _, (xs, _) in tracks)
            # A ship that never moves stays where it is.
            tracks = [(what, still, tuple(numpy.full(frames, v[0]) if len(v) < frames else v
                                          for v in place))
                      for what, still, place in tracks]
            for i in range(len(tracks)):
                for j in range(i + 1, len(tracks)):
                    (what_a, still_a, (xa, ya)), (what_b, still_b, (xb, yb)) = tracks[i], tracks[j]
                    near = (numpy.abs(xa - xb) <= 2 * ENEMY_BOX) & (numpy.abs(ya - yb) <= 2 * ENEMY_BOX)
                    if not near.any():
                        continue
                    first = int(numpy.argmax(near))
                    if still_a or still_b:
                        self.fault(n, f"{what_a} and {what_b} overlap{label} after "
                                      f"{(first + 1) / fps:.2f} s: a ship sails through one "
                                      f"that never moves")
                        continue
                    longest = _longest_run(near)
                    if longest > OVERLAP_SECONDS * fps:
                        self.fault(n, f"{what_a} and {what_b} sail on top of each other{label} "
                                      f"for {longest / fps:.1f} s (more than "
                                      f"{OVERLAP_SECONDS:.1f} s at a time)")

    def shot_path(self, lv, e):
        """Centres of a battery's ball frame by frame, from the launch frame
        (tiles are tested before it first moves) until it dies."""
        step = {"up": (0, -1), "down": (0, 1), "left": (-1, 0), "right": (1, 0)}[e.direction]
        cx, cy = e.x + ENEMY_HALF + SHOT_OFFSET, e.y + ENEMY_HALF + SHOT_OFFSET
        right = max(PLAY_RIGHT, lv.width)   # a wide map scrolls its far side into view
        path = []
        while True:
            corner_x, corner_y = cx - 8, cy - 8
            if path and (corner_x < 0 or corner_y < 0 or corner_x > right or corner_y > PLAY_BOTTOM):
                return path
            if lv.land_under(box_around(cx, cy, SHOT_BOX)):
                return path
            path.append((cx, cy))
            cx += step[0] * SHOT_SPEED / SHOT_FPS
            cy += step[1] * SHOT_SPEED / SHOT_FPS

    def check_shots(self, lv):
        n, d = lv.number, lv.data
        pickups = [(f"{kind} {i} at ({x}, {y})", (x + 32 * pickup_scale(kind), y + 32 * pickup_scale(kind)))
                   for kind, places in d.pickups.items() for i, (x, y) in enumerate(places)]
        for e in d.enemies:
            if e.mode != GUARD:
                continue
            path = self.shot_path(lv, e)
            flight = math.dist(path[0], path[-1]) if path else 0
            if flight < SHOT_MIN_FLIGHT:
                self.fault(n, f"{e.kind} guard on line {e.line}: its cannonball dies after "
                              f"{flight:.0f} px, before it leaves the battery's cell")
            if not path:
                continue
            # Pick-ups in a line of fire are warnings: many levels guard their
            # treasure with a battery on purpose, and a player can wait for a
            # ball to pass before darting in.
            for what, (px, py) in pickups:
                near = [p for p in path if abs(p[0] - px) <= FIRE_LINE_HALF and abs(p[1] - py) <= FIRE_LINE_HALF]
                if near:
                    self.warnings.append(f"level {n}: {what} lies in the line of fire of the "
                                         f"{e.kind} guard on line {e.line}, "
                                         f"{math.dist(path[0], near[0]):.0f} px in front of it")

    def check_guards(self, lv):
        """A guard shoots along its facing until a solid cell or the map edge;
        the ship's start and the whirlpools must be out of that line (a player
        must not have to sit in the fire for three seconds to win)."""
        n, d = lv.number, lv.data
        step = {"up": (0, -1), "down": (0, 1), "left": (-1, 0), "right": (1, 0)}
        ship = self.ship_box(lv)
        targets = [("a whirlpool", box_around(x + WHIRLPOOL_HALF, y + WHIRLPOOL_HALF, WHIRLPOOL_HALF))
                   for x, y in d.whirlpools]
        start = lv.cell_of(d.ship[0] + SHIP_HALF, d.ship[1] + SHIP_HALF)
        for e in d.enemies:
            if e.mode != GUARD:
                continue
            cx, cy = e.x + ENEMY_HALF, e.y + ENEMY_HALF
            dx, dy = step[e.direction]
            # A guard along the start row with open water between: a player who
            # holds one arrow from the start sails into it.
            here = lv.cell_of(cx, cy)
            if start is not None and here is not None and here[0] == start[0]:
                low, high = sorted((here[1], start[1]))
                if all(not lv.solid(start[0], c) for c in range(low, high + 1)):
                    self.fault(n, f"{e.kind} guard on line {e.line} sits in the ship's start row")
            ahead = lv.cell_of(cx + dx * TILE, cy + dy * TILE)
            if ahead is None or lv.solid(*ahead):
                self.fault(n, f"{e.kind} guard on line {e.line} faces "
                              f"{'the map edge' if ahead is None else 'land'}")
                continue
            x, y = cx, cy
            hit = set()
            while lv.cell_of(x, y) is not None and not lv.solid(*lv.cell_of(x, y)):
                fire = box_around(x, y, FIRE_HALF)
                if boxes_touch(fire, ship) and "start" not in hit:
                    self.fault(n, f"{e.kind} guard on line {e.line} fires straight "
                                  f"at the ship's start")
                    hit.add("start")
                for i, (what, box) in enumerate(targets):
                    if i not in hit and boxes_touch(fire, box):
                        self.fault(n, f"{e.kind} guard on line {e.line} fires straight at {what}")
                        hit.add(i)
                x += dx * 4
                y += dy * 4

    def check(self, folder, n):
        lv = self.load(folder, n)
        if lv is None:
            return
        self.check_counts(lv)
        if n == 1:
            self.check_level1(lv)
        self.check_enemy_settings(lv)
        self.check_places(lv)
        self.check_reach(lv)
        if n in WIDE_ROUTE_LEVELS:
            self.check_wide_route(lv)
        self.check_motion(lv)
        self.check_guards(lv)
        self.check_overlaps(lv)
        self.check_shots(lv)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder", help="the data/levels folder")
    parser.add_argument("--level", type=int, action="append",
                        help="check only this level (may be repeated)")
    parser.add_argument("--seconds", type=float, default=600.0,
                        help="how long to sail each enemy (default 600)")
    parser.add_argument("--warnings", action="store_true",
                        help="list the warnings (pick-ups in a line of fire)")
    args = parser.parse_args()
    checker = Checker(args.seconds)
    levels = args.level or list(LEVELS)
    for n in levels:
        checker.check(args.folder, n)
    if args.warnings:
        for line in checker.warnings:
            print(f"warning: {line}")
    elif checker.warnings:
        print(f"{len(checker.warnings)} warning(s): pick-ups in a battery's line of fire (--warnings lists them)")
    for line in checker.faults:
        print(line)
    if checker.faults:
        print(f"{len(checker.faults)} fault(s) in the level files")
        return 1
    print(f"{len(levels)} level(s) checked: all good")
    return 0


if __name__ == "__main__":
    sys.exit(main())
