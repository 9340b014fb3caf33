// Every screen reads well: the table's rows apart, the end screens' score,
// and notices in a band of their own that name files, not folders.
#include "screen_fixture.h"

#include "entities/ship.h"
#include "screens/high_score_screen.h"
#include "screens/screen_notice.h"
#include "screens/title_screen.h"

using testsupport::Picture;

namespace {

Picture frameOf(Keelhaven& game)
{
    game.renderGame();
    return testsupport::readBack();
}

bool ink(std::uint32_t c) { return testsupport::red(c) < 160 && testsupport::green(c) < 160; }

}  // namespace

using Legibility = ScreenFixture;

TEST(NoticeText, NamesTheFileNotItsFolderAndLeavesOutVariables)
{
    EXPECT_EQ(noticeText("The saved game cannot be read: /home/ann/.local/share/Keelhaven/StateSave.txt is damaged"),
              "The saved game cannot be read: StateSave.txt is damaged");
    EXPECT_EQ(noticeText("The save folder /tmp/x/not-a-folder is a file, not a folder (KEELHAVEN_SAVE_DIR)"),
              "The save folder not-a-folder is a file, not a folder");
    EXPECT_EQ(noticeText("The game was not saved: Cannot write /a/b/KeelhavenSave.txt: No space left on device"),
              "The game was not saved: Cannot write KeelhavenSave.txt: No space left on device");
    EXPECT_EQ(noticeText("There is no saved game"), "There is no saved game");
    EXPECT_EQ(noticeText("Gold 3/4 (of the hold)"), "Gold 3/4 (of the hold)") << "only paths and NAMES_LIKE_THIS";
}

// A long notice wraps inside its band, and nothing outside the band changes:
// the hint line, the frame and the copyright line stay as they were.
TEST_F(Legibility, ANoticeKeepsToItsOwnBand)
{
    goTo("TITLESCREEN");
    press(VK_DOWN);
    press(VK_DOWN);
    const Picture plain = frameOf(*game);
    press(VK_RETURN);  // Load
    const ScreenNotice* notice = screen<TitleScreen>("TITLESCREEN").getNotice();
    ASSERT_TRUE(notice->shown());
    EXPECT_EQ(notice->text(), "There is no saved game");
    const Picture shown = frameOf(*game);
    const RECT band = noticeNS::BAND;
    int changedInside = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const bool inside = x >= band.left && x < band.right && y >= band.top && y < band.bottom;
            if (!testsupport::sameColor(plain.at(x, y), shown.at(x, y), 2)) {
                ASSERT_TRUE(inside) << "changed outside the band at " << x << ", " << y;
                ++changedInside;
            }
        }
    EXPECT_GT(changedInside, (band.right - band.left) * (band.bottom - band.top) / 2) << "a backing, not bare text";
    // Dark red ink on the backing.
    int redInk = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
            redInk += testsupport::red(shown.at(x, y)) > 90 && testsupport::green(shown.at(x, y)) < 60;
    EXPECT_GT(redInk, 100);
}

TEST_F(Legibility, BothEndScreensShowTheVoyagesGold)
{
    for (const char* end : {"GAMEOVER", "COMPLETE"}) {
        game->getShip()->setGold(0);
        goTo(end);
        const Picture none = frameOf(*game);
        game->getShip()->setGold(98765);
        const Picture rich = frameOf(*game);
        int differing = 0, outsidePanel = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (!testsupport::sameColor(none.at(x, y), rich.at(x, y), 8)) {
                    ++differing;
                    outsidePanel += x < 170 || x >= 630 || y < 100 || y >= 500;
                }
        EXPECT_GT(differing, 150) << end << ": the gold is drawn and changes with the gold";
        EXPECT_EQ(outsidePanel, 0) << end;
        goTo("FRONTEND");
    }
}

// On white, so every non-white pixel is the table's ink: rows never touch,
// and the widest three-letter name stays clear of its score.
TEST_F(Legibility, TheTablesRowsStandApartAndNamesNeverMeetTheirScores)
{
    game->highScores.assign(10, 99999);
    game->highScoreNames.assign(10, "WWW");
    Graphics& g = *game->getGraphics();
    g.setBackColor(graphicsNS::WHITE);
    ASSERT_TRUE(SUCCEEDED(g.beginScene()));
    g.spriteBegin();
    game->drawHighScores();
    g.spriteEnd();
    g.endScene();
    const Picture p = testsupport::readBack();

    std::vector<bool> inkRow(600, false);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800 && !inkRow[static_cast<size_t>(y)]; ++x)
            inkRow[static_cast<size_t>(y)] = ink(p.at(x, y));
    for (int i = 0; i < 10; ++i) {
        const int top = keelhavenNS::HIGH_SCORE_Y + keelhavenNS::HIGH_SCORE_ROW * i;
        int first = -1, last = -1;
        for (int y = top; y < top + keelhavenNS::HIGH_SCORE_ROW; ++y)
            if (inkRow[static_cast<size_t>(y)]) {
                first = first < 0 ? y : first;
                last = y;
            }
        ASSERT_GE(first, 0) << "row " << i << " is drawn in its own 30 pixels";
        EXPECT_FALSE(inkRow[static_cast<size_t>(top)]) << "row " << i << " touches the row above";
        EXPECT_FALSE(inkRow[static_cast<size_t>(top + keelhavenNS::HIGH_SCORE_ROW - 1)]) << "row " << i;
        EXPECT_GE(last - first, 14) << "row " << i << " is still big enough to read";

        int nameRight = -1, scoreLeft = 800;
        for (int y = top; y < top + keelhavenNS::HIGH_SCORE_ROW; ++y)
            for (int x = 0; x < 800; ++x)
                if (ink(p.at(x, y))) {
                    if (x < keelhavenNS::HIGH_SCORE_X)
                        nameRight = std::max(nameRight, x);
                    else
                        scoreLeft = std::min(scoreLeft, x);
                }
        EXPECT_LT(nameRight + 6, scoreLeft) << "row " << i << ": the name meets its score";
    }
}

TEST_F(Legibility, ADamagedTableIsSetAsideAndTheTableScreenSaysSo)
{
    testsupport::writeFile(saves.file("HighScores.txt"), "900\n800\n");
    Keelhaven next;  // reads the damaged table
    ASSERT_TRUE(next.addHighScore(5000, "NEW"));
    EXPECT_EQ(testsupport::readFile(saves.file("HighScores.damaged.txt")), "900\n800\n") << "kept as it was";
    EXPECT_NE(testsupport::readFile(saves.file("HighScores.txt")).find("5000\n"), std::string::npos);
    const std::string said = next.takeHighScoreNotice();
    EXPECT_NE(said.find("HighScores.damaged.txt"), std::string::npos) << said;
    EXPECT_TRUE(next.takeHighScoreNotice().empty()) << "said once";

    // Set aside once only; an earlier set-aside file is never overwritten.
    testsupport::writeFile(saves.file("HighScores.txt"), "junk");
    Keelhaven again;
    ASSERT_TRUE(again.addHighScore(10, "LOW"));
    EXPECT_EQ(testsupport::readFile(saves.file("HighScores.damaged.txt")), "900\n800\n");
    EXPECT_EQ(testsupport::readFile(saves.file("HighScores.damaged-2.txt")), "junk");
    ASSERT_TRUE(again.addHighScore(20, "LOW"));
    EXPECT_FALSE(std::filesystem::exists(saves.file("HighScores.damaged-3.txt")));
}

TEST_F(Legibility, AScoreThatCannotBeWrittenIsSaidOnTheTable)
{
    const std::string file = saves.file("not-a-folder").string();
    testsupport::writeFile(file, "x");
    setenv("KEELHAVEN_SAVE_DIR", file.c_str(), 1);
    goTo("GAMEOVER");
    press(VK_RETURN);
    ASSERT_EQ(current(), "HIGHSCORE");
    const ScreenNotice* notice = screen<HighScoreScreen>("HIGHSCORE").getNotice();
    ASSERT_TRUE(notice->shown());
    EXPECT_NE(notice->text().find("not written"), std::string::npos) << notice->text();
    EXPECT_EQ(notice->text().find('/'), std::string::npos) << "no folder paths: " << notice->text();
}
