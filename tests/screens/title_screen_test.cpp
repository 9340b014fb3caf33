#include "screen_fixture.h"

#include "engine/game_window.h"
#include "entities/ship.h"
#include "screens/title_screen.h"

class Title : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        goTo("TITLESCREEN");
    }
    int selection() { return screen<TitleScreen>("TITLESCREEN").getCursor().selection; }
    void select(int item)
    {
        while (selection() < item)
            press(VK_DOWN);
        while (selection() > item)
            press(VK_UP);
    }
};

TEST_F(Title, StartGoesToTheFirstLevelOfTheDifficulty)
{
    struct Case {
        bool Keelhaven::*flag;
        const char* level;
        int next;
    };
    for (const Case& c : {Case{&Keelhaven::easy, "LEVEL1", 2}, Case{&Keelhaven::normal, "LEVEL11", 12},
                          Case{&Keelhaven::hard, "LEVEL21", 22}, Case{&Keelhaven::gauntlet, "LEVEL1", 2}}) {
        goTo("TITLESCREEN");
        game->easy = game->normal = game->hard = game->gauntlet = false;
        (*game).*c.flag = true;
        game->nextLevel = 9;  // left from an earlier run
        select(0);
        press(VK_RETURN);
        EXPECT_EQ(current(), c.level);
        EXPECT_EQ(game->nextLevel, c.next) << c.level;
    }
    EXPECT_EQ(game->getShip()->getLives(), 1) << "gauntlet play has one life";
}

TEST_F(Title, TheCursorStopsAtTheEndsAndIsKeptBetweenVisits)
{
    press(VK_UP);
    EXPECT_EQ(selection(), 0);
    for (int i = 0; i < 8; ++i)
        press(VK_DOWN);
    EXPECT_EQ(selection(), 5);
    select(2);
    goTo("OPTIONSCREEN");
    goTo("TITLESCREEN");
    EXPECT_EQ(selection(), 2);
}

TEST_F(Title, HoldingTheDpadMovesOneItem)
{
    holdPad(XINPUT_GAMEPAD_DPAD_DOWN);
    wait(0.5f, 0.02f);
    EXPECT_EQ(selection(), 1);
    holdPad(0);
    frame();
    holdPad(XINPUT_GAMEPAD_DPAD_DOWN);
    frame();
    EXPECT_EQ(selection(), 2);

    // Up at the top does not move, but the pad must still be let go first.
    select(0);
    holdPad(0);
    frame();
    holdPad(XINPUT_GAMEPAD_DPAD_UP);
    frame();
    holdPad(XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_DPAD_DOWN);
    frame();
    EXPECT_EQ(selection(), 0) << "down while up is still held is not a new press";
    holdPad(0);
    frame();
    holdPad(XINPUT_GAMEPAD_A);  // A is latched too: start once
    frame();
    EXPECT_EQ(current(), "LEVEL1");
}

TEST_F(Title, TheHighlightedItemIsDrawnBlack)
{
    auto inkAt = [&](int left, int top) {
        game->renderGame();
        const testsupport::Picture p = testsupport::readBack();
        int white = 0, black = 0;
        for (int y = top; y < top + 50; ++y)
            for (int x = left; x < left + 250; ++x) {
                const std::uint32_t c = p.at(x, y);
                white += testsupport::red(c) > 235 && testsupport::green(c) > 235 && testsupport::blue(c) > 235;
                black += testsupport::red(c) < 20 && testsupport::green(c) < 20 && testsupport::blue(c) < 20;
            }
        return std::pair{white, black};
    };
    const auto startLit = inkAt(320, 160);
    const auto optionsPlain = inkAt(310, 220);
    EXPECT_LT(startLit.first, 20) << "no white in the highlighted item";
    EXPECT_GT(optionsPlain.first, 200) << "white letters in the others";
    press(VK_DOWN);
    EXPECT_GT(inkAt(320, 160).first, 200);
    EXPECT_LT(inkAt(310, 220).first, 20);
}

TEST_F(Title, ItemsOpenTheirScreensAndSetWhereThoseReturn)
{
    select(1);
    press(VK_RETURN);
    EXPECT_EQ(current(), "OPTIONSCREEN");
    goTo("TITLESCREEN");
    select(3);
    press(VK_RETURN);
    EXPECT_EQ(current(), "HIGHSCORE");
    EXPECT_TRUE(game->highScoreFromTitle);
    goTo("TITLESCREEN");
    select(4);
    press(VK_RETURN);
    EXPECT_EQ(current(), "CREDITS");
    EXPECT_TRUE(game->creditsFromTitle);
}

TEST_F(Title, ASavedGameThatWillNotLoadIsToldAndTheTitleStays)
{
    select(2);
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN");
    const TitleScreen& title = screen<TitleScreen>("TITLESCREEN");
    ASSERT_TRUE(title.getNotice()->shown());
    EXPECT_EQ(title.getNotice()->text(), "There is no saved game");

    // Drawn in the notice's band, under the menu.
    game->renderGame();
    const testsupport::Picture withNotice = testsupport::readBack();
    wait(4.1f);
    EXPECT_FALSE(title.getNotice()->shown());
    game->renderGame();
    const testsupport::Picture without = testsupport::readBack();
    int changed = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            if (withNotice.at(x, y) != without.at(x, y)) {
                EXPECT_GE(y, noticeNS::BAND.top);
                changed += 1;
            }
    EXPECT_GT(changed, 100);

    // With a saved game, the level it names is current.
    goTo("LEVEL4");
    game->switchState("PAUSESCREEN", "LEVEL4");
    ASSERT_TRUE(game->saveGame());
    goTo("TITLESCREEN");
    press(VK_RETURN);
    EXPECT_EQ(current(), "LEVEL4");
}

TEST_F(Title, QuitEndsTheProgramWithExitCodeZero)
{
    select(5);
    press(VK_RETURN);
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

// The whole program: from the logo down the menu to Quit, on its own loop.
namespace {
bool scriptRanOut = false;
int downsOnTitle = 0;

class ScriptedGame : public Keelhaven {
public:
    // Each turn of the loop is a sixtieth of a second on the test clock.
    void run(HWND hwnd) override
    {
        platform::testing::advanceClock(1.0 / 60);
        Keelhaven::run(hwnd);
    }
    void update() override
    {
        ++frames;
        Input& in = *getInput();
        if (frames > 20000) {
            scriptRanOut = true;
            exitGame();
        } else if (!findState("TITLESCREEN")->getActive()) {
            // Enter now and then gets through the logo, welcome and story.
            if (frames % 100 == 0)
                in.keyDown(VK_RETURN);
        } else if (frames % 2 == 0) {
            in.keyDown(downs++ < 5 ? VK_DOWN : VK_RETURN);
            downsOnTitle = downs;
        }
        Keelhaven::update();
        in.keyUp(VK_RETURN);
        in.keyUp(VK_DOWN);
    }

private:
    int frames = 0;
    int downs = 0;
};
}  // namespace

TEST(TitleQuit, TheProgramExitsWithZero)
{
    testsupport::SaveFolder saves;
    platform::testing::useFakeClock(true);
    EXPECT_EQ(playGame(new ScriptedGame, nullptr, SW_SHOWNORMAL), 0);
    EXPECT_FALSE(scriptRanOut) << "Quit was never reached";
    EXPECT_EQ(downsOnTitle, 6) << "five steps down the menu, then Enter on Quit";
    platform::testing::useFakeClock(false);
}
