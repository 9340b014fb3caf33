#include "support/random_soak.h"

#include "engine/game_state.h"
#include "keelhaven/keelhaven.h"
#include "testing.h"
#include "win32_window.h"
#include "xinput.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace testsupport {

namespace {

namespace t = platform::testing;

Keelhaven* liveGame = nullptr;

// The game's own window procedure, as the real program has it: input sent
// by the testing seams reaches the game the way a keyboard's does.
LRESULT soakWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (liveGame == nullptr)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    return liveGame->messageHandler(hwnd, msg, wParam, lParam);
}

std::size_t statusKb(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0)
            return static_cast<std::size_t>(std::stoul(line.substr(key.size())));
    return 0;
}

// Keys the screens and levels answer, Enter and the arrows most often so the
// menus lead somewhere; a few the game ignores.
const UCHAR KEYS[] = {VK_RETURN, VK_RETURN, VK_RETURN, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN,
                      VK_LEFT, VK_RIGHT, VK_SPACE, VK_SPACE, VK_ESCAPE, 'P', 'H', VK_PRIOR, VK_NEXT,
                      VK_BACK, VK_TAB, VK_SHIFT, VK_CONTROL, 'A', 'Z', '1', VK_F1};
const WORD PAD_BUTTONS[] = {XINPUT_GAMEPAD_DPAD_UP, XINPUT_GAMEPAD_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_LEFT,
                            XINPUT_GAMEPAD_DPAD_RIGHT, XINPUT_GAMEPAD_START, XINPUT_GAMEPAD_BACK,
                            XINPUT_GAMEPAD_A, XINPUT_GAMEPAD_B, XINPUT_GAMEPAD_X, XINPUT_GAMEPAD_Y,
                            XINPUT_GAMEPAD_LEFT_SHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER};
const char* const COMMANDS[] = {"help", "fps", "100", "-100", "AMMO", "HEALTH", "LIVES", "save", "load",
                                "save", "load", "LEVEL", "level1", "", " ", "LEVEL99", "LEVEL-1"};

class Soak {
public:
    Soak(std::uint64_t seed) : rng(seed) {}

    SoakFigures run(long frames, long warmUpFrames, long progressEvery)
    {
        t::useFakeClock(true);
        start();
        for (long f = 0; f < frames; ++f) {
            now = f;
            act();
            step();
            if (f + 1 == warmUpFrames) {
                figures.residentKbAfterWarmUp = residentKb();
                figures.liveObjectsAfterWarmUp = mostLive;
                mostLive = 0;
            }
            if (progressEvery > 0 && (f + 1) % progressEvery == 0)
                std::printf("  frame %ld: %s, %zu kB resident, %ld quits, %ld commands\n", f + 1,
                            current().c_str(), residentKb(), figures.quits, figures.commands);
            if (f % 256 == 0)
                mostResident = std::max(mostResident, residentKb());
        }
        figures.frames = frames;
        figures.residentKbAtEnd = residentKb();
        figures.liveObjectsAtEnd = mostLive;
        figures.peakResidentKb = std::max({mostResident, figures.residentKbAtEnd, peakResidentKb()});
        figures.distinctStates = static_cast<int>(seen.size());
        stop();
        t::useFakeClock(false);
        return figures;
    }

private:
    unsigned below(unsigned n) { return static_cast<unsigned>(rng() % n); }
    bool chance(unsigned perTenThousand) { return below(10000) < perTenThousand; }
    void later(long frames, std::function<void()> action) { pending.emplace(now + frames, std::move(action)); }

    void start()
    {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = soakWindowProc;
        wc.lpszClassName = "KeelhavenSoak";
        RegisterClassExA(&wc);
        hwnd = CreateWindowExA(0, "KeelhavenSoak", "soak", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800,
                               600, nullptr, nullptr, nullptr, nullptr);
        game = std::make_unique<Keelhaven>();
        game->initialize(hwnd);
        liveGame = game.get();
        pad = t::attachPad();
        game->getInput()->checkControllers();
    }

    void stop()
    {
        // Whatever was still to come (a key to let go, a device to give
        // back) would reach a game that is gone.
        pending.clear();
        t::forceDeviceState(D3D_OK);
        if (pad >= 0)
            t::detachPad(pad);
        pad = -1;
        liveGame = nullptr;
        game.reset();
        DestroyWindow(hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    std::string current()
    {
        std::string name = "none";
        for (int i = 0; i < game->stateCount(); ++i)
            if (game->stateAt(i)->getActive())
                name = game->stateAt(i)->getName();
        return name;
    }

    void press(UCHAR key, long holdFrames)
    {
        ++figures.keyPresses;
        t::keyDown(key);
        later(holdFrames, [key] { t::keyUp(key); });
    }

    void typeCommand()
    {
        std::string line;
        switch (below(4)) {
        case 0: line = game->stateAt(static_cast<int>(below(static_cast<unsigned>(game->stateCount()))))->getName(); break;
        case 1: line = junk(1 + below(12)); break;
        default: line = COMMANDS[below(sizeof(COMMANDS) / sizeof(COMMANDS[0]))]; break;
        }
        // Mostly closed again at once; sometimes left open a while.
        typeCommand(line, chance(7000) ? 6 : 6 + below(200));
    }

    void typeCommand(const std::string& line, long closeAfter)
    {
        ++figures.commands;
        press(VK_OEM_3, 1);
        later(2, [line] { t::typeText(line); });
        later(3, [this] { press(VK_RETURN, 1); });
        later(closeAfter, [this] { press(VK_OEM_3, 1); });
    }

    // Random keys seldom reach the title's last item: now and then the
    // player goes there on purpose and picks Quit.
    void chooseQuit()
    {
        typeCommand("TITLESCREEN", 6);
        for (long k = 0; k < 6; ++k)
            later(10 + 4 * k, [this] { press(VK_DOWN, 1); });
        later(36, [this] { press(VK_RETURN, 1); });
    }

    std::string junk(unsigned length)
    {
        std::string s;
        for (unsigned i = 0; i < length; ++i) {
            const unsigned kind = below(20);
            if (kind == 0)
                s += "\xC3\xA9";  // é, two bytes
            else if (kind == 1)
                s += "\xE2\x82\xAC";  // €, not Latin-1
            else
                s += static_cast<char>(' ' + below(95));
        }
        return s;
    }

    void loseDevice()
    {
        ++figures.deviceLosses;
        if (chance(3000)) {
            t::loseRendererTextures();
            return;
        }
        t::forceDeviceState(D3DERR_DEVICELOST);
        later(1 + below(6), [] { t::forceDeviceState(D3DERR_DEVICENOTRESET); });
    }

    void act()
    {
        for (auto due = pending.begin(); due != pending.end() && due->first <= now; due = pending.erase(due))
            due->second();

        if (chance(800))
            press(KEYS[below(sizeof(KEYS) / sizeof(KEYS[0]))], 1 + below(chance(3000) ? 90 : 4));
        if (chance(150) && pad >= 0) {
            ++figures.padChanges;
            WORD buttons = 0;
            for (int n = static_cast<int>(below(3)); n > 0; --n)
                buttons = static_cast<WORD>(buttons | PAD_BUTTONS[below(sizeof(PAD_BUTTONS) / sizeof(PAD_BUTTONS[0]))]);
            t::setPadButtons(pad, buttons);
        }
        if (chance(40) && pad >= 0)
            t::setPadAxis(pad, static_cast<int>(below(6)), static_cast<SHORT>(static_cast<int>(below(65536)) - 32768));
        if (chance(5)) {
            if (pad >= 0) {
                t::detachPad(pad);
                pad = -1;
            } else {
                pad = t::attachPad();
            }
        }
        if (chance(100)) {
            const int x = static_cast<int>(below(800)), y = static_cast<int>(below(600));
            t::mouseMove(x, y, static_cast<int>(below(21)) - 10, static_cast<int>(below(21)) - 10);
            if (chance(3000)) {
                const int button = 1 + static_cast<int>(below(5));
                t::mouseButton(button, true, x, y);
                later(1 + below(10), [button, x, y] { t::mouseButton(button, false, x, y); });
            }
            if (chance(1000))
                t::mouseWheel(static_cast<float>(static_cast<int>(below(7)) - 3));
        }
        if (chance(40))
            typeCommand();
        if (chance(30))
            t::typeText(junk(1 + below(6)));
        if (chance(10)) {
            ++figures.altEnters;
            t::keyDown(VK_MENU);
            press(VK_RETURN, 1);
            later(2, [] { t::keyUp(VK_MENU); });
        }
        if (chance(8))
            loseDevice();
        if (chance(3))
            chooseQuit();
    }

    void step()
    {
        // Mostly a sixtieth of a second; now and then faster than the cap
        // (the frame sleeps instead) or slower than the floor.
        const unsigned kind = below(100);
        t::advanceClock(kind < 5 ? 1.0 / 1000 : kind < 8 ? 0.3 : 1.0 / 60);

        MSG msg;
        bool quit = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (quit) {
            // The program would end here: a new game object stands in, as
            // when the player starts it again.
            ++figures.quits;
            stop();
            start();
        }
        game->run(hwnd);

        const std::string name = current();
        if (name != lastState) {
            ++figures.statesEntered;
            lastState = name;
            seen.insert(name);
        }
        mostLive = std::max(mostLive, t::liveDefaultPoolObjects());
    }

    std::mt19937_64 rng;
    std::multimap<long, std::function<void()>> pending;
    long now = 0;
    HWND hwnd = nullptr;
    std::unique_ptr<Keelhaven> game;
    int pad = -1;
    int mostLive = 0;
    std::size_t mostResident = 0;
    std::string lastState;
    std::set<std::string> seen;
    SoakFigures figures;
};

}  // namespace

std::size_t residentKb() { return statusKb("VmRSS"); }
std::size_t peakResidentKb() { return statusKb("VmHWM"); }

SoakFigures runSoak(std::uint64_t seed, long frames, long warmUpFrames, long progressEvery)
{
    Soak soak(seed);
    return soak.run(frames, warmUpFrames, progressEvery);
}

void printSoakFigures(const char* label, const SoakFigures& f)
{
    std::printf("%s: %ld key presses, %ld pad changes, %ld console lines, %ld Alt+Enter, %ld lost devices, "
                "%ld quits, %ld state changes over %d states\n",
                label, f.keyPresses, f.padChanges, f.commands, f.altEnters, f.deviceLosses, f.quits, f.statesEntered,
                f.distinctStates);
    std::printf("%s: resident %zu kB after warm-up, %zu kB at the end, peak %zu kB; live device objects "
                "at most %d in warm-up, %d after\n",
                label, f.residentKbAfterWarmUp, f.residentKbAtEnd, f.peakResidentKb, f.liveObjectsAfterWarmUp,
                f.liveObjectsAtEnd);
}

}  // namespace testsupport
