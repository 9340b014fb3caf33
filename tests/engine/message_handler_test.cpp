#include "probe_game.h"

#include <gtest/gtest.h>

TEST(MessageHandler, EverythingGoesToTheDefaultProcedureBeforeInitialisation)
{
    ProbeGame game;
    drainMessages();
    game.send(WM_KEYDOWN, 'A');
    game.send(WM_CHAR, 'a');
    EXPECT_FALSE(game.getInput()->isKeyDown('A'));
    EXPECT_EQ(game.getInput()->getTextIn(), "");
    game.send(WM_DESTROY);
    EXPECT_FALSE(drainMessages()) << "no quit before the game is initialised";
}

class InitialisedHandler : public ::testing::Test {
protected:
    void SetUp() override
    {
        game.initialize(window.hwnd);
        drainMessages();
    }
    void TearDown() override { drainMessages(); }
    GameWindow window;
    ProbeGame game;
};

TEST_F(InitialisedHandler, KeysSetHeldAndPressedAndCodesAbove255AreIgnored)
{
    Input& in = *game.getInput();
    EXPECT_EQ(game.send(WM_SYSKEYDOWN, VK_MENU), 0);
    EXPECT_TRUE(in.isKeyDown(VK_MENU));
    EXPECT_TRUE(in.wasKeyPressed(VK_MENU));
    game.send(WM_SYSKEYUP, VK_MENU);
    EXPECT_FALSE(in.isKeyDown(VK_MENU));
    EXPECT_TRUE(in.wasKeyPressed(VK_MENU)) << "pressed stays until the frame clears it";

    game.send(WM_KEYDOWN, 0x100 + 'A');
    game.send(WM_KEYDOWN, 300);
    for (int vk = 0; vk < 256; ++vk)
        EXPECT_EQ(in.isKeyDown(static_cast<UCHAR>(vk)), false) << vk;
}

TEST_F(InitialisedHandler, MouseMessagesCarrySignedPositionsButtonsAndWheel)
{
    Input& in = *game.getInput();
    game.send(WM_MOUSEMOVE, 0, MAKELPARAM(-5, 700));
    EXPECT_EQ(in.getMouseX(), -5);
    EXPECT_EQ(in.getMouseY(), 700);
    game.send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    EXPECT_TRUE(in.getMouseRButton());
    EXPECT_EQ(in.getMouseX(), 10);
    game.send(WM_XBUTTONDOWN, MK_XBUTTON2 | (2u << 16), MAKELPARAM(1, 1));
    EXPECT_FALSE(in.getMouseX1Button());
    EXPECT_TRUE(in.getMouseX2Button());
    game.send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-240)) << 16);
    EXPECT_EQ(in.getMouseWheel(), -240);
    game.send(WM_MOUSEWHEEL, static_cast<WPARAM>(120) << 16);
    EXPECT_EQ(in.getMouseWheel(), 120) << "replaced, not added";
}

TEST_F(InitialisedHandler, DestroyPostsQuit)
{
    EXPECT_EQ(game.send(WM_DESTROY), 0);
    EXPECT_TRUE(drainMessages());
}
