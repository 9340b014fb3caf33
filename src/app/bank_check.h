// Checks the game's wave and sound bank files before the sound engine sees
// them. The engine trusts every offset, count and format field in a bank, so
// anything that does not fit inside the file, or is not laid out the way our
// bank builder writes it, is turned away here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// True when the wave bank is one the engine can load and play safely; false
// with a short reason in `why` otherwise.
bool checkWaveBank(const std::uint8_t* data, std::size_t size, std::string& why);

// True when the sound bank is one the engine can load and play safely; false
// with a short reason in `why` otherwise.
bool checkSoundBank(const std::uint8_t* data, std::size_t size, std::string& why);
