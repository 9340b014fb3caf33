// A saved level record ("saveFiles\KeelhavenSave.txt") of any bytes. The
// first four bytes pick the level's shape: wide or not, then how many
// enemies, markers and pick-ups it has.
#include "fuzz_check.h"
#include "levels/level_save.h"

#include <sstream>

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
    fuzz::require(save.enemies.size() == shape.enemies && save.pickups.size() == shape.pickups, "the record's shape");
    // The game's own writer must give a record its reader takes, and that
    // record must come back unchanged.
    const std::string written = levelSaveText(save, shape);
    std::istringstream back(written);
    LevelSave again;
    fuzz::require(readLevelSave(back, shape, again, error), "a written record reads back");
    fuzz::require(levelSaveText(again, shape) == written, "the record round trip");
    return 0;
}
