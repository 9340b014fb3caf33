#include "texel_file.h"

#include "picture_check.h"

#include <cstring>

namespace platform {
namespace {

// Raised whenever the texels a picture decodes to would change (how the
// colour key or the ink is worked out), so that older files are not used.
constexpr char MAGIC[8] = {'K', 'H', 'T', 'E', 'X', 'E', 'L', '1'};
constexpr std::size_t FIXED_BYTES = 72;
constexpr std::size_t MOST_PATH = TEXEL_HEADER_MOST - FIXED_BYTES;
constexpr std::uint32_t TRANSPARENT_FLAG = 1;

void put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void put64(std::string& out, std::uint64_t v)
{
    put32(out, static_cast<std::uint32_t>(v));
    put32(out, static_cast<std::uint32_t>(v >> 32));
}

std::uint32_t get32(std::string_view bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

std::uint64_t get64(std::string_view bytes, std::size_t at)
{
    return get32(bytes, at) | (std::uint64_t{get32(bytes, at + 4)} << 32);
}

bool refuse(std::string& why, const char* reason)
{
    why = reason;
    return false;
}

}  // namespace

std::string texelFileHeader(const TexelSource& source, const TexelHeader& header)
{
    std::string out(MAGIC, sizeof MAGIC);
    put32(out, static_cast<std::uint32_t>(FIXED_BYTES + source.path.size()));
    put32(out, static_cast<std::uint32_t>(header.width));
    put32(out, static_cast<std::uint32_t>(header.height));
    put32(out, header.transparent ? TRANSPARENT_FLAG : 0);
    for (int v : {header.inkLeft, header.inkTop, header.inkWidth, header.inkHeight})
        put32(out, static_cast<std::uint32_t>(v));
    put32(out, source.colorKey);
    put64(out, source.size);
    put64(out, static_cast<std::uint64_t>(source.modified));
    put64(out, header.checksum);
    put32(out, static_cast<std::uint32_t>(source.path.size()));
    out += source.path;
    return out;
}

bool readTexelHeader(std::string_view bytes, std::uint64_t fileSize, const TexelSource& expected,
                     TexelHeader& header, std::string& why)
{
    if (bytes.size() < FIXED_BYTES || std::memcmp(bytes.data(), MAGIC, sizeof MAGIC) != 0)
        return refuse(why, "it is not a texel file of this version");
    const std::uint32_t headerBytes = get32(bytes, 8);
    const std::uint32_t pathLength = get32(bytes, 68);
    if (pathLength > MOST_PATH || headerBytes != FIXED_BYTES + pathLength || bytes.size() < headerBytes)
        return refuse(why, "its header is damaged");
    const std::uint32_t width = get32(bytes, 12), height = get32(bytes, 16), flags = get32(bytes, 20);
    if (width == 0 || height == 0 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE || flags > TRANSPARENT_FLAG)
        return refuse(why, "its header is damaged");
    const std::uint32_t inkLeft = get32(bytes, 24), inkTop = get32(bytes, 28);
    const std::uint32_t inkWidth = get32(bytes, 32), inkHeight = get32(bytes, 36);
    const bool noInk = inkLeft == 0 && inkTop == 0 && inkWidth == 0 && inkHeight == 0;
    // Each side no larger than the picture's, so the sums cannot wrap.
    const bool inkInside = inkWidth >= 1 && inkHeight >= 1 && inkLeft < width && inkTop < height &&
                           inkWidth <= width - inkLeft && inkHeight <= height - inkTop;
    if (!noInk && !inkInside)
        return refuse(why, "its header is damaged");
    if (get32(bytes, 40) != expected.colorKey || get64(bytes, 44) != expected.size ||
        get64(bytes, 52) != static_cast<std::uint64_t>(expected.modified) ||
        bytes.substr(FIXED_BYTES, pathLength) != expected.path)
        return refuse(why, "it was made from another picture");
    if (fileSize != headerBytes + std::uint64_t{width} * height * 4)
        return refuse(why, "it does not hold its texels exactly");
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    header.transparent = flags == TRANSPARENT_FLAG;
    header.inkLeft = static_cast<int>(inkLeft);
    header.inkTop = static_cast<int>(inkTop);
    header.inkWidth = static_cast<int>(inkWidth);
    header.inkHeight = static_cast<int>(inkHeight);
    header.checksum = get64(bytes, 60);
    header.headerBytes = headerBytes;
    return true;
}

// Word by word, each row on its own so a pitch wider than the row is left
// out; a row of an odd number of texels ends with one half word.
std::uint64_t texelChecksum(const void* texels, int width, int height, std::size_t pitch)
{
    constexpr std::uint64_t MULTIPLIER = 0x9E3779B97F4A7C15u;
    std::uint64_t sum = 0xCBF29CE484222325u;
    const auto* row = static_cast<const unsigned char*>(texels);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y, row += pitch) {
        std::size_t at = 0;
        for (; at + 8 <= rowBytes; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, row + at, 8);
            sum = (sum ^ word) * MULTIPLIER;
        }
        if (at < rowBytes) {
            std::uint32_t half;
            std::memcpy(&half, row + at, 4);
            sum = (sum ^ half) * MULTIPLIER;
        }
    }
    return sum ^ (sum >> 29);
}

bool readTexelFile(std::string_view file, const TexelSource& expected, TexelHeader& header,
                   std::string_view& texels, std::string& why)
{
    if (!readTexelHeader(file, file.size(), expected, header, why))
        return false;
    texels = file.substr(header.headerBytes);
    if (texelChecksum(texels.data(), header.width, header.height, static_cast<std::size_t>(header.width) * 4) !=
        header.checksum)
        return refuse(why, "its texels are damaged");
    return true;
}

}  // namespace platform
