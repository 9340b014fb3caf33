#include "support/game_fixture.h"

#include "engine/console.h"
#include "entities/ship.h"

namespace {
int levelIndex(int n) { return 11 + n; }
}  // namespace

class ConsoleTest : public GameFixture {
protected:
    Console& console() { return *game->getConsole(); }
    Input& input() { return *game->getInput(); }
    void pressKey(UCHAR key)
    {
        input().keyDown(key);
        input().keyUp(key);
    }
    void openConsole()
    {
        pressKey(VK_OEM_3);
        frame();
        ASSERT_TRUE(console().getVisible());
    }
};

TEST_F(ConsoleTest, TheConsoleKeyOpensItPausesThePlayAndShowsItsFirstLine)
{
    RecordingState& logo = record(6);
    logo.setActive(true);
    ASSERT_EQ(console().lineCount(), 1u);
    EXPECT_EQ(console().line(0), "---Console---");
    openConsole();
    EXPECT_TRUE(game->getPaused());
    journal.clear();
    frame();
    EXPECT_TRUE(journal.empty()) << "no updates while the console is open";

    // The panel is grey over the top-left corner, the game shows elsewhere.
    const testsupport::Picture picture = testsupport::readBack();
    const auto panel = picture.at(300, 200);
    EXPECT_NEAR(testsupport::red(panel), testsupport::green(panel), 2);
    EXPECT_GT(testsupport::red(panel), 80);
    EXPECT_FALSE(testsupport::sameColor(picture.at(700, 500), panel, 10));

    pressKey(VK_OEM_3);
    frame();
    EXPECT_FALSE(console().getVisible());
    EXPECT_FALSE(game->getPaused());
    frame();
    EXPECT_FALSE(journal.empty());
    EXPECT_TRUE(logo.getActive());
}

TEST_F(ConsoleTest, TheHistoryKeepsTheNewest256Lines)
{
    for (int i = 0; i < 256; ++i)
        console().print("line " + std::to_string(i));
    ASSERT_EQ(console().lineCount(), 256u);
    EXPECT_EQ(console().line(255), "line 0") << "the 257th line pushed out the first";
    EXPECT_EQ(console().line(0), "line 255");
}

TEST_F(ConsoleTest, ScrollingStopsAtTheOldestLineAndAtTheNewest)
{
    console().print("two");
    console().print("three");
    openConsole();
    for (int i = 0; i < 5; ++i) {
        pressKey(VK_UP);
        frame();
    }
    EXPECT_EQ(console().getScrollAmount(), 2);
    for (int i = 0; i < 4; ++i) {
        pressKey(VK_DOWN);
        frame();
    }
    EXPECT_EQ(console().getScrollAmount(), 0);

    for (int i = 0; i < 300; ++i)
        console().print("more");
    for (int i = 0; i < 30; ++i) {
        pressKey(VK_PRIOR);
        frame();
    }
    EXPECT_EQ(console().getScrollAmount(), 255);
    pressKey(VK_NEXT);
    frame();
    EXPECT_EQ(console().getScrollAmount(), 255 - console().getRows());
}

TEST_F(ConsoleTest, TypingGoesToTheCommandLineAndNotToTheGame)
{
    openConsole();
    input().keyDown(VK_RIGHT);
    input().keyIn('f');
    frame();
    EXPECT_FALSE(input().isKeyDown(VK_RIGHT));
    EXPECT_EQ(console().getInput(), "f");

    // Escape returns no command, keeps the console open and the window as it is.
    input().keyIn('p');
    input().keyIn('s');
    input().keyIn('\r');
    input().keyDown(VK_ESCAPE);
    const bool fps = game->getFpsOn();
    frame();
    input().keyUp(VK_ESCAPE);
    EXPECT_TRUE(console().getVisible());
    EXPECT_EQ(game->getFpsOn(), fps);
}

TEST_F(ConsoleTest, HelpPrintsTwoLinesAndDoesNothingElse)
{
    openConsole();
    const size_t before = console().lineCount();
    typeCommand("help");
    ASSERT_EQ(console().lineCount(), before + 2);
    EXPECT_EQ(console().line(1), "Console Commands:");
    EXPECT_EQ(console().line(0), "fps - toggle display of frames per second");
    EXPECT_EQ(console().getInput(), "");
}

TEST_F(ConsoleTest, FpsTogglesTheFrameRateText)
{
    openConsole();
    const bool was = game->getFpsOn();
    typeCommand("fps");
    EXPECT_EQ(game->getFpsOn(), !was);
    typeCommand("fps");
    EXPECT_EQ(game->getFpsOn(), was);
    EXPECT_EQ(console().line(1), was ? "fps Off" : "fps On");
    EXPECT_EQ(console().line(0), was ? "fps On" : "fps Off");
}

TEST_F(ConsoleTest, AStateNameJumpsThereAndSetsTheNextLevel)
{
    std::vector<std::string>& log = journal;
    record(levelIndex(3));
    record(levelIndex(7));
    game->switchState("LEVEL3", "LOGO");
    openConsole();
    log.clear();
    typeCommand("LEVEL7");
    EXPECT_EQ(log, (std::vector<std::string>{"LEVEL3 leave", "LEVEL7 reset", "LEVEL7 initialize"}));
    EXPECT_TRUE(game->stateAt(levelIndex(7))->getActive());
    EXPECT_EQ(game->nextLevel, 8);

    typeCommand("level7");  // names are case-sensitive
    EXPECT_EQ(game->nextLevel, 8);

    // A screen leaves the level counter as it was.
    typeCommand("CREDITS");
    EXPECT_TRUE(game->stateAt(9)->getActive());
    EXPECT_FALSE(game->stateAt(levelIndex(7))->getActive());
    EXPECT_EQ(game->nextLevel, 8);

    // The bonus level is a detour: the shop after it goes on to level 29.
    record(levelIndex(31));
    typeCommand("LEVEL31");
    EXPECT_EQ(game->nextLevel, 29);
}

TEST_F(ConsoleTest, ShipCommandsChangeTheShip)
{
    Ship& ship = *game->getShip();
    openConsole();
    const float speed = ship.getSpeed();
    typeCommand("100");
    EXPECT_EQ(ship.getSpeed(), speed + 100);
    typeCommand("-100");
    typeCommand("-100");
    EXPECT_EQ(ship.getSpeed(), speed - 100);

    ship.setAmmo(0);
    ship.setHealth(3);
    ship.setLives(0);
    typeCommand("AMMO");
    typeCommand("HEALTH");
    typeCommand("LIVES");
    EXPECT_EQ(ship.getAmmo(), 9);
    EXPECT_EQ(ship.getHealth(), 100.0f);
    EXPECT_EQ(ship.getLives(), 3);

    const size_t lines = console().lineCount();
    typeCommand("ammo");
    typeCommand("nonsense");
    EXPECT_EQ(console().lineCount(), lines) << "unknown commands print nothing";
}
