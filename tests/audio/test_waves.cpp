#include "test_waves.h"

#include <cmath>
#include <fstream>
#include <numbers>
#include <string>

#include <unistd.h>

banks::PcmWave makeTone(double hz, std::size_t frames, int channels, double amplitude)
{
    banks::PcmWave wave;
    wave.channels = channels;
    wave.sampleRate = 22050;
    for (std::size_t i = 0; i < frames; ++i) {
        const double v = amplitude * 32767.0 * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(i) / 22050.0);
        for (int c = 0; c < channels; ++c)
            wave.samples.push_back(static_cast<std::int16_t>(std::lround(c == 0 ? v : -v)));
    }
    return wave;
}

TempFolder::TempFolder(const std::string& name)
    // CTest runs tests side by side: each process keeps to its own folder.
    : folder(std::filesystem::temp_directory_path() /
             ("keelhaven-audio-tests-" + std::to_string(getpid()) + "-" + name))
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TestBankPaths writeTestBanks(const std::filesystem::path& folder, banks::Codec codec)
{
    // A whole number of cycles, so the loop is seamless: 22050 / 5632 * 100 Hz.
    const double loopHz = 22050.0 / static_cast<double>(kLoopToneFrames) * 100.0;
    const std::vector<banks::PcmWave> waves = {makeTone(loopHz, kLoopToneFrames), makeTone(880.0, kBlipFrames)};
    const std::vector<banks::BankCue> cues = {{"LOOPTONE", 0, true, -6.0}, {"BLIP", 1, false, -6.0}};
    banks::BankOptions options;
    options.codec = codec;
    const banks::BankFiles files = banks::writeBanks(cues, waves, options);
    TestBankPaths paths{(folder / "wavebank.xwb").string(), (folder / "soundbank.xsb").string()};
    writeBytes(paths.waveBank, files.waveBank);
    writeBytes(paths.soundBank, files.soundBank);
    return paths;
}
