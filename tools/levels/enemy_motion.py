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
