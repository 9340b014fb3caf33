// The level's part of a saved game ("saveFiles\KeelhavenSave.txt"): the
// player's progress and where everything in the level stands, one value per
// line. The file names no level; the state file says which level wrote it,
// and the reader checks that the record has exactly that level's shape.
// Plain values and text only, so the reader can be tried without a window.
#pragma once

#include "levels/level_data.h"

#include <istream>
#include <string>
#include <vector>

namespace levelSaveNS {
// Past these a value is damage, not play: refused rather than used.
constexpr double MAX_COORDINATE = 100000;  // positions, velocities, health, speed
constexpr double MAX_COUNT = 1000000000;   // gold, lives, cannonballs, damage
constexpr int MAX_FRAME = 255;
constexpr size_t MAX_FILE_BYTES = 1 << 20;
}  // namespace levelSaveNS

struct SavedShip {
    int gold = 0;
    float x = 0, y = 0, health = 0;
    int lives = 0, ammo = 0;
    float speed = 0;
    int cannonDamage = 0, hitDamage = 0;
};

struct SavedEnemy {
    float x = 0, y = 0, health = 0;
    bool visible = false, active = false;
    int frame = 0;
    float vx = 0, vy = 0;
};

struct SavedPickup {
    bool active = false, visible = false;
    float x = 0, y = 0;  // wide levels only
};

// How many of each thing a level's record holds.
struct LevelSaveShape {
    bool wide = false;
    size_t enemies = 0;  // EnemyShips then EnemyShip1s
    size_t markers = 0;
    size_t pickups = 0;  // coins, ammo pick-ups, treasures, health pick-ups
};

struct LevelSave {
    float mapX = 0, backgroundX = 0;  // wide levels only
    SavedShip ship;
    Placement endMarker;  // wide levels only
    std::vector<SavedEnemy> enemies;
    std::vector<Placement> markers;  // wide levels only
    std::vector<SavedPickup> pickups;
};

size_t levelSaveLines(const LevelSaveShape& shape);

// The record as text: ints as ints, floats in the stream's default form
// ("150", "0.5", "-2"), bools as 1 or 0, each value on its own line.
std::string levelSaveText(const LevelSave& save, const LevelSaveShape& shape);

// Reads a whole record of the given shape. Every line must be one number
// (CR LF or LF line ends; blank lines only at the end) and every number
// finite and within the limits above; ints are truncated toward zero and
// any bool other than 0 is true. On success fills `out`; otherwise leaves
// it alone, says why in `error` and returns false.
bool readLevelSave(std::istream& in, const LevelSaveShape& shape, LevelSave& out, std::string& error);
