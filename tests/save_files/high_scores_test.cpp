#include "keelhaven/high_scores.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Table {
    std::vector<int> scores;
    std::vector<std::string> names;
};

Table defaults()
{
    Table t;
    defaultHighScores(t.scores, t.names);
    return t;
}

Table read(const std::string& text)
{
    Table t;
    std::istringstream in(text);
    readHighScores(in, t.scores, t.names);
    return t;
}

Table reread(const Table& t) { return read(highScoreText(t.scores, t.names)); }

}  // namespace

TEST(HighScores, TheDefaultTableAndItsTwentyLines)
{
    const Table t = defaults();
    EXPECT_EQ(t.scores, (std::vector<int>{1000, 999, 888, 777, 666, 555, 444, 333, 222, 111}));
    EXPECT_EQ(t.names,
              (std::vector<std::string>{"DUS", "KME", "REK", "EEL", "HAV", "ENS", "DUS", "KME", "REK", "EEL"}));
    EXPECT_EQ(highScoreText(t.scores, t.names),
              "1000\n999\n888\n777\n666\n555\n444\n333\n222\n111\nDUS\nKME\nREK\nEEL\nHAV\nENS\nDUS\nKME\nREK\nEEL\n");
}

TEST(HighScores, AScoreEntersInFrontOfLowerAndEqualScores)
{
    Table t = defaults();
    EXPECT_TRUE(enterHighScore(t.scores, t.names, 500, "NEW"));
    EXPECT_EQ(t.scores, (std::vector<int>{1000, 999, 888, 777, 666, 555, 500, 444, 333, 222}));
    EXPECT_EQ(t.names,
              (std::vector<std::string>{"DUS", "KME", "REK", "EEL", "HAV", "ENS", "NEW", "DUS", "KME", "REK"}));

    // Equal to a score in the table: once, in front of the first equal one.
    EXPECT_TRUE(enterHighScore(t.scores, t.names, 888, "EQ"));
    EXPECT_EQ(t.scores, (std::vector<int>{1000, 999, 888, 888, 777, 666, 555, 500, 444, 333}));
    EXPECT_EQ(t.names[2], "EQ");
    EXPECT_EQ(t.names[3], "REK");
    EXPECT_EQ(t.names.size(), 10u);
}

TEST(HighScores, AScoreNotAboveTheTenthChangesNothing)
{
    Table t = defaults();
    const Table before = t;
    EXPECT_FALSE(enterHighScore(t.scores, t.names, 50, "LOW"));
    EXPECT_FALSE(enterHighScore(t.scores, t.names, 111, "TIE"));
    EXPECT_EQ(t.scores, before.scores);
    EXPECT_EQ(t.names, before.names);
}

TEST(HighScores, NamesKeepThreePrintableCharactersAndReadBackBesideTheirScores)
{
    EXPECT_EQ(highScoreName("A B"), "AB");
    EXPECT_EQ(highScoreName("ABCDE"), "ABC");
    EXPECT_EQ(highScoreName("\t\x01z\xff\n9!"), "z9!");
    EXPECT_EQ(highScoreName(""), "");

    Table t = defaults();
    enterHighScore(t.scores, t.names, 2000, "");
    enterHighScore(t.scores, t.names, 700, "J K");
    const Table back = reread(t);
    EXPECT_EQ(back.scores, t.scores);
    EXPECT_EQ(back.names, t.names);
    EXPECT_EQ(back.names[0], "") << "an empty name reads back as empty";
    EXPECT_EQ(back.names[5], "JK");
    EXPECT_EQ(back.names[6], "HAV") << "no later name shifts";
}

TEST(HighScores, FilesOfTheOlderFormatStillRead)
{
    // CR LF line ends, and the extra names an older game appended after
    // the tenth: only the first ten names belong to the scores.
    std::string text;
    for (int s : {900, 800, 700, 600, 500, 400, 300, 200, 100, 50})
        text += std::to_string(s) + "\r\n";
    for (const char* n : {"AAA", "BBB", "CCC", "DDD", "EEE", "FFF", "GGG", "HHH", "III", "JJJ", "KKK", "LLL"})
        text += std::string(n) + "\r\n";
    const Table t = read(text);
    EXPECT_EQ(t.scores.front(), 900);
    EXPECT_EQ(t.scores.back(), 50);
    EXPECT_EQ(t.names.front(), "AAA");
    EXPECT_EQ(t.names.back(), "JJJ");
}

TEST(HighScores, DamagedFilesGiveTheReadablePartOrTheDefaults)
{
    for (const std::string& junk : {std::string(), std::string("\n\n\n"), std::string("\x00\xff\x13garbage", 11),
                                    std::string(100000, 'z'), std::string("1e30\nnan\n-\n")}) {
        const Table t = read(junk);
        EXPECT_EQ(t.scores, defaults().scores);
        EXPECT_EQ(t.names, defaults().names);
    }

    // A blank, over-long or out-of-range score empties its row only; each
    // name stays with its own score when the rows are sorted.
    std::string text = "10\n\n30\n" + std::string(5000, '7') + "\n99999999999\n20\nx\n-\n\n\n";
    for (int i = 0; i < 10; ++i)
        text += "N" + std::to_string(i) + "\n";
    const Table t = read(text);
    EXPECT_EQ(t.scores, (std::vector<int>{30, 20, 10, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(t.names, (std::vector<std::string>{"N2", "N5", "N0", "", "", "", "", "", "", ""}));

    // Short: the rows there are kept, names that are missing are empty.
    const Table shortFile = read("5\n4\n");
    EXPECT_EQ(shortFile.scores, (std::vector<int>{5, 4, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(shortFile.names, std::vector<std::string>(10));
}
