#include "renderer_choice.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace platform {

namespace {

constexpr unsigned GL_RENDERER_NAME = 0x1F01;  // GL_RENDERER
using GetString = const unsigned char* (*)(unsigned);

// The OpenGL renderer string of the context `renderer` made current, or
// empty when it is not an OpenGL renderer.
std::string glRendererName(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr ||
        std::string_view(info.name).rfind("opengl", 0) != 0)
        return {};
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(GL_RENDERER_NAME) : nullptr;
    return name != nullptr ? std::string(reinterpret_cast<const char*>(name)) : std::string();
}

}  // namespace

bool namesSoftwareRasteriser(std::string_view glRenderer)
{
    std::string lower(glRenderer);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
        if (lower.find(software) != std::string::npos)
            return true;
    return false;
}

SDL_Renderer* createGameRenderer(SDL_Window* window, std::uint32_t flags)
{
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool chosen = asked != nullptr && *asked != '\0';
    const bool software = chosen && SDL_strcasecmp(asked, "software") == 0;
    // The software renderer draws into the window's surface. Left to itself
    // SDL would show that surface through a second, GPU renderer (without a
    // GPU, a software one emulating it), which costs more than drawing the
    // frame; the window system's own framebuffer shows it directly.
    if (software)
        SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    // A renderer that waits for the display's refresh draws no frame the
    // screen never shows; the game's own frame cap then never comes into
    // play. SDL_RENDER_VSYNC=0 turns it off.
    const Uint32 accelerated = software ? flags : flags | SDL_RENDERER_PRESENTVSYNC;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, accelerated);
    if (renderer == nullptr && accelerated != flags)
        renderer = SDL_CreateRenderer(window, -1, flags);
    if (renderer == nullptr || chosen)
        return renderer;
    const std::string gl = glRendererName(renderer);
    if (!namesSoftwareRasteriser(gl))
        return renderer;
    SDL_Log("OpenGL here is %s, on the processor: drawing with SDL's software renderer instead", gl.c_str());
    SDL_DestroyRenderer(renderer);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    const int count = SDL_GetNumRenderDrivers();
    for (int i = 0; i < count; ++i) {
        SDL_RendererInfo info{};
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name != nullptr && SDL_strcasecmp(info.name, "software") == 0)
            return SDL_CreateRenderer(window, i, flags);
    }
    return SDL_CreateRenderer(window, -1, flags);
}

}  // namespace platform
