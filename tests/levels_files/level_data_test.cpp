// Reading level data files: a full file, the optional enemy settings, line
// endings and comments, and every way a file is refused, each message naming
// the file and line.
#include "levels/level_data.h"

#include "support/headless.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace {

const std::string FILE_NAME = "levels\\level1.txt";

struct Result {
    bool ok = false;
    LevelData data;
    std::string error;
};

Result parse(const std::string& text)
{
    Result r;
    std::istringstream in(text);
    r.ok = parseLevelData(in, FILE_NAME, r.data, r.error);
    return r;
}

// The smallest file that is accepted, for tests that add one line to it.
const std::string MINIMAL = "ship 2 380\nwhirlpool 666 276\n";

// The error of `MINIMAL` followed by `line` (which is line 3).
std::string errorOfThirdLine(const std::string& line)
{
    Result r = parse(MINIMAL + line + "\n");
    EXPECT_FALSE(r.ok) << line;
    return r.error;
}

const std::string LEVEL1 =
    "# Level 1\n"
    "ship 2 380\n"
    "\n"
    "coin 440 140\n"
    "coin 330 140\n"
    "coin 140 400\n"
    "ammo 335 270\n"
    "treasure 330 400\n"
    "health 460 400\n"
    "enemy EnemyShip 400 5 left 150 -150 patrol-horizontal\n"
    "enemy EnemyShip1 192 194 down 200 -200 patrol-vertical frame=left respawn=192,256\n"
    "\t marker 0 0\n"
    "marker 710 0\n"
    "marker 192 64\n"
    "marker 192 455\n"
    "whirlpool 666 276\n"
    "turn EnemyShip1 0 3 right\n"
    "turn EnemyShip 0 1 around\n";

}  // namespace

TEST(LevelData, AFullFileReadsIntoEveryList)
{
    Result r = parse(LEVEL1);
    ASSERT_TRUE(r.ok) << r.error;
    const LevelData& d = r.data;
    EXPECT_FLOAT_EQ(d.ship.x, 2);
    EXPECT_FLOAT_EQ(d.ship.y, 380);
    ASSERT_EQ(d.coins.size(), 3u);
    EXPECT_FLOAT_EQ(d.coins[1].x, 330);
    EXPECT_FLOAT_EQ(d.coins[2].y, 400);
    ASSERT_EQ(d.ammoPickups.size(), 1u);
    ASSERT_EQ(d.treasures.size(), 1u);
    ASSERT_EQ(d.healthPickups.size(), 1u);
    EXPECT_FLOAT_EQ(d.healthPickups[0].x, 460);
    ASSERT_EQ(d.markers.size(), 4u);
    EXPECT_FLOAT_EQ(d.markers[3].y, 455);
    ASSERT_EQ(d.whirlpools.size(), 1u);
    EXPECT_FLOAT_EQ(d.whirlpools[0].x, 666);

    ASSERT_EQ(d.enemyShips.size(), 1u);
    const EnemyPlacement& e = d.enemyShips[0];
    EXPECT_EQ(e.kind, EnemyKind::EnemyShip);
    EXPECT_FLOAT_EQ(e.start.x, 400);
    EXPECT_FLOAT_EQ(e.start.y, 5);
    EXPECT_EQ(e.direction, levelDataNS::LEFT);
    EXPECT_EQ(e.facing, levelDataNS::LEFT) << "without frame= the picture follows the direction";
    EXPECT_FLOAT_EQ(e.respawn.x, 400) << "without respawn= it comes back where it started";
    EXPECT_FLOAT_EQ(e.respawn.y, 5);
    EXPECT_FLOAT_EQ(e.vx, 150);
    EXPECT_FLOAT_EQ(e.vy, -150);
    EXPECT_EQ(e.mode, levelDataNS::MODE_PATROL_HORIZONTAL);

    ASSERT_EQ(d.enemyShip1s.size(), 1u);
    const EnemyPlacement& e1 = d.enemyShip1s[0];
    EXPECT_EQ(e1.kind, EnemyKind::EnemyShip1);
    EXPECT_EQ(e1.direction, levelDataNS::DOWN);
    EXPECT_EQ(e1.facing, levelDataNS::LEFT);
    EXPECT_FLOAT_EQ(e1.start.y, 194);
    EXPECT_FLOAT_EQ(e1.respawn.x, 192);
    EXPECT_FLOAT_EQ(e1.respawn.y, 256);
    EXPECT_EQ(e1.mode, levelDataNS::MODE_PATROL_VERTICAL);

    ASSERT_EQ(d.turns.size(), 2u);
    EXPECT_EQ(d.turns[0].kind, EnemyKind::EnemyShip1);
    EXPECT_EQ(d.turns[0].enemy, 0);
    EXPECT_EQ(d.turns[0].marker, 3);
    EXPECT_EQ(d.turns[0].turn, Turn::Right);
    EXPECT_EQ(d.turns[1].kind, EnemyKind::EnemyShip);
    EXPECT_EQ(d.turns[1].marker, 1);
    EXPECT_EQ(d.turns[1].turn, Turn::Around);
}

TEST(LevelData, EveryWordOfEachChoiceAndOptionsInEitherOrder)
{
    Result r = parse(MINIMAL +
                     "enemy EnemyShip 1.5 -2.25 up 10 -10 stopped respawn=3,4 frame=right\n"
                     "enemy EnemyShip 0 0 right 0 0 cruise\n"
                     "enemy EnemyShip 0 0 down 0 0 guard frame=up\n"
                     "enemy EnemyShip 0 0 left 1e2 0 patrol-vertical\n"
                     "marker 1 1\n"
                     "turn EnemyShip 2 0 left\n"
                     "whirlpool 10 20\n");
    ASSERT_TRUE(r.ok) << r.error;
    const auto& e = r.data.enemyShips;
    ASSERT_EQ(e.size(), 4u);
    EXPECT_FLOAT_EQ(e[0].start.x, 1.5f);
    EXPECT_FLOAT_EQ(e[0].start.y, -2.25f);
    EXPECT_EQ(e[0].direction, levelDataNS::UP);
    EXPECT_EQ(e[0].facing, levelDataNS::RIGHT);
    EXPECT_FLOAT_EQ(e[0].respawn.x, 3);
    EXPECT_FLOAT_EQ(e[0].respawn.y, 4);
    EXPECT_EQ(e[0].mode, levelDataNS::MODE_STOPPED);
    EXPECT_EQ(e[1].direction, levelDataNS::RIGHT);
    EXPECT_EQ(e[1].mode, levelDataNS::MODE_CRUISE);
    EXPECT_EQ(e[2].facing, levelDataNS::UP);
    EXPECT_EQ(e[2].mode, levelDataNS::MODE_GUARD);
    EXPECT_FLOAT_EQ(e[3].vx, 100);
    EXPECT_EQ(r.data.turns.at(0).turn, Turn::Left);
    ASSERT_EQ(r.data.whirlpools.size(), 2u) << "a second whirlpool is a second exit";
    EXPECT_FLOAT_EQ(r.data.whirlpools[1].y, 20);
    EXPECT_TRUE(r.data.enemyShip1s.empty());
}

TEST(LevelData, WindowsLineEndingsCommentsAndAByteOrderMarkAreAccepted)
{
    std::string crlf;
    for (char c : LEVEL1) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    Result r = parse("\xEF\xBB\xBF" + crlf);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.data.coins.size(), 3u);
    EXPECT_FLOAT_EQ(r.data.enemyShip1s.at(0).respawn.y, 256) << "no \\r left on the last token";

    Result noFinalNewline = parse("ship 1 2\r\n  # indented comment\r\n\t\r\nwhirlpool 3 4");
    ASSERT_TRUE(noFinalNewline.ok) << noFinalNewline.error;
    EXPECT_FLOAT_EQ(noFinalNewline.data.whirlpools.at(0).y, 4);
}

TEST(LevelData, ARefusedFileLeavesTheResultAlone)
{
    LevelData data;
    data.coins.push_back({7, 8});
    std::string error;
    std::istringstream in(MINIMAL + "coin 1\n");
    EXPECT_FALSE(parseLevelData(in, FILE_NAME, data, error));
    ASSERT_EQ(data.coins.size(), 1u);
    EXPECT_FLOAT_EQ(data.coins[0].x, 7);
}

TEST(LevelData, TheMessageNamesFileLineAndTheBadToken)
{
    Result r = parse("# Level 1\nship 2 380\n\ncoin 1 2\ncoin 3 4\nmarker 0 0\ncoin 100 4o0\nwhirlpool 1 1\n");
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Error in level data levels\\level1.txt line 7: expected a number for y, found \"4o0\"");
}

TEST(LevelData, UnknownKeywordsAndWrongTokenCounts)
{
    EXPECT_EQ(errorOfThirdLine("Coin 1 2"), "Error in level data levels\\level1.txt line 3: unknown keyword \"Coin\"");
    EXPECT_EQ(errorOfThirdLine("coin 1"),
              "Error in level data levels\\level1.txt line 3: missing y (expected \"coin X Y\")");
    EXPECT_EQ(errorOfThirdLine("treasure 1 2 3"),
              "Error in level data levels\\level1.txt line 3: unexpected \"3\" (expected \"treasure X Y\")");
    EXPECT_NE(errorOfThirdLine("enemy EnemyShip 1 2 left 3 4").find("line 3: missing mode"), std::string::npos);
    EXPECT_NE(errorOfThirdLine("enemy EnemyShip 1 2 left 3 4 guard 9").find("line 3: unexpected \"9\""),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine("turn EnemyShip 0 0").find("line 3: missing turn"), std::string::npos);
    EXPECT_NE(errorOfThirdLine("turn EnemyShip 0 0 left x").find("line 3: unexpected \"x\""), std::string::npos);
    EXPECT_NE(errorOfThirdLine("coin 1 2 # a note").find("unexpected \"#\""), std::string::npos)
        << "comments take a line of their own";
}

TEST(LevelData, NumbersMustBeWholeFiniteAndDecimal)
{
    for (const char* bad : {"1x", "x1", "0x10", "+5", "inf", "nan", "-inf", "1e999", "1,5", "--1", "."}) {
        EXPECT_NE(errorOfThirdLine(std::string("health 1 ") + bad).find("expected a number for y, found"),
                  std::string::npos)
            << bad;
    }
    EXPECT_NE(errorOfThirdLine("enemy EnemyShip1 1 2 up 3 z stopped").find("expected a number for vy, found \"z\""),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine("turn EnemyShip 0.5 0 left").find("expected a whole number for enemy, found \"0.5\""),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine("turn EnemyShip 0 99999999999 left").find("whole number for marker"), std::string::npos);
}

TEST(LevelData, UnknownWordsListWhatIsAllowed)
{
    EXPECT_NE(errorOfThirdLine("enemy Frigate 1 2 up 3 4 stopped")
                  .find("expected EnemyShip or EnemyShip1 for kind, found \"Frigate\""),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine("enemy EnemyShip 1 2 Up 3 4 stopped")
                  .find("expected up, down, left or right for direction, found \"Up\""),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine("enemy EnemyShip 1 2 up 3 4 patrol")
                  .find("expected stopped, patrol-horizontal, patrol-vertical, cruise or guard for mode"),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine("turn EnemyShip 0 0 back").find("expected around, left or right for turn"),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine("turn enemyship 0 0 left").find("for kind, found \"enemyship\""), std::string::npos);
}

TEST(LevelData, BadEnemyOptions)
{
    const std::string enemy = "enemy EnemyShip 1 2 up 3 4 stopped ";
    EXPECT_NE(errorOfThirdLine(enemy + "frame=sideways").find("for frame, found \"sideways\""), std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "frame=").find("for frame, found \"\""), std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "frame=up frame=down").find("frame= given twice"), std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "respawn=5").find("expected \"respawn=X,Y\", found \"respawn=5\""),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "respawn=5,").find("expected a number for respawn y, found \"\""),
              std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "respawn=a,5").find("for respawn x, found \"a\""), std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "respawn=1,2,3").find("for respawn y, found \"2,3\""), std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "respawn=1,2 respawn=1,2").find("respawn= given twice"), std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "speed=3").find("unexpected \"speed=3\""), std::string::npos);
    EXPECT_NE(errorOfThirdLine(enemy + "Frame=up").find("unexpected \"Frame=up\""), std::string::npos);
}

TEST(LevelData, ShipAndWhirlpoolCounts)
{
    EXPECT_EQ(parse("whirlpool 1 1\ncoin 2 2\n").error, "Error in level data levels\\level1.txt: no ship line");
    EXPECT_EQ(parse("ship 1 1\n").error, "Error in level data levels\\level1.txt: no whirlpool line");
    EXPECT_EQ(parse("").error, "Error in level data levels\\level1.txt: no ship line");
    EXPECT_EQ(parse("ship 1 1\nwhirlpool 1 1\n\nship 2 2\n").error,
              "Error in level data levels\\level1.txt line 4: a second ship line (the first is line 1)");
    EXPECT_EQ(parse("ship 1 1\nwhirlpool 1 1\nwhirlpool 2 2\nwhirlpool 3 3\n").error,
              "Error in level data levels\\level1.txt line 4: a third whirlpool line (a level has one or two)");
}

TEST(LevelData, TurnsMustNameEnemiesAndMarkersTheFileHas)
{
    // Checked once every line is in: a turn may come before what it names.
    Result early =
        parse("turn EnemyShip1 0 1 left\n" + MINIMAL + "enemy EnemyShip1 0 0 up 1 -1 cruise\nmarker 0 0\nmarker 5 5\n");
    EXPECT_TRUE(early.ok) << early.error;

    const std::string body = MINIMAL + "enemy EnemyShip 0 0 up 1 -1 cruise\nmarker 0 0\nmarker 5 5\n";
    EXPECT_EQ(
        parse(body + "turn EnemyShip 0 1 left\nturn EnemyShip 1 0 left\n").error,
        "Error in level data levels\\level1.txt line 7: there is no EnemyShip 1 (the file has 1, numbered from 0)");
    EXPECT_EQ(parse(body + "turn EnemyShip1 0 0 left\n").error,
              "Error in level data levels\\level1.txt line 6: there is no EnemyShip1 0 (the file has none)");
    EXPECT_EQ(parse(body + "turn EnemyShip 0 2 around\nmarker 9 9\n").error, std::string())
        << "a marker after the turn line still counts";
    EXPECT_EQ(parse(body + "turn EnemyShip 0 2 around\n").error,
              "Error in level data levels\\level1.txt line 6: there is no marker 2 (the file has 2, numbered from 0)");
    EXPECT_NE(parse(body + "turn EnemyShip -1 0 around\n").error.find("line 6: there is no EnemyShip -1"),
              std::string::npos);
    EXPECT_NE(parse(body + "turn EnemyShip 0 -1 around\n").error.find("line 6: there is no marker -1"),
              std::string::npos);
}

TEST(LevelData, ControlBytesAndLongTokensAreTamedInMessages)
{
    std::string error = errorOfThirdLine(std::string("co\x01in\xff 1 2"));
    EXPECT_NE(error.find("unknown keyword \"co\\x01in\\xFF\""), std::string::npos) << error;
    error = errorOfThirdLine("coin 1 " + std::string(5000, '7') + "z");
    EXPECT_LT(error.size(), 200u);
    EXPECT_NE(error.find("77...\""), std::string::npos) << error;
}

TEST(LevelData, RandomBytesAndMangledLinesNeverCrash)
{
    std::mt19937 random(12345);
    // Pieces of real lines, so the parser gets past the keyword now and then.
    const std::vector<std::string> pieces = {
        "ship",  "coin",   "enemy",  "EnemyShip",          "EnemyShip1", "turn", "marker", "whirlpool", "up", "left",
        "guard", "cruise", "frame=", "respawn=",           ",",          "1",    "-3.5",   "1e",        "\r", "\n",
        "\t",    " ",      "#",      std::string(1, '\0'), "\xff"};
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) {
            if (random() % 3 == 0)
                text += static_cast<char>(random() % 256);
            else
                text += pieces[random() % pieces.size()] + (random() % 2 ? " " : "");
        }
        if (round % 2)
            text = MINIMAL + text;
        Result r = parse(text);
        if (r.ok) {
            ++accepted;
            EXPECT_FALSE(r.data.whirlpools.empty());
        } else {
            EXPECT_EQ(r.error.rfind("Error in level data levels\\level1.txt", 0), 0u) << r.error;
        }
    }
    EXPECT_GT(accepted, 0) << "some mangled files are still valid ones";
}

TEST(LevelData, LoadsByGameNameAndNamesAMissingFile)
{
    {
        std::ofstream out(testsupport::scratchRealPath("level_data_ok.txt"), std::ios::binary);
        out << LEVEL1;
    }
    LevelData data;
    std::string error;
    ASSERT_TRUE(loadLevelData(testsupport::scratchGamePath("level_data_ok.txt"), data, error)) << error;
    EXPECT_EQ(data.markers.size(), 4u);

    const std::string missing = testsupport::scratchGamePath("no_such_level.txt");
    EXPECT_FALSE(loadLevelData(missing, data, error));
    EXPECT_EQ(error, "Error loading level data " + missing + ": the file cannot be opened");
    EXPECT_EQ(data.markers.size(), 4u);

    {
        std::ofstream out(testsupport::scratchRealPath("level_data_bad.txt"), std::ios::binary);
        out << "ship 1 1\r\nwhirlpool 1 1\r\nmarker 1\r\n";
    }
    const std::string bad = testsupport::scratchGamePath("level_data_bad.txt");
    EXPECT_FALSE(loadLevelData(bad, data, error));
    EXPECT_EQ(error, "Error in level data " + bad + " line 3: missing y (expected \"marker X Y\")");
}

// A million coin lines once loaded, and made every frame minutes long: a file
// with far more objects than any level is refused at the line past the limit.
TEST(LevelData, AFileWithFarTooManyObjectsIsRefused)
{
    std::string many = MINIMAL;
    for (size_t i = 0; i < levelDataNS::MAX_RECORDS; ++i)
        many += "coin 440 140\n";
    const Result r = parse(many);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("line " + std::to_string(levelDataNS::MAX_RECORDS + 1)), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("not a level"), std::string::npos) << r.error;
    EXPECT_TRUE(parse(MINIMAL + "coin 440 140\n").ok);
}
