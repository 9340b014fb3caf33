#include "window_place.h"

#include "sdl_internal.h"

#include <algorithm>

namespace platform {
namespace {

// At least this much of the window's top must show on some display for a
// remembered place to be used: enough of the title bar to drag it by.
constexpr int VISIBLE_GRIP = 48;

bool showsOnADisplay(int x, int y, int width)
{
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        const int left = std::max(x, bounds.x);
        const int right = std::min(x + width, bounds.x + bounds.w);
        if (right - left >= VISIBLE_GRIP && y >= bounds.y && y + VISIBLE_GRIP <= bounds.y + bounds.h)
            return true;
    }
    return false;
}

}  // namespace

bool windowedPlace(HWND hwnd, WindowPlace& place)
{
    if (hwnd == nullptr || hwnd->window == nullptr || hwnd->destroyed)
        return false;
    if ((SDL_GetWindowFlags(hwnd->window) & SDL_WINDOW_FULLSCREEN) != 0) {
        if (!hwnd->hasWindowedPlace)
            return false;
        const SDL_Rect& r = hwnd->windowedPlace;
        place = {r.x, r.y, r.w, r.h};
        return true;
    }
    SDL_GetWindowPosition(hwnd->window, &place.x, &place.y);
    SDL_GetWindowSize(hwnd->window, &place.width, &place.height);
    return true;
}

void placeWindow(HWND hwnd, const WindowPlace& place, bool withPosition)
{
    if (hwnd == nullptr || hwnd->window == nullptr || place.width <= 0 || place.height <= 0)
        return;
    SDL_SetWindowSize(hwnd->window, place.width, place.height);
    if (!withPosition)
        return;
    if (showsOnADisplay(place.x, place.y, place.width))
        SDL_SetWindowPosition(hwnd->window, place.x, place.y);
    else
        SDL_SetWindowPosition(hwnd->window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

}  // namespace platform
