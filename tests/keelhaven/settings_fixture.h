// A game started, stopped and started again on a save folder of its own,
// its settings file written and read between runs, keys and pads fed
// through the real event path.
#pragma once

#include "engine/audio.h"
#include "engine/input.h"
#include "keelhaven/keelhaven.h"
#include "render/graphics.h"
#include "support/headless.h"
#include "support/save_folder.h"
#include "testing.h"
#include "window_place.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace settingstest {

namespace sim = platform::testing;
using testsupport::readFile;
using testsupport::writeFile;

// The window's size and place are the test window's once a frame has run.
inline bool defaultsButThePlace(Settings s)
{
    const Settings defaults;
    s.windowWidth = defaults.windowWidth;
    s.windowHeight = defaults.windowHeight;
    s.windowX.reset();
    s.windowY.reset();
    return s == defaults;
}

class SettingsRestart : public ::testing::Test {
protected:
    void SetUp() override { sim::useFakeClock(true); }
    void TearDown() override
    {
        if (pad >= 0)
            sim::detachPad(pad);
        stop();
        sim::useFakeClock(false);
    }

    void start()
    {
        stop();
        hwnd = testsupport::createTestWindow("KeelhavenSettingsTest");
        game = std::make_unique<Keelhaven>();
        game->initialize(hwnd);
        frame();
    }
    void stop()
    {
        if (!game)
            return;
        game.reset();
        DestroyWindow(hwnd);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    // The start with the file holding `text`; what it said on standard error.
    std::string startWith(const std::string& text)
    {
        writeFile(settingsFile(), text);
        return startSaying();
    }
    std::string startSaying()
    {
        ::testing::internal::CaptureStderr();
        start();
        return ::testing::internal::GetCapturedStderr();
    }
    // What is queued reaches the game as the message loop hands it over.
    void pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            game->messageHandler(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        }
    }
    void frame(float seconds = 0.02f)
    {
        pump();
        sim::advanceClock(seconds);
        game->run(hwnd);
    }
    // Down for a frame and up, as a keyboard sends it.
    void press(UCHAR key)
    {
        sim::keyDown(key);
        frame();
        sim::keyUp(key);
        frame();
    }
    void goTo(const std::string& state)
    {
        game->switchState(state, "FRONTEND");
        frame();
    }
    std::filesystem::path settingsFile() const { return saves.file("settings.ini"); }
    Audio& audio() { return *game->getAudio(); }
    Input& input() { return *game->getInput(); }

    testsupport::SaveFolder saves;
    HWND hwnd = nullptr;
    std::unique_ptr<Keelhaven> game;
    int pad = -1;
};

}  // namespace settingstest
