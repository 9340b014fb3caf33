// Checks the game's wave and sound bank files before the sound engine sees
// them. The engine trusts every offset, count and format field in a bank, so
// anything that does not fit inside the file, or is not laid out the way our
// bank builder writes it, is turned away here. Plain functions over bytes, so
// tests and fuzzers call them without a sound device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What a sound bank has to agree with in the wave bank it plays from.
struct WaveBankSummary {
    std::string name;
    std::uint32_t waves = 0;
};

// True when the wave bank is one the engine can load and play safely; false
// with a short reason in `why` otherwise. `summary`, when given, receives the
// bank's name and wave count.
bool checkWaveBank(const std::uint8_t* data, std::size_t size, std::string& why,
                   WaveBankSummary* summary = nullptr);

// True when the sound bank is one the engine can load and play safely; false
// with a short reason in `why` otherwise. With `playsFrom`, its wave bank name
// must match and every wave it plays must be in that bank.
bool checkSoundBank(const std::uint8_t* data, std::size_t size, std::string& why,
                    const WaveBankSummary* playsFrom = nullptr);
