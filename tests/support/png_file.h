// Writes small PNG pictures for the tests at run time: 8-bit RGBA or RGB,
// the pixel data stored uncompressed inside the zlib stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_pictures {

// pixels: width * height values 0xAARRGGBB, row by row. False on a write error.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);

// 8-bit RGB, the alpha of `pixels` ignored: what the game's own pictures
// are. With `transparent`, the file names that colour (0xRRGGBB) its
// transparent one (a tRNS chunk).
bool writeRgbPng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels,
                 const std::uint32_t* transparent = nullptr);

// A picture of one colour.
bool writeSolidPng(const std::string& path, int width, int height, std::uint32_t argb);

}  // namespace test_pictures
