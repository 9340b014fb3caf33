"""Building blocks for the level designs: a map drawn as letters, objects
placed by map cell, and enemy routes whose markers are worked out from the
route so that every turn happens where the route says.

Map letters:  g grass  h highland  r reef  s sand  i islet   (solid)
              . sea  ~ crests  : shoal  , weed                 (open water)

Geometry (pixels): cell (r, c) spans x c*65 .. c*65+64, y r*65 .. r*65+64;
its centre is (c*65 + 32, r*65 + 32). An enemy (64 x 64 sprite, box +-20)
touches a marker (box +-32) when both centre distances are at most 52, so a
marker placed 53 px ahead of a turning point turns the enemy right there:
the push-off after contact leaves it within a pixel of that point, on the
marker's axis, so nothing drifts from lap to lap."""
from level_files import Enemy, LevelData, Turn
from roster import (CRUISE, GUARD, MAP_HEIGHT, PATROL_H, PATROL_V, ROWS, TILE,
                    roster)

TILE_LETTERS = {"g": 0, "h": 1, "r": 2, "s": 3, "i": 4,
                ".": 5, "~": 6, ":": 7, ",": 8}
AHEAD = 53          # marker distance from the point where it turns an enemy
HALF = 32           # half of a 64 px sprite
VECTORS = {"up": (0, -1), "down": (0, 1), "left": (-1, 0), "right": (1, 0)}


def centre_x(c):
    return c * TILE + HALF


def centre_y(r):
    return r * TILE + HALF


def _direction(dx, dy):
    for name, v in VECTORS.items():
        if v == (dx, dy):
            return name
    raise ValueError(f"not a straight step: {dx}, {dy}")


def _sign(v):
    return (v > 0) - (v < 0)


def left_of(d):
    dx, dy = VECTORS[d]
    return _direction(dy, -dx)


def right_of(d):
    dx, dy = VECTORS[d]
    return _direction(-dy, dx)


class Loop:
    """A closed cruising route through cell centres, given as its corners in
    sailing order. Each corner gets a marker 53 px beyond it, on the incoming
    leg's axis, tied to a left or right turn. Corners whose marker would
    fall off the map are pulled in so that the marker sits on the edge."""

    def __init__(self, width, corners):
        n = len(corners)
        if n < 4 or n % 2:
            raise ValueError("a loop needs an even number of corners, at least 4")
        self.incoming = []
        for i in range(n):
            (r0, c0), (r1, c1) = corners[i - 1], corners[i]
            if (r0 != r1) == (c0 != c1):
                raise ValueError(f"loop leg {corners[i - 1]} -> {corners[i]} is not straight")
            self.incoming.append(_direction(_sign(c1 - c0), _sign(r1 - r0)))
        along = []
        for i, (r, c) in enumerate(corners):
            d = self.incoming[i]
            if d == "up":
                along.append(max(centre_y(r), AHEAD))
            elif d == "down":
                along.append(min(centre_y(r), MAP_HEIGHT - AHEAD))
            elif d == "left":
                along.append(max(centre_x(c), AHEAD))
            else:
                along.append(min(centre_x(c), width - AHEAD))
        self.points = []
        for i in range(n):
            if self.incoming[i] in ("left", "right"):
                self.points.append((along[i], along[i - 1]))
            else:
                self.points.append((along[i - 1], along[i]))
        self.markers = []
        self.turns = []
        for i in range(n):
            dx, dy = VECTORS[self.incoming[i]]
            x, y = self.points[i]
            self.markers.append((x + dx * AHEAD, y + dy * AHEAD))
            out = self.incoming[(i + 1) % n]
            if out == left_of(self.incoming[i]):
                self.turns.append("left")
            elif out == right_of(self.incoming[i]):
                self.turns.append("right")
            else:
                raise ValueError(f"loop corner {corners[i]} does not turn")

    def start(self, leg, cells=0.0):
        """Centre and heading of a cruiser `cells` cells along leg `leg`
        (leg k runs from corner k to corner k + 1)."""
        heading = self.incoming[(leg + 1) % len(self.points)]
        dx, dy = VECTORS[heading]
        x, y = self.points[leg]
        return (x + dx * cells * TILE, y + dy * cells * TILE), heading


class Layout:
    """One level under construction."""

    def __init__(self, number, rows, header=()):
        self.number = number
        self.roster = roster(number)
        self.width = self.roster.width
        rows = [row.strip() for row in rows]
        if len(rows) != ROWS or any(len(row) != self.roster.columns for row in rows):
            raise ValueError(f"level {number}: the map must be {ROWS} rows of "
                             f"{self.roster.columns} letters")
        self.grid = [[TILE_LETTERS[ch] for ch in row] for row in rows]
        self.header = list(header)
        self.data = LevelData()
        self.data.ship = self.roster.ship
        self.routes = []   # (Enemy, [(marker position, turn)])
        self.fixed_markers = None   # markers given as they are (level 1)

    # ---- pick-ups and whirlpools, placed by cell ------------------------
    def _pickup(self, kind, r, c, dx, dy, half):
        self.data.pickups[kind].append((centre_x(c) + dx - half, centre_y(r) + dy - half))

    def coin(self, r, c, dx=0, dy=0):
        self._pickup("coin", r, c, dx, dy, HALF)

    def treasure(self, r, c, dx=0, dy=0):
        self._pickup("treasure", r, c, dx, dy, HALF)

    def health(self, r, c, dx=0, dy=0):
        self._pickup("health", r, c, dx, dy, HALF)

    def ammo(self, r, c, dx=0, dy=0):
        # drawn at scale 0.6, so its centre is 19 px from its corner
        self._pickup("ammo", r, c, dx, dy, 19)

    def coins(self, *cells):
        for cell in cells:
            self.coin(*cell)

    def treasures(self, *cells):
        for cell in cells:
            self.treasure(*cell)

    def ammos(self, *cells):
        for cell in cells:
            self.ammo(*cell)

    def whirlpool(self, r, c, dx=0, dy=0):
        self.data.whirlpools.append((centre_x(c) + dx - 16, centre_y(r) + dy - 16))

    def whirlpool_at(self, x, y):
        self.data.whirlpools.append((x, y))

    # ---- enemies ---------------------------------------------------------
    def _enemy(self, kind, centre, direction, v, mode, rules):
        x, y = centre
        enemy = Enemy(kind, x - HALF, y - HALF, direction, v, -v, mode)
        self.routes.append((enemy, rules))
        return enemy

    def hpatrol(self, kind, row, c0, c1, start, v, shared=(False, False), dx=0):
        """Patrols row `row` between the centres of cells c0 and c1, first
        sailing left from cell `start` (moved `dx` px along the row). A
        shared end's marker sits in the centre of the next cell out, where
        another route may use it too."""
        y = centre_y(row)
        if shared[0]:
            left = (centre_x(c0 - 1), y)
        else:
            left = (max(centre_x(c0) - AHEAD, 0), y)
        if shared[1]:
            right = (centre_x(c1 + 1), y)
        else:
            right = (min(centre_x(c1) + AHEAD, self.width), y)
        return self._enemy(kind, (centre_x(start) + dx, y), "left", v, PATROL_H,
                           [(left, "around"), (right, "around")])

    def vpatrol(self, kind, col, r0, r1, start, v, shared=(False, False)):
        """Patrols column `col` between rows r0 and r1, first sailing down."""
        x = centre_x(col)
        top = (x, centre_y(r0 - 1)) if shared[0] else (x, max(centre_y(r0) - AHEAD, 0))
        bottom = ((x, centre_y(r1 + 1)) if shared[1]
                  else (x, min(centre_y(r1) + AHEAD, MAP_HEIGHT)))
        return self._enemy(kind, (x, centre_y(start)), "down", v, PATROL_V,
                           [(top, "around"), (bottom, "around")])

    def ring(self, r0, c0, r1, c1, top=None, bottom=None, left=None, right=None):
        """Up to four patrols on the sides of the rectangle whose corner
        cells hold the four shared markers. Each side is (kind, v, start)."""
        if top:
            self.hpatrol(top[0], r0, c0 + 1, c1 - 1, top[2], top[1], (True, True))
        if bottom:
            self.hpatrol(bottom[0], r1, c0 + 1, c1 - 1, bottom[2], bottom[1], (True, True))
        if left:
            self.vpatrol(left[0], c0, r0 + 1, r1 - 1, left[2], left[1], (True, True))
        if right:
            self.vpatrol(right[0], c1, r0 + 1, r1 - 1, right[2], right[1], (True, True))

    def loop(self, *corners):
        return Loop(self.width, corners)

    def cruise(self, kind, loop, leg, v, cells=0.0):
        centre, heading = loop.start(leg, cells)
        return self._enemy(kind, centre, heading, v, CRUISE,
                           list(zip(loop.markers, loop.turns)))

    def guard(self, kind, r, c, facing, v, dx=0, dy=0):
        return self._enemy(kind, (centre_x(c) + dx, centre_y(r) + dy), facing, v, GUARD, [])

    # ---- the finished level ----------------------------------------------
    def build(self):
        data = self.data
        ordered = ([route for route in self.routes if route[0].kind == "EnemyShip"]
                   + [route for route in self.routes if route[0].kind == "EnemyShip1"])
        data.enemies = [enemy for enemy, _ in ordered]
        data.markers = list(self.fixed_markers or [])
        for _, rules in ordered:
            for place, _turn in rules:
                if place not in data.markers:
                    data.markers.append(place)
        data.turns = []
        if self.roster.turn_lines:
            counters = {"EnemyShip": 0, "EnemyShip1": 0}
            for enemy, rules in ordered:
                index = counters[enemy.kind]
                counters[enemy.kind] += 1
                for place, turn in rules:
                    data.turns.append(Turn(enemy.kind, index, data.markers.index(place), turn))
        elif any(enemy.mode == CRUISE for enemy, _ in ordered):
            raise ValueError(f"level {self.number}: cruising needs turn lines")
        return data
