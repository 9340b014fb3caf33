#include "support/png_file.h"

#include "picture_check.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace test_pictures {
namespace {

void putBE32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void putChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data)
{
    putBE32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBE32(out, platform::pngChecksum({reinterpret_cast<const char*>(typed.data()), typed.size()}));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& raw)
{
    std::vector<std::uint8_t> z{0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t len = std::min<size_t>(raw.size() - pos, 65535);
        const bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(len));
        z.push_back(static_cast<std::uint8_t>(len >> 8));
        z.push_back(static_cast<std::uint8_t>(~len));
        z.push_back(static_cast<std::uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(pos), raw.begin() + static_cast<long>(pos + len));
        pos += len;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBE32(z, (b << 16) | a);
    return z;
}

// The rows of `pixels` as 8-bit RGBA (colour type 6) or RGB (2), with an
// optional tRNS chunk, into a PNG file.
bool writeFile(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels, bool alpha,
               const std::uint32_t* transparent)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return false;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + static_cast<size_t>(width) * 4));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
            if (alpha)
                raw.push_back(static_cast<std::uint8_t>(p >> 24));
        }
    }
    std::vector<std::uint8_t> header;
    putBE32(header, static_cast<std::uint32_t>(width));
    putBE32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, static_cast<std::uint8_t>(alpha ? 6 : 2), 0, 0, 0});  // 8-bit, no interlace

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(png, "IHDR", header);
    if (transparent) {
        const std::uint32_t c = *transparent;
        putChunk(png, "tRNS", {0, static_cast<std::uint8_t>(c >> 16), 0, static_cast<std::uint8_t>(c >> 8), 0,
                               static_cast<std::uint8_t>(c)});
    }
    putChunk(png, "IDAT", zlibStored(raw));
    putChunk(png, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels)
{
    return writeFile(path, width, height, pixels, true, nullptr);
}

bool writeRgbPng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels,
                 const std::uint32_t* transparent)
{
    return writeFile(path, width, height, pixels, false, transparent);
}

bool writeSolidPng(const std::string& path, int width, int height, std::uint32_t argb)
{
    return writePng(path, width, height,
                    std::vector<std::uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), argb));
}

}  // namespace test_pictures
