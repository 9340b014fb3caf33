"""A small model of how the game moves an enemy ship and turns it at markers:
mode movement at half the velocity, contact between the enemy's box (centre
+-20) and a marker's box (+-32), a push-out of one pixel per step away from
the marker's centre (at most ten steps, as the bounce does when the marker
stands still) and then the level's turn."""
import math

from roster import CRUISE, GUARD, PATROL_H, PATROL_V, STOPPED

ENEMY_HALF = 32        # the enemy sprite is 64 x 64; its centre is x + 32
ENEMY_BOX = 20         # collision box: centre +- 20
MARKER_BOX = 32        # marker box: its position +- 32
REACH = ENEMY_BOX + MARKER_BOX
PUSH_STEPS = 10

_LEFT_OF = {"up": "left", "left": "down", "down": "right", "right": "up"}
_RIGHT_OF = {v: k for k, v in _LEFT_OF.items()}
_REVERSE = {"up": "down", "down": "up", "left": "right", "right": "left"}


class Sailing:
    """One enemy under way: top-left position, velocity, facing, mode."""

    def __init__(self, x, y, vx, vy, direction, mode):
        self.x, self.y = float(x), float(y)
        self.vx, self.vy = float(vx), float(vy)
        self.direction = direction
        self.mode = mode

    def centre(self):
        return self.x + ENEMY_HALF, self.y + ENEMY_HALF

    def box(self):
        cx, cy = self.centre()
        return cx - ENEMY_BOX, cy - ENEMY_BOX, cx + ENEMY_BOX, cy + ENEMY_BOX

    def move(self, dt):
        k = 0.5
        if self.mode in (STOPPED, GUARD):
            self.vx = self.vy = 0.0
        elif self.mode == PATROL_H:
            self.x -= self.vx * dt * k
        elif self.mode == PATROL_V:
            self.y -= self.vy * dt * k
        elif self.mode == CRUISE:
            if self.direction == "up":
                self.y += self.vy * dt * k
            elif self.direction == "down":
                self.y -= self.vy * dt * k
            elif self.direction == "left":
                self.x -= self.vx * dt * k
            else:
                self.x += self.vx * dt * k

    def touches(self, marker):
        cx, cy = self.centre()
        return abs(cx - marker[0]) <= REACH and abs(cy - marker[1]) <= REACH

    def push_off(self, marker):
        cx, cy = self.centre()
        dx, dy = marker[0] - cx, marker[1] - cy
        length = math.hypot(dx, dy)
        ux, uy = (dx / length, dy / length) if length else (0.0, 0.0)
        steps = 0
        while True:
            self.x -= ux
            self.y -= uy
            steps += 1
            if not self.touches(marker) or steps >= PUSH_STEPS:
                break

    def turn(self, how):
        if how == "around":
            if self.mode in (PATROL_H, PATROL_V):
                self.vx, self.vy = -self.vx, -self.vy
                self.direction = _REVERSE[self.direction]
        elif self.mode == CRUISE:
            table = _LEFT_OF if how == "left" else _RIGHT_OF
            self.direction = table[self.direction]


def marker_rules(level_data, kind, index):
    """(marker index, turn) pairs tested for this enemy, in testing order."""
    if not level_data.turns:
        return [(m, "around") for m in range(len(level_data.markers))]
    return [(t.marker, t.turn) for t in level_data.turns
            if t.kind == kind and t.enemy == index]


def sail(enemy, start, rules, markers, seconds, fps, watch):
    """Runs one enemy for `seconds` at `fps` frames per second. `watch(t,
    sailing)` is called after every frame and may return a complaint, which
    ends the run. Returns (complaint or None, set of markers that turned it,
    sailing)."""
    ship = Sailing(start[0], start[1], enemy.vx, enemy.vy, enemy.direction, enemy.mode)
    used = set()
    dt = 1.0 / fps
    frames = int(round(seconds * fps))
    for frame in range(frames):
        ship.move(dt)
        for m, how in rules:
            if ship.touches(markers[m]):
                ship.push_off(markers[m])
                ship.turn(how)
                used.add(m)
        complaint = watch((frame + 1) * dt, ship)
        if complaint:
            return complaint, used, ship
    return None, used, ship


def _frame_step(ship, dt):
    """The (dx, dy) one frame of `move` adds: a straight line until a turn."""
    x, y = ship.x, ship.y
    probe = Sailing(x, y, ship.vx, ship.vy, ship.direction, ship.mode)
    probe.move(dt)
    return probe.x - x, probe.y - y


def _first_touch(ship, step, marker):
    """The first frame k >= 1 at which a ship sailing on by `step` a frame
    touches `marker`, or None. The contact test is an interval along the
    line, so it is found without stepping."""
    cx, cy = ship.centre()
    k_range = []
    for c, s, m in ((cx, step[0], marker[0]), (cy, step[1], marker[1])):
        if s == 0:
            if abs(c - m) > REACH:
                return None
            k_range.append((1, math.inf))
        else:
            a, b = (m - REACH - c) / s, (m + REACH - c) / s
            k_range.append((min(a, b), max(a, b)))
    low = max(1, max(r[0] for r in k_range))
    high = min(r[1] for r in k_range)
    k = max(1, math.ceil(low - 1e-9))
    # The bounds came from a division: settle k with the test itself.
    for candidate in (k - 1, k, k + 1):
        if candidate >= 1 and candidate <= high + 1e-9 and _touches_after(ship, step, marker, candidate):
            return candidate
    return None


def _touches_after(ship, step, marker, k):
    # The same sums as the leg's end below, so both agree to the last bit.
    cx, cy = ship.x + k * step[0] + ENEMY_HALF, ship.y + k * step[1] + ENEMY_HALF
    return abs(cx - marker[0]) <= REACH and abs(cy - marker[1]) <= REACH


def sail_far(enemy, start, rules, markers, seconds, fps, watch_leg, legs=None):
    """`sail` for long runs: between turns an enemy sails a straight line,
    so the frames up to the next marker contact are skipped in one go (the
    boxes of those frames overlap one another, so together they cover
    exactly the box swept from the first to the last). `watch_leg(t0, t1,
    swept_box, sailing)` sees each leg and may return a complaint. Returns
    (complaint or None, set of markers that turned it, sailing). `legs`, if
    given, gets (frames, x, y, step, end x, end y) for each leg: `frames`
    frames from top-left (x, y) by `step` a frame, the last one pushed off
    to the end position."""
    ship = Sailing(start[0], start[1], enemy.vx, enemy.vy, enemy.direction, enemy.mode)
    used = set()
    dt = 1.0 / fps
    frames = int(round(seconds * fps))
    frame = 0
    while frame < frames:
        step = _frame_step(ship, dt)
        touches = [k for k in (_first_touch(ship, step, markers[m]) for m, _ in rules) if k]
        k = min(touches + [frames - frame])
        first = ship.box()
        x0, y0 = ship.x, ship.y
        # Positions are worked out from the leg's start, not summed frame by
        # frame; the two differ by far less than a pixel in ten minutes.
        ship.x, ship.y = ship.x + k * step[0], ship.y + k * step[1]
        last = ship.box()
        frame += k
        for m, how in rules:
            if ship.touches(markers[m]):
                ship.push_off(markers[m])
                ship.turn(how)
                used.add(m)
        pushed = ship.box()
        if legs is not None:
            legs.append((k, x0, y0, step, ship.x, ship.y))
        swept = (min(first[0] + step[0], last[0], pushed[0]), min(first[1] + step[1], last[1], pushed[1]),
                 max(first[2] + step[0], last[2], pushed[2]), max(first[3] + step[1], last[3], pushed[3]))
        complaint = watch_leg((frame - k + 1) * dt, frame * dt, swept, ship)
        if complaint:
            return complaint, used, ship
    return None, used, ship


def track(legs):
    """Top-left corners frame by frame (numpy arrays) from `sail_far`'s legs."""
    import numpy
    xs, ys = [], []
    for k, x0, y0, step, x1, y1 in legs:
        j = numpy.arange(1, k + 1, dtype=float)
        x, y = x0 + j * step[0], y0 + j * step[1]
        x[-1], y[-1] = x1, y1
        xs.append(x)
        ys.append(y)
    return numpy.concatenate(xs), numpy.concatenate(ys)
