// What a player would call the state of the game, as 64 bits: the current
// state's name, the next level, the settings, the ship, every enemy,
// cannonball and pick-up of the level being played, and the high-score
// table in memory. Two sessions that end with the same digest ended alike;
// a recording and its replay must.
#pragma once

#include <cstdint>
#include <string>

class Keelhaven;

std::uint64_t stateDigest(Keelhaven& game);

// As printed: 16 lower-case hex digits.
std::string digestText(std::uint64_t digest);
