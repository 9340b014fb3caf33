// A picture's texels as the game draws them, kept in a file of their own so
// that a large picture (the logo sheet) is copied in at the next start
// instead of being decoded again. The file names the picture it was made
// from (path, size, time of change, colour key): it is used only while that
// picture is unchanged, and its texels carry a checksum, so a stale, torn or
// damaged file is simply not used.
//
// Layout, little-endian: "KHTEXEL" and a format digit, then the header's
// length, width, height, flags (1: some texel is not fully opaque), the ink
// rectangle (left, top, width, height), colour key, the picture's size in
// bytes and time of change (nanoseconds), the texels' checksum, the path's
// length and the path; then the texels, ARGB8888, row after row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The picture file a texel file stands for.
struct TexelSource {
    std::string path;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since the epoch
    std::uint32_t colorKey = 0;
};

struct TexelHeader {
    int width = 0;
    int height = 0;
    bool transparent = false;
    int inkLeft = 0, inkTop = 0, inkWidth = 0, inkHeight = 0;  // all 0: no ink
    std::uint64_t checksum = 0;
    std::size_t headerBytes = 0;  // where the texels begin
};

// Enough to hold any header this game writes.
constexpr std::size_t TEXEL_HEADER_MOST = 72 + 4096;

// The header's bytes for `source` and `header` (its headerBytes is ignored).
std::string texelFileHeader(const TexelSource& source, const TexelHeader& header);

// Reads the header at the start of `bytes` (at least the whole header, at
// most the whole file) of a file `fileSize` bytes long. True when it is
// sound, stands for `expected`, and the file holds exactly its texels;
// otherwise false, with why.
bool readTexelHeader(std::string_view bytes, std::uint64_t fileSize, const TexelSource& expected,
                     TexelHeader& header, std::string& why);

// The checksum of `height` rows of `width` texels, `pitch` bytes apart.
std::uint64_t texelChecksum(const void* texels, int width, int height, std::size_t pitch);

// A whole texel file: its header read and its texels checked. `texels` is
// where they begin within `file`.
bool readTexelFile(std::string_view file, const TexelSource& expected, TexelHeader& header,
                   std::string_view& texels, std::string& why);

}  // namespace platform
