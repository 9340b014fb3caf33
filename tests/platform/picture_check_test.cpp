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

TEST(PictureCheck, PicturesAskingForTooManyPixelsAreRefused)
{
    std::string why;
    // A JPEG frame header claiming 9488 x 65281: decoding it would ask for gigabytes.
    const std::string jpeg = std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\x01\x25\x10\x03", 12) + std::string(20, '\0');
    EXPECT_FALSE(platform::checkPictureBytes(jpeg, why));
    EXPECT_NE(why.find("9488 x 65281"), std::string::npos) << why;

    // A well-formed JPEG header of a sane size passes.
    const std::string small = std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\x00\x40\x00\x40\x03", 12) + std::string(20, '\0');
    EXPECT_TRUE(platform::checkPictureBytes(small, why)) << why;

    const std::string jpg = bytesOf(fs::path(platform::dataDirectory()) / "pictures" / "ocean.jpg");
    EXPECT_TRUE(platform::checkPictureBytes(jpg, why)) << why;
}
