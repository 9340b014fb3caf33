#include "xact_banks.h"

#include "bank_error.h"
#include "ms_adpcm.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace banks {
namespace {

using namespace layout;

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

class ByteWriter {
public:
    std::uint32_t size() const { return static_cast<std::uint32_t>(bytes_.size()); }
    void u8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v)
    {
        u16(v);
        u16(v >> 16);
    }
    void tag(const char (&four)[5]) { bytes_.insert(bytes_.end(), four, four + 4); }
    void name(const std::string& text, std::uint32_t width)
    {
        std::vector<std::uint8_t> field(width, 0);
        std::copy_n(text.begin(), std::min<std::size_t>(text.size(), width - 1), field.begin());
        bytes_.insert(bytes_.end(), field.begin(), field.end());
    }
    void cString(const std::string& text)
    {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        u8(0);
    }
    void raw(const std::vector<std::uint8_t>& data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    void padTo(std::uint32_t alignment)
    {
        while (size() % alignment != 0)
            u8(0);
    }
    // Fills in a field whose value is known only once later sections are laid out.
    void patch32(std::uint32_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes_[at + static_cast<std::uint32_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

struct EncodedWave {
    std::uint32_t frames = 0;  // duration as the engine counts it, padding included
    std::uint32_t format = 0;  // the packed mini wave format
    std::vector<std::uint8_t> data;
};

std::uint32_t miniFormat(std::uint32_t codec, std::uint32_t channels, std::uint32_t rate, std::uint32_t blockAlign,
                         bool sixteenBit)
{
    return codec | channels << 2 | rate << 5 | blockAlign << 23 | (sixteenBit ? 1u << 31 : 0u);
}

EncodedWave encode(const PcmWave& wave, bool loops, const BankOptions& options, std::size_t index)
{
    const std::string which = "wave " + std::to_string(index);
    if (wave.channels < 1 || wave.channels > 2)
        throw BankError(which + ": only mono and stereo waves are supported");
    if (wave.sampleRate < 1000 || wave.sampleRate >= (1 << 18))
        throw BankError(which + ": sample rate " + std::to_string(wave.sampleRate) + " Hz is out of range");
    if (wave.frames() == 0)
        throw BankError(which + ": holds no samples");

    const auto channels = static_cast<std::uint32_t>(wave.channels);
    const auto rate = static_cast<std::uint32_t>(wave.sampleRate);
    EncodedWave out;
    if (options.codec == Codec::Pcm) {
        out.frames = static_cast<std::uint32_t>(wave.frames());
        out.format = miniFormat(0, channels, rate, channels * 2, true);
        out.data.reserve(wave.samples.size() * 2);
        for (std::int16_t s : wave.samples) {
            out.data.push_back(static_cast<std::uint8_t>(s & 0xFF));
            out.data.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
        }
    } else {
        const auto spb = static_cast<std::size_t>(options.samplesPerBlock);
        // The engine loops whole blocks only; a partial last block would cut
        // the loop short and click.
        if (loops && wave.frames() % spb != 0)
            throw BankError(which + ": a looping ADPCM wave must be a whole number of " + std::to_string(spb) +
                            "-sample blocks, but it has " + std::to_string(wave.frames()) + " samples");
        const std::size_t blocks = (wave.frames() + spb - 1) / spb;
        out.frames = static_cast<std::uint32_t>(blocks * spb);
        const auto blockAlign = static_cast<std::uint32_t>(msAdpcmBlockBytesPerChannel(options.samplesPerBlock) - 22);
        if (blockAlign > 255)
            throw BankError("ADPCM block too large for the wave bank's format field");
        out.format = miniFormat(2, channels, rate, blockAlign, false);
        out.data = encodeMsAdpcm(wave, options.samplesPerBlock);
    }
    if (out.frames >= (1u << 28))
        throw BankError(which + ": too long for the wave bank");
    return out;
}

std::vector<std::uint8_t> writeWaveBank(const std::vector<EncodedWave>& waves, const std::vector<bool>& loops,
                                        const std::string& name)
{
    const auto count = static_cast<std::uint32_t>(waves.size());
    const std::uint32_t entriesAt = kWaveBankHeaderBytes + kWaveBankDataBytes;
    const std::uint32_t entriesEnd = entriesAt + kWaveEntryBytes * count;
    const std::uint32_t dataAt = (entriesEnd + kWaveAlignment - 1) / kWaveAlignment * kWaveAlignment;

    // Where each wave sits inside the wave data, each starting aligned.
    std::vector<std::uint32_t> playOffsets;
    std::uint32_t dataBytes = 0;
    for (const auto& w : waves) {
        dataBytes = (dataBytes + kWaveAlignment - 1) / kWaveAlignment * kWaveAlignment;
        playOffsets.push_back(dataBytes);
        dataBytes += static_cast<std::uint32_t>(w.data.size());
    }

    ByteWriter out;
    out.tag("WBND");
    out.u32(46);  // content version
    out.u32(44);  // header version
    out.u32(kWaveBankHeaderBytes);
    out.u32(kWaveBankDataBytes);
    out.u32(entriesAt);
    out.u32(kWaveEntryBytes * count);
    out.u32(entriesEnd);  // seek tables: none
    out.u32(0);
    out.u32(entriesEnd);  // entry names: none
    out.u32(0);
    out.u32(dataAt);
    out.u32(dataBytes);

    out.u32(0);  // flags: in memory, no names, no seek tables
    out.u32(count);
    out.name(name, kNameBytes);
    out.u32(kWaveEntryBytes);
    out.u32(0);  // entry name size
    out.u32(kWaveAlignment);
    out.u32(0);  // compact format
    out.u32(0);  // build time
    out.u32(0);

    for (std::uint32_t i = 0; i < count; ++i) {
        const EncodedWave& w = waves[i];
        out.u32(w.frames << 4);
        out.u32(w.format);
        out.u32(playOffsets[i]);
        out.u32(static_cast<std::uint32_t>(w.data.size()));
        out.u32(0);                         // loop start
        out.u32(loops[i] ? w.frames : 0);  // loop length: the whole wave
    }
    out.padTo(kWaveAlignment);
    for (std::uint32_t i = 0; i < count; ++i) {
        while (out.size() < dataAt + playOffsets[i])
            out.u8(0);
        out.raw(waves[i].data);
    }
    return out.take();
}

std::vector<std::uint8_t> writeSoundBank(const std::vector<BankCue>& cues, const BankOptions& options)
{
    // Effects first (the simple cues), then music (the complex cues); cue
    // indices and the name tables follow this order.
    std::vector<const BankCue*> ordered;
    for (const auto& c : cues)
        if (!c.loops)
            ordered.push_back(&c);
    const auto simpleCount = static_cast<std::uint32_t>(ordered.size());
    for (const auto& c : cues)
        if (c.loops)
            ordered.push_back(&c);
    const auto complexCount = static_cast<std::uint32_t>(ordered.size()) - simpleCount;

    ByteWriter out;
    out.tag("SDBK");
    out.u16(46);  // content version
    out.u16(43);  // tool version: the engine accepts no other
    out.u16(0);   // CRC
    out.u32(0);   // last modified
    out.u32(0);
    out.u8(1);  // platform: Windows
    out.u16(simpleCount);
    out.u16(complexCount);
    out.u16(0);  // unknown
    out.u16(0);  // cue hash buckets: no hash table
    out.u8(1);   // wave banks
    out.u16(static_cast<std::uint32_t>(ordered.size()));  // sounds: one per cue
    std::uint32_t nameBytes = 0;
    for (const auto* c : ordered)
        nameBytes += static_cast<std::uint32_t>(c->name.size()) + 1;
    out.u16(std::min<std::uint32_t>(nameBytes, 0xFFFF));
    out.u16(0);  // unknown
    const std::uint32_t simpleCuesField = out.size();
    out.u32(kNone);
    const std::uint32_t complexCuesField = out.size();
    out.u32(kNone);
    const std::uint32_t namesField = out.size();
    out.u32(kNone);
    out.u32(kNone);  // unknown
    out.u32(kNone);  // variation tables
    out.u32(kNone);  // transition tables
    const std::uint32_t waveBankNamesField = out.size();
    out.u32(kNone);
    out.u32(kNone);  // cue hash table
    const std::uint32_t nameIndexField = out.size();
    out.u32(kNone);
    const std::uint32_t soundsField = out.size();
    out.u32(kNone);

    out.name(options.soundBankName, kNameBytes);
    out.patch32(waveBankNamesField, out.size());
    out.name(options.waveBankName, kNameBytes);

    out.patch32(soundsField, out.size());
    std::vector<std::uint32_t> soundAt;
    for (const auto* c : ordered) {
        const std::uint32_t start = out.size();
        soundAt.push_back(start);
        const auto wave = static_cast<std::uint32_t>(c->wave);
        if (!c->loops) {
            out.u8(0x00);  // no tracks: plays one wave once
            out.u16(kCategoryDefault);
            out.u8(volumeByte(c->volumeDb));
            out.u16(0);  // pitch
            out.u8(0);   // priority
            out.u16(kSimpleSoundBytes);
            out.u16(wave);
            out.u8(0);  // wave bank
        } else {
            out.u8(0x01);  // one track of events
            out.u16(kCategoryMusic);
            out.u8(volumeByte(c->volumeDb));
            out.u16(0);
            out.u8(0);
            out.u16(kComplexSoundBytes);
            out.u8(1);                 // tracks
            out.u8(volumeByte(0.0));   // track volume
            out.u32(start + kComplexSoundEventsAt);
            out.u16(0);  // track filter: none
            out.u16(0);
            out.u8(1);        // events
            out.u32(1);       // PlayWave at 0 ms
            out.u16(0);       // random start offset
            out.u8(0xFF);     // separator
            out.u8(0);        // play flags
            out.u16(wave);
            out.u8(0);  // wave bank
            out.u8(kLoopForever);
            out.u16(0);  // pan position
            out.u16(0);  // pan angle
        }
    }

    if (simpleCount > 0)
        out.patch32(simpleCuesField, out.size());
    for (std::uint32_t i = 0; i < simpleCount; ++i) {
        out.u8(0x04);  // refers straight to one sound
        out.u32(soundAt[i]);
    }
    if (complexCount > 0)
        out.patch32(complexCuesField, out.size());
    for (std::uint32_t i = simpleCount; i < ordered.size(); ++i) {
        out.u8(0x04);
        out.u32(soundAt[i]);
        out.u32(kNone);  // no transitions
        out.u8(1);       // one instance at a time...
        out.u16(0);      // fade in
        out.u16(0);      // fade out
        out.u8(0 << 3);  // ...and a second Play fails, leaving the first be
    }

    out.patch32(nameIndexField, out.size());
    std::uint32_t nameAt = out.size() + kNameIndexBytes * static_cast<std::uint32_t>(ordered.size());
    for (const auto* c : ordered) {
        out.u32(nameAt);
        out.u16(0xFFFF);
        nameAt += static_cast<std::uint32_t>(c->name.size()) + 1;
    }
    out.patch32(namesField, out.size());
    for (const auto* c : ordered)
        out.cString(c->name);
    return out.take();
}

}  // namespace

std::uint8_t volumeByte(double dB)
{
    const double b = 28240.0 * std::pow(10.0, (100.0 * dB - 8715.0) / 3969.0);
    return static_cast<std::uint8_t>(std::clamp(std::lround(b), 1L, 255L));
}

BankFiles writeBanks(const std::vector<BankCue>& cues, const std::vector<PcmWave>& waves, const BankOptions& options)
{
    if (cues.empty())
        throw BankError("no cues to write");
    if (cues.size() > 0xFFFE || waves.size() > 0xFFFE)
        throw BankError("too many cues or waves for one bank");
    if (options.waveBankName.empty() || options.waveBankName.size() >= kNameBytes ||
        options.soundBankName.size() >= kNameBytes)
        throw BankError("bank names must be 1 to 63 characters");

    std::vector<bool> loops(waves.size(), false);
    for (const auto& c : cues) {
        if (c.wave >= waves.size())
            throw BankError("cue " + c.name + " names wave " + std::to_string(c.wave) + ", but there are only " +
                            std::to_string(waves.size()));
        if (c.loops)
            loops[c.wave] = true;
    }
    std::vector<EncodedWave> encoded;
    for (std::size_t i = 0; i < waves.size(); ++i)
        encoded.push_back(encode(waves[i], loops[i], options, i));

    BankFiles files;
    files.waveBank = writeWaveBank(encoded, loops, options.waveBankName);
    files.soundBank = writeSoundBank(cues, options);
    return files;
}

BankFiles buildBanks(const std::vector<ManifestCue>& cues, const std::filesystem::path& waveFolder,
                     const BankOptions& options)
{
    std::map<std::string, std::size_t> waveIndex;
    std::vector<PcmWave> waves;
    std::vector<BankCue> bankCues;
    for (const auto& c : cues) {
        auto found = waveIndex.find(c.waveFile);
        if (found == waveIndex.end()) {
            const std::filesystem::path path = waveFolder / c.waveFile;
            if (!std::filesystem::is_regular_file(path))
                throw BankError(c.source + ":" + std::to_string(c.line) + ": cue " + c.name + ": wave file " + c.waveFile +
                                " not found (looked for " + path.string() + ")");
            PcmWave wave = readWavFile(path);
            found = waveIndex.emplace(c.waveFile, waves.size()).first;
            waves.push_back(std::move(wave));
        }
        bankCues.push_back({c.name, found->second, c.loops, c.volumeDb});
    }
    try {
        return writeBanks(bankCues, waves, options);
    } catch (const BankError& e) {
        // Name the file rather than its position in the bank.
        std::string message = e.what();
        for (const auto& [file, index] : waveIndex) {
            const std::string label = "wave " + std::to_string(index) + ":";
            if (message.rfind(label, 0) == 0)
                message = "wave file " + file + ":" + message.substr(label.size());
        }
        throw BankError(message);
    }
}

}  // namespace banks
