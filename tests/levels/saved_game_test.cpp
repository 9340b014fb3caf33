#include "level_fixture.h"

#include "support/save_folder.h"

using testsupport::readFile;
using testsupport::writeFile;

namespace {

size_t lineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

// Saving and loading through the game object, on the real levels.
class SavedGame : public LevelFixture {
protected:
    void TearDown() override
    {
        platform::testing::failFileWritesAfter(-1);
        LevelFixture::TearDown();
    }

    // Pauses level n as a player would, then saves from the pause screen.
    bool pauseAndSave(int n)
    {
        game->switchState("PAUSESCREEN", "LEVEL" + std::to_string(n));
        std::string why;
        const bool saved = game->saveGame(&why);
        EXPECT_TRUE(why.empty() == saved) << why;
        return saved;
    }

    std::string stateFile() { return readFile(saves.file("StateSave.txt")); }
    // The level and the next level, without the line that ties the file to
    // its record.
    std::string stateHead()
    {
        const std::string text = stateFile();
        return text.substr(0, text.find('\n', text.find('\n') + 1));
    }
    std::string levelFile() { return readFile(saves.file("KeelhavenSave.txt")); }

    // Everything a save holds of level n and the ship, as text: equal
    // snapshots mean an equal game.
    std::string snapshot(int n)
    {
        std::ostringstream out;
        level(n).saveState(out);
        return out.str();
    }

    std::vector<std::string> activeStates()
    {
        std::vector<std::string> names;
        for (int i = 0; i < game->stateCount(); ++i)
            if (game->stateAt(i)->getActive())
                names.push_back(game->stateAt(i)->getName());
        return names;
    }

    testsupport::SaveFolder saves;
};

TEST_F(SavedGame, ANarrowLevelComesBackAsItWasSaved)
{
    Level& lv = enter(1);
    step(30);
    // Take a coin, lose some health, gain gold and cannonballs.
    Entity& coin = lv.getCoins()[1];
    ship().setX(coin.getX());
    ship().setY(coin.getY());
    ship().setBoxComputed(false);
    step();
    ASSERT_FALSE(coin.getActive());
    ship().setHealth(66);
    ship().setAmmo(5);
    ship().setLives(2);
    ship().setGold(350);
    lv.getEnemyShips()[0].setHealth(10);
    const std::string saved = snapshot(1);
    ASSERT_TRUE(pauseAndSave(1));
    EXPECT_EQ(stateHead(), "LEVEL1\n2");
    EXPECT_EQ(levelFile(), saved);
    EXPECT_EQ(lineCount(levelFile()), 37u);

    // Play on: the ship is lost, the enemies move, everything comes back.
    game->resumeGame();
    lv.respawn();
    step(90);
    ASSERT_NE(snapshot(1), saved);
    game->switchState("TITLESCREEN", "LEVEL1");
    game->nextLevel = 5;

    std::string why;
    ASSERT_TRUE(game->loadGame(&why)) << why;
    EXPECT_EQ(activeStates(), std::vector<std::string>{"LEVEL1"});
    EXPECT_EQ(game->nextLevel, 2);
    EXPECT_EQ(snapshot(1), saved);
    EXPECT_FALSE(coin.getActive()) << "a coin taken before the save stays taken";
    EXPECT_EQ(ship().getGold(), 350);
    EXPECT_FLOAT_EQ(lv.getEnemyShips()[0].getHealth(), 10);
    step(5);  // and the level plays on from there
    EXPECT_TRUE(active("LEVEL1"));
}

TEST_F(SavedGame, TheStateFileNamesThePausedLevelAndTheNextOne)
{
    enter(7);
    game->nextLevel = 8;
    ASSERT_TRUE(pauseAndSave(7));
    EXPECT_EQ(stateHead(), "LEVEL7\n8");
}

TEST_F(SavedGame, AScrolledWideLevelComesBackWhereItWasOnTheMap)
{
    Level& lv = enter(28);
    ship().setX(540);
    ship().setY(cellTop(1));
    hold(VK_RIGHT);
    step(40);
    release(VK_RIGHT);
    const float mapX = lv.getMapX();
    ASSERT_LT(mapX, -50);
    const std::string saved = snapshot(28);
    const float secondWhirlpoolX = lv.getSecondEndMarker()->getX();
    game->nextLevel = 29;
    ASSERT_TRUE(pauseAndSave(28));
    EXPECT_EQ(lineCount(levelFile()), levelSaveLines(lv.saveShape()));

    game->resumeGame();
    lv.respawn();  // back to the left end of the map
    ASSERT_EQ(lv.getMapX(), 0);
    std::string why;
    ASSERT_TRUE(game->loadGame(&why)) << why;
    EXPECT_EQ(snapshot(28), saved);
    EXPECT_NEAR(lv.getMapX(), mapX, 0.01) << "six significant digits, as the file keeps them";
    EXPECT_NEAR(lv.getSecondEndMarker()->getX(), secondWhirlpoolX, 0.01)
        << "the second whirlpool, which is not saved, stays on its spot of the map";
}

TEST_F(SavedGame, ALevelNeverEnteredIsSetUpByLoading)
{
    enter(12);
    ship().setGold(480);
    const std::string saved = snapshot(12);
    game->nextLevel = 13;
    ASSERT_TRUE(pauseAndSave(12));
    const std::string state = stateFile(), record = levelFile();

    // A fresh game, as after starting the program again.
    TearDown();
    SetUp();
    writeFile(saves.file("StateSave.txt"), state);
    writeFile(saves.file("KeelhavenSave.txt"), record);
    std::string why;
    ASSERT_TRUE(game->loadGame(&why)) << why;
    EXPECT_EQ(snapshot(12), saved);
    EXPECT_EQ(activeStates(), std::vector<std::string>{"LEVEL12"});

    // Losing a ship goes back to the gold the game was loaded with.
    ship().setGold(900);
    level(12).respawn();
    EXPECT_EQ(ship().getGold(), 480);
}

TEST_F(SavedGame, AGameLoadedAfterAShipWasLostSailsAgain)
{
    Level& lv = enter(3);
    ASSERT_TRUE(pauseAndSave(3));
    game->resumeGame();
    ship().setHealth(0);
    step(5);
    ASSERT_TRUE(ship().getExploding());
    ship().setSunk(true);
    ASSERT_TRUE(game->loadGame());
    EXPECT_TRUE(ship().getActive());
    EXPECT_FALSE(ship().getExploding());
    EXPECT_FALSE(ship().getSunk());
    // It can still be sunk: the next loss takes a life.
    const int lives = ship().getLives();
    ship().setHealth(0);
    step(120);
    EXPECT_EQ(ship().getLives(), lives - 1);
    EXPECT_TRUE(lv.getActive());
}

TEST_F(SavedGame, EveryLevelSavesAndLoadsItsOwnRecord)
{
    for (int n = 1; n <= 31; ++n) {
        Level& lv = enter(n);
        step(20);
        const std::string saved = snapshot(n);
        ASSERT_TRUE(pauseAndSave(n)) << n;
        EXPECT_EQ(lineCount(levelFile()), levelSaveLines(lv.saveShape())) << n;
        EXPECT_EQ(stateFile().substr(0, stateFile().find('\n')), "LEVEL" + std::to_string(n));
        game->resumeGame();
        ship().setGold(ship().getGold() + 1);
        step(30);
        ASSERT_TRUE(game->loadGame()) << n;
        EXPECT_EQ(snapshot(n), saved) << n;
        game->switchState("TITLESCREEN", "LEVEL" + std::to_string(n));
    }
}

// ---------------------------------------------------------------- faults

TEST_F(SavedGame, ASaveThatFailsHalfWayKeepsThePreviousSave)
{
    enter(1);
    ship().setGold(100);
    ASSERT_TRUE(pauseAndSave(1));
    const std::string state = stateFile(), record = levelFile();

    ship().setGold(999);
    for (long long after : {0LL, 3LL, 40LL}) {
        platform::testing::failFileWritesAfter(after);
        std::string why;
        EXPECT_FALSE(game->saveGame(&why)) << after;
        EXPECT_NE(why.find("No space"), std::string::npos) << why;
        EXPECT_EQ(stateFile(), state);
        EXPECT_EQ(levelFile(), record);
        EXPECT_EQ(saves.listing(), "HighScores.txt KeelhavenSave.txt StateSave.txt");
    }
    platform::testing::failFileWritesAfter(-1);
    EXPECT_TRUE(active("PAUSESCREEN")) << "the game runs on";
    step(3);
    ASSERT_TRUE(game->loadGame());
    EXPECT_EQ(ship().getGold(), 100);
}

TEST_F(SavedGame, SavePathsThatCannotBeWrittenAreReportedNotFatal)
{
    enter(1);
    std::filesystem::create_directory(saves.file("KeelhavenSave.txt"));
    std::string why;
    game->switchState("PAUSESCREEN", "LEVEL1");
    EXPECT_FALSE(game->saveGame(&why));
    EXPECT_NE(why.find("KeelhavenSave.txt"), std::string::npos) << why;
    EXPECT_FALSE(std::filesystem::exists(saves.file("StateSave.txt"))) << "neither file is written";

    // The save folder itself is a file.
    const std::string file = saves.file("plain").string();
    writeFile(file, "mine");
    setenv("KEELHAVEN_SAVE_DIR", file.c_str(), 1);
    EXPECT_FALSE(game->saveGame(&why));
    EXPECT_NE(why.find("is a file"), std::string::npos) << why;
    EXPECT_EQ(readFile(file), "mine");
    EXPECT_FALSE(game->loadGame(&why));
    step(3);
    EXPECT_TRUE(active("PAUSESCREEN"));
}

TEST_F(SavedGame, OnlyAPausedLevelIsSaved)
{
    game->switchState("PAUSESCREEN", "TITLESCREEN");  // as a console jump can
    std::string why;
    EXPECT_FALSE(game->saveGame(&why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(saves.listing(), "HighScores.txt");
}

TEST_F(SavedGame, BrokenOrForeignSavesAreRefusedAndChangeNothing)
{
    // A real record of level 2, to pass off as level 1's.
    enter(2);
    ASSERT_TRUE(pauseAndSave(2));
    const std::string level2Record = levelFile();
    game->switchState("TITLESCREEN", "PAUSESCREEN");
    enter(1);
    ASSERT_TRUE(pauseAndSave(1));
    const std::string good = levelFile();
    game->resumeGame();
    ship().setGold(777);
    step(10);
    game->nextLevel = 6;

    const std::vector<std::pair<std::string, std::string>> saves_ = {
        {"LEVEL1\n2", ""},
        {"LEVEL1\n2", good.substr(0, good.size() / 2)},
        {"LEVEL1\n2", std::string("\0\x01\x02\xff\xfe binary \x89PNG", 17)},
        {"LEVEL1\n2", level2Record},
        {"LEVEL1\n2", "nan\n" + good.substr(good.find('\n') + 1)},
        {"LEVEL1\n2", "1e30\n" + good.substr(good.find('\n') + 1)},
        {"", good},
        {"LEVEL1", good},
        {"LEVEL99\n2", good},
        {"TITLESCREEN\n2", good},
        {"LEVEL1\n1", good},
        {"LEVEL1\n32", good},
        {"LEVEL1\n1e30", good},
        {"LEVEL1\n2\nLEVEL3", good},
        {std::string(5000, 'L'), good},
    };
    const std::string before = snapshot(1);
    const auto activeBefore = activeStates();
    for (const auto& [state, record] : saves_) {
        writeFile(saves.file("StateSave.txt"), state);
        writeFile(saves.file("KeelhavenSave.txt"), record);
        std::string why;
        EXPECT_FALSE(game->loadGame(&why)) << state;
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(snapshot(1), before) << state << " / " << record.size() << " bytes";
        EXPECT_EQ(activeStates(), activeBefore);
        EXPECT_EQ(game->nextLevel, 6);
        EXPECT_EQ(readFile(saves.file("KeelhavenSave.txt")), record) << "a refused file is left as it is";
    }

    std::filesystem::remove(saves.file("StateSave.txt"));
    std::string why;
    EXPECT_FALSE(game->loadGame(&why));
    EXPECT_EQ(why, "There is no saved game");
    std::filesystem::remove(saves.file("KeelhavenSave.txt"));
    writeFile(saves.file("StateSave.txt"), "LEVEL1\n2");
    EXPECT_FALSE(game->loadGame(&why));
    EXPECT_EQ(snapshot(1), before);
    step(3);
    EXPECT_TRUE(active("LEVEL1")) << "the level plays on";
}

TEST_F(SavedGame, TheConsoleSavesAndLoadsTheLevelBeingPlayed)
{
    enter(4);
    ship().setGold(220);
    game->nextLevel = 5;
    input().keyDown(VK_OEM_3);  // open the console
    input().keyUp(VK_OEM_3);
    step();
    typeCommand("save");
    EXPECT_EQ(stateHead(), "LEVEL4\n5");
    EXPECT_EQ(game->pausedStateName, "LEVEL4");
    ship().setGold(0);
    typeCommand("load");
    EXPECT_EQ(ship().getGold(), 220);
}
