// Shared by the platform layer's own files only: the SDL objects behind the
// Win32-style handles. Game code never includes this.
#pragma once

#include "win32_window.h"

#include <SDL.h>

#include <string>

struct WindowHandle {
    SDL_Window* window = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    int users = 0;           // devices drawing into this window
    bool destroyed = false;  // DestroyWindow ran; freed when the last user lets go
};

namespace platform {

// Starts SDL's video, events, timer and game-controller parts once.
bool ensureSdl();

// The one game window (nullptr before it exists or after it is destroyed).
HWND mainWindow();

// A device keeps the window alive until it lets go of it.
void retainWindow(HWND hwnd);
void releaseWindow(HWND hwnd);

// Called by the message pump when SDL reports that the renderer lost its
// textures: the device then answers "not reset" until Reset.
void notifyRenderDeviceReset();

// Game-controller slots (XInput user indices), kept in step with SDL.
void controllersChanged();

// Uses the fake clock of the test seam when set.
bool fakeClockActive();

std::string lowerCase(std::string s);

}  // namespace platform
