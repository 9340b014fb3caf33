#include "bank_check.h"

#include <cstring>
#include <algorithm>
#include <map>

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;
constexpr std::uint32_t kNameBytes = 64;

// Reads little-endian fields; any read past the end marks the reader failed
// and yields zeros, so a check can read a whole record and test once.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    bool fits(std::uint64_t at, std::uint64_t length) const { return at <= size_ && length <= size_ - at; }

    std::uint32_t u8(std::uint64_t at) const { return fits(at, 1) ? data_[at] : 0; }
    std::uint32_t u16(std::uint64_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::uint64_t at) const { return u16(at) | u16(at + 2) << 16; }
    bool tagIs(const char (&four)[5]) const { return fits(0, 4) && std::memcmp(data_, four, 4) == 0; }

    // The NUL-padded name in a fixed field, or false when it is not
    // terminated inside the field (or the field is not in the file).
    bool fixedName(std::uint64_t at, std::string& name) const
    {
        if (!fits(at, kNameBytes))
            return false;
        const auto* start = reinterpret_cast<const char*>(data_ + at);
        const void* end = std::memchr(start, 0, kNameBytes);
        if (!end)
            return false;
        name.assign(start, static_cast<const char*>(end));
        return true;
    }

    // The length of the NUL-terminated string at `at`, or -1 when the file
    // ends first.
    std::int64_t cStringLength(std::uint64_t at) const
    {
        if (at >= size_)
            return -1;
        const void* end = std::memchr(data_ + at, 0, size_ - at);
        return end ? static_cast<const std::uint8_t*>(end) - (data_ + at) : -1;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

bool refuse(std::string& why, std::string reason)
{
    why = std::move(reason);
    return false;
}

std::string at(std::uint64_t offset) { return " (at byte " + std::to_string(offset) + ")"; }

// ---------------------------------------------------------------- wave bank

namespace wave {
constexpr std::uint32_t kHeaderBytes = 52;
constexpr std::uint32_t kBankDataBytes = 96;
constexpr std::uint32_t kEntryBytes = 24;
constexpr std::uint32_t kMostWaves = 0xFFFE;
constexpr std::uint32_t kCodecPcm = 0;
constexpr std::uint32_t kCodecAdpcm = 2;
constexpr std::uint32_t kLowestRate = 1000;
constexpr std::uint32_t kAdpcmPreambleBytes = 6;  // per channel, before the codes
constexpr std::uint64_t kAlignment = 4;
}  // namespace wave

std::uint64_t alignUp(std::uint64_t offset, std::uint64_t alignment)
{
    return (offset + alignment - 1) / alignment * alignment;
}

bool checkWaveEntry(const Bytes& b, std::uint32_t index, std::uint64_t entry, std::uint64_t dataLength,
                    std::string& why)
{
    const std::string which = "wave " + std::to_string(index) + at(entry) + ": ";
    const std::uint32_t durationField = b.u32(entry);
    const std::uint32_t format = b.u32(entry + 4);
    const std::uint64_t playOffset = b.u32(entry + 8);
    const std::uint64_t playLength = b.u32(entry + 12);
    const std::uint64_t loopStart = b.u32(entry + 16);
    const std::uint64_t loopLength = b.u32(entry + 20);

    if ((durationField & 0xF) != 0)
        return refuse(why, which + "entry flags are set");
    const std::uint64_t frames = durationField >> 4;
    const std::uint32_t codec = format & 0x3;
    const std::uint32_t channels = (format >> 2) & 0x7;
    const std::uint32_t rate = (format >> 5) & 0x3FFFF;
    const std::uint32_t blockAlign = (format >> 23) & 0xFF;
    const bool sixteenBit = (format >> 31) != 0;

    if (channels < 1 || channels > 2)
        return refuse(why, which + std::to_string(channels) + " channels (only mono and stereo are played)");
    if (rate < wave::kLowestRate)
        return refuse(why, which + "sample rate " + std::to_string(rate) + " Hz is too low");
    if (frames == 0 || playLength == 0)
        return refuse(why, which + "holds no samples");
    if (playOffset > dataLength || playLength > dataLength - playOffset)
        return refuse(why, which + "its samples lie outside the wave data");

    if (codec == wave::kCodecPcm) {
        if (!sixteenBit || blockAlign != channels * 2)
            return refuse(why, which + "not 16-bit PCM");
        if (frames * channels * 2 != playLength)
            return refuse(why, which + "its length in bytes does not match its duration");
    } else if (codec == wave::kCodecAdpcm) {
        const std::uint64_t channelBlock = std::uint64_t{blockAlign} + 22;
        const std::uint64_t block = channelBlock * channels;
        const std::uint64_t samplesPerBlock = (channelBlock - wave::kAdpcmPreambleBytes) * 2;
        if (sixteenBit)
            return refuse(why, which + "an ADPCM wave marked 16-bit");
        if (playLength % block != 0 || playLength / block * samplesPerBlock != frames)
            return refuse(why, which + "its length in bytes is not whole ADPCM blocks of its duration");
    } else {
        return refuse(why, which + "codec " + std::to_string(codec) + " is not PCM or ADPCM");
    }

    // Our banks loop a music wave whole, or not at all.
    if (loopStart != 0 || (loopLength != 0 && loopLength != frames))
        return refuse(why, which + "its loop is not the whole wave");
    return true;
}

}  // namespace

bool checkWaveBank(const std::uint8_t* data, std::size_t size, std::string& why, WaveBankSummary* summary)
{
    const Bytes b(data, size);
    if (!b.tagIs("WBND"))
        return refuse(why, "not a wave bank (no WBND at its start)");
    if (size < wave::kHeaderBytes + wave::kBankDataBytes)
        return refuse(why, "too short for a wave bank's header");
    if (b.u32(4) != 46 || b.u32(8) != 44)
        return refuse(why, "a wave bank version other than 46/44");

    // Segments: bank data, entries, seek tables, entry names, wave data.
    for (std::uint32_t segment = 0; segment < 5; ++segment) {
        const std::uint32_t field = 12 + 8 * segment;
        if (!b.fits(b.u32(field), b.u32(field + 4)))
            return refuse(why, "segment " + std::to_string(segment) + " lies outside the file");
    }
    const std::uint32_t bankData = b.u32(12);
    const std::uint64_t entries = b.u32(20);
    const std::uint64_t entriesLength = b.u32(24);
    const std::uint64_t waveData = b.u32(44);
    const std::uint64_t waveDataLength = b.u32(48);
    if (bankData != wave::kHeaderBytes || b.u32(16) != wave::kBankDataBytes)
        return refuse(why, "the bank data is not where it belongs");
    if (b.u32(32) != 0 || b.u32(40) != 0)
        return refuse(why, "seek tables or entry names are present");

    const std::uint32_t flags = b.u32(bankData);
    const std::uint32_t count = b.u32(bankData + 4);
    std::string name;
    if (flags != 0)
        return refuse(why, "streaming, compact, named or seek-table flags are set");
    if (!b.fixedName(bankData + 8, name) || name.empty())
        return refuse(why, "the bank's name is empty or not terminated");
    if (b.u32(bankData + 72) != wave::kEntryBytes || b.u32(bankData + 76) != 0 || b.u32(bankData + 84) != 0)
        return refuse(why, "entries are not the full 24-byte kind");
    const std::uint64_t alignment = b.u32(bankData + 80);
    if (alignment != wave::kAlignment)
        return refuse(why, "alignment " + std::to_string(alignment) + ", not " + std::to_string(wave::kAlignment));
    if (count == 0 || count > wave::kMostWaves)
        return refuse(why, std::to_string(count) + " waves");
    if (entries != std::uint64_t{bankData} + wave::kBankDataBytes || entriesLength != std::uint64_t{count} * wave::kEntryBytes)
        return refuse(why, "the entry table does not follow the bank data or has the wrong length");
    const std::uint64_t entriesEnd = entries + entriesLength;
    if (b.u32(28) != entriesEnd || b.u32(36) != entriesEnd)
        return refuse(why, "the seek table and entry name segments are not at the end of the entry table");
    if (waveData != alignUp(entriesEnd, alignment) || waveData + waveDataLength != size)
        return refuse(why, "the wave data does not follow the entry table and end the file");

    // Each wave's samples start aligned where the one before ends, so no two
    // overlap and together they fill the wave data.
    std::uint64_t expectedAt = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t entry = entries + std::uint64_t{wave::kEntryBytes} * i;
        if (!checkWaveEntry(b, i, entry, waveDataLength, why))
            return false;
        expectedAt = alignUp(expectedAt, alignment);
        if (b.u32(entry + 8) != expectedAt)
            return refuse(why, "wave " + std::to_string(i) + at(entry) + ": its samples are not where they belong");
        expectedAt += b.u32(entry + 12);
    }
    if (expectedAt != waveDataLength)
        return refuse(why, "the wave data is longer than its waves");

    if (summary)
        *summary = WaveBankSummary{name, count};
    return true;
}

// ---------------------------------------------------------------- sound bank

namespace {

namespace sound {
constexpr std::uint32_t kHeaderBytes = 74;
constexpr std::uint32_t kNamesAt = kHeaderBytes;  // the bank's own name, then the wave banks'
constexpr std::uint32_t kSimpleSoundBytes = 12;
constexpr std::uint32_t kComplexSoundBytes = 36;
constexpr std::uint32_t kEventsFromRecord = 19;
constexpr std::uint32_t kSimpleCueBytes = 5;
constexpr std::uint32_t kComplexCueBytes = 15;
constexpr std::uint32_t kNameIndexBytes = 6;
constexpr std::uint32_t kLastCategory = 2;  // Global, Default, Music: all there is without settings
constexpr std::uint32_t kCueRefersToSound = 0x04;
constexpr std::uint32_t kEventPlayWave = 1;
constexpr std::uint32_t kLastBehaviour = 4;
}  // namespace sound

// The fields every sound starts with, and the wave a simple one plays.
bool checkSoundRecord(const Bytes& b, std::uint32_t index, std::uint64_t start, const WaveBankSummary* playsFrom,
                      std::uint64_t& next, std::string& why)
{
    const std::string which = "sound " + std::to_string(index) + at(start) + ": ";
    const std::uint32_t flags = b.u8(start);
    const std::uint32_t category = b.u16(start + 1);
    if (flags != 0x00 && flags != 0x01)
        return refuse(why, which + "flags " + std::to_string(flags) + " (only plain sounds and one track are played)");
    const std::uint64_t length = flags == 0 ? sound::kSimpleSoundBytes : sound::kComplexSoundBytes;
    if (!b.fits(start, length))
        return refuse(why, which + "runs past the end of the file");
    if (category > sound::kLastCategory)
        return refuse(why, which + "category " + std::to_string(category) + " does not exist");

    std::uint32_t waveIndex = 0, waveBank = 0;
    if (flags == 0) {
        waveIndex = b.u16(start + 9);
        waveBank = b.u8(start + 11);
    } else {
        const std::uint64_t events = start + sound::kEventsFromRecord;
        if (b.u8(start + 9) != 1 || b.u32(start + 11) != events)
            return refuse(why, which + "not one track whose events follow it");
        if (b.u8(events) != 1 || b.u32(events + 1) != sound::kEventPlayWave || b.u8(events + 7) != 0xFF ||
            b.u8(events + 8) != 0)
            return refuse(why, which + "its track is not one plain PlayWave event");
        waveIndex = b.u16(events + 9);
        waveBank = b.u8(events + 11);
    }
    if (waveBank != 0)
        return refuse(why, which + "plays from wave bank " + std::to_string(waveBank) + ", but there is one");
    if (playsFrom && waveIndex >= playsFrom->waves)
        return refuse(why, which + "plays wave " + std::to_string(waveIndex) + ", but the wave bank has " +
                               std::to_string(playsFrom->waves));
    next = start + length;
    return true;
}

// An offset field that must be "none" exactly when its table is empty, and
// otherwise the place the tables reach in the file.
bool tableAt(const Bytes& b, std::uint32_t field, bool present, std::uint64_t expected, const char* table,
             std::string& why)
{
    const std::uint32_t offset = b.u32(field);
    if (present ? offset != expected : offset != kNone)
        return refuse(why, std::string("the ") + table + " offset is " + std::to_string(offset) + ", not " +
                               (present ? std::to_string(expected) : std::string("none")));
    return true;
}

}  // namespace

bool checkSoundBank(const std::uint8_t* data, std::size_t size, std::string& why, const WaveBankSummary* playsFrom)
{
    const Bytes b(data, size);
    if (!b.tagIs("SDBK"))
        return refuse(why, "not a sound bank (no SDBK at its start)");
    if (size < sound::kHeaderBytes + 2 * kNameBytes)
        return refuse(why, "too short for a sound bank's header");
    if (b.u16(4) != 46 || b.u16(6) != 43)
        return refuse(why, "a sound bank version other than 46/43");
    if (b.u8(18) != 1)
        return refuse(why, "not a Windows sound bank");

    const std::uint32_t simpleCues = b.u16(19);
    const std::uint32_t complexCues = b.u16(21);
    const std::uint32_t cues = simpleCues + complexCues;
    const std::uint32_t sounds = b.u16(28);
    if (b.u16(25) != 0 || b.u32(62) != kNone)
        return refuse(why, "a cue hash table is present");
    if (b.u8(27) != 1)
        return refuse(why, std::to_string(b.u8(27)) + " wave banks (one is played)");
    if (cues == 0 || sounds == 0)
        return refuse(why, "no cues or no sounds");
    if (b.u32(50) != kNone || b.u32(54) != kNone)
        return refuse(why, "variation or transition tables are present");

    // The engine reads the sections one after another, so each must start
    // exactly where the one before it ends.
    std::string name;
    if (!b.fixedName(sound::kNamesAt, name) || !b.fixedName(sound::kNamesAt + kNameBytes, name) || name.empty())
        return refuse(why, "a bank name is empty or not terminated");
    if (playsFrom && name != playsFrom->name)
        return refuse(why, "it plays from wave bank \"" + name + "\", not \"" + playsFrom->name + "\"");
    std::uint64_t here = sound::kNamesAt + 2 * kNameBytes;
    if (!tableAt(b, 58, true, sound::kNamesAt + kNameBytes, "wave bank names", why) ||
        !tableAt(b, 70, true, here, "sounds", why))
        return false;

    // Where each sound starts, and whether it is a music one (with a track).
    std::map<std::uint64_t, bool> soundAt;
    for (std::uint32_t i = 0; i < sounds; ++i) {
        soundAt[here] = b.u8(here) == 0x01;
        if (!checkSoundRecord(b, i, here, playsFrom, here, why))
            return false;
    }

    // Simple cues, then complex ones; cue indices follow that order.
    for (std::uint32_t i = 0; i < cues; ++i) {
        const bool simple = i < simpleCues;
        if (i == 0 && !tableAt(b, 34, simpleCues > 0, here, "simple cue table", why))
            return false;
        if (i == simpleCues && !tableAt(b, 38, complexCues > 0, here, "complex cue table", why))
            return false;
        const std::string which = "cue " + std::to_string(i) + at(here) + ": ";
        const std::uint64_t length = simple ? sound::kSimpleCueBytes : sound::kComplexCueBytes;
        if (!b.fits(here, length))
            return refuse(why, which + "runs past the end of the file");
        if (b.u8(here) != sound::kCueRefersToSound)
            return refuse(why, which + "does not refer straight to one sound");
        const auto sound = soundAt.find(b.u32(here + 1));
        if (sound == soundAt.end())
            return refuse(why, which + "refers to no sound");
        if (sound->second == simple)
            return refuse(why, which + (simple ? "an effect over a music sound" : "music over an effect sound"));
        if (!simple && (b.u32(here + 5) != kNone || (b.u8(here + 14) & 0x7) != 0 ||
                        (b.u8(here + 14) >> 3) > sound::kLastBehaviour))
            return refuse(why, which + "has transitions or an unknown instance behaviour");
        here += length;
    }
    if (complexCues == 0 && !tableAt(b, 38, false, here, "complex cue table", why))
        return false;

    if (!tableAt(b, 66, true, here, "cue name index", why))
        return false;
    const std::uint64_t index = here;
    here += std::uint64_t{sound::kNameIndexBytes} * cues;
    if (!b.fits(index, here - index))
        return refuse(why, "the cue name index runs past the end of the file");
    if (!tableAt(b, 42, true, here, "cue names", why))
        return false;
    for (std::uint32_t i = 0; i < cues; ++i) {
        if (b.u32(index + std::uint64_t{sound::kNameIndexBytes} * i) != here)
            return refuse(why, "cue " + std::to_string(i) + "'s name is not where the names run");
        const std::int64_t length = b.cStringLength(here);
        if (length <= 0)
            return refuse(why, "cue " + std::to_string(i) + "'s name is empty or runs past the end of the file");
        here += static_cast<std::uint64_t>(length) + 1;
    }
    if (b.u16(30) != std::min<std::uint64_t>(here - (index + std::uint64_t{sound::kNameIndexBytes} * cues), 0xFFFF))
        return refuse(why, "the cue names' length does not match the names");
    if (here != size)
        return refuse(why, std::to_string(size - here) + " bytes after the last cue name");
    return true;
}
