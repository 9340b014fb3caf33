// A level data file ("levels\levelN.txt") of any bytes.
#include "fuzz_check.h"
#include "levels/level_data.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(fuzz::text(data, size));
    LevelData level;
    std::string error;
    if (!parseLevelData(in, "levels\\fuzz.txt", level, error)) {
        fuzz::require(!error.empty(), "a refused level says why");
        fuzz::require(level.coins.empty() && level.enemyShips.empty() && level.whirlpools.empty(),
                      "a refused level leaves the data alone");
        return 0;
    }
    fuzz::require(level.whirlpools.size() == 1 || level.whirlpools.size() == 2, "one or two whirlpools");
    for (const TurnRule& t : level.turns) {
        const auto& enemies = t.kind == EnemyKind::EnemyShip ? level.enemyShips : level.enemyShip1s;
        fuzz::require(t.enemy >= 0 && static_cast<std::size_t>(t.enemy) < enemies.size(), "a turn names a real enemy");
        fuzz::require(t.marker >= 0 && static_cast<std::size_t>(t.marker) < level.markers.size(),
                      "a turn names a real marker");
    }
    return 0;
}
