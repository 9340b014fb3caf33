#include "screen_fixture.h"

#include "screens/credit_screen.h"

using Flow = ScreenFixture;

TEST_F(Flow, TheLogoTakesEnterFromOneSecondAndMovesOnByItselfAtFiveAndAHalf)
{
    EXPECT_EQ(current(), "LOGO");
    EXPECT_EQ(game->getGraphics()->getBackColor(), 0xFF313030u);
    wait(0.8f);
    press(VK_RETURN, 0.1f);
    EXPECT_EQ(current(), "LOGO") << "Enter at 0.9 s";
    press(VK_RETURN, 0.1f);
    EXPECT_EQ(current(), "FRONTEND") << "Enter at 1.0 s";

    // Sixteenth-second frames add up exactly in the screen's float timer.
    TearDown();
    SetUp();
    wait(5.4375f, 0.0625f);
    EXPECT_EQ(current(), "LOGO");
    wait(0.0625f, 0.0625f);
    EXPECT_EQ(current(), "FRONTEND");
}

TEST_F(Flow, TheLogoClimbsAboutTwoHundredAndEightyPixelsThenStops)
{
    const testsupport::Picture before = (game->renderGame(), testsupport::readBack());
    wait(3.0f, 0.05f);
    // The logo's first 287 px of climb, no more: compare two later pictures.
    const testsupport::Picture settled = (game->renderGame(), testsupport::readBack());
    wait(1.0f, 0.05f);
    const testsupport::Picture later = (game->renderGame(), testsupport::readBack());
    EXPECT_EQ(settled.pixels, later.pixels);
    EXPECT_NE(before.pixels, settled.pixels);
}

TEST_F(Flow, FromTheWelcomeThroughTheStoryToTheTitle)
{
    goTo("FRONTEND");
    press(VK_RETURN, 0.1f);
    EXPECT_EQ(current(), "FRONTEND") << "the first half second is guarded";
    wait(0.5f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "INTRO");

    wait(1.2f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "INTRO");
    wait(0.3f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN");

    // Without a key the story moves on by itself at 17 s.
    goTo("INTRO");
    wait(16.8f);
    EXPECT_EQ(current(), "INTRO");
    wait(0.3f);
    EXPECT_EQ(current(), "TITLESCREEN");
}

TEST_F(Flow, StartOnThePadMovesOnAsEnterDoes)
{
    wait(1.0f);
    holdPad(XINPUT_GAMEPAD_START);
    frame(0.02f);
    EXPECT_EQ(current(), "FRONTEND");
}

TEST_F(Flow, CreditsGoBackWhereTheyCameFrom)
{
    goTo("TITLESCREEN");
    game->creditsFromTitle = true;
    goTo("CREDITS");
    wait(1.8f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "CREDITS") << "the first two seconds are guarded";
    wait(0.3f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN");
    EXPECT_FALSE(game->creditsFromTitle);

    // Reached any other way, they end at the welcome screen, by themselves
    // after 24 s, having scrolled 1150 px.
    goTo("CREDITS");
    CreditScreen& credits = screen<CreditScreen>("CREDITS");
    EXPECT_NEAR(credits.getScroll(), -0.5f, 0.01f) << "leaving put the text back";
    wait(23.8f);
    EXPECT_EQ(current(), "CREDITS");
    EXPECT_LE(credits.getScroll(), -1150);
    EXPECT_GT(credits.getScroll(), -1160);
    wait(0.3f);
    EXPECT_EQ(current(), "FRONTEND");
}

// A screen loads its pictures when first shown, and never again.
TEST_F(Flow, EveryScreenPictureIsLoadedOnceOnTheScreensFirstShowing)
{
    const std::vector<const char*> tour = {"FRONTEND", "INTRO", "TITLESCREEN", "OPTIONSCREEN", "INSTRUCTIONS",
                                           "CREDITS", "HIGHSCORE", "GAMEOVER", "UPGRADESCREEN", "COMPLETE",
                                           "PAUSESCREEN", "LOGO"};
    const int atStart = platform::testing::pictureFileLoads();
    for (const char* s : tour)
        goTo(s);
    const int firstTour = platform::testing::pictureFileLoads();
    EXPECT_GT(firstTour, atStart) << "the screens not yet shown load theirs now";
    for (const char* s : tour)
        goTo(s);
    EXPECT_EQ(platform::testing::pictureFileLoads(), firstTour);
}

TEST_F(Flow, TheMusicFollowsTheScreens)
{
    Audio& audio = *game->getAudio();
    ASSERT_TRUE(audio.getSoundOn());
    goTo("FRONTEND");
    frame();
    EXPECT_EQ(audio.playingInstances("BALLAD3"), 1);
    goTo("TITLESCREEN");
    frame();
    EXPECT_EQ(audio.playingInstances("BALLAD3"), 1) << "one ballad, however many screens start it";
    press(VK_RETURN);  // Start, in easy play
    frame();
    EXPECT_EQ(current(), "LEVEL1");
    EXPECT_EQ(audio.playingInstances("BALLAD3"), 0);
    EXPECT_EQ(audio.playingInstances("KEELHAVENDARKTHEME"), 1);

    goTo("CREDITS");
    frame();
    EXPECT_EQ(audio.playingInstances("ENDINGCREDITS"), 1);
    goTo("FRONTEND");
    frame();
    EXPECT_EQ(audio.playingInstances("ENDINGCREDITS"), 0) << "stopped on leaving";
}
