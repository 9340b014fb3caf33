// A look at a picture file before it is decoded, so that a damaged or
// hostile file cannot hang the decoder or make it ask for gigabytes, and so
// that one the decoder would give up on is refused when it is loaded, not
// when it is first drawn: the PNG chunk structure, checksums, header fields,
// palette and start of the compressed data, or the JPEG markers up to its
// first scan; and the dimensions against a limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

constexpr unsigned MAX_PICTURE_SIDE = 4096;
constexpr std::size_t MAX_PICTURE_BYTES = 64u << 20;

// True if the bytes are a PNG whose chunks all fit the file and carry the
// right checksums, from IHDR to IEND, or a JPEG whose markers up to the
// first scan are sound; and whose width and height are 1 to
// MAX_PICTURE_SIDE. Otherwise false, with why.
bool checkPictureBytes(std::string_view bytes, std::string& why);

// Reads a whole picture file into `bytes`; false, with why (no such file, a
// folder, the system's reason), if it cannot be opened or read or is larger
// than any picture may be.
bool readPictureFile(const std::string& path, std::string& bytes, std::string& why);

// The same check for a file, read whole (at most MAX_PICTURE_BYTES).
bool checkPictureFile(const std::string& path, std::string& why);

// The CRC-32 a PNG chunk carries over its type and data.
std::uint32_t pngChecksum(std::string_view bytes);

}  // namespace platform
