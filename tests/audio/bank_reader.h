// An independent reading of the two bank files, walking them section by
// section as the engine does and checking every offset the builder wrote
// against where that section really starts. Shared by the builder's tests and
// the checks on the game's committed banks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WaveEntryInfo {
    std::uint32_t codec = 0;
    std::uint32_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t frames = 0;
    std::uint32_t bytes = 0;
    bool loops = false;
};

struct CueInfo {
    std::string name;
    std::uint16_t wave = 0;
    bool music = false;  // a complex cue over a looping track
    std::uint8_t maxInstances = 255;
};

struct BankReport {
    std::vector<std::string> problems;  // empty when the layout is right
    std::string bankName;
    std::vector<WaveEntryInfo> waves;
    std::vector<CueInfo> cues;  // in cue-index order
};

BankReport readWaveBank(const std::vector<std::uint8_t>& bytes);
// waveBank is the report of the wave bank the sound bank plays from.
BankReport readSoundBank(const std::vector<std::uint8_t>& bytes, const BankReport& waveBank);

std::vector<std::uint8_t> readBytes(const std::string& path);
