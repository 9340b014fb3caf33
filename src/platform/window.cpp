// The game window and the small set of window calls the game makes.
#include "sdl_internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>

namespace {

std::map<std::string, WNDCLASSEXA> registeredClasses;
HWND theWindow = nullptr;
// Handles not yet destroyed, compared by value only: IsWindow may be asked
// about one whose memory is gone.
std::set<HWND> liveWindows;
int cursorCount = 0;
int stockObjectDummy = 0;

void reallyDestroy(HWND hwnd)
{
    if (hwnd->window)
        SDL_DestroyWindow(hwnd->window);
    hwnd->window = nullptr;
    delete hwnd;
}

bool windowUsable(HWND hwnd) { return hwnd && !hwnd->destroyed && hwnd->window; }

}  // namespace

namespace platform {

HWND mainWindow() { return theWindow; }

PicturePoint windowPointToPicture(HWND hwnd, int wx, int wy)
{
    if (!windowUsable(hwnd))
        return PicturePoint{wx, wy};
    // Present places the picture in drawn pixels; a desktop that scales
    // windows has more of those than the window units the mouse reports.
    int w = 0, h = 0, drawnW = 0, drawnH = 0;
    SDL_GetWindowSize(hwnd->window, &w, &h);
    SDL_GetWindowSizeInPixels(hwnd->window, &drawnW, &drawnH);
    if (w > 0 && h > 0 && (drawnW != w || drawnH != h)) {
        wx = static_cast<int>(static_cast<long long>(wx) * drawnW / w);
        wy = static_cast<int>(static_cast<long long>(wy) * drawnH / h);
    }
    const PicturePlacement placed = placePicture(drawnW, drawnH, hwnd->pictureWidth, hwnd->pictureHeight);
    return windowToPicture(placed, hwnd->pictureWidth, hwnd->pictureHeight, wx, wy);
}

void retainWindow(HWND hwnd)
{
    if (hwnd)
        ++hwnd->users;
}

void releaseWindow(HWND hwnd)
{
    if (hwnd && --hwnd->users <= 0 && hwnd->destroyed)
        reallyDestroy(hwnd);
}

}  // namespace platform

WORD RegisterClassExA(const WNDCLASSEXA* wc)
{
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr)
        return 0;
    registeredClasses[wc->lpszClassName] = *wc;
    return static_cast<WORD>(registeredClasses.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width, int height,
                     HWND, void*, HINSTANCE, void*)
{
    if (className == nullptr || !platform::ensureSdl())
        return nullptr;
    auto cls = registeredClasses.find(className);
    if (cls == registeredClasses.end())
        return nullptr;
    if (width == CW_USEDEFAULT || width <= 0)
        width = 800;
    if (height == CW_USEDEFAULT || height <= 0)
        height = 600;
    int px = (x == CW_USEDEFAULT) ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : x;
    int py = (y == CW_USEDEFAULT) ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : y;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if ((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW)
        flags |= SDL_WINDOW_RESIZABLE;

    // SDL sizes the client area, so an 800 x 600 request is already the
    // client size the game asks for once it adjusts for the border.
    SDL_Window* window = SDL_CreateWindow(title ? title : "", px, py, width, height, flags);
    if (window == nullptr) {
        std::fprintf(stderr, "Window could not be created: %s\n", SDL_GetError());
        return nullptr;
    }
    // Small enough for any desktop, large enough that the picture, shrunk
    // to fit, can still be read.
    SDL_SetWindowMinimumSize(window, width / 4, height / 4);
    auto* handle = new WindowHandle;
    handle->window = window;
    handle->pictureWidth = width;
    handle->pictureHeight = height;
    handle->proc = cls->second.lpfnWndProc;
    handle->style = style;
    theWindow = handle;
    liveWindows.insert(handle);
    return handle;
}

BOOL IsWindow(HWND hwnd) { return liveWindows.count(hwnd) != 0 ? TRUE : FALSE; }

BOOL DestroyWindow(HWND hwnd)
{
    if (hwnd == nullptr || hwnd->destroyed)
        return FALSE;
    hwnd->destroyed = true;
    liveWindows.erase(hwnd);
    if (hwnd->proc)
        hwnd->proc(hwnd, WM_DESTROY, 0, 0);
    if (hwnd->window)
        SDL_HideWindow(hwnd->window);
    if (theWindow == hwnd)
        theWindow = nullptr;
    // A device still drawing into it keeps it until it is released.
    if (hwnd->users <= 0)
        reallyDestroy(hwnd);
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int cmdShow)
{
    if (!windowUsable(hwnd))
        return FALSE;
    bool wasVisible = (SDL_GetWindowFlags(hwnd->window) & SDL_WINDOW_SHOWN) != 0;
    if (cmdShow == 0)
        SDL_HideWindow(hwnd->window);
    else
        SDL_ShowWindow(hwnd->window);
    return wasVisible ? TRUE : FALSE;
}

// The game only ever sees its own picture: the client area is the picture
// (800 x 600), whatever size the window really is and however it is
// letterboxed there, and every mouse message carries a position in that
// picture (see windowPointToPicture). Code that scales mouse positions by
// picture size / client size therefore scales by 1, in a window or full
// screen. GetWindowRect and MoveWindow stay in real window pixels.
BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    if (!windowUsable(hwnd) || rect == nullptr)
        return FALSE;
    *rect = RECT{0, 0, hwnd->pictureWidth, hwnd->pictureHeight};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    if (!windowUsable(hwnd) || rect == nullptr)
        return FALSE;
    // The frame drawn around the window is the desktop's business, not
    // ours: the window's own rectangle is its client area.
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(hwnd->window, &x, &y);
    SDL_GetWindowSize(hwnd->window, &w, &h);
    *rect = RECT{x, y, x + w, y + h};
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL)
{
    if (!windowUsable(hwnd))
        return FALSE;
    if (SDL_GetWindowFlags(hwnd->window) & SDL_WINDOW_FULLSCREEN)
        return TRUE;  // a full-screen window keeps the display's size
    int cx = 0, cy = 0, cw = 0, ch = 0;
    SDL_GetWindowPosition(hwnd->window, &cx, &cy);
    SDL_GetWindowSize(hwnd->window, &cw, &ch);
    // Escape held asks for this every frame: only touch the window when
    // something changes.
    if (cx != x || cy != y)
        SDL_SetWindowPosition(hwnd->window, x, y);
    if (cw != width || ch != height)
        SDL_SetWindowSize(hwnd->window, width, height);
    return TRUE;
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value)
{
    if (!windowUsable(hwnd) || index != GWL_STYLE)
        return 0;
    LONG previous = static_cast<LONG>(hwnd->style);
    hwnd->style = static_cast<DWORD>(value);
    // The player resizes an overlapped window; a full-screen one has no frame.
    if (!(SDL_GetWindowFlags(hwnd->window) & SDL_WINDOW_FULLSCREEN)) {
        bool resizable = (hwnd->style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW;
        SDL_SetWindowResizable(hwnd->window, resizable ? SDL_TRUE : SDL_FALSE);
    }
    return previous;
}

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags)
{
    if (!windowUsable(hwnd))
        return FALSE;
    if (!(flags & SWP_NOMOVE))
        SDL_SetWindowPosition(hwnd->window, x, y);
    if (!(flags & SWP_NOSIZE))
        SDL_SetWindowSize(hwnd->window, cx, cy);
    if ((flags & SWP_SHOWWINDOW) && !(SDL_GetWindowFlags(hwnd->window) & SDL_WINDOW_SHOWN))
        SDL_ShowWindow(hwnd->window);
    return TRUE;
}

void* LoadCursorA(HINSTANCE, LPCSTR) { return &stockObjectDummy; }
void* GetStockObject(int) { return &stockObjectDummy; }

int ShowCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    const char* body = text ? text : "";
    const char* title = caption ? caption : "";
    // Always leave a trace for whoever started the program from a terminal.
    std::fprintf(stderr, "%s: %s\n", title, body);
    const char* driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (driver == nullptr)
        driver = std::getenv("SDL_VIDEODRIVER");
    bool headless = driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
    if (!headless)
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, body, nullptr);
    return 1;  // IDOK
}

HWND SetCapture(HWND hwnd)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_CaptureMouse(SDL_TRUE);
    return hwnd;
}

BOOL ReleaseCapture()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_CaptureMouse(SDL_FALSE);
    return TRUE;
}
