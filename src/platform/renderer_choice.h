// Which of SDL's renderers the game draws with. SDL prefers OpenGL, but
// where the only OpenGL is a software rasteriser (a machine without a GPU,
// a virtual display) that costs several times what SDL's own software
// renderer does for the same 2D frame; there the software renderer is used.
// KEELHAVEN_RENDER_DRIVER (or SDL_RENDER_DRIVER) still chooses either.
#pragma once

#include <cstdint>
#include <string_view>

struct SDL_Renderer;
struct SDL_Window;

namespace platform {

// Whether an OpenGL renderer string ("llvmpipe (LLVM 15.0.6, 256 bits)")
// names a rasteriser that runs on the processor.
bool namesSoftwareRasteriser(std::string_view glRenderer);

// A renderer for the window: the one asked for by name, or else SDL's
// first choice unless that turns out to be OpenGL on a software
// rasteriser. An accelerated renderer waits for the display's refresh.
// Null, with SDL's error set, when none can be made.
SDL_Renderer* createGameRenderer(SDL_Window* window, std::uint32_t flags);

}  // namespace platform
