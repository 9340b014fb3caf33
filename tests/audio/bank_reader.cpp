#include "bank_reader.h"

#include <fstream>
#include <iterator>
#include <set>

namespace {

class Reader {
public:
    Reader(const std::vector<std::uint8_t>& bytes, std::vector<std::string>& problems)
        : b_(bytes), problems_(problems)
    {
    }
    std::uint32_t pos() const { return pos_; }
    void seek(std::uint32_t to) { pos_ = to; }
    bool fits(std::uint32_t n) const { return pos_ <= b_.size() && n <= b_.size() - pos_; }
    std::uint32_t u8() { return take(1); }
    std::uint32_t u16() { return take(2); }
    std::uint32_t u32() { return take(4); }
    std::string fixedName(std::uint32_t width)
    {
        std::string s;
        for (std::uint32_t i = 0; i < width && fits(1); ++i) {
            const char c = static_cast<char>(u8());
            if (c == '\0') {
                pos_ += width - i - 1;
                return s;
            }
            s += c;
        }
        problem("name at " + std::to_string(pos_ - width) + " not terminated");
        return s;
    }
    std::string cString()
    {
        std::string s;
        while (fits(1)) {
            const char c = static_cast<char>(u8());
            if (c == '\0')
                return s;
            s += c;
        }
        problem("string runs past the end of the file");
        return s;
    }
    void expect(const std::string& what, std::uint64_t actual, std::uint64_t wanted)
    {
        if (actual != wanted)
            problem(what + " is " + std::to_string(actual) + ", expected " + std::to_string(wanted));
    }
    void problem(const std::string& text) { problems_.push_back(text); }

private:
    std::uint32_t take(int n)
    {
        if (!fits(static_cast<std::uint32_t>(n))) {
            problem("read past the end of the file at " + std::to_string(pos_));
            pos_ += static_cast<std::uint32_t>(n);
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= static_cast<std::uint32_t>(b_[pos_ + static_cast<std::uint32_t>(i)]) << (8 * i);
        pos_ += static_cast<std::uint32_t>(n);
        return v;
    }

    const std::vector<std::uint8_t>& b_;
    std::vector<std::string>& problems_;
    std::uint32_t pos_ = 0;
};

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

}  // namespace

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BankReport readWaveBank(const std::vector<std::uint8_t>& bytes)
{
    BankReport report;
    Reader r(bytes, report.problems);
    if (r.u32() != 0x444E4257u)  // "WBND"
        r.problem("wave bank magic is not WBND");
    r.expect("content version", r.u32(), 46);
    r.expect("header version", r.u32(), 44);
    std::uint32_t segOffset[5], segLength[5];
    for (int i = 0; i < 5; ++i) {
        segOffset[i] = r.u32();
        segLength[i] = r.u32();
    }
    r.expect("header size", r.pos(), 52);

    r.expect("bank data offset", segOffset[0], r.pos());
    r.seek(segOffset[0]);
    r.expect("bank data length", segLength[0], 96);
    r.expect("bank flags", r.u32(), 0);
    const std::uint32_t count = r.u32();
    report.bankName = r.fixedName(64);
    r.expect("entry size", r.u32(), 24);
    r.expect("entry name size", r.u32(), 0);
    const std::uint32_t alignment = r.u32();
    if (alignment == 0)
        r.problem("alignment is 0");
    r.expect("compact format", r.u32(), 0);
    r.u32();
    r.u32();
    r.expect("end of bank data", r.pos(), 148);

    r.expect("entry table offset", segOffset[1], r.pos());
    r.expect("entry table length", segLength[1], std::uint64_t{24} * count);
    r.seek(segOffset[1]);
    std::vector<std::uint32_t> playOffsets, playLengths;
    for (std::uint32_t i = 0; i < count; ++i) {
        WaveEntryInfo w;
        const std::uint32_t flagsAndDuration = r.u32();
        r.expect("entry flags", flagsAndDuration & 0xF, 0);
        w.frames = flagsAndDuration >> 4;
        const std::uint32_t format = r.u32();
        w.codec = format & 3;
        w.channels = (format >> 2) & 7;
        w.sampleRate = (format >> 5) & 0x3FFFF;
        const std::uint32_t blockAlign = (format >> 23) & 0xFF;
        const bool sixteenBit = (format >> 31) != 0;
        playOffsets.push_back(r.u32());
        w.bytes = r.u32();
        playLengths.push_back(w.bytes);
        const std::uint32_t loopStart = r.u32(), loopLength = r.u32();
        w.loops = loopLength != 0;
        const std::string which = "wave " + std::to_string(i) + " ";
        r.expect(which + "loop start", loopStart, 0);
        if (w.loops)
            r.expect(which + "loop length", loopLength, w.frames);
        if (w.codec == 0) {
            if (!sixteenBit)
                r.problem(which + "is PCM but not 16-bit");
            r.expect(which + "PCM block align", blockAlign, w.channels * 2);
            r.expect(which + "PCM bytes", w.bytes, std::uint64_t{w.frames} * w.channels * 2);
        } else if (w.codec == 2) {
            if (sixteenBit)
                r.problem(which + "is ADPCM with the PCM bit-depth flag set");
            const std::uint32_t perChannel = blockAlign + 22;
            const std::uint32_t spb = (perChannel - 6) * 2;
            if (w.frames % spb != 0)
                r.problem(which + "duration is not a whole number of ADPCM blocks");
            r.expect(which + "ADPCM bytes", w.bytes, std::uint64_t{w.frames} / spb * perChannel * w.channels);
        } else {
            r.problem(which + "uses codec " + std::to_string(w.codec));
        }
        if (w.channels < 1 || w.channels > 2)
            r.problem(which + "has " + std::to_string(w.channels) + " channels");
        report.waves.push_back(w);
    }
    const std::uint32_t entriesEnd = r.pos();
    r.expect("seek table offset", segOffset[2], entriesEnd);
    r.expect("seek table length", segLength[2], 0);
    r.expect("entry names offset", segOffset[3], entriesEnd);
    r.expect("entry names length", segLength[3], 0);
    if (alignment != 0) {
        r.expect("wave data offset", segOffset[4], (entriesEnd + alignment - 1) / alignment * alignment);
        std::uint64_t expectedAt = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            expectedAt = (expectedAt + alignment - 1) / alignment * alignment;
            r.expect("wave " + std::to_string(i) + " play offset", playOffsets[i], expectedAt);
            expectedAt += playLengths[i];
        }
        r.expect("wave data length", segLength[4], expectedAt);
    }
    r.expect("file size", bytes.size(), std::uint64_t{segOffset[4]} + segLength[4]);
    return report;
}

BankReport readSoundBank(const std::vector<std::uint8_t>& bytes, const BankReport& waveBank)
{
    BankReport report;
    Reader r(bytes, report.problems);
    if (r.u32() != 0x4B424453u)  // "SDBK"
        r.problem("sound bank magic is not SDBK");
    r.expect("content version", r.u16(), 46);
    r.expect("tool version", r.u16(), 43);
    r.u16();
    r.u32();
    r.u32();
    r.expect("platform", r.u8(), 1);
    const std::uint32_t simpleCount = r.u16(), complexCount = r.u16();
    r.u16();
    r.expect("hash buckets", r.u16(), 0);
    const std::uint32_t waveBankCount = r.u8();
    r.expect("wave bank count", waveBankCount, 1);
    const std::uint32_t soundCount = r.u16();
    const std::uint32_t nameBytes = r.u16();
    r.u16();
    const std::uint32_t simpleAt = r.u32(), complexAt = r.u32(), namesAt = r.u32();
    r.u32();
    const std::uint32_t variationsAt = r.u32(), transitionsAt = r.u32(), waveBankNamesAt = r.u32();
    const std::uint32_t hashAt = r.u32(), nameIndexAt = r.u32(), soundsAt = r.u32();
    r.expect("header size", r.pos(), 74);
    report.bankName = r.fixedName(64);

    r.expect("wave bank names offset", waveBankNamesAt, r.pos());
    for (std::uint32_t i = 0; i < waveBankCount; ++i) {
        const std::string name = r.fixedName(64);
        if (name != waveBank.bankName)
            r.problem("wave bank name '" + name + "' does not match the wave bank's '" + waveBank.bankName + "'");
    }

    r.expect("sounds offset", soundsAt, r.pos());
    std::set<std::uint32_t> soundStarts;
    std::vector<std::uint32_t> soundWave(0), soundOrder;
    std::vector<bool> soundLoops;
    for (std::uint32_t i = 0; i < soundCount; ++i) {
        const std::uint32_t start = r.pos();
        const std::string which = "sound at " + std::to_string(start) + " ";
        soundStarts.insert(start);
        soundOrder.push_back(start);
        const std::uint32_t flags = r.u8();
        const std::uint32_t category = r.u16();
        if (category > 2)
            r.problem(which + "has category " + std::to_string(category));
        if (r.u8() == 0)
            r.problem(which + "has volume byte 0 (silent)");
        r.u16();
        r.u8();
        r.u16();
        std::uint32_t wave = 0;
        bool loops = false;
        if (flags == 0x00) {
            wave = r.u16();
            r.expect(which + "wave bank index", r.u8(), 0);
            r.expect(which + "record size", r.pos() - start, 12);
        } else if (flags == 0x01) {
            r.expect(which + "track count", r.u8(), 1);
            if (r.u8() == 0)
                r.problem(which + "has track volume 0 (silent)");
            const std::uint32_t eventsAt = r.u32();
            r.u16();
            r.u16();
            r.expect(which + "track event list offset", eventsAt, r.pos());
            r.expect(which + "event count", r.u8(), 1);
            r.expect(which + "event type", r.u32() & 0x1F, 1);
            r.u16();
            r.expect(which + "separator", r.u8(), 0xFF);
            r.u8();
            wave = r.u16();
            r.expect(which + "wave bank index", r.u8(), 0);
            const std::uint32_t loopCount = r.u8();
            loops = loopCount == 255;
            r.u16();
            r.u16();
            r.expect(which + "record size", r.pos() - start, 36);
        } else {
            r.problem(which + "has flags " + std::to_string(flags));
            return report;
        }
        if (wave >= waveBank.waves.size())
            r.problem(which + "plays wave " + std::to_string(wave) + ", out of range");
        else if (loops && !waveBank.waves[wave].loops)
            r.problem(which + "loops a wave that has no loop region");
        soundWave.push_back(wave);
        soundLoops.push_back(loops);
    }

    auto soundIndex = [&](std::uint32_t offset) -> int {
        for (std::size_t i = 0; i < soundOrder.size(); ++i)
            if (soundOrder[i] == offset)
                return static_cast<int>(i);
        r.problem("cue points at " + std::to_string(offset) + ", which is not the start of a sound");
        return -1;
    };
    r.expect("simple cues offset", simpleAt, simpleCount ? r.pos() : kNone);
    for (std::uint32_t i = 0; i < simpleCount; ++i) {
        CueInfo cue;
        r.expect("simple cue flags", r.u8(), 0x04);
        const int sound = soundIndex(r.u32());
        if (sound >= 0) {
            cue.wave = static_cast<std::uint16_t>(soundWave[static_cast<std::size_t>(sound)]);
            if (soundLoops[static_cast<std::size_t>(sound)])
                r.problem("a simple cue plays a looping sound");
        }
        report.cues.push_back(cue);
    }
    r.expect("complex cues offset", complexAt, complexCount ? r.pos() : kNone);
    for (std::uint32_t i = 0; i < complexCount; ++i) {
        CueInfo cue;
        cue.music = true;
        r.expect("complex cue flags", r.u8(), 0x04);
        const int sound = soundIndex(r.u32());
        if (sound >= 0) {
            cue.wave = static_cast<std::uint16_t>(soundWave[static_cast<std::size_t>(sound)]);
            if (!soundLoops[static_cast<std::size_t>(sound)])
                r.problem("a music cue plays a sound that does not loop");
        }
        r.expect("complex cue transitions", r.u32(), kNone);
        cue.maxInstances = static_cast<std::uint8_t>(r.u8());
        r.u16();
        r.u16();
        r.expect("complex cue behaviour (fail)", r.u8() >> 3, 0);
        report.cues.push_back(cue);
    }
    r.expect("variation tables offset", variationsAt, kNone);
    r.expect("transition tables offset", transitionsAt, kNone);
    r.expect("cue hash offset", hashAt, kNone);

    const std::uint32_t cueCount = simpleCount + complexCount;
    r.expect("cue name index offset", nameIndexAt, r.pos());
    std::vector<std::uint32_t> nameOffsets;
    for (std::uint32_t i = 0; i < cueCount; ++i) {
        nameOffsets.push_back(r.u32());
        r.u16();
    }
    r.expect("cue names offset", namesAt, r.pos());
    std::uint32_t totalNameBytes = 0;
    for (std::uint32_t i = 0; i < cueCount; ++i) {
        r.expect("name index entry " + std::to_string(i), nameOffsets[i], r.pos());
        report.cues[i].name = r.cString();
        totalNameBytes += static_cast<std::uint32_t>(report.cues[i].name.size()) + 1;
    }
    r.expect("cue name bytes", nameBytes, totalNameBytes);
    r.expect("file size", bytes.size(), r.pos());
    return report;
}
