#include "sdl_internal.h"
#include "xinput.h"

#include <cctype>
#include <cstdio>

namespace platform {

bool ensureSdl()
{
    static bool started = false;
    if (started)
        return true;
    // Pads keep working when the window is not focused (and under the
    // headless driver, where no window ever is).
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Choosing a driver turns batching off unless it is asked for too.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "SDL could not start: %s\n", SDL_GetError());
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        std::fprintf(stderr, "Game controllers unavailable: %s\n", SDL_GetError());
    else
        loadControllerMappingsBesideData();
    started = true;
    return true;
}

std::string lowerCase(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace platform
