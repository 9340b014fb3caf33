#include "engine/input.h"
#include "testing.h"

#include <gtest/gtest.h>

TEST(InputText, BackspaceEditsAndEnterEndsTheLine)
{
    Input in;
    for (char c : std::string("ab"))
        in.keyIn(static_cast<WPARAM>(c));
    in.keyIn(8);
    in.keyIn('c');
    in.keyIn(13);
    EXPECT_EQ(in.getTextIn(), "ac\r");
    EXPECT_EQ(in.getCharIn(), '\r');
    in.keyIn('z');
    EXPECT_EQ(in.getTextIn(), "z") << "the next character starts a new text";

    Input empty;
    empty.keyIn(8);
    EXPECT_EQ(empty.getTextIn(), "");
    EXPECT_EQ(empty.getCharIn(), 0) << "backspace on nothing changes nothing";
}

TEST(InputKeys, PressedOutlivesTheReleaseUntilCleared)
{
    Input in;
    in.keyDown(VK_SPACE);
    in.keyUp(VK_SPACE);
    EXPECT_FALSE(in.isKeyDown(VK_SPACE));
    EXPECT_TRUE(in.wasKeyPressed(VK_SPACE));
    in.keyDown(VK_UP);
    in.clear(inputNS::KEYS_PRESSED);
    EXPECT_FALSE(in.wasKeyPressed(VK_SPACE));
    EXPECT_TRUE(in.isKeyDown(VK_UP)) << "held keys stay held";
    in.keyDown(256);
    in.keyUp(1000);
    EXPECT_FALSE(in.anyKeyPressed());
}

TEST(InputMouse, ClearingTheMouseKeepsTheButtons)
{
    Input in;
    in.mouseIn(MAKELPARAM(-20, 30));
    in.mouseWheelIn(static_cast<WPARAM>(120) << 16);
    in.setMouseLButton(true);
    in.clear(inputNS::MOUSE);
    EXPECT_EQ(in.getMouseX(), 0);
    EXPECT_EQ(in.getMouseWheel(), 0);
    EXPECT_TRUE(in.getMouseLButton());
}

TEST(InputControllers, PlugAndUnplugAndTimedVibration)
{
    namespace sim = platform::testing;
    Input in;
    in.checkControllers();
    EXPECT_FALSE(in.getGamepadConnected(0));

    int pad = sim::attachPad();
    ASSERT_GE(pad, 0);
    in.readControllers();
    EXPECT_FALSE(in.getGamepadConnected(0)) << "a new pad is found only when devices change";
    in.checkControllers();
    ASSERT_TRUE(in.getGamepadConnected(0));

    sim::setPadButtons(pad, XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_A);
    in.readControllers();
    EXPECT_TRUE(in.getGamepadDPadUp(0));
    EXPECT_TRUE(in.getGamepadA(0));
    EXPECT_FALSE(in.getGamepadStart(0));

    // A half-second vibration stops in the first frame past half a second.
    in.gamepadVibrateLeft(0, 50000, 0.5f);
    WORD left = 0, right = 0;
    for (int frame = 0; frame < 5; ++frame)
        in.vibrateControllers(0.1f);
    ASSERT_TRUE(sim::lastRumble(0, left, right));
    EXPECT_EQ(left, 50000) << "0.5 s counted, not yet past it";
    in.vibrateControllers(0.01f);
    sim::lastRumble(0, left, right);
    EXPECT_EQ(left, 0);

    sim::detachPad(pad);
    in.readControllers();
    EXPECT_FALSE(in.getGamepadConnected(0)) << "unplugged pads drop out at the next read";
}
