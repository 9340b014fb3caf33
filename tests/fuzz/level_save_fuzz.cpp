// A saved level record ("saveFiles\KeelhavenSave.txt") of any bytes. The
// first four bytes pick the level's shape: wide or not, then how many
// enemies, markers and pick-ups it has. Whatever the reader takes must be
// play, not damage: every value within the bounds its header gives, picture
// frames 0 to MAX_FRAME, the record exactly the level's shape; and it must
// come back unchanged through the game's own writer.
#include "fuzz_check.h"
#include "levels/level_save.h"

#include <cmath>
#include <sstream>

namespace {

using namespace levelSaveNS;

bool within(double v, double limit)
{
    return std::isfinite(v) && std::fabs(v) <= limit;
}

void requirePlace(float x, float y)
{
    fuzz::require(within(x, MAX_COORDINATE) && within(y, MAX_COORDINATE), "positions within MAX_COORDINATE");
}

void requireInBounds(const LevelSave& save, const LevelSaveShape& shape)
{
    fuzz::require(save.enemies.size() == shape.enemies && save.pickups.size() == shape.pickups, "the record's shape");
    fuzz::require(save.markers.size() == (shape.wide ? shape.markers : 0), "markers only in wide levels");
    requirePlace(save.mapX, save.backgroundX);
    requirePlace(save.endMarker.x, save.endMarker.y);
    const SavedShip& s = save.ship;
    requirePlace(s.x, s.y);
    fuzz::require(within(s.health, MAX_COORDINATE) && within(s.speed, MAX_COORDINATE), "ship health and speed");
    for (int count : {s.gold, s.lives, s.ammo, s.cannonDamage, s.hitDamage})
        fuzz::require(within(count, MAX_COUNT), "gold, lives, cannonballs and damage within MAX_COUNT");
    for (const SavedEnemy& e : save.enemies) {
        requirePlace(e.x, e.y);
        requirePlace(e.vx, e.vy);
        fuzz::require(within(e.health, MAX_COORDINATE), "enemy health");
        fuzz::require(e.frame >= 0 && e.frame <= MAX_FRAME, "a picture frame 0 to MAX_FRAME");
    }
    for (const Placement& m : save.markers)
        requirePlace(m.x, m.y);
    for (const SavedPickup& p : save.pickups)
        requirePlace(p.x, p.y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    LevelSaveShape shape;
    shape.wide = (data[0] & 1) != 0;
    shape.enemies = data[1];
    shape.markers = data[2];
    shape.pickups = data[3];
    std::istringstream in(fuzz::text(data + 4, size - 4));
    LevelSave save;
    std::string error;
    if (!readLevelSave(in, shape, save, error)) {
        fuzz::require(!error.empty(), "a refused record says why");
        fuzz::require(save.enemies.empty() && save.pickups.empty(), "a refused record leaves the save alone");
        return 0;
    }
    requireInBounds(save, shape);
    // The game's own writer must give a record its reader takes, and that
    // record must come back unchanged.
    const std::string written = levelSaveText(save, shape);
    std::istringstream back(written);
    LevelSave again;
    fuzz::require(readLevelSave(back, shape, again, error), "a written record reads back");
    fuzz::require(levelSaveText(again, shape) == written, "the record round trip");
    return 0;
}
