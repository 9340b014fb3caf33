// The two taps a journal is made and played with: the recorder notes every
// read as the game makes it, and the player answers every read from a
// journal instead of the world.
#pragma once

#include "engine/journal.h"
#include "input_tap.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

class JournalRecorder : public platform::InputTap {
public:
    // Writes the journal to `path` as it goes, at least once a second, so a
    // killed game loses at most the last second.
    explicit JournalRecorder(std::string path);
    // Keeps the journal in memory only, for a crash to leave behind, as long
    // as the session is no longer than `limitSeconds` of recorded time: a
    // journal replays from the session's start, so a longer one is let go
    // rather than grown without end.
    JournalRecorder(const JournalHeader& header, double limitSeconds);
    ~JournalRecorder() override;
    // Creates the file and writes the header; false, with the reason, when
    // it cannot be written.
    bool open(const JournalHeader& header, std::string& problem);
    // In memory: the journal so far, header first; empty once let go.
    const std::string& kept() const { return pending; }
    bool outgrewLimit() const { return outgrown; }
    // Called when the game is about to quit, while it still stands: the
    // frames it ran and its state digest end the journal.
    std::function<JournalEnd()> endOfSession;

    bool message(MSG& msg, bool got) override;
    UINT rawInput(RAWINPUT& raw, UINT result) override;
    DWORD padState(DWORD userIndex, XINPUT_STATE& state, DWORD result) override;
    std::int64_t clock(std::int64_t ticks) override;
    std::int64_t clockFrequency(std::int64_t perSecond) override;

    // What ended the journal; none until the game quit.
    const std::optional<JournalEnd>& end() const { return ending; }
    // False once a write failed (then `problem` says why).
    bool good() const { return file != nullptr || closed; }
    const std::string& problem() const { return writeProblem; }

    JournalRecorder(const JournalRecorder&) = delete;
    JournalRecorder& operator=(const JournalRecorder&) = delete;

private:
    void note(const JournalRead& read);
    void flush();
    void finish();

    std::string path;
    std::FILE* file = nullptr;
    bool closed = false;
    std::string pending;
    std::optional<JournalEnd> ending;
    std::string writeProblem;
    std::chrono::steady_clock::time_point lastFlush;
    bool inMemory = false;
    double limitSeconds = 0;
    bool outgrown = false;
    std::int64_t perSecond = 0;
    std::optional<std::int64_t> firstTicks;
};

class JournalPlayer : public platform::InputTap {
public:
    // `window` gives the window now open, for messages that were for the
    // game's window. `fast`: no pacing to the recorded times.
    JournalPlayer(const Journal& journal, std::function<HWND()> window, bool fast);
    // Called once the journal is played out or stopped, while the game
    // still stands.
    std::function<JournalEnd()> endOfSession;
    // Called for each live Escape pressed: the one key the watcher keeps,
    // to leave full screen for a window. The game itself never sees it.
    std::function<void()> liveEscape;

    bool message(MSG& msg, bool got) override;
    UINT rawInput(RAWINPUT& raw, UINT result) override;
    DWORD padState(DWORD userIndex, XINPUT_STATE& state, DWORD result) override;
    std::int64_t clock(std::int64_t ticks) override;
    std::int64_t clockFrequency(std::int64_t perSecond) override;
    bool sleeps() const override { return false; }

    const std::optional<JournalEnd>& end() const { return ending; }
    // The game read something other than what was recorded next: the
    // journal was made by other rules or another build.
    bool diverged() const { return divergedAt.has_value(); }
    std::size_t divergedAtRead() const { return divergedAt.value_or(0); }
    // The window was closed before the journal was played out.
    bool stoppedEarly() const { return stopped; }

private:
    const JournalRead* next(JournalRead::Kind kind);
    bool quit(MSG& msg);
    void pace(std::int64_t ticks);

    const Journal& journal;
    std::function<HWND()> window;
    bool fast;
    std::size_t at = 0;
    std::optional<JournalEnd> ending;
    std::optional<std::size_t> divergedAt;
    bool stopped = false;
    bool ended = false;
    std::int64_t frequency = 0;
    std::optional<std::int64_t> firstTicks;
    std::chrono::steady_clock::time_point startedAt;
};
