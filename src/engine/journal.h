// A session's journal: everything the game read from the world, in the
// order it read it (see input_tap.h), behind a header that says which game
// and which levels it was recorded with and what the save folder held when
// it began. Written and read here as a plain byte string, so the reader can
// be tried without a window; the layout is in docs/replay-files.md.
#pragma once

#include "win32_window.h"
#include "xinput.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace journalNS {
constexpr char MAGIC[8] = {'K', 'H', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr std::uint32_t FORMAT_VERSION = 1;
// Bounds a hostile file cannot pass: the reader never allocates more.
constexpr std::size_t MAX_TEXT = 1 << 20;        // a version string or a saved file
constexpr std::size_t MAX_SAVED_FILES = 16;
constexpr std::size_t MAX_READS = 64u << 20;     // about a day of play
}  // namespace journalNS

struct JournalRead {
    enum class Kind : std::uint8_t { Message = 1, Raw = 2, Pad = 3, Clock = 4, Frequency = 5 };
    Kind kind = Kind::Message;
    // Message: whether the queue had one, and what; `toWindow` when it was
    // for the game's window (the window is the one open at replay).
    bool got = false;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool toWindow = false;
    // Raw: the record's mouse part and the call's result.
    RAWINPUT raw{};
    // Pad: which, the call's result, and the state.
    DWORD user = 0;
    XINPUT_STATE pad{};
    std::uint32_t result = 0;
    // Clock and Frequency.
    std::int64_t value = 0;
};

struct JournalHeader {
    std::string gameVersion;
    std::uint64_t levelsChecksum = 0;
    // The save folder's files when recording began, by game name.
    std::vector<std::pair<std::string, std::string>> savedFiles;
};

// How a recording ended: after `frames` frames, with this state digest.
struct JournalEnd {
    std::uint64_t frames = 0;
    std::uint64_t digest = 0;
};

struct Journal {
    JournalHeader header;
    std::vector<JournalRead> reads;
    std::optional<JournalEnd> end;  // none when the recording was cut off
};

std::string journalHeaderBytes(const JournalHeader& header);
// One read, as appended to a journal after its header.
void appendJournalRead(std::string& out, const JournalRead& read);
void appendJournalEnd(std::string& out, const JournalEnd& end);

// Reads a whole journal. False, with the reason, for anything that is not
// one this game wrote: a foreign or other-version file, a record cut in
// the middle, an unknown record, bounds broken, bytes after the end. A
// journal without its end (the game was killed) reads as far as it goes.
bool readJournal(const std::string& bytes, Journal& journal, std::string& error);

