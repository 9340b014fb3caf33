#include "engine/journal.h"

#include <cstring>

namespace {

constexpr std::uint8_t END_RECORD = 0xFF;

template <typename T>
void put(std::string& out, T value)
{
    using U = std::make_unsigned_t<T>;
    auto bits = static_cast<std::uint64_t>(static_cast<U>(value));
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void putText(std::string& out, const std::string& text)
{
    put<std::uint32_t>(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

// Reads little-endian values off the front of the bytes; once anything is
// missing every later read fails too.
class Bytes {
public:
    explicit Bytes(const std::string& b) : bytes(b) {}
    template <typename T>
    bool get(T& value)
    {
        if (bytes.size() - at < sizeof(T))
            return false;
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        at += sizeof(T);
        value = static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
        return true;
    }
    bool getText(std::string& text)
    {
        std::uint32_t size = 0;
        if (!get(size) || size > journalNS::MAX_TEXT || bytes.size() - at < size)
            return false;
        text.assign(bytes, at, size);
        at += size;
        return true;
    }
    bool done() const { return at == bytes.size(); }

private:
    const std::string& bytes;
    std::size_t at = 0;
};

bool readOne(Bytes& in, std::uint8_t kind, JournalRead& r)
{
    using Kind = JournalRead::Kind;
    switch (static_cast<Kind>(kind)) {
    case Kind::Message: {
        r.kind = Kind::Message;
        std::uint8_t flags = 0;
        if (!in.get(flags) || flags > 3)
            return false;
        r.got = (flags & 1) != 0;
        r.toWindow = (flags & 2) != 0;
        if (!r.got)
            return !r.toWindow;
        std::uint32_t message = 0;
        std::uint64_t wParam = 0;
        std::int64_t lParam = 0;
        if (!in.get(message) || !in.get(wParam) || !in.get(lParam))
            return false;
        r.message = message;
        r.wParam = static_cast<WPARAM>(wParam);
        r.lParam = static_cast<LPARAM>(lParam);
        return true;
    }
    case Kind::Raw: {
        r.kind = Kind::Raw;
        RAWMOUSE& m = r.raw.data.mouse;
        std::int32_t x = 0, y = 0;
        if (!in.get(r.result) || !in.get(r.raw.header.dwType) || !in.get(m.usFlags) || !in.get(m.usButtonFlags) ||
            !in.get(m.usButtonData) || !in.get(x) || !in.get(y))
            return false;
        r.raw.header.dwSize = sizeof(RAWINPUT);
        m.lLastX = x;
        m.lLastY = y;
        return true;
    }
    case Kind::Pad: {
        r.kind = Kind::Pad;
        std::uint8_t user = 0;
        XINPUT_GAMEPAD& g = r.pad.Gamepad;
        if (!in.get(user) || user >= 4 || !in.get(r.result) || !in.get(r.pad.dwPacketNumber) || !in.get(g.wButtons) ||
            !in.get(g.bLeftTrigger) || !in.get(g.bRightTrigger) || !in.get(g.sThumbLX) || !in.get(g.sThumbLY) ||
            !in.get(g.sThumbRX) || !in.get(g.sThumbRY))
            return false;
        r.user = user;
        return true;
    }
    case Kind::Clock:
    case Kind::Frequency:
        r.kind = static_cast<Kind>(kind);
        return in.get(r.value);
    }
    return false;
}

}  // namespace

std::string journalHeaderBytes(const JournalHeader& header)
{
    std::string out(journalNS::MAGIC, sizeof(journalNS::MAGIC));
    put<std::uint32_t>(out, journalNS::FORMAT_VERSION);
    putText(out, header.gameVersion);
    put<std::uint64_t>(out, header.levelsChecksum);
    put<std::uint32_t>(out, static_cast<std::uint32_t>(header.savedFiles.size()));
    for (const auto& [name, bytes] : header.savedFiles) {
        putText(out, name);
        putText(out, bytes);
    }
    return out;
}

void appendJournalRead(std::string& out, const JournalRead& r)
{
    using Kind = JournalRead::Kind;
    put<std::uint8_t>(out, static_cast<std::uint8_t>(r.kind));
    switch (r.kind) {
    case Kind::Message:
        put<std::uint8_t>(out, static_cast<std::uint8_t>((r.got ? 1 : 0) | (r.got && r.toWindow ? 2 : 0)));
        if (r.got) {
            put<std::uint32_t>(out, r.message);
            put<std::uint64_t>(out, static_cast<std::uint64_t>(r.wParam));
            put<std::int64_t>(out, static_cast<std::int64_t>(r.lParam));
        }
        break;
    case Kind::Raw: {
        const RAWMOUSE& m = r.raw.data.mouse;
        put<std::uint32_t>(out, r.result);
        put<std::uint32_t>(out, r.raw.header.dwType);
        put<std::uint16_t>(out, m.usFlags);
        put<std::uint16_t>(out, m.usButtonFlags);
        put<std::uint16_t>(out, m.usButtonData);
        put<std::int32_t>(out, static_cast<std::int32_t>(m.lLastX));
        put<std::int32_t>(out, static_cast<std::int32_t>(m.lLastY));
        break;
    }
    case Kind::Pad: {
        const XINPUT_GAMEPAD& g = r.pad.Gamepad;
        put<std::uint8_t>(out, static_cast<std::uint8_t>(r.user));
        put<std::uint32_t>(out, r.result);
        put<std::uint32_t>(out, r.pad.dwPacketNumber);
        put<std::uint16_t>(out, g.wButtons);
        put<std::uint8_t>(out, g.bLeftTrigger);
        put<std::uint8_t>(out, g.bRightTrigger);
        put<std::int16_t>(out, g.sThumbLX);
        put<std::int16_t>(out, g.sThumbLY);
        put<std::int16_t>(out, g.sThumbRX);
        put<std::int16_t>(out, g.sThumbRY);
        break;
    }
    case Kind::Clock:
    case Kind::Frequency: put<std::int64_t>(out, r.value); break;
    }
}

void appendJournalEnd(std::string& out, const JournalEnd& end)
{
    put<std::uint8_t>(out, END_RECORD);
    put<std::uint64_t>(out, end.frames);
    put<std::uint64_t>(out, end.digest);
}

bool readJournal(const std::string& bytes, Journal& journal, std::string& error)
{
    Journal read;
    Bytes in(bytes);
    if (bytes.size() < sizeof(journalNS::MAGIC) ||
        std::memcmp(bytes.data(), journalNS::MAGIC, sizeof(journalNS::MAGIC)) != 0) {
        error = "it is not a Keelhaven recording";
        return false;
    }
    char magic[sizeof(journalNS::MAGIC)];
    for (char& c : magic)
        in.get(c);
    std::uint32_t version = 0, files = 0;
    if (!in.get(version)) {
        error = "the recording is cut short in its header";
        return false;
    }
    if (version != journalNS::FORMAT_VERSION) {
        error = "the recording is of format " + std::to_string(version) + "; this game reads format " +
                std::to_string(journalNS::FORMAT_VERSION);
        return false;
    }
    if (!in.getText(read.header.gameVersion) || !in.get(read.header.levelsChecksum) || !in.get(files)) {
        error = "the recording is cut short in its header";
        return false;
    }
    if (files > journalNS::MAX_SAVED_FILES) {
        error = "the recording's header names too many saved files";
        return false;
    }
    for (std::uint32_t i = 0; i < files; ++i) {
        std::string name, contents;
        if (!in.getText(name) || !in.getText(contents)) {
            error = "the recording is cut short in its saved files";
            return false;
        }
        read.header.savedFiles.emplace_back(std::move(name), std::move(contents));
    }
    while (!in.done()) {
        std::uint8_t kind = 0;
        in.get(kind);
        if (kind == END_RECORD) {
            JournalEnd end;
            if (!in.get(end.frames) || !in.get(end.digest)) {
                error = "the recording is cut short in its last record";
                return false;
            }
            if (!in.done()) {
                error = "the recording goes on past its end";
                return false;
            }
            read.end = end;
            break;
        }
        if (read.reads.size() >= journalNS::MAX_READS) {
            error = "the recording is longer than any this game makes";
            return false;
        }
        JournalRead r;
        if (!readOne(in, kind, r)) {
            error = "the recording is damaged at record " + std::to_string(read.reads.size() + 1);
            return false;
        }
        read.reads.push_back(r);
    }
    journal = std::move(read);
    return true;
}

