// The window's size and place on the desktop, as the player left it, so a
// start can put it back there.
#pragma once

#include "win32_types.h"

namespace platform {

// Window pixels: the size is the inside of the window, the place its top left.
struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The size and place the window has when windowed (while full screen, the
// ones it goes back to). False when there is no window.
bool windowedPlace(HWND hwnd, WindowPlace& place);

// Gives the window `place`'s size, and its place when `withPosition`. A
// place that would leave the window out of sight on every display now
// attached is let go: the window is centred instead.
void placeWindow(HWND hwnd, const WindowPlace& place, bool withPosition);

}  // namespace platform
