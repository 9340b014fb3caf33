// A Keelhaven game object on a headless window with the fake clock, and a
// state that records what the game object asks of it.
#pragma once

#include "engine/game_state.h"
#include "engine/input.h"
#include "files.h"
#include "keelhaven/keelhaven.h"
#include "support/headless.h"
#include "testing.h"
#include "win32_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class RecordingState : public GameState {
public:
    RecordingState(const std::string& stateName, std::vector<std::string>& journal) : log(journal)
    {
        setName(stateName);
    }
    void initialize() override { log.push_back(name + " initialize"); }
    void reset() override { log.push_back(name + " reset"); }
    void leave() override { log.push_back(name + " leave"); }
    void update(float) override
    {
        log.push_back(name + " update");
        if (onUpdate)
            onUpdate();
    }
    std::function<void()> onUpdate;

private:
    std::vector<std::string>& log;
};

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::useFakeClock(true);
        // Every case starts on the default settings, whatever an earlier
        // case in this program left in the shared save folder.
        std::error_code ec;
        std::filesystem::remove(platform::saveDirectory() + "settings.ini", ec);
        hwnd = testsupport::createTestWindow("KeelhavenGameTest");
        game = std::make_unique<Keelhaven>();
        game->initialize(hwnd);
    }
    void TearDown() override
    {
        game.reset();
        DestroyWindow(hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        platform::testing::useFakeClock(false);
    }

    // Puts a recording state in place of the state at `index`, same name.
    RecordingState& record(int index)
    {
        const std::string stateName = game->stateAt(index)->getName();
        auto recorder = std::make_unique<RecordingState>(stateName, journal);
        RecordingState& r = *recorder;
        replaced.push_back(game->swapState(index, std::move(recorder)));
        return r;
    }

    int activeCount()
    {
        int n = 0;
        for (int i = 0; i < game->stateCount(); ++i)
            n += game->stateAt(i)->getActive() ? 1 : 0;
        return n;
    }

    void frame(float seconds = 0.02f)
    {
        platform::testing::advanceClock(seconds);
        game->run(hwnd);
    }

    // Types a line into the console, Enter included, and runs one frame.
    void typeCommand(const std::string& line)
    {
        Input& in = *game->getInput();
        for (char c : line)
            in.keyIn(static_cast<WPARAM>(static_cast<unsigned char>(c)));
        in.keyIn('\r');
        frame();
    }

    HWND hwnd = nullptr;
    std::unique_ptr<Keelhaven> game;
    std::vector<std::string> journal;
    std::vector<std::unique_ptr<GameState>> replaced;
};
