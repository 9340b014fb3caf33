// What a level data file ("levels\levelN.txt") says: where the ship, the
// pick-ups, the enemies, the markers and the whirlpool start, and how enemies
// turn at markers. Plain values only; the level builds its objects from them.
// docs/level-files.md describes the file.
#pragma once

#include <istream>
#include <string>
#include <vector>

enum class EnemyKind { EnemyShip, EnemyShip1 };
enum class Turn { Around, Left, Right };

namespace levelDataNS {
// Directions are the entities' own numbers (entityNS::UP .. RIGHT).
constexpr int UP = 1;
constexpr int DOWN = 2;
constexpr int LEFT = 3;
constexpr int RIGHT = 4;
// Enemy modes, numbered as the enemies' mode field.
constexpr int MODE_STOPPED = 0;
constexpr int MODE_PATROL_HORIZONTAL = 1;
constexpr int MODE_PATROL_VERTICAL = 2;
constexpr int MODE_CRUISE = 3;
constexpr int MODE_GUARD = 4;
// Far more lines than the largest level holds (about 150): a file with more
// is not a level, and reading it on would take minutes of play to load.
constexpr size_t MAX_RECORDS = 2000;
}  // namespace levelDataNS

// Top-left corner of a sprite, screen pixels, map scrolled fully left.
struct Placement {
    float x = 0;
    float y = 0;
};

struct EnemyPlacement {
    EnemyKind kind = EnemyKind::EnemyShip;
    Placement start;
    Placement respawn;  // the start unless the line says otherwise
    int direction = levelDataNS::LEFT;
    int facing = levelDataNS::LEFT;  // the picture shown at the start; the direction unless frame= says otherwise
    float vx = 0;
    float vy = 0;
    int mode = levelDataNS::MODE_STOPPED;
};

// Enemy number `enemy` of `kind` turns `turn` when it meets marker `marker`;
// both counted from 0 in file order, and both known to exist.
struct TurnRule {
    EnemyKind kind = EnemyKind::EnemyShip;
    int enemy = 0;
    int marker = 0;
    Turn turn = Turn::Around;
};

struct LevelData {
    Placement ship;
    std::vector<Placement> coins, treasures, healthPickups, ammoPickups, markers;
    std::vector<Placement> whirlpools;  // one or two
    std::vector<EnemyPlacement> enemyShips, enemyShip1s;
    std::vector<TurnRule> turns;  // empty: every enemy turns around at every marker
};

// Reads a whole level data file. `fileName` is the game-style name used in
// messages. On success fills `out` and returns true; otherwise leaves `out`
// alone, sets `error` ("Error in level data levels\level1.txt line 7: ...")
// and returns false.
bool parseLevelData(std::istream& in, const std::string& fileName, LevelData& out, std::string& error);

// Opens the file by its game name ("levels\\level1.txt") beside the program
// and parses it; a file that cannot be opened is an error naming it.
bool loadLevelData(const std::string& gamePath, LevelData& out, std::string& error);
