// Keys bound in the settings file are the keys every reader obeys, and the
// old ones do nothing; pads come and go while the game runs, and one pulled
// out at sea pauses the level.
#include "entities/cannon.h"
#include "entities/ship.h"
#include "settings_fixture.h"

using namespace settingstest;

namespace {

class KeyRemap : public SettingsRestart {
protected:
    // Level 1 entered as from the shop, long enough that a shot may go,
    // the ship facing somewhere (one that never steered faces nowhere).
    void sailLevel1()
    {
        game->switchState("LEVEL1", "FRONTEND");
        for (int i = 0; i < 20; ++i)
            frame(0.1f);
        game->getShip()->setAmmo(5);
        game->getShip()->faceRight();
        frame();
    }
    bool ballFlying() { return game->getShip()->getCannon()->getActive(); }
    bool active(const std::string& state) { return game->findState(state)->getActive(); }
};

}  // namespace

TEST_F(KeyRemap, ARemappedFireKeyFiresAndSpaceNoLongerDoes)
{
    startWith("[keys]\nfire = F\n");
    sailLevel1();
    press(VK_SPACE);
    EXPECT_FALSE(ballFlying()) << "Space is no longer the fire key";
    press('F');
    EXPECT_TRUE(ballFlying());
}

TEST_F(KeyRemap, RemappedSteeringAndPauseAtSea)
{
    startWith("[keys]\nsteer_right = D\npause = Q\n");
    sailLevel1();
    const float x = game->getShip()->getX();
    sim::keyDown(VK_RIGHT);
    frame(0.1f);
    frame(0.1f);
    sim::keyUp(VK_RIGHT);
    EXPECT_FLOAT_EQ(game->getShip()->getX(), x) << "the arrow no longer steers";
    sim::keyDown('D');
    frame(0.1f);
    frame(0.1f);
    sim::keyUp('D');
    EXPECT_GT(game->getShip()->getX(), x);

    press('P');
    press(VK_ESCAPE);
    EXPECT_TRUE(active("LEVEL1")) << "neither old pause key pauses";
    press('Q');
    EXPECT_TRUE(active("PAUSESCREEN"));
}

TEST_F(KeyRemap, MenusTheBookAndThePauseScreenTakeTheRemappedKeys)
{
    startWith("[keys]\nmenu_down = S\nmenu_right = D\nchoose = Space\nback = Backspace\n");
    goTo("OPTIONSCREEN");
    press(VK_RIGHT);
    press(VK_RETURN);
    EXPECT_TRUE(audio().getSoundOn()) << "the arrow and Enter do nothing here now";
    press('D');      // to Off
    press(VK_SPACE);
    EXPECT_FALSE(audio().getSoundOn());
    press('S');      // Easy
    press('S');      // How to Play
    press(VK_SPACE);
    ASSERT_TRUE(active("INSTRUCTIONS"));
    press(VK_ESCAPE);
    EXPECT_TRUE(active("INSTRUCTIONS")) << "Escape is not the back key";
    press(VK_BACK);
    EXPECT_FALSE(active("INSTRUCTIONS"));

    // The pause screen resumes on the choose key.
    sailLevel1();
    press('P');
    ASSERT_TRUE(active("PAUSESCREEN"));
    press(VK_RETURN);
    EXPECT_TRUE(active("PAUSESCREEN"));
    press(VK_SPACE);
    EXPECT_TRUE(active("LEVEL1"));
    EXPECT_FALSE(active("PAUSESCREEN"));
}

TEST_F(KeyRemap, APadIsPickedUpAtOnceAndOnePulledOutAtSeaPausesTheLevel)
{
    start();
    pad = sim::attachPad();
    ASSERT_GE(pad, 0);
    frame();
    EXPECT_TRUE(input().getGamepadConnected(0)) << "plugged in while the game runs";

    sailLevel1();
    sim::setPadButtons(pad, XINPUT_GAMEPAD_DPAD_RIGHT);
    frame();
    ASSERT_TRUE(input().getGamepadDPadRight(0));
    sim::detachPad(pad);
    pad = -1;
    frame();
    frame();
    EXPECT_FALSE(input().getGamepadConnected(0)) << "let go";
    EXPECT_FALSE(input().getGamepadDPadRight(0)) << "a pad gone holds nothing down";
    EXPECT_TRUE(active("PAUSESCREEN"));
    EXPECT_FALSE(active("LEVEL1"));

    // Away from the sea, a pad coming and going changes no screen.
    game->switchState("TITLESCREEN", "PAUSESCREEN");
    frame();
    pad = sim::attachPad();
    frame();
    sim::detachPad(pad);
    pad = -1;
    frame();
    frame();
    EXPECT_TRUE(active("TITLESCREEN"));
}

TEST_F(KeyRemap, TheLeftStickSteersPastTheDeadZoneOnly)
{
    startWith("[pad]\ndead_zone = 50\n");
    pad = sim::attachPad();
    frame();
    sim::setPadAxis(pad, 0 /* left stick X */, 12000);  // about 37 %
    frame();
    EXPECT_FALSE(input().getGamepadDPadRight(0));
    sim::setPadAxis(pad, 0, 20000);  // about 61 %
    frame();
    EXPECT_TRUE(input().getGamepadDPadRight(0));
    input().setPadDeadZone(30);
    sim::setPadAxis(pad, 0, 12000);
    frame();
    EXPECT_TRUE(input().getGamepadDPadRight(0));
}
