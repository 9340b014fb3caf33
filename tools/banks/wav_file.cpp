#include "wav_file.h"

#include "bank_error.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace banks {
namespace {

std::uint32_t readU32(const std::vector<unsigned char>& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t readU16(const std::vector<unsigned char>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void putU32(std::ofstream& out, std::uint32_t v)
{
    const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 24)};
    out.write(bytes, 4);
}

void putU16(std::ofstream& out, std::uint16_t v)
{
    const char bytes[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
    out.write(bytes, 2);
}

}  // namespace

PcmWave readWavFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw BankError("cannot open wave file " + path.string());
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto bad = [&](const std::string& why) { return BankError("wave file " + path.string() + ": " + why); };

    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        throw bad("not a RIFF/WAVE file");

    PcmWave wave;
    bool haveFormat = false;
    bool haveData = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = readU32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body)
            throw bad("chunk runs past the end of the file");
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
            if (size < 16)
                throw bad("format chunk too short");
            const std::uint16_t tag = readU16(bytes, body);
            const std::uint16_t bits = readU16(bytes, body + 14);
            if (tag != 1 || bits != 16)
                throw bad("only 16-bit PCM is supported");
            wave.channels = readU16(bytes, body + 2);
            wave.sampleRate = static_cast<int>(readU32(bytes, body + 4));
            if (wave.channels < 1 || wave.channels > 2)
                throw bad("only mono and stereo are supported");
            haveFormat = true;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            if (!haveFormat)
                throw bad("data chunk before the format chunk");
            const std::size_t frameBytes = static_cast<std::size_t>(wave.channels) * 2;
            const std::size_t count = (size / frameBytes) * static_cast<std::size_t>(wave.channels);
            wave.samples.resize(count);
            for (std::size_t i = 0; i < count; ++i)
                wave.samples[i] = static_cast<std::int16_t>(readU16(bytes, body + 2 * i));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData)
        throw bad("missing format or data chunk");
    if (wave.frames() == 0)
        throw bad("holds no samples");
    return wave;
}

void writeWavFile(const std::filesystem::path& path, const PcmWave& wave)
{
    std::ofstream out(path, std::ios::binary);
    if (!out)
        throw BankError("cannot write wave file " + path.string());
    const auto dataBytes = static_cast<std::uint32_t>(wave.samples.size() * 2);
    const auto blockAlign = static_cast<std::uint16_t>(wave.channels * 2);
    out.write("RIFF", 4);
    putU32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    putU32(out, 16);
    putU16(out, 1);
    putU16(out, static_cast<std::uint16_t>(wave.channels));
    putU32(out, static_cast<std::uint32_t>(wave.sampleRate));
    putU32(out, static_cast<std::uint32_t>(wave.sampleRate) * blockAlign);
    putU16(out, blockAlign);
    putU16(out, 16);
    out.write("data", 4);
    putU32(out, dataBytes);
    for (std::int16_t s : wave.samples)
        putU16(out, static_cast<std::uint16_t>(s));
    if (!out)
        throw BankError("failed writing wave file " + path.string());
}

}  // namespace banks
