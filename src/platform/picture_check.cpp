#include "picture_check.h"

#include <array>
#include <cstdint>
#include <fstream>

namespace platform {
namespace {

std::uint32_t bigEndian32(std::string_view b, std::size_t at)
{
    return (std::uint32_t{static_cast<unsigned char>(b[at])} << 24) |
           (std::uint32_t{static_cast<unsigned char>(b[at + 1])} << 16) |
           (std::uint32_t{static_cast<unsigned char>(b[at + 2])} << 8) | static_cast<unsigned char>(b[at + 3]);
}

bool sideOk(std::uint32_t width, std::uint32_t height, std::string& why)
{
    if (width == 0 || height == 0 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE) {
        why = "it claims " + std::to_string(width) + " x " + std::to_string(height) + " pixels (at most " +
              std::to_string(MAX_PICTURE_SIDE) + " a side)";
        return false;
    }
    return true;
}

bool checkPng(std::string_view b, std::string& why)
{
    std::size_t at = 8;
    bool first = true;
    while (true) {
        if (b.size() - at < 12) {
            why = "a PNG chunk runs past the end of the file";
            return false;
        }
        const std::uint32_t length = bigEndian32(b, at);
        if (length > b.size() - at - 12) {
            why = "a PNG chunk is longer than the file";
            return false;
        }
        const std::string_view typeAndData = b.substr(at + 4, 4 + length);
        if (pngChecksum(typeAndData) != bigEndian32(b, at + 8 + length)) {
            why = "a PNG chunk's checksum is wrong";
            return false;
        }
        const std::string_view type = typeAndData.substr(0, 4);
        if (first) {
            if (type != "IHDR" || length != 13) {
                why = "the PNG does not start with its header";
                return false;
            }
            if (!sideOk(bigEndian32(b, at + 8), bigEndian32(b, at + 12), why))
                return false;
            first = false;
        }
        if (type == "IEND")
            return true;
        at += 12 + length;
    }
}

bool checkJpeg(std::string_view b, std::string& why)
{
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF)
            break;
        const unsigned char marker = static_cast<unsigned char>(b[at + 1]);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const std::size_t length = (static_cast<std::size_t>(static_cast<unsigned char>(b[at + 2])) << 8) |
                                   static_cast<unsigned char>(b[at + 3]);
        if (length < 2 || at + 2 + length > b.size())
            break;
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (length < 7)
                break;
            const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])); };
            const std::uint32_t height = (byte(at + 5) << 8) | byte(at + 6);
            const std::uint32_t width = (byte(at + 7) << 8) | byte(at + 8);
            return sideOk(width, height, why);
        }
        at += 2 + length;
    }
    why = "the JPEG has no readable frame header";
    return false;
}

}  // namespace

std::uint32_t pngChecksum(std::string_view bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

bool checkPictureBytes(std::string_view bytes, std::string& why)
{
    static constexpr std::string_view pngSignature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.substr(0, 8) == pngSignature)
        return checkPng(bytes, why);
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xD8)
        return checkJpeg(bytes, why);
    why = "it is neither a PNG nor a JPEG";
    return false;
}

bool readPictureFile(const std::string& path, std::string& bytes, std::string& why)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        why = "it cannot be opened";
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > MAX_PICTURE_BYTES) {
        why = "it is larger than " + std::to_string(MAX_PICTURE_BYTES >> 20) + " MB";
        return false;
    }
    bytes.assign(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size)) {
        why = "it cannot be read";
        return false;
    }
    return true;
}

bool checkPictureFile(const std::string& path, std::string& why)
{
    std::string bytes;
    return readPictureFile(path, bytes, why) && checkPictureBytes(bytes, why);
}

}  // namespace platform
