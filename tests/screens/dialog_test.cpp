#include "screen_fixture.h"

#include "engine/input_dialog.h"
#include "engine/message_dialog.h"
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
    // The left button down at (x, y) for one update of `dialog`.
    void clickOn(MessageDialog& dialog, int x, int y)
    {
        input().mouseIn(static_cast<LPARAM>((y << 16) | (x & 0xFFFF)));
        input().setMouseLButton(true);
        dialog.update();
        input().setMouseLButton(false);
    }
    void clickAt(int x, int y) { clickOn(box, x, y); }
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

// A question box with buttons, as the game opens it, for the clicks.
class Question : public Dialogs {
protected:
    void SetUp() override
    {
        Dialogs::SetUp();
        ASSERT_TRUE(question.initialize(game->getGraphics(), &input(), hwnd));
        question.print("Sure?");
        ASSERT_TRUE(question.getVisible());
    }
    void TearDown() override
    {
        ownedQuestion.reset();
        Dialogs::TearDown();
    }
    void clickOnQuestion(int x, int y) { clickOn(question, x, y); }
    std::unique_ptr<InputDialog> ownedQuestion = std::make_unique<InputDialog>();
    InputDialog& question = *ownedQuestion;
};

// Mouse positions arrive in the picture's own pixels whatever the window's
// size (the window tests follow them from the real window), so a button is
// always at the same place.
TEST_F(Question, ClicksLandOnTheButtonsWhateverTheWindowSize)
{
    const int y = static_cast<int>(question.getY()) + static_cast<int>(question.getHeight()) - 20;
    clickOnQuestion(400, y);
    EXPECT_EQ(question.getButtonClicked(), 1);
    EXPECT_FALSE(question.getVisible());

    MoveWindow(hwnd, 0, 0, 1600, 1200, TRUE);
    RECT client{};
    GetClientRect(hwnd, &client);
    ASSERT_EQ(client.right, 800) << "the client area is the picture";
    question.print("Again");
    clickOnQuestion(400, y + 30);
    EXPECT_TRUE(question.getVisible()) << "below the button";
    clickOnQuestion(400, y);
    EXPECT_EQ(question.getButtonClicked(), 1);
    EXPECT_FALSE(question.getVisible());
}

TEST_F(Question, TheSecondButtonClosesTheBoxAndEmptiesTheEntry)
{
    type("AB");
    question.update();
    ASSERT_EQ(question.getInText(), "AB");
    const RECT& second = question.getButton2Rect();
    clickOnQuestion((second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_EQ(question.getButtonClicked(), 2);
    EXPECT_FALSE(question.getVisible());
    EXPECT_EQ(question.getInText(), "") << "in the same update";
}

TEST_F(Question, ALongQuestionGrowsTheBoxAndKeepsTheButtonsBelowIt)
{
    question.hide();
    const UINT shortHeight = question.getHeight();
    question.print("A question long enough to need three or four lines of the box's own small type, "
                   "so the box must grow downwards to keep both of its buttons clear of the words.");
    EXPECT_GT(question.getHeight(), shortHeight);
    EXPECT_GE(question.getButtonRect().top, static_cast<LONG>(question.getY()) + 5 + 3 * 18);
}

// The name box draws no buttons, so no click anywhere closes it: the player
// always sees what they type.
TEST_F(Dialogs, NoClickHidesTheNameBox)
{
    type("AB");
    const RECT first = box.getButtonRect(), second = box.getButton2Rect();
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 9)
            clickAt(x, y);
    clickAt((first.left + first.right) / 2, (first.top + first.bottom) / 2);
    clickAt((second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_TRUE(box.getVisible());
    EXPECT_EQ(box.getInText(), "AB");
    EXPECT_EQ(box.getButtonClicked(), 0);
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
