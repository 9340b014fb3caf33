#include "engine/game.h"

#include "base/game_error.h"
#include "engine/audio.h"
#include "engine/console.h"
#include "engine/input_dialog.h"
#include "engine/message_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

Game::Game()
{
    input = new Input;
}

Game::~Game()
{
    Game::deleteAll();
    ShowCursor(TRUE);
}

LRESULT Game::messageHandler(HWND hw, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!initialized)
        return DefWindowProcA(hw, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Bit 30: the key was already down, so this is an auto-repeat.
        input->keyDown(wParam, (lParam & (LPARAM{1} << 30)) != 0);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        input->keyUp(wParam);
        return 0;
    case WM_CHAR:
        input->keyIn(wParam);
        return 0;
    case WM_MOUSEMOVE:
        input->mouseIn(lParam);
        return 0;
    case WM_INPUT:
        input->mouseRawIn(lParam);
        return 0;
    case WM_LBUTTONDOWN:
        input->setMouseLButton(true);
        input->mouseIn(lParam);
        return 0;
    case WM_LBUTTONUP:
        input->setMouseLButton(false);
        input->mouseIn(lParam);
        return 0;
    case WM_MBUTTONDOWN:
        input->setMouseMButton(true);
        input->mouseIn(lParam);
        return 0;
    case WM_MBUTTONUP:
        input->setMouseMButton(false);
        input->mouseIn(lParam);
        return 0;
    case WM_RBUTTONDOWN:
        input->setMouseRButton(true);
        input->mouseIn(lParam);
        return 0;
    case WM_RBUTTONUP:
        input->setMouseRButton(false);
        input->mouseIn(lParam);
        return 0;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
        input->setMouseXButton(wParam);
        input->mouseIn(lParam);
        return 0;
    case WM_MOUSEWHEEL:
        input->mouseWheelIn(wParam);
        return 0;
    case WM_DEVICECHANGE:
        input->checkControllers();
        return 0;
    default:
        return DefWindowProcA(hw, msg, wParam, lParam);
    }
}

void Game::initialize(HWND hw)
{
    hwnd = hw;

    graphics = new Graphics();
    graphics->initialize(hwnd);

    input->initialize(hwnd, false);

    console = new Console();
    console->initialize(graphics, input);  // a console that fails simply never shows
    console->print("---Console---");

    messageDialog = new MessageDialog();
    messageDialog->initialize(graphics, input, hwnd);
    inputDialog = new InputDialog();
    inputDialog->initialize(graphics, input, hwnd);

    if (!dxFont.initialize(graphics, gameNS::FPS_FONT_HEIGHT, false, false, "Courier New"))
        throw GameError(FATAL_ERROR, "Failed to initialize DirectX font.");
    dxFont.setFontColor(graphicsNS::WHITE);

    audio = new Audio();
    hr = audio->initialize();
    if (FAILED(hr)) {
        if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
            throw GameError(FATAL_ERROR, "Failed to initialize sound system because media file not found.");
        throw GameError(FATAL_ERROR, "Failed to initialize sound system.");
    }

    if (QueryPerformanceFrequency(&timerFreq) == FALSE)
        throw GameError(FATAL_ERROR, "Error initializing high resolution timer");
    QueryPerformanceCounter(&timeStart);

    if (const char* frames = std::getenv("KEELHAVEN_QUIT_AFTER_FRAMES"))
        quitAfterFrames = std::max(0L, std::strtol(frames, nullptr, 10));

    initialized = true;
}

void Game::run(HWND)
{
    if (graphics == nullptr)
        return;

    QueryPerformanceCounter(&timeEnd);
    frameTime = static_cast<float>(static_cast<double>(timeEnd.QuadPart - timeStart.QuadPart) /
                                   static_cast<double>(timerFreq.QuadPart));

    // Never faster than the cap: sleep the rest away and let the next call
    // count the time slept.
    // A held frame time waits for about that long: a clock that ticks a
    // hair short of it must not skip every other frame.
    const float shortest = heldFrameTime > 0 ? heldFrameTime * 0.95f : gameNS::MIN_FRAME_TIME;
    if (frameTime < shortest) {
        sleepTime = static_cast<DWORD>((shortest - frameTime) * 1000);
        timeBeginPeriod(1);
        Sleep(sleepTime);
        timeEndPeriod(1);
        return;
    }

    countFrameDrawn(frameTime);
    // Below ten frames a second the game slows down rather than jump.
    if (frameTime > gameNS::MAX_FRAME_TIME)
        frameTime = gameNS::MAX_FRAME_TIME;
    if (heldFrameTime > 0)
        frameTime = heldFrameTime;
    timeStart = timeEnd;

    displayModeKeys();

    if (!paused) {
        update();
        ai();
        collisions();
        input->vibrateControllers(frameTime);
    }
    renderGame();

    if (input->wasKeyPressed(gameNS::CONSOLE_KEY)) {
        console->showHide();
        paused = console->getVisible();
    }
    consoleCommand();

    input->readControllers();

    messageDialog->update();
    inputDialog->update();
    audio->run();

    input->clear(inputNS::KEYS_PRESSED);

    ++framesRun;
    if (quitAfterFrames > 0 && framesRun == static_cast<std::uint64_t>(quitAfterFrames))
        exitGame();
}

// Alt+Enter toggles full screen on every screen; Escape held returns to a
// window. Read before any state sees the frame's keys, and the Enter is
// taken, so it never also chooses a menu item or confirms a box.
void Game::displayModeKeys()
{
    if (input->isKeyDown(VK_MENU) && input->wasKeyPressed(VK_RETURN)) {
        input->clearKeyPress(VK_RETURN);
        releaseAll();
        graphics->changeDisplayMode(graphicsNS::TOGGLE);
        resetAll();
    }
    if (input->isKeyDown(VK_ESCAPE))
        backToWindow();
}

// The figure shown is the frames drawn over the last whole second or so: an
// average of 1 / frameTime reads high whenever frame times vary.
void Game::countFrameDrawn(float seconds)
{
    ++framesThisSecond;
    secondSoFar += seconds;
    if (secondSoFar >= 1.0) {
        fps = static_cast<float>(framesThisSecond / secondSoFar);
        framesThisSecond = 0;
        secondSoFar = 0;
    }
}

void Game::backToWindow()
{
    releaseAll();
    graphics->changeDisplayMode(graphicsNS::WINDOW);
    resetAll();
}

void Game::renderGame()
{
    hr = graphics->beginScene();
    if (SUCCEEDED(hr)) {
        render();

        graphics->spriteBegin();
        if (fpsOn) {
            char buffer[20];
            std::snprintf(buffer, sizeof(buffer), "fps %d ", static_cast<int>(fps));
            dxFont.print(buffer, gameNS::FPS_X, gameNS::FPS_Y);
        }
        graphics->spriteEnd();

        console->draw();
        messageDialog->draw();  // above the console
        inputDialog->draw();

        graphics->endScene();
    }
    handleLostGraphicsDevice();
    graphics->showBackbuffer();
}

void Game::handleLostGraphicsDevice()
{
    hr = graphics->getDeviceState();
    if (SUCCEEDED(hr))
        return;
    if (hr == D3DERR_DEVICELOST) {
        Sleep(100);
        return;
    }
    if (hr == D3DERR_DEVICENOTRESET) {
        releaseAll();
        hr = graphics->reset();
        if (FAILED(hr))
            return;
        resetAll();
    }
}

void Game::releaseAll()
{
    if (inputDialog != nullptr)
        inputDialog->onLostDevice();
    if (messageDialog != nullptr)
        messageDialog->onLostDevice();
    if (console != nullptr && console->isInitialized())
        console->onLostDevice();
    dxFont.onLostDevice();
}

void Game::resetAll()
{
    dxFont.onResetDevice();
    if (console != nullptr && console->isInitialized())
        console->onResetDevice();
    if (messageDialog != nullptr)
        messageDialog->onResetDevice();
    if (inputDialog != nullptr)
        inputDialog->onResetDevice();
}

void Game::deleteAll()
{
    releaseAll();
    // The dialogs hold device objects: they go before the device does.
    delete inputDialog;
    inputDialog = nullptr;
    delete messageDialog;
    messageDialog = nullptr;
    delete audio;
    audio = nullptr;
    delete graphics;
    graphics = nullptr;
    delete input;
    input = nullptr;
    delete console;
    console = nullptr;
    initialized = false;
}
