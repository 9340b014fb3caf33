// Writes an in-memory XACT3 wave bank (.xwb) and the sound bank (.xsb) that
// plays its waves by cue name, in the layout the FACT engine reads.
//
// Effects become simple cues over one-shot sounds: each Play starts another
// copy. Music becomes complex cues allowing one instance that fail a second
// Play, over a sound whose wave loops forever until the cue is stopped.
#pragma once

#include "manifest.h"
#include "wav_file.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace banks {

enum class Codec { Pcm, MsAdpcm };

struct BankOptions {
    Codec codec = Codec::MsAdpcm;
    int samplesPerBlock = 512;  // ADPCM only
    std::string waveBankName = "KeelhavenWaves";
    std::string soundBankName = "KeelhavenSounds";
};

struct BankCue {
    std::string name;
    std::size_t wave = 0;  // index into the waves handed to writeBanks
    bool loops = false;
    double volumeDb = 0.0;
};

struct BankFiles {
    std::vector<std::uint8_t> waveBank;
    std::vector<std::uint8_t> soundBank;
};

// Fixed layout figures, shared with the checks in the tests.
namespace layout {
inline constexpr std::uint32_t kWaveBankHeaderBytes = 52;
inline constexpr std::uint32_t kWaveBankDataBytes = 96;
inline constexpr std::uint32_t kWaveEntryBytes = 24;
inline constexpr std::uint32_t kWaveAlignment = 4;
inline constexpr std::uint32_t kSoundBankHeaderBytes = 74;
inline constexpr std::uint32_t kNameBytes = 64;
inline constexpr std::uint32_t kSimpleSoundBytes = 12;
inline constexpr std::uint32_t kComplexSoundBytes = 36;
inline constexpr std::uint32_t kComplexSoundEventsAt = 19;  // from the record's start
inline constexpr std::uint32_t kSimpleCueBytes = 5;
inline constexpr std::uint32_t kComplexCueBytes = 15;
inline constexpr std::uint32_t kNameIndexBytes = 6;
inline constexpr std::uint16_t kCategoryDefault = 1;
inline constexpr std::uint16_t kCategoryMusic = 2;
inline constexpr std::uint8_t kLoopForever = 255;
}  // namespace layout

// The engine's volume byte for a gain in dB (180 is 0 dB, 255 the most).
std::uint8_t volumeByte(double dB);

// Throws BankError when a cue names a missing wave, a looping ADPCM wave is
// not a whole number of blocks, or a count overflows the format.
BankFiles writeBanks(const std::vector<BankCue>& cues, const std::vector<PcmWave>& waves,
                     const BankOptions& options = {});

// Reads each distinct wave file the manifest names from waveFolder (refusing a
// missing one with the manifest line that asked for it) and writes the banks.
BankFiles buildBanks(const std::vector<ManifestCue>& cues, const std::filesystem::path& waveFolder,
                     const BankOptions& options = {});

}  // namespace banks
