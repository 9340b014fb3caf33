// A bot that wins a level without losing a ship. The enemies never react to
// the player, so their future is known: a copy of the level is run ahead,
// its whirlpools switched off and the ship kept afloat, and every enemy and
// cannonball recorded frame by frame. The bot plans a route of whole cells
// through time (wait a moment, or sail to a neighbouring cell) that never
// meets an enemy ship and takes at most a few cannonballs; the copy is run
// again with the ship sailing that route (on wide maps the route decides the
// scrolling, and the scrolling which balls leave the screen) until route and
// future agree. Then it sails the real level with the arrow keys, checking
// as it goes that the enemies are where the record said.
#pragma once

#include "keelhaven/keelhaven.h"
#include "levels/level.h"

class Ship;

#include <string>
#include <vector>

namespace levelBotNS {
constexpr float FRAME = 1.0f / 60.0f;
constexpr int LOOK_AHEAD_FRAMES = 150 * 60;
constexpr int TICK = 13;                 // frames of one wait; a move to the next cell takes two
constexpr int WHIRLPOOL_FRAMES = 3 * 60 + 20;  // on the whirlpool, with a margin
constexpr float MARGIN = 4;              // pixels kept clear around the ship
constexpr int MAX_HITS = 4;              // cannonballs the ship may take (15 of its 100 each)
}  // namespace levelBotNS

struct BotBox {
    float left, top, right, bottom;
    bool overlaps(const BotBox& o) const
    {
        return left <= o.right && right >= o.left && top <= o.bottom && bottom >= o.top;
    }
};

struct BotResult {
    bool won = false;
    std::string why;         // when not won
    float seconds = 0;       // from the start to the level's end
    float hullLost = 0;      // health lost on the way
    int routeCells = 0;      // the shortest way to the exit in cells, enemies aside
    int plannedMoves = 0;
    int waits = 0;
    // One number for how hard the level is: the seconds it takes, with
    // every 5 hull lost counted as a second more (a 15-point cannonball
    // costs as much as three seconds of sailing).
    float score() const { return seconds + hullLost / 5; }
};

// The arrow keys the bot holds in a frame.
struct BotArrows {
    bool left = false, right = false, up = false, down = false;
    bool operator==(const BotArrows&) const = default;
};

class LevelBot {
public:
    // `exit` 0 is the level's whirlpool, 1 level 28's second one.
    LevelBot(Keelhaven& game, int level, int exit = 0);

    // Records the enemies, plans and sails; the level must not have been
    // entered before in this game.
    BotResult run();

    // Records the enemies and plans a route without sailing it; false, with
    // the reason, when none gets by. The plan then steers a level in any
    // game: the arrows to hold before frame f (from 1) of the level, with
    // the ship where it is now.
    bool prepare(std::string& why);
    BotArrows arrowsFor(Level& lv, Ship& ship, int frame);

private:
    struct Step {
        int fromFrame, toFrame;  // the step ends with the ship in `cell` at toFrame
        int cell;
    };

    void record(const std::vector<Step>& steps);
    void markDanger(bool keepEarlier);
    bool stillClear(const std::vector<Step>& steps) const;
    void steer(Level& lv, const std::vector<Step>& steps, int frame, size_t& next);
    BotArrows arrowsAt(Level& lv, Ship& ship, const std::vector<Step>& steps, int frame, size_t& next) const;
    void releaseKeys();
    bool plan(std::vector<Step>& steps, std::string& why);
    BotResult sail(const std::vector<Step>& steps);

    int cellIndex(int row, int col) const { return row * cols + col; }
    BotBox shipBoxAt(int cell) const;
    bool water(int cell) const;
    int hitsOn(int cellA, int cellB, int fromFrame, int toFrame) const;
    int shortestRoute() const;

    Keelhaven& game;
    int number;
    int exit;
    int rows = 0, cols = 0;
    std::vector<std::vector<BotBox>> danger;  // per frame: the enemy ships, map pixels
    std::vector<std::vector<BotBox>> shots;   // per frame: their cannonballs
    std::vector<std::vector<float>> enemyX, enemyY;  // per frame, per enemy: for checking the live game
    std::vector<std::vector<unsigned char>> blocked;  // per frame, per cell
    std::vector<unsigned char> shut;                  // cells never entered: land, the other whirlpool
    std::vector<int> goals;
    int startCell = 0;
    float startX = 0, startY = 0;
    std::vector<Step> planned;  // by prepare()
    size_t plannedNext = 0;
};
