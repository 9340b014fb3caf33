"""What each of the 31 levels must hold: map width, object counts, where the
ship starts, which enemy modes it uses and how its markers turn enemies.
Both the generator and the checker read these tables."""

TILE = 65
ROWS = 7
MAP_HEIGHT = ROWS * TILE  # 455
LEVELS = range(1, 32)

# Tile codes with a picture in pictures/Tiles.txt; 0..4 stop ships.
TILE_CODES = range(0, 9)
SOLID_MAX = 4

PATROL_H = "patrol-horizontal"
PATROL_V = "patrol-vertical"
CRUISE = "cruise"
GUARD = "guard"
STOPPED = "stopped"
MODES = (STOPPED, PATROL_H, PATROL_V, CRUISE, GUARD)
KINDS = ("EnemyShip", "EnemyShip1")
DIRECTIONS = ("up", "down", "left", "right")
TURNS = ("around", "left", "right")

# level: (columns, coins, treasures, health, ammo, EnemyShip, EnemyShip1,
#         markers, ship start)
_TABLE = {
    1: (12, 3, 1, 1, 1, 1, 1, 4, (2, 380)),
    2: (12, 5, 1, 1, 1, 1, 1, 4, (580, 50)),
    3: (12, 5, 1, 1, 2, 2, 2, 7, (640, 50)),
    4: (12, 6, 1, 1, 1, 2, 2, 4, (650, 400)),
    5: (12, 6, 1, 1, 1, 2, 2, 8, (340, 220)),
    6: (12, 7, 5, 1, 1, 2, 2, 8, (340, 220)),
    7: (12, 8, 4, 1, 1, 2, 4, 12, (340, 330)),
    8: (12, 3, 1, 1, 1, 2, 2, 4, (270, 260)),
    9: (12, 6, 2, 1, 1, 3, 2, 8, (180, 250)),
    10: (12, 4, 6, 1, 1, 4, 2, 8, (70, 180)),
    11: (12, 1, 1, 1, 1, 0, 2, 12, (0, 400)),
    12: (12, 4, 4, 1, 1, 1, 4, 20, (510, 390)),
    13: (12, 2, 3, 1, 1, 1, 2, 24, (650, 390)),
    14: (12, 5, 3, 1, 1, 6, 1, 8, (740, 390)),
    15: (12, 4, 4, 1, 1, 1, 4, 20, (0, 200)),
    16: (12, 4, 4, 1, 1, 1, 6, 25, (20, 0)),
    17: (12, 4, 4, 1, 1, 1, 4, 20, (0, 0)),
    18: (12, 4, 4, 1, 1, 4, 2, 19, (360, 400)),
    19: (12, 4, 4, 1, 1, 1, 5, 12, (720, 390)),
    20: (12, 3, 1, 1, 8, 2, 5, 4, (2, 380)),
    21: (24, 1, 1, 1, 2, 3, 7, 6, (2, 380)),
    22: (24, 6, 1, 1, 3, 3, 8, 14, (2, 380)),
    23: (24, 3, 5, 1, 1, 2, 9, 16, (400, 240)),
    24: (24, 5, 1, 1, 2, 4, 7, 14, (2, 380)),
    25: (24, 4, 5, 1, 3, 4, 8, 12, (2, 380)),
    26: (24, 4, 5, 1, 4, 10, 5, 12, (2, 380)),
    27: (24, 11, 5, 5, 16, 10, 11, 13, (130, 395)),
    28: (24, 7, 3, 3, 13, 7, 8, 19, (65, 389)),
    29: (24, 4, 4, 4, 3, 5, 30, 10, (0, 65)),
    30: (24, 5, 4, 1, 3, 4, 6, 8, (2, 380)),
    31: (24, 18, 14, 3, 11, 10, 12, 8, (0, 325)),
}

_MODES_BY_LEVEL = {}
for _levels, _modes in (
        ((1, 2, 3, 5, 6, 7, 8, 9, 10), (PATROL_H, PATROL_V)),
        ((4,), (PATROL_H,)),
        ((11, 13), (CRUISE,)),
        ((12, 17), (CRUISE, PATROL_V, GUARD)),
        ((14, 18, 21, 24), (PATROL_H, CRUISE, GUARD)),
        ((15, 16, 19, 23), (CRUISE, GUARD)),
        ((20,), (PATROL_V, GUARD)),
        ((22,), (CRUISE, PATROL_V, GUARD)),
        ((25, 26, 29), (PATROL_H, PATROL_V, GUARD)),
        ((27, 30), (PATROL_H, GUARD)),
        ((28, 31), (PATROL_H, PATROL_V, CRUISE, GUARD))):
    for _n in _levels:
        _MODES_BY_LEVEL[_n] = frozenset(_modes)

# Levels whose markers turn particular enemies (turn lines); every other
# level turns every enemy around at every marker.
TURN_LINE_LEVELS = frozenset(list(range(11, 25)) + [28, 29, 31])

# The hidden exit of level 28 that leads to level 31.
SECOND_WHIRLPOOL = {28: (1501, 16)}

# Level 1 is the pattern level: its objects are fixed exactly (the markers
# moved onto their patrols' centre lines, so the patrols keep their lanes).
LEVEL1_RECORDS = [
    ("ship", 2, 380),
    ("coin", 440, 140), ("coin", 330, 140), ("coin", 140, 400),
    ("ammo", 335, 270),
    ("treasure", 330, 400),
    ("health", 460, 400),
    ("enemy", "EnemyShip", 400, 5, "left", 150, -150, PATROL_H,
     "frame=left"),
    ("enemy", "EnemyShip1", 192, 194, "down", 200, -200, PATROL_V,
     "frame=left", "respawn=192,256"),
    ("marker", 32, 37), ("marker", 710, 37), ("marker", 224, 90),
    ("marker", 224, 455),
    ("whirlpool", 666, 276),
]

# Enemy speeds: velocity (v, -v) with v in this range.
SPEED_MIN, SPEED_MAX = 150, 300


class Roster:
    """One level's required contents."""

    def __init__(self, level):
        (self.columns, self.coins, self.treasures, self.health, self.ammo,
         self.enemy_ships, self.enemy_ship1s, self.markers,
         self.ship) = _TABLE[level]
        self.level = level
        self.modes = _MODES_BY_LEVEL[level]
        self.turn_lines = level in TURN_LINE_LEVELS
        self.whirlpools = 2 if level in SECOND_WHIRLPOOL else 1
        self.width = self.columns * TILE

    def pickups(self):
        return {"coin": self.coins, "treasure": self.treasures,
                "health": self.health, "ammo": self.ammo}

    def enemies(self):
        return {"EnemyShip": self.enemy_ships, "EnemyShip1": self.enemy_ship1s}


def roster(level):
    return Roster(level)
