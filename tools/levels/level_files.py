"""Reading and writing the two level files, mapN.txt (tile codes) and
levelN.txt (one object per line), exactly as docs/level-files.md lays them
out. Reading is strict: anything the game would refuse is an error here."""
import re
from dataclasses import dataclass, field

from roster import DIRECTIONS, KINDS, MODES, ROWS, TILE_CODES, TURNS

_NUMBER = re.compile(r"^-?(\d+(\.\d*)?|\.\d+)$")
_INTEGER = re.compile(r"^\d+$")
PICKUP_KEYWORDS = ("coin", "treasure", "health", "ammo")


class LevelFileError(Exception):
    pass


@dataclass
class Enemy:
    kind: str
    x: float
    y: float
    direction: str
    vx: float
    vy: float
    mode: str
    frame: str = None
    respawn: tuple = None
    line: int = 0


@dataclass
class Turn:
    kind: str
    enemy: int
    marker: int
    turn: str
    line: int = 0


@dataclass
class LevelData:
    ship: tuple = None
    pickups: dict = field(default_factory=lambda: {k: [] for k in PICKUP_KEYWORDS})
    enemies: list = field(default_factory=list)
    markers: list = field(default_factory=list)
    whirlpools: list = field(default_factory=list)
    turns: list = field(default_factory=list)

    def enemies_of(self, kind):
        return [e for e in self.enemies if e.kind == kind]


def _number(token, what, where):
    if not _NUMBER.match(token):
        raise LevelFileError(f'{where}: expected a number for {what}, found "{token}"')
    value = float(token)
    return int(value) if value.is_integer() else value


def _index(token, what, where):
    if not _INTEGER.match(token):
        raise LevelFileError(f'{where}: expected a count for {what}, found "{token}"')
    return int(token)


def _choice(token, choices, what, where):
    if token not in choices:
        raise LevelFileError(f'{where}: unknown {what} "{token}" '
                             f'(expected one of {", ".join(choices)})')
    return token


def _expect_tokens(tokens, count, where, optional=0):
    if len(tokens) < count:
        raise LevelFileError(f"{where}: missing value after \"{tokens[-1]}\"")
    if len(tokens) > count + optional:
        raise LevelFileError(f'{where}: extra value "{tokens[count + optional]}"')


def _enemy(tokens, where, line):
    _expect_tokens(tokens, 8, where, optional=2)
    kind = _choice(tokens[1], KINDS, "enemy kind", where)
    enemy = Enemy(kind, _number(tokens[2], "x", where), _number(tokens[3], "y", where),
                  _choice(tokens[4], DIRECTIONS, "direction", where),
                  _number(tokens[5], "velocity x", where),
                  _number(tokens[6], "velocity y", where),
                  _choice(tokens[7], MODES, "mode", where), line=line)
    for option in tokens[8:]:
        name, _, value = option.partition("=")
        if name == "frame" and enemy.frame is None:
            enemy.frame = _choice(value, DIRECTIONS, "facing", where)
        elif name == "respawn" and enemy.respawn is None:
            parts = value.split(",")
            if len(parts) != 2:
                raise LevelFileError(f'{where}: respawn needs X,Y, found "{value}"')
            enemy.respawn = (_number(parts[0], "respawn x", where),
                             _number(parts[1], "respawn y", where))
        else:
            raise LevelFileError(f'{where}: unexpected option "{option}"')
    return enemy


def parse_level(text, name):
    """Reads a level data file; raises LevelFileError naming file and line."""
    data = LevelData()
    for number, raw in enumerate(text.split("\n"), start=1):
        line = raw.rstrip("\r")
        where = f"{name} line {number}"
        if not line.strip(" \t") or line.startswith("#"):
            continue
        tokens = [t for t in re.split(r"[ \t]+", line) if t]
        keyword = tokens[0]
        if keyword == "ship":
            _expect_tokens(tokens, 3, where)
            if data.ship is not None:
                raise LevelFileError(f"{where}: a second ship line")
            data.ship = (_number(tokens[1], "x", where), _number(tokens[2], "y", where))
        elif keyword in PICKUP_KEYWORDS:
            _expect_tokens(tokens, 3, where)
            data.pickups[keyword].append(
                (_number(tokens[1], "x", where), _number(tokens[2], "y", where)))
        elif keyword == "marker":
            _expect_tokens(tokens, 3, where)
            data.markers.append((_number(tokens[1], "x", where), _number(tokens[2], "y", where)))
        elif keyword == "whirlpool":
            _expect_tokens(tokens, 3, where)
            data.whirlpools.append(
                (_number(tokens[1], "x", where), _number(tokens[2], "y", where)))
        elif keyword == "enemy":
            data.enemies.append(_enemy(tokens, where, number))
        elif keyword == "turn":
            _expect_tokens(tokens, 5, where)
            data.turns.append(Turn(_choice(tokens[1], KINDS, "enemy kind", where),
                                   _index(tokens[2], "enemy", where),
                                   _index(tokens[3], "marker", where),
                                   _choice(tokens[4], TURNS, "turn", where), number))
        else:
            raise LevelFileError(f'{where}: unknown keyword "{keyword}"')
    if data.ship is None:
        raise LevelFileError(f"{name}: no ship line")
    if len(data.whirlpools) not in (1, 2):
        raise LevelFileError(f"{name}: needs one or two whirlpool lines, "
                             f"found {len(data.whirlpools)}")
    for turn in data.turns:
        count = len(data.enemies_of(turn.kind))
        if turn.enemy >= count:
            raise LevelFileError(f"{name} line {turn.line}: turn names {turn.kind} "
                                 f"{turn.enemy}, the file has {count}")
        if turn.marker >= len(data.markers):
            raise LevelFileError(f"{name} line {turn.line}: turn names marker "
                                 f"{turn.marker}, the file has {len(data.markers)}")
    return data


def parse_map(text, name, columns):
    """Reads a tile map: exactly 7 lines of `columns` tile codes each."""
    lines = [line for line in text.split("\n") if line.strip()]
    if len(lines) != ROWS:
        raise LevelFileError(f"{name}: expected {ROWS} rows, found {len(lines)}")
    grid = []
    for r, line in enumerate(lines):
        tokens = line.split()
        if len(tokens) != columns:
            raise LevelFileError(f"{name} row {r + 1}: expected {columns} codes, "
                                 f"found {len(tokens)}")
        row = []
        for token in tokens:
            if not _INTEGER.match(token) or int(token) not in TILE_CODES:
                raise LevelFileError(f'{name} row {r + 1}: "{token}" is not a tile code '
                                     f"({TILE_CODES.start} to {TILE_CODES.stop - 1})")
            row.append(int(token))
        grid.append(row)
    return grid


def format_map(grid):
    return "".join(" ".join(str(code) for code in row) + "\n" for row in grid)


def _num(value):
    return str(int(value)) if float(value).is_integer() else repr(float(value))


def format_level(data, header):
    """Writes a level data file; `header` is a list of comment lines."""
    out = [f"# {line}" if line else "#" for line in header]
    out.append("")
    out.append(f"ship {_num(data.ship[0])} {_num(data.ship[1])}")
    for keyword in PICKUP_KEYWORDS:
        for x, y in data.pickups[keyword]:
            out.append(f"{keyword} {_num(x)} {_num(y)}")
    for e in data.enemies:
        words = ["enemy", e.kind, _num(e.x), _num(e.y), e.direction, _num(e.vx),
                 _num(e.vy), e.mode]
        if e.frame:
            words.append(f"frame={e.frame}")
        if e.respawn:
            words.append(f"respawn={_num(e.respawn[0])},{_num(e.respawn[1])}")
        out.append(" ".join(words))
    for x, y in data.markers:
        out.append(f"marker {_num(x)} {_num(y)}")
    for x, y in data.whirlpools:
        out.append(f"whirlpool {_num(x)} {_num(y)}")
    for t in data.turns:
        out.append(f"turn {t.kind} {t.enemy} {t.marker} {t.turn}")
    return "\n".join(out) + "\n"
