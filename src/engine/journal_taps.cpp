#include "engine/journal_taps.h"

#include <cerrno>
#include <cstring>
#include <thread>

namespace {
constexpr auto FLUSH_EVERY = std::chrono::seconds(1);
}  // namespace

// ---------------------------------------------------------------- recording

JournalRecorder::JournalRecorder(std::string journalPath) : path(std::move(journalPath)) {}

JournalRecorder::JournalRecorder(const JournalHeader& header, double limit)
    : pending(journalHeaderBytes(header)), inMemory(true), limitSeconds(limit)
{
}

JournalRecorder::~JournalRecorder() { finish(); }

bool JournalRecorder::open(const JournalHeader& header, std::string& problem)
{
    file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        problem = "Cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    pending = journalHeaderBytes(header);
    lastFlush = std::chrono::steady_clock::now();
    flush();
    if (file == nullptr) {
        problem = writeProblem;
        return false;
    }
    return true;
}

void JournalRecorder::note(const JournalRead& read)
{
    if (inMemory) {
        if (outgrown)
            return;
        if (read.kind == JournalRead::Kind::Frequency)
            perSecond = read.value;
        if (read.kind == JournalRead::Kind::Clock && perSecond > 0) {
            if (!firstTicks)
                firstTicks = read.value;
            if (static_cast<double>(read.value - *firstTicks) / static_cast<double>(perSecond) > limitSeconds) {
                outgrown = true;
                std::string().swap(pending);
                return;
            }
        }
        appendJournalRead(pending, read);
        return;
    }
    if (file == nullptr)
        return;
    appendJournalRead(pending, read);
}

void JournalRecorder::flush()
{
    if (file == nullptr || pending.empty())
        return;
    if (std::fwrite(pending.data(), 1, pending.size(), file) != pending.size() || std::fflush(file) != 0) {
        writeProblem = "Cannot write " + path + ": " + std::strerror(errno);
        std::fclose(file);
        file = nullptr;
    }
    pending.clear();
    lastFlush = std::chrono::steady_clock::now();
}

void JournalRecorder::finish()
{
    if (file == nullptr)
        return;
    flush();
    if (file != nullptr && std::fclose(file) != 0)
        writeProblem = "Cannot write " + path + ": " + std::strerror(errno);
    file = nullptr;
    closed = writeProblem.empty();
}

bool JournalRecorder::message(MSG& msg, bool got)
{
    JournalRead r;
    r.kind = JournalRead::Kind::Message;
    r.got = got;
    if (got) {
        r.message = msg.message;
        r.wParam = msg.wParam;
        r.lParam = msg.lParam;
        r.toWindow = msg.hwnd != nullptr;
    }
    note(r);
    if (!got) {
        if (std::chrono::steady_clock::now() - lastFlush >= FLUSH_EVERY)
            flush();
    } else if (msg.message == WM_QUIT && !ending) {
        ending = endOfSession ? endOfSession() : JournalEnd{};
        appendJournalEnd(pending, *ending);
        finish();
    }
    return got;
}

UINT JournalRecorder::rawInput(RAWINPUT& raw, UINT result)
{
    JournalRead r;
    r.kind = JournalRead::Kind::Raw;
    r.raw = raw;
    r.result = result;
    note(r);
    return result;
}

DWORD JournalRecorder::padState(DWORD userIndex, XINPUT_STATE& state, DWORD result)
{
    JournalRead r;
    r.kind = JournalRead::Kind::Pad;
    r.user = userIndex;
    r.pad = state;
    r.result = result;
    note(r);
    return result;
}

std::int64_t JournalRecorder::clock(std::int64_t ticks)
{
    JournalRead r;
    r.kind = JournalRead::Kind::Clock;
    r.value = ticks;
    note(r);
    return ticks;
}

std::int64_t JournalRecorder::clockFrequency(std::int64_t perSecond)
{
    JournalRead r;
    r.kind = JournalRead::Kind::Frequency;
    r.value = perSecond;
    note(r);
    return perSecond;
}

// ---------------------------------------------------------------- playing back

JournalPlayer::JournalPlayer(const Journal& j, std::function<HWND()> w, bool noPacing)
    : journal(j), window(std::move(w)), fast(noPacing)
{
}

const JournalRead* JournalPlayer::next(JournalRead::Kind kind)
{
    if (ended || divergedAt || at >= journal.reads.size())
        return nullptr;
    if (journal.reads[at].kind != kind) {
        if (!divergedAt)
            divergedAt = at;
        return nullptr;
    }
    return &journal.reads[at++];
}

// Ends the game's loop: the journal is played out, stopped or has diverged.
bool JournalPlayer::quit(MSG& msg)
{
    if (!ended) {
        ended = true;
        ending = endOfSession ? endOfSession() : JournalEnd{};
    }
    msg = MSG{};
    msg.message = WM_QUIT;
    return true;
}

bool JournalPlayer::message(MSG& msg, bool got)
{
    // Live input is not the game's now, but closing the window still ends
    // the replay. The game's own quit (its window destroyed by a recorded
    // close, a recorded Quit) comes again from the journal, in its place.
    if (got && msg.message == WM_CLOSE && !ended)
        stopped = true;
    if (got && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && liveEscape && !stopped && !ended)
        liveEscape();
    if (stopped || ended)
        return quit(msg);
    const JournalRead* r = next(JournalRead::Kind::Message);
    if (r == nullptr)
        return quit(msg);
    if (r->got && r->message == WM_QUIT)
        return quit(msg);
    if (!r->got)
        return false;
    msg = MSG{};
    msg.hwnd = r->toWindow && window ? window() : nullptr;
    msg.message = r->message;
    msg.wParam = r->wParam;
    msg.lParam = r->lParam;
    return true;
}

UINT JournalPlayer::rawInput(RAWINPUT& raw, UINT)
{
    const JournalRead* r = next(JournalRead::Kind::Raw);
    if (r == nullptr)
        return static_cast<UINT>(-1);
    raw = r->raw;
    return r->result;
}

DWORD JournalPlayer::padState(DWORD userIndex, XINPUT_STATE& state, DWORD)
{
    const JournalRead* r = next(JournalRead::Kind::Pad);
    if (r == nullptr || r->user != userIndex) {
        if (r != nullptr && !divergedAt)
            divergedAt = at - 1;
        state = XINPUT_STATE{};
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    state = r->pad;
    return r->result;
}

std::int64_t JournalPlayer::clock(std::int64_t ticks)
{
    const JournalRead* r = next(JournalRead::Kind::Clock);
    if (r == nullptr)
        return ticks;
    pace(r->value);
    return r->value;
}

std::int64_t JournalPlayer::clockFrequency(std::int64_t perSecond)
{
    const JournalRead* r = next(JournalRead::Kind::Frequency);
    if (r == nullptr)
        return perSecond;
    frequency = r->value;
    return r->value;
}

// Waits until as much real time has passed since the first reading as the
// recording says had passed then, so the replay runs at the speed it was played.
void JournalPlayer::pace(std::int64_t ticks)
{
    if (fast || frequency <= 0)
        return;
    if (!firstTicks) {
        firstTicks = ticks;
        startedAt = std::chrono::steady_clock::now();
        return;
    }
    const double seconds = static_cast<double>(ticks - *firstTicks) / static_cast<double>(frequency);
    const auto due = startedAt + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                     std::chrono::duration<double>(seconds));
    if (due > std::chrono::steady_clock::now())
        std::this_thread::sleep_until(due);
}
