#include "levels/level_save.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Level 1's shape: 1 + 1 enemy ships, 4 markers, 6 pick-ups.
const LevelSaveShape NARROW{false, 2, 4, 6};
const LevelSaveShape WIDE{true, 3, 2, 4};

LevelSave sample(const LevelSaveShape& shape)
{
    LevelSave s;
    s.mapX = -412.5f;
    s.backgroundX = -412.5f;
    s.ship = SavedShip{250, 2, 380, 66, 3, 2, 150, 10, 34};
    s.endMarker = Placement{1020.25f, 48};
    for (size_t i = 0; i < shape.enemies; ++i)
        s.enemies.push_back(SavedEnemy{400.0f + i, 5, 20, true, i % 2 == 0, 13, -60, 0.5f});
    for (size_t i = 0; i < shape.markers; ++i)
        s.markers.push_back(Placement{static_cast<float>(i * 65), -2});
    for (size_t i = 0; i < shape.pickups; ++i)
        s.pickups.push_back(SavedPickup{i != 1, i != 1, 30.0f * i, 7});
    return s;
}

bool read(const std::string& text, const LevelSaveShape& shape, LevelSave& out, std::string& error)
{
    std::istringstream in(text);
    return readLevelSave(in, shape, out, error);
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

std::string join(const std::vector<std::string>& all)
{
    std::string text;
    for (const std::string& l : all)
        text += l + "\n";
    return text;
}

}  // namespace

TEST(LevelSave, TheRecordIsOneValuePerLineInItsOrder)
{
    const std::string text = levelSaveText(sample(NARROW), NARROW);
    const auto all = lines(text);
    ASSERT_EQ(all.size(), 37u);
    EXPECT_EQ(levelSaveLines(NARROW), 37u);
    // The ship, then the first enemy, then the first pick-up's two flags.
    EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 17),
              (std::vector<std::string>{"250", "2", "380", "66", "3", "2", "150", "10", "34", "400", "5", "20", "1",
                                        "1", "13", "-60", "0.5"}));
    EXPECT_EQ(all[25], "1");
    EXPECT_EQ(all[27], "0") << "the second pick-up was taken";

    const auto wide = lines(levelSaveText(sample(WIDE), WIDE));
    EXPECT_EQ(wide.size(), levelSaveLines(WIDE));
    EXPECT_EQ(wide.size(), 9u + 8 * 3 + 2 * 4 + 2 + 2 + 2 * 2 + 2 * 4);
    EXPECT_EQ(wide[0], "-412.5");
    EXPECT_EQ(wide[11], "1020.25") << "the whirlpool follows the ship";
}

TEST(LevelSave, WhatIsWrittenReadsBackTheSame)
{
    for (const LevelSaveShape& shape : {NARROW, WIDE}) {
        const LevelSave saved = sample(shape);
        LevelSave back;
        std::string error;
        ASSERT_TRUE(read(levelSaveText(saved, shape), shape, back, error)) << error;
        EXPECT_EQ(levelSaveText(back, shape), levelSaveText(saved, shape));
        EXPECT_EQ(back.ship.gold, 250);
        EXPECT_FLOAT_EQ(back.enemies[0].vy, 0.5f);
        EXPECT_FALSE(back.enemies[1].active);
        EXPECT_FALSE(back.pickups[1].visible);
    }
}

TEST(LevelSave, NumbersReadAsTheGameWritesThem)
{
    auto all = lines(levelSaveText(sample(NARROW), NARROW));
    all[0] = "2.7";      // gold: truncated toward zero
    all[4] = "-2.7";     // lives
    all[12] = "0.5";     // a flag: anything but 0 is true
    all[13] = "0";
    all[2] = "3.8e+02";  // the stream's scientific form
    std::string text = join(all);
    // CR LF line ends and blank lines at the end are fine.
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    LevelSave back;
    std::string error;
    ASSERT_TRUE(read(crlf + "\r\n\n", NARROW, back, error)) << error;
    EXPECT_EQ(back.ship.gold, 2);
    EXPECT_EQ(back.ship.lives, -2);
    EXPECT_TRUE(back.enemies[0].visible);
    EXPECT_FALSE(back.enemies[0].active);
    EXPECT_FLOAT_EQ(back.ship.y, 380);
}

TEST(LevelSave, DamagedOrForeignRecordsAreRefusedAndChangeNothing)
{
    const auto good = lines(levelSaveText(sample(NARROW), NARROW));
    auto with = [&](size_t line, const std::string& value) {
        auto all = good;
        all[line] = value;
        return join(all);
    };
    const std::string wideRecord = levelSaveText(sample(WIDE), WIDE);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {"\n\n  \n", "blank"},
        {join(std::vector<std::string>(good.begin(), good.end() - 1)), "one line short"},
        {join(good) + "0\n", "one line long"},
        {wideRecord, "another level's record"},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "binary"},
        {with(3, "nan"), "nan"},
        {with(3, "inf"), "inf"},
        {with(1, "1e30"), "huge float"},
        {with(0, "1e30"), "huge int: must not reach the int conversion"},
        {with(0, "3e9"), "int past its range"},
        {with(14, "-1"), "negative frame"},
        {with(14, "4096"), "frame past the sheet"},
        {with(5, "12abc"), "trailing junk"},
        {with(5, "0x10"), "hex"},
        {with(5, ""), "blank line inside"},
        {with(5, "1 2"), "two numbers on a line"},
        {std::string(levelSaveNS::MAX_FILE_BYTES + 10, '1'), "too large"},
    };
    for (const auto& [text, what] : cases) {
        LevelSave untouched = sample(WIDE);
        std::string error;
        EXPECT_FALSE(read(text, NARROW, untouched, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
        EXPECT_EQ(levelSaveText(untouched, WIDE), wideRecord) << what << ": the target is left alone";
    }
}
