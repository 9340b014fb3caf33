#include "bank_contents.h"

#include <cstring>

namespace {

// Bounds-checked little-endian reads: a bank that passed its check keeps
// every field inside the file, but a zero is safer than a stray read.
struct Fields {
    const std::uint8_t* data;
    std::size_t size;
    std::uint32_t u8(std::uint64_t at) const { return at < size ? data[at] : 0; }
    std::uint32_t u16(std::uint64_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::uint64_t at) const { return u16(at) | u16(at + 2) << 16; }
};

constexpr std::uint32_t kWaveEntriesAt = 148;
constexpr std::uint32_t kWaveEntryBytes = 24;
constexpr std::uint32_t kEventsFromRecord = 19;
constexpr std::uint32_t kSimpleCueBytes = 5;
constexpr std::uint32_t kComplexCueBytes = 15;
constexpr std::uint32_t kNameIndexBytes = 6;

}  // namespace

bool waveSamplesSound(const BankWave& wave, const std::uint8_t* samples)
{
    if (!wave.adpcm)
        return true;  // PCM samples are any 16-bit values
    constexpr std::uint8_t kPredictors = 7;
    if (wave.blockAlign < wave.channels || wave.channels == 0)
        return false;
    for (std::uint64_t block = 0; block + wave.blockAlign <= wave.bytes; block += wave.blockAlign)
        for (std::uint32_t c = 0; c < wave.channels; ++c)
            if (samples[block + c] >= kPredictors)
                return false;
    return true;
}

std::vector<BankWave> readBankWaves(const std::uint8_t* data, std::size_t size)
{
    const Fields f{data, size};
    const std::uint32_t count = f.u32(56);
    const std::uint64_t samplesAt = f.u32(44);
    std::vector<BankWave> waves;
    if (std::uint64_t{count} * kWaveEntryBytes > size)
        return waves;
    waves.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t entry = kWaveEntriesAt + std::uint64_t{kWaveEntryBytes} * i;
        const std::uint32_t format = f.u32(entry + 4);
        BankWave w;
        w.adpcm = (format & 0x3) == 2;
        w.channels = (format >> 2) & 0x7;
        w.sampleRate = (format >> 5) & 0x3FFFF;
        w.blockAlign = w.adpcm ? (((format >> 23) & 0xFF) + 22) * w.channels : w.channels * 2;
        w.frames = f.u32(entry) >> 4;
        w.offset = samplesAt + f.u32(entry + 8);
        w.bytes = f.u32(entry + 12);
        waves.push_back(w);
    }
    return waves;
}

std::vector<BankSound> readBankSounds(const std::uint8_t* data, std::size_t size)
{
    const Fields f{data, size};
    const std::uint32_t simpleCues = f.u16(19);
    const std::uint32_t cues = simpleCues + f.u16(21);
    const std::uint64_t nameIndex = f.u32(66);
    std::vector<BankSound> sounds;
    sounds.reserve(cues);
    for (std::uint32_t i = 0; i < cues; ++i) {
        const bool simple = i < simpleCues;
        const std::uint64_t cue = simple ? f.u32(34) + std::uint64_t{kSimpleCueBytes} * i
                                         : f.u32(38) + std::uint64_t{kComplexCueBytes} * (i - simpleCues);
        const std::uint64_t record = f.u32(cue + 1);
        BankSound s;
        s.cueIndex = static_cast<std::uint16_t>(i);
        s.music = f.u8(record) == 0x01;
        s.category = static_cast<std::uint16_t>(f.u16(record + 1));
        s.volumeByte = static_cast<std::uint8_t>(f.u8(record + 3));
        s.wave = static_cast<std::uint16_t>(s.music ? f.u16(record + kEventsFromRecord + 9) : f.u16(record + 9));
        const std::uint64_t name = f.u32(nameIndex + std::uint64_t{kNameIndexBytes} * i);
        if (name < size) {
            const auto* start = reinterpret_cast<const char*>(data + name);
            const void* end = std::memchr(start, 0, size - name);
            if (end)
                s.name.assign(start, static_cast<const char*>(end));
        }
        sounds.push_back(std::move(s));
    }
    return sounds;
}
