// Mouse positions reach the game in its 800 x 600 picture's pixels, however
// large the window is and wherever the bars are.
#include "engine/message_dialog.h"
#include "support/game_fixture.h"
#include "testing.h"
#include "win32_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace sim = platform::testing;

namespace {

// What is queued, less raw motion (on once any test asked for it), which
// carries no position.
std::vector<MSG> waitingMessages()
{
    std::vector<MSG> out;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_INPUT)
            out.push_back(msg);
    return out;
}

POINT positionOf(const MSG& m) { return POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}; }

class WindowMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        hwnd = testsupport::createTestWindow("KeelhavenMouseTest");
        ASSERT_NE(hwnd, nullptr);
        waitingMessages();
    }
    void TearDown() override
    {
        DestroyWindow(hwnd);
        waitingMessages();
    }
    void resize(int w, int h)
    {
        MoveWindow(hwnd, 0, 0, w, h, TRUE);
        waitingMessages();
    }
    // Where a left click at window pixel (x, y) reaches the game.
    POINT clickAt(int x, int y)
    {
        sim::mouseButton(1, true, x, y);
        sim::mouseButton(1, false, x, y);
        std::vector<MSG> got = waitingMessages();
        EXPECT_EQ(got.size(), 2u);
        EXPECT_EQ(got.at(0).message, static_cast<UINT>(WM_LBUTTONDOWN));
        EXPECT_EQ(positionOf(got.at(1)).x, positionOf(got.at(0)).x) << "up where it went down";
        return positionOf(got.at(0));
    }
    HWND hwnd = nullptr;
};

void expectAt(POINT got, int x, int y)
{
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
}

}  // namespace

TEST_F(WindowMouse, ClicksArriveInPicturePixelsInAPillarboxedWindow)
{
    resize(1000, 600);  // picture at x 100..899
    RECT client{};
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    EXPECT_EQ(client.right, 800) << "the client area is the picture";
    EXPECT_EQ(client.bottom, 600);
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(hwnd, &frame));
    EXPECT_EQ(frame.right - frame.left, 1000) << "the window itself keeps its real size";

    expectAt(clickAt(100, 0), 0, 0);
    expectAt(clickAt(500, 300), 400, 300);
    expectAt(clickAt(899, 599), 799, 599);
    // In the bars: off the picture on that side, never on its edge.
    EXPECT_LT(clickAt(99, 300).x, 0);
    EXPECT_LT(clickAt(0, 300).x, 0);
    EXPECT_GE(clickAt(900, 300).x, 800);
}

TEST_F(WindowMouse, EveryMouseMessageIsMappedAtTwiceAndAtAFractionalScale)
{
    resize(1700, 1300);  // twice, 50-pixel bars
    sim::mouseMove(851, 651, 3, 4);
    sim::mouseButton(3, true, 51, 1249);
    sim::mouseWheel(1, 1649, 50);
    std::vector<MSG> got = waitingMessages();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].message, static_cast<UINT>(WM_MOUSEMOVE));
    expectAt(positionOf(got[0]), 400, 300);
    EXPECT_EQ(got[1].message, static_cast<UINT>(WM_RBUTTONDOWN));
    expectAt(positionOf(got[1]), 0, 599);
    EXPECT_EQ(got[2].message, static_cast<UINT>(WM_MOUSEWHEEL));
    expectAt(positionOf(got[2]), 799, 0);
    sim::mouseButton(3, false, 51, 1249);
    waitingMessages();

    resize(400, 600);  // half size, bars above and below
    expectAt(clickAt(200, 300), 401, 301);
    expectAt(clickAt(399, 449), 799, 599);
    EXPECT_LT(clickAt(200, 100).y, 0);
}

// A dialog's buttons, clicked through the real window and message path.
class DialogInAnyWindow : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ASSERT_TRUE(dialog->initialize(game->getGraphics(), game->getInput(), hwnd));
    }
    void TearDown() override
    {
        dialog.reset();  // its quads and font go before the device
        GameFixture::TearDown();
    }
    void resize(int w, int h) { MoveWindow(hwnd, 0, 0, w, h, TRUE); }
    // A click at window pixel (x, y) handed to the game as the window would.
    int clickAt(int x, int y)
    {
        dialog->print("Leave the harbour?");
        EXPECT_TRUE(dialog->getVisible());
        sim::mouseMove(x, y, 0, 0);
        sim::mouseButton(1, true, x, y);
        for (const MSG& m : waitingMessages())
            game->messageHandler(m.hwnd, m.message, m.wParam, m.lParam);
        dialog->update();
        sim::mouseButton(1, false, x, y);
        for (const MSG& m : waitingMessages())
            game->messageHandler(m.hwnd, m.message, m.wParam, m.lParam);
        return dialog->getVisible() ? 0 : dialog->getButtonClicked();
    }
    std::unique_ptr<MessageDialog> dialog = std::make_unique<MessageDialog>();
};

TEST_F(DialogInAnyWindow, ButtonsAreHitWhereTheyAreShown)
{
    dialog->print("Leave the harbour?");
    const RECT first = dialog->getButtonRect();
    const RECT second = dialog->getButton2Rect();
    const int midY = (first.top + first.bottom) / 2;
    const int firstX = (first.left + first.right) / 2, secondX = (second.left + second.right) / 2;

    resize(1600, 1200);  // twice, no bars
    EXPECT_EQ(clickAt(2 * firstX, 2 * midY), 1);
    EXPECT_EQ(clickAt(2 * secondX + 1, 2 * midY + 1), 2);
    EXPECT_EQ(clickAt(firstX, midY), 0) << "half way there is not the button";

    resize(1000, 600);  // pillarboxed, picture from x = 100
    EXPECT_EQ(clickAt(100 + firstX, midY), 1);
    EXPECT_EQ(clickAt(100 + secondX, midY), 2);
    EXPECT_EQ(clickAt(100 + second.right + 1, midY), 0) << "just right of the second button";
    EXPECT_EQ(clickAt(100 + first.left - 1, midY), 0) << "just left of the first button";
}
