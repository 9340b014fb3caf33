// Windows virtual-key codes for SDL's physical keys (US positions), and back.
#pragma once

#include "win32_types.h"

#include <SDL.h>

namespace platform {

// 0 for keys the game has no code for.
UCHAR virtualKeyFromScancode(SDL_Scancode scancode);

// The first scancode that maps to `vk`, or SDL_SCANCODE_UNKNOWN.
SDL_Scancode scancodeFromVirtualKey(UCHAR vk);

}  // namespace platform
