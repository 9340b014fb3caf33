// Writes small PNG pictures for the tests at run time: 8-bit RGBA, the
// pixel data stored uncompressed inside the zlib stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_pictures {

// pixels: width * height values 0xAARRGGBB, row by row. False on a write error.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);

// A picture of one colour.
bool writeSolidPng(const std::string& path, int width, int height, std::uint32_t argb);

}  // namespace test_pictures
