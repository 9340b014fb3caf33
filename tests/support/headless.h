// Helpers for tests that open the game window and draw, headless.
#pragma once

#include "render/graphics.h"
#include "win32_window.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// A window with a graphics device, closed again at the end of the test.
class HeadlessGraphics {
public:
    HeadlessGraphics();
    ~HeadlessGraphics();
    Graphics& graphics() { return *g; }
    HWND window() const { return hwnd; }

private:
    HWND hwnd = nullptr;
    std::unique_ptr<Graphics> g;
};

// The back buffer as drawn so far.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Picture readBack();

// Colour channels of 0xAARRGGBB.
inline int red(std::uint32_t c) { return (c >> 16) & 0xFF; }
inline int green(std::uint32_t c) { return (c >> 8) & 0xFF; }
inline int blue(std::uint32_t c) { return c & 0xFF; }
// Every channel within `tolerance` (the software blend may round differently).
bool sameColor(std::uint32_t a, std::uint32_t b, int tolerance = 2);

// The bounding box of pixels that differ from `background`; empty if none.
RECT boundsOfChange(const Picture& p, std::uint32_t background, const RECT& within);

// A scratch folder for this test program, inside the data folder so game
// paths ("tests\\x.png") reach it.
std::string scratchGamePath(const std::string& name);  // game-style relative name
std::string scratchRealPath(const std::string& name);

LRESULT CALLBACK_IGNORE(HWND, UINT, WPARAM, LPARAM);

// An 800 x 600 window of class `className` whose messages are ignored.
HWND createTestWindow(const char* className);

}  // namespace testsupport
