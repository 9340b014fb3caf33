// Short test waves and banks built from them with the bank builder.
#pragma once

#include "wav_file.h"
#include "xact_banks.h"

#include <filesystem>
#include <string>
#include <vector>

// A sine tone: frames samples per channel at 22050 Hz.
banks::PcmWave makeTone(double hz, std::size_t frames, int channels = 1, double amplitude = 0.5);

// A fresh, empty folder under the system's temporary folder, removed with
// all it holds when the object goes, so no test run leaves anything there.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return folder; }
    operator const std::filesystem::path&() const { return folder; }
    std::filesystem::path operator/(const std::string& name) const { return folder / name; }

private:
    std::filesystem::path folder;
};

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

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
