#include "engine/game_window.h"

#include "base/game_error.h"
#include "picture_failure.h"

namespace {
const char* const CLASS_NAME = "Keelhaven";
const char* const GAME_TITLE = "DuskmereKeelhaven";
Game* game = nullptr;
HWND hwnd = nullptr;
}  // namespace

int playGame(Game* newGame, HINSTANCE instance, int cmdShow,
             const std::function<void(const std::string&)>& onFatalError)
{
    MSG msg{};
    game = newGame;
    if (!createMainWindow(hwnd, instance, cmdShow)) {
        delete game;
        game = nullptr;
        return 1;
    }
    try {
        game->initialize(hwnd);
        bool done = false;
        while (!done) {
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT)
                    done = true;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            } else {
                game->run(hwnd);
                // Already named, with why, where it failed.
                if (platform::takePictureDecodeFailure())
                    throw GameError(FATAL_ERROR, "Error drawing a picture");
            }
        }
        delete game;
        game = nullptr;
        // A game that quit by itself leaves its window standing.
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        return static_cast<int>(msg.wParam);
    } catch (const GameError& err) {
        if (onFatalError)
            onFatalError(err.getMessage());
        game->deleteAll();
        DestroyWindow(hwnd);
        MessageBoxA(nullptr, err.getMessage(), "Error", MB_OK);
    } catch (...) {
        if (onFatalError)
            onFatalError("Unknown error occured in game.");
        game->deleteAll();
        DestroyWindow(hwnd);
        MessageBoxA(nullptr, "Unknown error occured in game.", "Error", MB_OK);
    }
    delete game;
    game = nullptr;
    // After the message a script or launcher must see that the game failed.
    return 1;
}

LRESULT WinProc(HWND hw, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (game == nullptr)
        return DefWindowProcA(hw, msg, wParam, lParam);
    return game->messageHandler(hw, msg, wParam, lParam);
}

bool createMainWindow(HWND& hw, HINSTANCE instance, int cmdShow)
{
    WNDCLASSEXA wcx{};
    wcx.cbSize = sizeof(wcx);
    wcx.style = CS_HREDRAW | CS_VREDRAW;
    wcx.lpfnWndProc = WinProc;
    wcx.cbClsExtra = 0;
    wcx.cbWndExtra = 0;
    wcx.hInstance = instance;
    wcx.hIcon = nullptr;
    wcx.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wcx.hbrBackground = GetStockObject(BLACK_BRUSH);
    wcx.lpszMenuName = nullptr;
    wcx.lpszClassName = CLASS_NAME;
    wcx.hIconSm = nullptr;
    if (RegisterClassExA(&wcx) == 0)
        return false;

    hw = CreateWindowExA(0, CLASS_NAME, GAME_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         graphicsNS::GAME_WIDTH, graphicsNS::GAME_HEIGHT, nullptr, nullptr, instance, nullptr);
    if (hw == nullptr)
        return false;

    // Size the window so that its client area is exactly 800 x 600.
    RECT clientRect{};
    GetClientRect(hw, &clientRect);
    MoveWindow(hw, 0, 0, graphicsNS::GAME_WIDTH + (graphicsNS::GAME_WIDTH - clientRect.right),
               graphicsNS::GAME_HEIGHT + (graphicsNS::GAME_HEIGHT - clientRect.bottom), TRUE);
    ShowWindow(hw, cmdShow);
    return true;
}
