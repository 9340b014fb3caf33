#include "audio_output.h"

#include <SDL.h>

#include <cstring>

namespace platform {

namespace {
constexpr const char* kSilentDriver = "dummy";
}

bool useSilentAudioOutput()
{
    const char* current = SDL_GetCurrentAudioDriver();
    if (current && std::strcmp(current, kSilentDriver) == 0)
        return false;
    const char* asked = SDL_GetHint(SDL_HINT_AUDIODRIVER);
    if (!current && asked && std::strcmp(asked, kSilentDriver) == 0)
        return false;

    // Overrides the SDL_AUDIODRIVER environment variable as well, so the next
    // start of the audio subsystem picks the silent driver.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, kSilentDriver, SDL_HINT_OVERRIDE);
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
        SDL_AudioQuit();
        return SDL_AudioInit(kSilentDriver) == 0;
    }
    return true;
}

bool audioOutputOpens()
{
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    // The silent driver always opens; trying it would only wait out one of
    // its buffers when the probe device is closed.
    const char* current = SDL_GetCurrentAudioDriver();
    if (current && std::strcmp(current, kSilentDriver) == 0)
        return true;
    // A short buffer: closing the device waits for the one being played.
    SDL_AudioSpec wanted{};
    wanted.freq = 48000;
    wanted.format = AUDIO_F32;
    wanted.channels = 2;
    wanted.samples = 256;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device == 0)
        return false;
    SDL_CloseAudioDevice(device);
    return true;
}

const char* currentAudioDriver()
{
    const char* current = SDL_GetCurrentAudioDriver();
    return current ? current : "";
}

}  // namespace platform
