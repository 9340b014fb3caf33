// 16-bit PCM WAV files: what the sound scripts write and the bank builder reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace banks {

struct PcmWave {
    int channels = 1;
    int sampleRate = 22050;
    std::vector<std::int16_t> samples;  // interleaved by channel

    std::size_t frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

// Reads a RIFF/WAVE file holding 16-bit PCM, mono or stereo. Throws BankError
// naming the file and what is wrong with it.
PcmWave readWavFile(const std::filesystem::path& path);

void writeWavFile(const std::filesystem::path& path, const PcmWave& wave);

}  // namespace banks
