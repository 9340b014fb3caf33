// One hidden window and graphics device for the whole test program, a scratch
// folder for pictures made at run time, and a way to render one frame and
// read it back.
#pragma once

#include "render/graphics.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// Created on first use and kept until the program ends.
Graphics& graphics();

// A fresh folder for this test program's pictures (lower case throughout, so
// that the texture manager's lower-casing of names finds them). Ends in '/'.
const std::string& scratchDir();

// One 800 x 600 frame: cleared to the back colour, `draw` called between
// spriteBegin and spriteEnd, then read back as 0xAARRGGBB pixels.
struct Frame {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
    // Pixels inside the rectangle that differ from the back colour.
    int countDrawn(int left, int top, int right, int bottom) const;
};
Frame renderFrame(const std::function<void()>& draw);

}  // namespace headless
