// Playing the game with its journal recorded to a file, and playing a
// recording back (docs/replay-files.md). Each returns the exit status and
// prints one line on standard output at the end:
//   recorded N frames, state digest HHHHHHHHHHHHHHHH
//   replayed N frames, state digest HHHHHHHHHHHHHHHH
#pragma once

#include "engine/journal.h"
#include "win32_window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class Keelhaven;

// Makes the game a session plays. Called once the save folder the session
// uses is in place: the game reads its files as it is made.
using GameMaker = std::function<std::unique_ptr<Keelhaven>()>;

int playRecording(const std::string& path);
// The same with a game of the caller's (tests script one), without the
// line: `ended` says how the session ended, once the game has quit.
int playRecording(const std::string& path, const GameMaker& makeGame, std::optional<JournalEnd>& ended);

// A replay runs on a scratch save folder holding what the recording's
// began with: the player's own saves and scores are never read or written.
// `fast`: as fast as the machine goes rather than at the recorded speed.
int playReplay(const std::string& path, bool fast);
int playReplay(const std::string& path, bool fast, std::optional<JournalEnd>& ended);
// The same with a game of the caller's (tests plant faults in one).
int playReplay(const std::string& path, bool fast, const GameMaker& makeGame, std::optional<JournalEnd>& ended);

namespace replayNS {
// How much of a session the game keeps in memory for a crash to leave.
constexpr double CRASH_JOURNAL_SECONDS = 10 * 60;
}  // namespace replayNS

// Plays the game as a player starts it, its journal kept in memory: on a
// fatal error the journal is written beside the saves as
// crash-<date>.khreplay and standard error names it, so replaying that
// file meets the same error.
int playKeepingCrashRecording(const GameMaker& makeGame, HINSTANCE instance, int cmdShow);
// Writes a kept journal to the save folder under a crash-<date> name;
// the file's path, or empty with `error` saying why.
std::string writeCrashRecording(const std::string& journalBytes, std::string& error);

// The header this game writes: its version, its levels' checksum and what
// the save folder holds now.
JournalHeader currentJournalHeader();
// A 64-bit FNV-1a over the data folder's level files, names and bytes in
// name order: a recording only replays on the levels it was made with.
std::uint64_t levelFilesChecksum();
// Reads a recording and checks it was made by this game on these levels;
// false with the reason otherwise.
bool loadRecording(const std::string& path, Journal& journal, std::string& error);
