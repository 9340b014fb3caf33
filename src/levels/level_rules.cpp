#include "levels/level_rules.h"

#include <array>
#include <cstddef>

namespace {

bool between(int n, int first, int last) { return n >= first && n <= last; }

LevelRules makeRules(int n)
{
    LevelRules r;
    r.number = n;
    r.wide = n >= levelNS::FIRST_WIDE_LEVEL;

    if (n == 1) {
        r.entry = LevelEntry::NewGame;
        r.startingAmmo = 2;
        r.fontError = "Error initializing trial 1";
    } else if (n == 11 || n == 21) {
        r.entry = LevelEntry::StartingLevel;
        r.startingAmmo = n == 11 ? 4 : 2;
    }
    r.resetsShipPose = r.entry != LevelEntry::Continue || n == 29 || n == 30;

    r.hKeyShowsHighScores = n == 1 || (between(n, 20, 30) && n != 28);

    if (n == 1 || n >= 20) {
        r.enemyShipRamCooldown = 1.0f;
        r.enemyShip1RamCooldown = 0.5f;
    } else if (n == 11 || n == 13) {
        r.enemyShipRamCooldown = -1.0f;
    } else if (n == 14) {
        r.enemyShip1RamCooldown = -1.0f;
    }

    if (n == 1)
        r.enemyFireDamage = 5;
    else if (between(n, 2, 11))
        r.enemyFireDamage = 0;

    if (n == 10 || n == 20)
        r.exit = LevelExit::CompleteUnlessGauntlet;
    else if (n == 30)
        r.exit = LevelExit::Complete;
    return r;
}

const std::array<LevelRules, levelNS::LEVEL_COUNT + 1> table = [] {
    std::array<LevelRules, levelNS::LEVEL_COUNT + 1> t{};
    for (int n = 1; n <= levelNS::LEVEL_COUNT; ++n)
        t[static_cast<std::size_t>(n)] = makeRules(n);
    t[0] = t[1];
    return t;
}();

}  // namespace

const LevelRules& rulesFor(int number)
{
    if (number < 1 || number > levelNS::LEVEL_COUNT)
        number = 0;
    return table[static_cast<std::size_t>(number)];
}
