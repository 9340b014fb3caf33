// What sets each of the 31 levels apart besides its map and its data file:
// how entering it treats the player's progress, where winning it leads, and
// a few play settings.
#pragma once

namespace levelNS {
constexpr int LEVEL_COUNT = 31;
constexpr int FIRST_WIDE_LEVEL = 21;
}  // namespace levelNS

enum class LevelEntry {
    NewGame,        // level 1: fresh progress
    StartingLevel,  // levels 11 and 21: fresh progress unless a gauntlet run passes through
    Continue,       // every other level: progress carried on from the last level
};

enum class LevelExit {
    Shop,                   // "UPGRADESCREEN"
    CompleteUnlessGauntlet, // the end of an easy or normal run
    Complete,               // the end of every run
};

struct LevelRules {
    int number = 1;
    bool wide = false;               // 24 columns, scrolling
    LevelEntry entry = LevelEntry::Continue;
    int startingAmmo = 2;            // NewGame and StartingLevel only
    bool resetsShipPose = false;     // straighten the ship on entry
    bool hKeyShowsHighScores = false;
    // Seconds between ramming damage; negative: that kind is not tested.
    float enemyShipRamCooldown = 1.0f;
    float enemyShip1RamCooldown = 1.0f;
    // Health an enemy cannonball takes; 0: enemy fire is not tested.
    int enemyFireDamage = 15;
    LevelExit exit = LevelExit::Shop;
    const char* fontError = "Error initializing dxscore";
};

// The rules of level `number` (1 to 31; anything else gives level 1's).
const LevelRules& rulesFor(int number);
