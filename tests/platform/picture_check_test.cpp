#include "picture_check.h"

#include "files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string damaged(const char* name) { return (fs::path(__FILE__).parent_path() / "damaged" / name).string(); }

}  // namespace

TEST(PictureCheck, EveryShippedPicturePasses)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(platform::dataDirectory() + "pictures")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".png" && ext != ".jpg")
            continue;
        std::string why;
        EXPECT_TRUE(platform::checkPictureFile(entry.path().string(), why)) << entry.path() << ": " << why;
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

TEST(PictureCheck, DamagedPicturesAreRefusedWithAReason)
{
    std::string why;
    // Found by fuzzing: the decoder looped for ever on its broken chunks.
    EXPECT_FALSE(platform::checkPictureFile(damaged("picture-decoder-loops.png"), why));
    EXPECT_FALSE(why.empty());

    const std::string good = bytesOf(fs::path(platform::dataDirectory()) / "pictures" / "marker.png");
    ASSERT_TRUE(platform::checkPictureBytes(good, why)) << why;
    for (size_t cut : {size_t{7}, size_t{20}, good.size() / 2, good.size() - 1}) {
        EXPECT_FALSE(platform::checkPictureBytes(good.substr(0, cut), why)) << cut;
    }
    std::string flipped = good;
    flipped[40] = static_cast<char>(flipped[40] ^ 0x10);
    EXPECT_FALSE(platform::checkPictureBytes(flipped, why));
    EXPECT_FALSE(platform::checkPictureBytes(std::string(500, 'x'), why));
    EXPECT_FALSE(platform::checkPictureBytes("", why));
    EXPECT_FALSE(platform::checkPictureFile(damaged("no-such-file.png"), why));
}

namespace {

// The markers of a 64 x 64 three-component JPEG up to its first scan: one
// quantisation table (number `table`), the frame, and a scan whose first
// component is `scanComponent`; then a few bytes of data.
std::string jpegHeaders(int table, int scanComponent)
{
    std::string b("\xFF\xD8", 2);
    b += std::string("\xFF\xDB\x00\x43", 4) + static_cast<char>(table) + std::string(64, '\x01');
    b += std::string("\xFF\xC0\x00\x11\x08\x00\x40\x00\x40\x03", 10);
    for (char id = 1; id <= 3; ++id)
        b += std::string{id, '\x11', '\x00'};
    b += std::string("\xFF\xDA\x00\x0C\x03", 5);
    b += std::string{static_cast<char>(scanComponent), '\x00', '\x02', '\x11', '\x03', '\x11'};
    b += std::string("\x00\x3F\x00", 3) + std::string(16, '\x55') + "\xFF\xD9";
    return b;
}

}  // namespace

// What libjpeg gives up on before its first scan is refused at load time,
// not found when the picture is first drawn.
TEST(PictureCheck, JpegsTheDecoderWouldRefuseAreRefusedAtLoad)
{
    std::string why;
    EXPECT_FALSE(platform::checkPictureBytes(jpegHeaders(1, 1), why));
    EXPECT_NE(why.find("quantisation table"), std::string::npos) << why;
    EXPECT_FALSE(platform::checkPictureBytes(jpegHeaders(0, 9), why));
    EXPECT_NE(why.find("component"), std::string::npos) << why;
    std::string lossless = jpegHeaders(0, 1);
    lossless[lossless.find("\xFF\xC0") + 1] = '\xC3';
    EXPECT_FALSE(platform::checkPictureBytes(lossless, why));
    const std::string noScan = jpegHeaders(0, 1).substr(0, 2 + 4 + 65 + 19) + "\xFF\xD9";
    EXPECT_FALSE(platform::checkPictureBytes(noScan, why));
    EXPECT_NE(why.find("no image data"), std::string::npos) << why;
}

TEST(PictureCheck, PicturesAskingForTooManyPixelsAreRefused)
{
    std::string why;
    // A JPEG frame header claiming 9488 x 65281: decoding it would ask for gigabytes.
    const std::string jpeg = std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\x01\x25\x10\x03", 12) + std::string(20, '\0');
    EXPECT_FALSE(platform::checkPictureBytes(jpeg, why));
    EXPECT_NE(why.find("9488 x 65281"), std::string::npos) << why;

    // A well-formed JPEG header of a sane size passes.
    EXPECT_TRUE(platform::checkPictureBytes(jpegHeaders(0, 1), why)) << why;

    const std::string jpg = bytesOf(fs::path(platform::dataDirectory()) / "pictures" / "ocean.jpg");
    EXPECT_TRUE(platform::checkPictureBytes(jpg, why)) << why;
}

namespace {

// `png` with byte `offset` of the data of its first `type` chunk set to
// `value` and the chunk's checksum made right again.
std::string withChunkByte(std::string png, const char* type, size_t offset, char value)
{
    const size_t at = png.find(type);
    const auto byte = [&](size_t i) { return std::uint32_t{static_cast<unsigned char>(png[i])}; };
    const std::uint32_t length = (byte(at - 4) << 24) | (byte(at - 3) << 16) | (byte(at - 2) << 8) | byte(at - 1);
    png[at + 4 + offset] = value;
    const std::uint32_t crc = platform::pngChecksum(std::string_view(png).substr(at, 4 + length));
    for (int i = 0; i < 4; ++i)
        png[at + 4 + length + static_cast<size_t>(i)] = static_cast<char>(crc >> (24 - 8 * i));
    return png;
}

}  // namespace

// Checksums right, and still what libpng stops at before any pixel: these
// are refused when loaded.
TEST(PictureCheck, PngsTheDecoderWouldRefuseAreRefusedAtLoad)
{
    const std::string good = bytesOf(fs::path(platform::dataDirectory()) / "pictures" / "marker.png");
    std::string why;
    ASSERT_TRUE(platform::checkPictureBytes(good, why)) << why;
    EXPECT_FALSE(platform::checkPictureBytes(withChunkByte(good, "IHDR", 8, 3), why)) << "3 bits a sample";
    EXPECT_NE(why.find("colour type"), std::string::npos) << why;
    EXPECT_FALSE(platform::checkPictureBytes(withChunkByte(good, "IHDR", 12, 2), why)) << "interlace method 2";
    EXPECT_FALSE(platform::checkPictureBytes(withChunkByte(good, "IDAT", 0, 0), why)) << "no zlib stream";
    EXPECT_NE(why.find("compressed"), std::string::npos) << why;
    EXPECT_FALSE(platform::checkPictureBytes(withChunkByte(good, "IHDR", 9, 3), why)) << "a palette picture, no palette";
}
