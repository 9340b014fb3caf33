// Full screen and back. Leaving it puts the window back at the size and
// place the player left it, which SDL alone does not promise on every
// desktop (some window managers hand back their own idea of it).
#include "sdl_internal.h"

namespace platform {

void setFullScreen(HWND hwnd, bool on)
{
    if (hwnd == nullptr || hwnd->window == nullptr)
        return;
    SDL_Window* window = hwnd->window;
    const bool isFull = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (on == isFull)
        return;
    if (on) {
        SDL_Rect& place = hwnd->windowedPlace;
        SDL_GetWindowPosition(window, &place.x, &place.y);
        SDL_GetWindowSize(window, &place.w, &place.h);
        hwnd->hasWindowedPlace = true;
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    SDL_SetWindowFullscreen(window, 0);
    if (!hwnd->hasWindowedPlace)
        return;
    const SDL_Rect& place = hwnd->windowedPlace;
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    if (w != place.w || h != place.h)
        SDL_SetWindowSize(window, place.w, place.h);
    SDL_GetWindowPosition(window, &x, &y);
    if (x != place.x || y != place.y)
        SDL_SetWindowPosition(window, place.x, place.y);
}

}  // namespace platform
