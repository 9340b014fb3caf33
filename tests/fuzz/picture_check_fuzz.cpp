// A picture file (PNG or JPEG) of any bytes, looked at before decoding. What
// the check lets through is looked at again here, the slow plain way: a
// PNG's chunks walked one by one with a bitwise CRC, a JPEG's segments to
// its frame header; the sides must be 1 to MAX_PICTURE_SIDE. (The check may
// refuse more, such as what the decoder cannot use.)
#include "fuzz_check.h"
#include "picture_check.h"

namespace {

std::uint32_t bitwiseCrc(std::string_view bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool sidesFit(std::uint64_t width, std::uint64_t height)
{
    return width >= 1 && height >= 1 && width <= platform::MAX_PICTURE_SIDE && height <= platform::MAX_PICTURE_SIDE;
}

bool pngIsWhole(const fuzz::Fields& f)
{
    std::uint64_t at = 8;
    for (bool first = true;; first = false) {
        const std::uint64_t length = f.be(at, 4);
        if (!f.has(at, 12 + length))
            return false;
        if (bitwiseCrc(f.view(at + 4, 4 + length)) != f.be(at + 8 + length, 4))
            return false;
        const std::string_view type = f.view(at + 4, 4);
        if (first && (type != "IHDR" || length != 13 || !sidesFit(f.be(at + 8, 4), f.be(at + 12, 4))))
            return false;
        if (type == "IEND")
            return true;
        at += 12 + length;
    }
}

bool jpegHasFrame(const fuzz::Fields& f)
{
    std::uint64_t at = 2;
    while (f.has(at, 4) && f.byte(at) == 0xFF) {
        const unsigned marker = f.byte(at + 1);
        if (marker == 0xFF) {
            at += 1;  // fill byte
        } else if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;  // markers without a length
        } else {
            const std::uint64_t length = f.be(at + 2, 2);
            if (length < 2 || !f.has(at + 2, length))
                return false;
            const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
            if (frame)
                return length >= 7 && sidesFit(f.be(at + 7, 2), f.be(at + 5, 2));
            at += 2 + length;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string why;
    const bool ok = platform::checkPictureBytes(bytes, why);
    fuzz::require(ok || !why.empty(), "a refused picture says why");

    const fuzz::Fields f(data, size);
    bool whole = false;
    if (bytes.starts_with(std::string_view("\x89PNG\r\n\x1a\n", 8)))
        whole = pngIsWhole(f);
    else if (bytes.starts_with("\xFF\xD8"))
        whole = jpegHasFrame(f);
    fuzz::require(!ok || whole, "an accepted picture is whole, checksums right and sides within the limit");
    fuzz::require(platform::pngChecksum(bytes) == bitwiseCrc(bytes), "the PNG checksum");
    return 0;
}
