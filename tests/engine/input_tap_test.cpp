// Everything the game reads from the world comes through one door: a tap
// there sees keys, text, the mouse, the pads and the clock in the order the
// game reads them, and answering from what it saw plays the session again
// with no live input at all.
#include "engine/game_window.h"
#include "input_tap.h"
#include "probe_game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Read {
    enum class Kind { Message, Raw, Pad, Clock, Frequency } kind;
    MSG msg{};
    bool got = false;
    RAWINPUT raw{};
    DWORD user = 0;
    XINPUT_STATE pad{};
    DWORD result = 0;
    std::int64_t value = 0;
};

// Notes every read and lets it through.
class Recorder : public platform::InputTap {
public:
    std::vector<Read> reads;
    bool message(MSG& msg, bool got) override
    {
        reads.push_back({Read::Kind::Message, msg, got});
        return got;
    }
    UINT rawInput(RAWINPUT& raw, UINT result) override
    {
        Read r{Read::Kind::Raw};
        r.raw = raw;
        r.result = result;
        reads.push_back(r);
        return result;
    }
    DWORD padState(DWORD user, XINPUT_STATE& state, DWORD result) override
    {
        Read r{Read::Kind::Pad};
        r.user = user;
        r.pad = state;
        r.result = result;
        reads.push_back(r);
        return result;
    }
    std::int64_t clock(std::int64_t ticks) override { return note(Read::Kind::Clock, ticks); }
    std::int64_t clockFrequency(std::int64_t perSecond) override { return note(Read::Kind::Frequency, perSecond); }

private:
    std::int64_t note(Read::Kind kind, std::int64_t value)
    {
        Read r{kind};
        r.value = value;
        reads.push_back(r);
        return value;
    }
};

// Answers every read from a recording, whatever the live source says; the
// window a message was for is the one now open.
class Player : public platform::InputTap {
public:
    Player(const std::vector<Read>& recorded, ProbeGame& g) : reads(recorded), game(g) {}
    bool message(MSG& msg, bool) override
    {
        const Read& r = next(Read::Kind::Message);
        msg = r.msg;
        if (msg.hwnd != nullptr)
            msg.hwnd = game.window();
        return r.got;
    }
    UINT rawInput(RAWINPUT& raw, UINT) override
    {
        const Read& r = next(Read::Kind::Raw);
        raw = r.raw;
        return r.result;
    }
    DWORD padState(DWORD user, XINPUT_STATE& state, DWORD) override
    {
        const Read& r = next(Read::Kind::Pad);
        EXPECT_EQ(r.user, user);
        state = r.pad;
        return r.result;
    }
    std::int64_t clock(std::int64_t) override { return next(Read::Kind::Clock).value; }
    std::int64_t clockFrequency(std::int64_t) override { return next(Read::Kind::Frequency).value; }
    size_t used() const { return at; }

private:
    const Read& next(Read::Kind kind)
    {
        static const Read closing{Read::Kind::Message, MSG{nullptr, WM_QUIT, 0, 0, 0, {}}, true};
        if (at >= reads.size() || reads[at].kind != kind) {
            ADD_FAILURE() << "read " << at << " is not the one recorded";
            return closing;
        }
        return reads[at++];
    }
    const std::vector<Read>& reads;
    ProbeGame& game;
    size_t at = 0;
};

// What the game had read by a frame.
struct Seen {
    float frameTime;
    bool keyDown;
    std::string text;
    int mouseX, mouseY, rawX;
    bool leftButton;
    bool padConnected;
    WORD padButtons;
    bool operator==(const Seen&) const = default;
};

Seen seenBy(ProbeGame& g)
{
    Input& in = *g.getInput();
    return {g.getFrameTime(),       in.isKeyDown('A'),         in.getTextIn(),
            in.getMouseX(),         in.getMouseY(),            in.getMouseRawX(),
            in.getMouseLButton(),   in.getGamepadConnected(0), in.getGamepadButtons(0)};
}

constexpr int FRAMES = 12;

}  // namespace

TEST(InputTap, EveryKindOfInputPassesTheTapAndPlaysBackWithoutLiveInput)
{
    using namespace platform::testing;
    useFakeClock(false);  // the real clock: its readings must play back too
    Recorder recorder;
    std::vector<Seen> recorded;
    int pad = -1;
    auto* game = new ProbeGame;
    game->onUpdate = [&] {
        switch (game->updates) {
        case 2:
            keyDown('A');
            typeText("hi");
            mouseMove(120, 80, 7, 3);
            mouseButton(1, true, 120, 80);
            pad = attachPad();
            break;
        case 4: setPadButtons(pad, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_START); break;
        case 7:
            keyUp('A');
            mouseButton(1, false, 130, 90);
            break;
        default: break;
        }
        recorded.push_back(seenBy(*game));
        if (game->updates == FRAMES)
            closeWindow();
    };
    platform::setInputTap(&recorder);
    ASSERT_EQ(playGame(game, nullptr, SW_SHOWNORMAL), 0);
    platform::setInputTap(nullptr);
    if (pad >= 0)
        detachPad(pad);

    auto count = [&](auto keep) {
        int n = 0;
        for (const Read& r : recorder.reads)
            n += keep(r) ? 1 : 0;
        return n;
    };
    auto messages = [&](UINT which) {
        return count([which](const Read& r) { return r.kind == Read::Kind::Message && r.got && r.msg.message == which; });
    };
    EXPECT_GE(messages(WM_KEYDOWN), 1);
    EXPECT_GE(messages(WM_KEYUP), 1);
    EXPECT_GE(messages(WM_CHAR), 2);
    EXPECT_GE(messages(WM_MOUSEMOVE), 1);
    EXPECT_GE(messages(WM_LBUTTONDOWN), 1);
    EXPECT_GE(count([](const Read& r) { return r.kind == Read::Kind::Pad && r.result == ERROR_SUCCESS; }), 1);
    EXPECT_GE(count([](const Read& r) { return r.kind == Read::Kind::Clock; }), FRAMES);
    ASSERT_EQ(recorded.size(), static_cast<size_t>(FRAMES));
    EXPECT_TRUE(recorded.back().padConnected);
    EXPECT_EQ(recorded[5].text, "hi");

    // Nothing live now: no keys, no pad, a clock that runs as it likes.
    std::vector<Seen> replayed;
    auto* again = new ProbeGame;
    Player player(recorder.reads, *again);
    again->onUpdate = [&] { replayed.push_back(seenBy(*again)); };
    platform::setInputTap(&player);
    EXPECT_EQ(playGame(again, nullptr, SW_SHOWNORMAL), 0);
    platform::setInputTap(nullptr);
    EXPECT_EQ(player.used(), recorder.reads.size());
    ASSERT_EQ(replayed.size(), recorded.size());
    for (size_t i = 0; i < recorded.size(); ++i)
        EXPECT_TRUE(replayed[i] == recorded[i]) << "frame " << i + 1;
}
