// A wave bank ("pictures\Audio\Win\wavebank.xwb") of any bytes, checked
// before the sound engine sees it. The bytes sit in a buffer of exactly
// their size, so any read past the end is caught. A bank the check lets
// through is read again here as ../shared/xact-banks.md lays it out, for
// what the engine trusts blindly: where the entries are, each wave's
// channels, rate, samples and loop, and the summary handed to the sound bank.
#include "engine/bank_check.h"
#include "engine/bank_contents.h"
#include "fuzz_check.h"

namespace {

constexpr std::uint64_t kEntries = 52 + 96;
constexpr std::uint64_t kEntryBytes = 24;

void requireEngineSafe(const fuzz::Fields& f, const WaveBankSummary& summary)
{
    fuzz::require(f.view(0, 4) == "WBND" && f.le(4, 4) == 46 && f.le(8, 4) == 44, "the wave bank's tag and versions");
    fuzz::require(f.le(12, 4) == 52 && f.le(16, 4) == 96, "the bank data at 52");
    fuzz::require(f.le(52, 4) == 0, "no bank flags");
    const std::uint64_t count = f.le(56, 4);
    std::string name;
    fuzz::require(f.paddedName(60, 64, name) && !name.empty(), "a named wave bank");
    fuzz::require(summary.name == name && summary.waves == count, "the summary is the bank's name and wave count");
    fuzz::require(f.le(124, 4) == kEntryBytes, "24-byte entries");
    fuzz::require(count >= 1 && f.le(20, 4) == kEntries && f.le(24, 4) == count * kEntryBytes &&
                      f.has(kEntries, count * kEntryBytes),
                  "the entry table follows the bank data, inside the file");
    const std::uint64_t dataAt = f.le(44, 4);
    const std::uint64_t dataLength = f.le(48, 4);
    fuzz::require(dataAt >= kEntries + count * kEntryBytes && dataAt + dataLength == f.size(),
                  "the wave data follows the entries and ends the file");

    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t e = kEntries + i * kEntryBytes;
        const std::uint64_t frames = f.le(e, 4) >> 4;
        const std::uint64_t format = f.le(e + 4, 4);
        const std::uint64_t offset = f.le(e + 8, 4);
        const std::uint64_t length = f.le(e + 12, 4);
        const std::uint64_t loopStart = f.le(e + 16, 4);
        const std::uint64_t loopLength = f.le(e + 20, 4);
        const std::uint64_t codec = format & 3;
        const std::uint64_t channels = (format >> 2) & 7;
        const std::uint64_t rate = (format >> 5) & 0x3FFFF;
        const std::uint64_t align = (format >> 23) & 0xFF;
        fuzz::require((f.le(e, 4) & 0xF) == 0, "no entry flags");
        fuzz::require(channels == 1 || channels == 2, "mono or stereo");
        fuzz::require(rate >= 1000, "a sample rate of at least 1000 Hz");
        fuzz::require(frames > 0 && length > 0 && offset + length <= dataLength, "samples inside the wave data");
        fuzz::require(offset % 4 == 0, "aligned samples");
        if (codec == 0) {
            fuzz::require(format >> 31 == 1 && length == frames * channels * 2, "16-bit PCM of its duration");
        } else {
            fuzz::require(codec == 2 && format >> 31 == 0, "PCM or ADPCM");
            const std::uint64_t block = (align + 22) * channels;
            fuzz::require(length % block == 0 && length / block * (align + 16) * 2 == frames,
                          "whole ADPCM blocks of its duration");
        }
        fuzz::require(loopStart < frames && loopStart + loopLength <= frames, "a loop inside the wave");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string why;
    WaveBankSummary summary;
    const bool ok = checkWaveBank(data, size, why, &summary);
    fuzz::require(ok || !why.empty(), "a refused wave bank says why");
    if (ok) {
        requireEngineSafe(fuzz::Fields(data, size), summary);
        // What the effects' voices are handed: every wave's samples in the file.
        const std::vector<BankWave> waves = readBankWaves(data, size);
        fuzz::require(waves.size() == summary.waves, "a wave read for each entry");
        for (const BankWave& w : waves) {
            fuzz::require(w.offset + w.bytes <= size && w.bytes > 0 && w.blockAlign > 0 && w.frames > 0,
                          "a wave's samples inside the file, in whole blocks");
            waveSamplesSound(w, data + w.offset);  // reads only inside the samples
        }
    }
    return 0;
}
