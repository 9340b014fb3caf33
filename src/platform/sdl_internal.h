// Shared by the platform layer's own files only: the SDL objects behind the
// Win32-style handles. Game code never includes this.
#pragma once

#include "picture_placement.h"
#include "win32_window.h"

#include <SDL.h>

#include <string>

struct WindowHandle {
    SDL_Window* window = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    int users = 0;           // devices drawing into this window
    bool destroyed = false;  // DestroyWindow ran; freed when the last user lets go
    // The game's picture (the device's back buffer), letterboxed into
    // however large the window really is. The game's client area is this
    // picture: see GetClientRect.
    int pictureWidth = 800;
    int pictureHeight = 600;
    // Where the window was before it went full screen, to go back there.
    SDL_Rect windowedPlace{};
    bool hasWindowedPlace = false;
};

namespace platform {

// Starts SDL's video, events, timer and game-controller parts once.
bool ensureSdl();

// The one game window (nullptr before it exists or after it is destroyed).
HWND mainWindow();

// A mouse position in the window as a position in the picture.
PicturePoint windowPointToPicture(HWND hwnd, int wx, int wy);

// Full screen on the desktop's own mode, or back to the window's earlier
// size and place.
void setFullScreen(HWND hwnd, bool on);

// A device keeps the window alive until it lets go of it.
void retainWindow(HWND hwnd);
void releaseWindow(HWND hwnd);

// Called by the message pump when SDL reports that the renderer lost its
// textures: the device then answers "not reset" until Reset.
void notifyRenderDeviceReset();

// Every renderer texture the platform makes and destroys goes through
// these, so that what is alive can be counted: after a renderer reset SDL
// still holds each old texture until it is destroyed.
SDL_Texture* createRendererTexture(SDL_Renderer* renderer, Uint32 format, int access, int w, int h);
SDL_Texture* createRendererTexture(SDL_Renderer* renderer, SDL_Surface* surface);
void destroyRendererTexture(SDL_Texture* texture);

// After each frame presented: the next key of KEELHAVEN_TYPE_KEYS, if any.
void typeScriptedKeyAfterFrame();

// Game-controller slots (XInput user indices), kept in step with SDL.
void controllersChanged();

// Uses the fake clock of the test seam when set.
bool fakeClockActive();

std::string lowerCase(std::string s);

}  // namespace platform
