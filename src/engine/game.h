// The engine base of the game object: owns the engine services, turns window
// messages into input, and runs one frame whenever the message loop is idle.
#pragma once

#include "engine/engine_services.h"
#include "engine/input.h"
#include "render/graphics.h"
#include "render/text_dx.h"
#include "win32_types.h"

#include <cstdint>
#include <string>

class Audio;
class Console;
class InputDialog;
class MessageDialog;

namespace gameNS {
constexpr float FRAME_RATE = 480.0f;  // the most frames per second ever run
constexpr float MIN_FRAME_RATE = 10.0f;
constexpr float MIN_FRAME_TIME = 1.0f / FRAME_RATE;
constexpr float MAX_FRAME_TIME = 1.0f / MIN_FRAME_RATE;
constexpr int FPS_X = 700;
constexpr int FPS_Y = 572;
constexpr int FPS_FONT_HEIGHT = 14;
constexpr UCHAR CONSOLE_KEY = VK_OEM_3;  // the key left of 1
}  // namespace gameNS

class Game {
public:
    Game();
    virtual ~Game();

    LRESULT messageHandler(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void initialize(HWND hwnd);
    virtual void run(HWND hwnd);
    virtual void releaseAll();
    virtual void resetAll();
    virtual void deleteAll();
    virtual void consoleCommand() {}
    virtual void renderGame();
    virtual void handleLostGraphicsDevice();
    void displayModeKeys();
    void countFrameDrawn(float seconds);
    virtual void update() = 0;
    virtual void ai() = 0;
    virtual void collisions() = 0;
    virtual void render() = 0;

    void exitGame() { PostQuitMessage(0); }
    // Leaves full screen for a window, as a held Escape does.
    void backToWindow();
    // Frames of exactly `seconds` each, one whenever that much time has
    // passed (a demo plays at its recorded pace); 0 measures them again.
    void holdFrameTime(float seconds) { heldFrameTime = seconds; }

    Graphics* getGraphics() { return graphics; }
    Input* getInput() { return input; }
    Audio* getAudio() { return audio; }
    EngineServices services() const { return {graphics, input, audio}; }
    Console* getConsole() { return console; }
    MessageDialog* getMessageDialog() { return messageDialog; }
    InputDialog* getInputDialog() { return inputDialog; }
    HWND getHwnd() const { return hwnd; }
    float getFrameTime() const { return frameTime; }
    float getFps() const { return fps; }
    // Frames run since the game began (a frame held back by the cap is none).
    std::uint64_t getFramesRun() const { return framesRun; }
    bool getFpsOn() const { return fpsOn; }
    void setFpsOn(bool on) { fpsOn = on; }
    bool getPaused() const { return paused; }
    bool isInitialized() const { return initialized; }

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

protected:
    Graphics* graphics = nullptr;
    Input* input = nullptr;
    Audio* audio = nullptr;
    Console* console = nullptr;
    MessageDialog* messageDialog = nullptr;  // nothing opens these two yet
    InputDialog* inputDialog = nullptr;
    HWND hwnd = nullptr;
    HRESULT hr = S_OK;
    LARGE_INTEGER timeStart{};
    LARGE_INTEGER timeEnd{};
    LARGE_INTEGER timerFreq{};
    float frameTime = 0;
    float heldFrameTime = 0;
    int framesThisSecond = 0;
    double secondSoFar = 0;
    float fps = 100.0f;
    TextDX dxFont;
    bool fpsOn = false;
    DWORD sleepTime = 0;
    bool paused = false;
    bool initialized = false;
    std::string command;
    // KEELHAVEN_QUIT_AFTER_FRAMES: quit after this many frames (0: run until
    // closed), so scripts can start the game and see it come up and go down.
    long quitAfterFrames = 0;
    std::uint64_t framesRun = 0;
};
