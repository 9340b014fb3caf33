#include "support/game_fixture.h"
#include "support/save_folder.h"

#include "keelhaven/high_scores.h"

using testsupport::readFile;
using testsupport::writeFile;

namespace {

const std::string DEFAULT_FILE =
    "1000\n999\n888\n777\n666\n555\n444\n333\n222\n111\nDUS\nKME\nREK\nEEL\nHAV\nENS\nDUS\nKME\nREK\nEEL\n";

}  // namespace

// The table as the game object keeps it; the folder is set up before the
// game object is made, since it reads the table when it is made.
class HighScoreTable : public GameFixture {
protected:
    std::filesystem::path tableFile() { return saves.file("HighScores.txt"); }
    testsupport::SaveFolder saves;
};

TEST_F(HighScoreTable, TheFirstStartWritesTheDefaultTable)
{
    EXPECT_EQ(readFile(tableFile()), DEFAULT_FILE);
    EXPECT_EQ(game->highScores.front(), 1000);
    EXPECT_EQ(game->highScoreNames.back(), "EEL");
}

TEST_F(HighScoreTable, EveryEntryRewritesTheWholeFile)
{
    EXPECT_TRUE(game->addHighScore(500, "NEW"));
    EXPECT_EQ(readFile(tableFile()),
              "1000\n999\n888\n777\n666\n555\n500\n444\n333\n222\nDUS\nKME\nREK\nEEL\nHAV\nENS\nNEW\nDUS\nKME\nREK\n");

    // Too low to enter: the file is written again, the same.
    std::filesystem::remove(tableFile());
    EXPECT_TRUE(game->addHighScore(50, "LOW"));
    EXPECT_EQ(readFile(tableFile()),
              "1000\n999\n888\n777\n666\n555\n500\n444\n333\n222\nDUS\nKME\nREK\nEEL\nHAV\nENS\nNEW\nDUS\nKME\nREK\n");

    // An empty name keeps its place, and a fresh start reads it back there.
    EXPECT_TRUE(game->addHighScore(2000, ""));
    Keelhaven next;
    EXPECT_EQ(next.highScores, game->highScores);
    EXPECT_EQ(next.highScoreNames, game->highScoreNames);
    EXPECT_EQ(next.highScoreNames[0], "");
    EXPECT_EQ(next.highScoreNames[1], "DUS");
}

TEST_F(HighScoreTable, ADamagedFileIsReadAsFarAsItGoesAndNeverRewrittenByReading)
{
    const std::vector<std::string> files = {
        std::string(),
        std::string("\n\n\n\n"),
        std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 11),
        "700\n" + std::string(1 << 20, 'A') + "\n\n\nA B C\n",
        "900\n800\n",
    };
    for (const std::string& bytes : files) {
        writeFile(tableFile(), bytes);
        Keelhaven next;
        EXPECT_EQ(next.highScores.size(), 10u);
        EXPECT_EQ(next.highScoreNames.size(), 10u);
        EXPECT_EQ(readFile(tableFile()), bytes) << "reading must not change the file";
    }
    Keelhaven shortFile;
    EXPECT_EQ(shortFile.highScores[0], 900);
    EXPECT_EQ(shortFile.highScores[2], 0);
}

TEST_F(HighScoreTable, ASaveFolderThatIsAFileKeepsTheTableInMemory)
{
    const std::string file = saves.file("plain-file").string();
    writeFile(file, "x");
    setenv("KEELHAVEN_SAVE_DIR", file.c_str(), 1);
    Keelhaven elsewhere;
    EXPECT_EQ(elsewhere.highScores.front(), 1000) << "the defaults, in memory";
    EXPECT_FALSE(elsewhere.addHighScore(5000, "TOP"));
    EXPECT_EQ(elsewhere.highScores.front(), 5000);
    EXPECT_EQ(elsewhere.highScoreNames.front(), "TOP");
    EXPECT_EQ(readFile(file), "x");
}

TEST_F(HighScoreTable, TheTableIsDrawnFromMemoryNamesLeftOfScores)
{
    std::filesystem::remove(tableFile());  // nothing is read while drawing
    Graphics& g = *game->getGraphics();
    g.setBackColor(graphicsNS::WHITE);
    g.beginScene();
    g.spriteBegin();
    game->drawHighScores();
    g.spriteEnd();
    const testsupport::Picture picture = testsupport::readBack();
    g.endScene();

    auto inkIn = [&](int left, int top, int right, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                ink += testsupport::red(picture.at(x, y)) < 100 ? 1 : 0;
        return ink;
    };
    // Row 0 at y 130 and row 9 at y 400: a name from x 300, a score from 400.
    EXPECT_GT(inkIn(300, 130, 390, 170), 20);
    EXPECT_GT(inkIn(400, 130, 520, 170), 20);
    EXPECT_GT(inkIn(300, 400, 390, 440), 20);
    EXPECT_GT(inkIn(400, 400, 520, 440), 20);
    EXPECT_EQ(inkIn(0, 0, 800, 125), 0);
    EXPECT_EQ(inkIn(0, 450, 800, 600), 0);
    EXPECT_FALSE(std::filesystem::exists(tableFile()));
}
