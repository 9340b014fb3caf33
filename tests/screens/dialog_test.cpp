#include "screen_fixture.h"

#include "app/input_dialog.h"
#include "screens/end_of_run_screen.h"

// A name box of the test's own, opened at the default place (200, 100).
class Dialogs : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        ASSERT_TRUE(box.initialize(game->getGraphics(), &input(), hwnd));
        box.print("Your name?");
        ASSERT_TRUE(box.getVisible());
    }
    // The box lets go of its quads and font before the device goes.
    void TearDown() override
    {
        owned.reset();
        ScreenFixture::TearDown();
    }
    void type(const std::string& letters)
    {
        for (char c : letters)
            input().keyIn(static_cast<WPARAM>(c));
    }
    void clickAt(int x, int y)
    {
        input().mouseIn(static_cast<LPARAM>((y << 16) | (x & 0xFFFF)));
        input().setMouseLButton(true);
        box.update();
        input().setMouseLButton(false);
    }
    std::unique_ptr<HighScoreBox> owned = std::make_unique<HighScoreBox>();
    HighScoreBox& box = *owned;
};

TEST_F(Dialogs, TheNameBoxKeepsThreeLettersInItselfAndInTheTypedText)
{
    type("ABCDE");
    box.update();
    EXPECT_EQ(box.getInText(), "ABC");
    EXPECT_EQ(input().getTextIn(), "ABC");
}

TEST_F(Dialogs, EnterAnswersTheFirstButtonAndLeavesTheBoxOpen)
{
    input().keyDown(VK_RETURN);
    box.update();
    EXPECT_EQ(box.getButtonClicked(), 1);
    EXPECT_TRUE(box.getVisible());
    input().keyUp(VK_RETURN);

    // Opening it again while it is open changes nothing.
    const UINT height = box.getHeight();
    box.print("A much longer question that would need more lines than the first one had");
    EXPECT_EQ(box.getHeight(), height);
    EXPECT_EQ(box.getButtonClicked(), 1);
}

TEST_F(Dialogs, ClicksLandOnTheButtonsWhateverTheWindowSize)
{
    const int y = static_cast<int>(box.getY()) + static_cast<int>(box.getHeight()) - 20;
    clickAt(400, y);
    EXPECT_EQ(box.getButtonClicked(), 1);
    EXPECT_FALSE(box.getVisible());

    // Twice the size: the same button is at twice the place.
    MoveWindow(hwnd, 0, 0, 1600, 1200, TRUE);
    RECT client{};
    GetClientRect(hwnd, &client);
    ASSERT_EQ(client.right, 1600);
    box.print("Again");
    clickAt(400, y);
    EXPECT_TRUE(box.getVisible()) << "(400, y) is now half way to the button";
    clickAt(800, 2 * y);
    EXPECT_EQ(box.getButtonClicked(), 1);
    EXPECT_FALSE(box.getVisible());
}

TEST_F(Dialogs, TheSecondButtonClosesTheBoxAndEmptiesTheEntry)
{
    type("AB");
    box.update();
    ASSERT_EQ(box.getInText(), "AB");
    const RECT& second = box.getButton2Rect();
    clickAt((second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_EQ(box.getButtonClicked(), 2);
    EXPECT_FALSE(box.getVisible());
    EXPECT_EQ(box.getInText(), "") << "in the same update";
}

// The game-over screen's box, drawn in the real frame.
TEST_F(ScreenFixture, TheNameBoxComesBackAfterTheDeviceIsReset)
{
    goTo("GAMEOVER");
    const RECT entry = screen<EndOfRunScreen>("GAMEOVER").getNameBox().getInTextRect();
    auto whiteInEntry = [&] {
        game->renderGame();
        const testsupport::Picture p = testsupport::readBack();
        int white = 0;
        for (int y = entry.top + 2; y < entry.bottom - 2; ++y)
            for (int x = entry.left + 2; x < entry.right - 2; ++x)
                white += p.at(x, y) == 0xFFFFFFFFu;
        return white;
    };
    const int area = (entry.right - entry.left - 4) * (entry.bottom - entry.top - 4);
    EXPECT_GT(whiteInEntry(), area * 9 / 10);

    platform::testing::forceDeviceState(D3DERR_DEVICELOST);
    frame();
    platform::testing::forceDeviceState(D3DERR_DEVICENOTRESET);
    frame();
    platform::testing::forceDeviceState(D3D_OK);
    frame();
    EXPECT_GT(whiteInEntry(), area * 9 / 10);
}

// The game object keeps the two plain dialogs, hidden, from the start.
TEST_F(ScreenFixture, TheGameKeepsItsTwoDialogsReady)
{
    ASSERT_NE(game->getMessageDialog(), nullptr);
    ASSERT_NE(game->getInputDialog(), nullptr);
    EXPECT_TRUE(game->getMessageDialog()->getInitialized());
    EXPECT_TRUE(game->getInputDialog()->getInitialized());
    EXPECT_FALSE(game->getMessageDialog()->getVisible());
    frame();
    EXPECT_FALSE(game->getInputDialog()->getVisible());
}
