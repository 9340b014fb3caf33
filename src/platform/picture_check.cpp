#include "picture_check.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
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

// The bit depths libpng accepts for each colour type.
bool depthFits(unsigned colorType, unsigned depth)
{
    switch (colorType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
    }
}

bool headerFieldsOk(std::string_view b, std::size_t data, std::string& why)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(b[data + i])); };
    if (!depthFits(byte(9), byte(8))) {
        why = "the PNG's colour type " + std::to_string(byte(9)) + " at " + std::to_string(byte(8)) +
              " bits is no kind of PNG";
        return false;
    }
    if (byte(10) != 0 || byte(11) != 0 || byte(12) > 1) {
        why = "the PNG names a compression, filter or interlace method that does not exist";
        return false;
    }
    return true;
}

// The two bytes that open the zlib stream of the image data: deflate, a
// window of at most 32 KB, no preset dictionary, and their checksum.
bool zlibHeaderOk(unsigned char cmf, unsigned char flg)
{
    return (cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && (flg & 0x20) == 0 && ((cmf << 8) | flg) % 31 == 0;
}

// The chunk structure and checksums, and what the decoder would stop at
// before it reaches the pixels: the header's fields, a missing palette or
// image data, a chunk it cannot skip, a broken start of the zlib stream.
bool checkPng(std::string_view b, std::string& why)
{
    std::size_t at = 8;
    bool first = true;
    unsigned colorType = 0;
    bool palette = false;
    std::string zlibStart;  // the first two bytes of the image data
    bool imageData = false;
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
        for (char c : type)
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
                why = "a PNG chunk has no proper name";
                return false;
            }
        if (first) {
            if (type != "IHDR" || length != 13) {
                why = "the PNG does not start with its header";
                return false;
            }
            if (!sideOk(bigEndian32(b, at + 8), bigEndian32(b, at + 12), why) || !headerFieldsOk(b, at + 8, why))
                return false;
            colorType = static_cast<unsigned char>(b[at + 17]);
            first = false;
        } else if (type == "PLTE") {
            if (length == 0 || length % 3 != 0 || length > 256 * 3) {
                why = "the PNG's palette has a wrong length";
                return false;
            }
            palette = true;
        } else if (type == "IDAT") {
            if (colorType == 3 && !palette) {
                why = "the PNG's image data comes before any palette";
                return false;
            }
            imageData = true;
            zlibStart.append(typeAndData.substr(4, std::min<std::size_t>(length, 2 - zlibStart.size())));
        } else if (type == "IEND") {
            if (!imageData || zlibStart.size() < 2) {
                why = "the PNG holds no image data";
                return false;
            }
            if (!zlibHeaderOk(static_cast<unsigned char>(zlibStart[0]), static_cast<unsigned char>(zlibStart[1]))) {
                why = "the PNG's image data does not start as compressed data";
                return false;
            }
            return true;
        } else if (type == "IHDR" || (type[0] & 0x20) == 0) {
            why = "the PNG holds a chunk (" + std::string(type) + ") no decoder may skip";
            return false;
        }
        at += 12 + length;
    }
}

// The tables of a DQT segment: which of the four it defines. False if the
// segment does not hold whole tables.
bool readQuantTables(std::string_view seg, unsigned& defined)
{
    std::size_t at = 0;
    while (at < seg.size()) {
        const unsigned pq = static_cast<unsigned char>(seg[at]) >> 4, tq = static_cast<unsigned char>(seg[at]) & 15;
        const std::size_t size = 1 + (pq == 0 ? 64 : 128);
        if (pq > 1 || tq > 3 || seg.size() - at < size)
            return false;
        defined |= 1u << tq;
        at += size;
    }
    return true;
}

// A DHT segment: whole tables of at most 256 codes, class 0 or 1, number 0 to 3.
bool huffmanTablesOk(std::string_view seg)
{
    std::size_t at = 0;
    while (at < seg.size()) {
        if (seg.size() - at < 17)
            return false;
        const unsigned tc = static_cast<unsigned char>(seg[at]) >> 4, th = static_cast<unsigned char>(seg[at]) & 15;
        std::size_t codes = 0;
        for (std::size_t i = 1; i <= 16; ++i)
            codes += static_cast<unsigned char>(seg[at + i]);
        if (tc > 1 || th > 3 || codes > 256 || seg.size() - at - 17 < codes)
            return false;
        at += 17 + codes;
    }
    return true;
}

// The markers up to the first scan, as libjpeg reads them: a kind of frame
// it decodes, with sides in bounds and 1, 3 or 4 components, each of whose
// quantisation tables is defined before the scan, and a scan of those
// components. What follows is entropy-coded data, which it reads past any
// damage.
bool checkJpeg(std::string_view b, std::string& why)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(b[i])); };
    std::size_t at = 2;
    bool frame = false;
    unsigned componentIds[4] = {};
    unsigned componentTables[4] = {};
    unsigned components = 0;
    unsigned quantTables = 0;
    while (at + 4 <= b.size()) {
        if (byte(at) != 0xFF)
            break;
        const unsigned marker = byte(at + 1);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9)
            break;  // the end before any scan
        const std::size_t length = (byte(at + 2) << 8) | byte(at + 3);
        if (length < 2 || at + 2 + length > b.size())
            break;
        const std::string_view seg = b.substr(at + 4, length - 2);
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (!frame && length < 8)
                break;
            if (frame) {
                why = "the JPEG has two frame headers";
                return false;
            }
            if (marker != 0xC0 && marker != 0xC1 && marker != 0xC2 && marker != 0xC9 && marker != 0xCA) {
                why = "the JPEG is of a kind (lossless or hierarchical) that is not decoded";
                return false;
            }
            const std::uint32_t height = (byte(at + 5) << 8) | byte(at + 6);
            const std::uint32_t width = (byte(at + 7) << 8) | byte(at + 8);
            if (!sideOk(width, height, why))
                return false;
            components = byte(at + 9);
            if (byte(at + 4) != 8 || (components != 1 && components != 3 && components != 4) ||
                length != 8 + 3 * components) {
                why = "the JPEG's frame header is not one of 8-bit samples in 1, 3 or 4 components";
                return false;
            }
            for (unsigned c = 0; c < components; ++c) {
                const std::size_t entry = at + 10 + 3 * c;
                const unsigned h = byte(entry + 1) >> 4, v = byte(entry + 1) & 15;
                componentIds[c] = byte(entry);
                componentTables[c] = byte(entry + 2);
                if (h < 1 || h > 4 || v < 1 || v > 4 || componentTables[c] > 3) {
                    why = "a JPEG component has a wrong sampling or table";
                    return false;
                }
            }
            frame = true;
        } else if (marker == 0xDB) {
            if (!readQuantTables(seg, quantTables)) {
                why = "the JPEG's quantisation tables are cut short or wrong";
                return false;
            }
        } else if (marker == 0xC4) {
            if (!huffmanTablesOk(seg)) {
                why = "the JPEG's Huffman tables are cut short or wrong";
                return false;
            }
        } else if (marker == 0xDA) {
            if (!frame) {
                why = "the JPEG has no readable frame header";
                return false;
            }
            const unsigned inScan = length >= 3 ? byte(at + 4) : 0;
            if (inScan < 1 || inScan > 4 || length != 6 + 2 * inScan) {
                why = "the JPEG's scan header is wrong";
                return false;
            }
            for (unsigned s = 0; s < inScan; ++s) {
                const unsigned id = byte(at + 5 + 2 * s);
                if (std::find(componentIds, componentIds + components, id) == componentIds + components) {
                    why = "the JPEG's scan names a component the frame does not have";
                    return false;
                }
            }
            for (unsigned c = 0; c < components; ++c)
                if ((quantTables & (1u << componentTables[c])) == 0) {
                    why = "the JPEG uses a quantisation table it does not define";
                    return false;
                }
            return true;
        } else if (!(marker >= 0xE0 && marker <= 0xEF) && marker != 0xFE && marker != 0xDD && marker != 0xCC &&
                   marker != 0xDC) {
            why = "the JPEG holds a marker the decoder does not know";
            return false;
        }
        at += 2 + length;
    }
    why = frame ? "the JPEG has no image data" : "the JPEG has no readable frame header";
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
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        why = "it is a folder";  // which a stream would open, then fail to read
        return false;
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        const int error = errno;
        if (!std::filesystem::exists(path, ec))
            why = "there is no such file";
        else
            why = std::string("it cannot be opened (") + std::strerror(error) + ")";
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
