// A game that only counts what the loop asks of it, on a headless window.
#pragma once

#include "engine/game.h"
#include "support/headless.h"
#include "testing.h"

#include <functional>

class ProbeGame : public Game {
public:
    int updates = 0, ais = 0, collisionChecks = 0, renders = 0, releases = 0, resets = 0;
    std::function<void()> onUpdate;

    void update() override
    {
        ++updates;
        if (onUpdate)
            onUpdate();
    }
    void ai() override { ++ais; }
    void collisions() override { ++collisionChecks; }
    void render() override { ++renders; }
    void releaseAll() override
    {
        ++releases;
        Game::releaseAll();
    }
    void resetAll() override
    {
        ++resets;
        Game::resetAll();
    }
    void setPaused(bool p) { paused = p; }
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return messageHandler(hwnd, msg, w, l); }
    HWND window() const { return hwnd; }
};

// A window for a game to initialise on; the fake clock starts at 0.
class GameWindow {
public:
    GameWindow() : hwnd(testsupport::createTestWindow("KeelhavenLoopTest")) {}
    ~GameWindow() { DestroyWindow(hwnd); }
    HWND hwnd;
};

// Drops whatever is waiting in the message queue; true if WM_QUIT was there.
inline bool drainMessages()
{
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    return quit;
}
