// The kept texel file's reader: what is written reads back, and a file for
// another picture, with a damaged header or texels, or of the wrong length
// is refused with a reason.
#include "texel_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

platform::TexelSource source()
{
    return platform::TexelSource{"/data/pictures/logo.png", 3'000'000, 1'700'000'000'123'456'789, 0xFF00FF00u};
}

// A 3 x 2 picture (an odd row length, so the checksum's half word counts).
std::string file(const platform::TexelSource& from, std::string& texels)
{
    const std::uint32_t px[6] = {0xFF010203, 0, 0xFF040506, 0x80FFFFFF, 0xFF0A0B0C, 0xFFFFFFFF};
    texels.assign(reinterpret_cast<const char*>(px), sizeof px);
    platform::TexelHeader header;
    header.width = 3;
    header.height = 2;
    header.transparent = true;
    header.inkLeft = 0;
    header.inkTop = 0;
    header.inkWidth = 3;
    header.inkHeight = 2;
    header.checksum = platform::texelChecksum(texels.data(), 3, 2, 12);
    return platform::texelFileHeader(from, header) + texels;
}

}  // namespace

TEST(TexelFile, WhatIsWrittenReadsBackAndAnythingElseIsRefused)
{
    std::string texels;
    const std::string good = file(source(), texels);
    platform::TexelHeader header;
    std::string_view read;
    std::string why;
    ASSERT_TRUE(platform::readTexelFile(good, source(), header, read, why)) << why;
    EXPECT_EQ(read, texels);
    EXPECT_EQ(header.width, 3);
    EXPECT_EQ(header.height, 2);
    EXPECT_TRUE(header.transparent);
    EXPECT_EQ(header.inkWidth, 3);

    auto changed = [&](std::size_t at, char to) {
        std::string bytes = good;
        bytes[at] = to;
        return bytes;
    };
    auto otherSource = [](auto change) {
        platform::TexelSource s = source();
        change(s);
        return s;
    };
    const std::vector<std::tuple<const char*, std::string, platform::TexelSource>> refused = {
        {"another format", changed(7, '2'), source()},
        {"a damaged length", changed(8, 0x10), source()},
        {"zero wide", changed(12, 0), source()},
        {"ink outside", changed(32, 9), source()},
        {"a texel changed", changed(good.size() - 1, 0x7F), source()},
        {"cut short", good.substr(0, good.size() - 1), source()},
        {"too long", good + "x", source()},
        {"only a header's start", good.substr(0, 40), source()},
        {"the picture grew", good, otherSource([](auto& s) { s.size += 1; })},
        {"the picture changed", good, otherSource([](auto& s) { s.modified += 1; })},
        {"another key", good, otherSource([](auto& s) { s.colorKey = 0; })},
        {"another picture", good, otherSource([](auto& s) { s.path = "/data/pictures/logo.pnh"; })},
    };
    for (const auto& [what, bytes, expected] : refused) {
        why.clear();
        EXPECT_FALSE(platform::readTexelFile(bytes, expected, header, read, why)) << what;
        EXPECT_FALSE(why.empty()) << what;
    }
}

TEST(TexelFile, TheChecksumLeavesOutWhatLiesPastEachRow)
{
    // The same texels with rows 12 bytes apart and 16 bytes apart.
    const std::uint32_t tight[6] = {1, 2, 3, 4, 5, 6};
    const std::uint32_t padded[8] = {1, 2, 3, 0xDEAD, 4, 5, 6, 0xBEEF};
    EXPECT_EQ(platform::texelChecksum(tight, 3, 2, 12), platform::texelChecksum(padded, 3, 2, 16));
    const std::uint32_t swapped[6] = {4, 5, 6, 1, 2, 3};
    EXPECT_NE(platform::texelChecksum(tight, 3, 2, 12), platform::texelChecksum(swapped, 3, 2, 12));
}
