// What the game plays straight from its banks, read from banks that
// bank_check has passed: each cue's name and sound, each wave's format and
// where its samples lie. Only the headers and tables are read, never the
// samples, so a mapped wave bank's sample pages stay untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct BankWave {
    bool adpcm = false;           // MS-ADPCM, else 16-bit PCM
    std::uint32_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t blockAlign = 0;  // ADPCM: bytes per block, all channels
    std::uint32_t frames = 0;
    std::uint64_t offset = 0;      // of the samples, from the start of the file
    std::uint32_t bytes = 0;
};

struct BankSound {
    std::string name;
    std::uint16_t cueIndex = 0;  // the engine's index for the cue
    bool music = false;          // a looping track; otherwise a one-shot effect
    std::uint16_t category = 0;
    std::uint8_t volumeByte = 0;
    std::uint16_t wave = 0;
};

// Whether the engine can decode `wave`'s samples, which start at `samples`,
// without reading out of bounds: each MS-ADPCM block opens with a predictor
// per channel that picks one of 7 coefficient pairs, and the engine looks
// it up unchecked. The bank check reads only headers; this reads every
// block's opening bytes, so it is done for a wave when it is first played.
bool waveSamplesSound(const BankWave& wave, const std::uint8_t* samples);

// Waves in wave-index order.
std::vector<BankWave> readBankWaves(const std::uint8_t* data, std::size_t size);
// Cues in cue-index order.
std::vector<BankSound> readBankSounds(const std::uint8_t* data, std::size_t size);
