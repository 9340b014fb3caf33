// Short test waves and banks built from them with the bank builder.
#pragma once

#include "wav_file.h"
#include "xact_banks.h"

#include <filesystem>
#include <string>

// A sine tone: frames samples per channel at 22050 Hz.
banks::PcmWave makeTone(double hz, std::size_t frames, int channels = 1, double amplitude = 0.5);

// A fresh, empty folder under the system's temporary folder.
std::filesystem::path freshTempFolder(const std::string& name);

struct TestBankPaths {
    std::string waveBank;
    std::string soundBank;
};

// Two cues: "LOOPTONE", a music cue over a 0.26 s wave, and "BLIP", a 0.2 s
// effect. Written into folder.
inline constexpr std::size_t kLoopToneFrames = 11 * 512;
inline constexpr std::size_t kBlipFrames = 4410;
TestBankPaths writeTestBanks(const std::filesystem::path& folder,
                             banks::Codec codec = banks::Codec::MsAdpcm);
