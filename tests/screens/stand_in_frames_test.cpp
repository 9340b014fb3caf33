// Every screen and level drawn from stand-ins (tinted and scaled draws made
// into pictures once) is the very picture drawn texel by texel.
#include "screen_fixture.h"

#include <cstdio>

namespace {

class StandInFrames : public ScreenFixture {
protected:
    void TearDown() override
    {
        platform::testing::useDerivedPictures(true);
        ScreenFixture::TearDown();
    }
    std::vector<std::uint32_t> drawn()
    {
        game->renderGame();
        std::vector<std::uint32_t> pixels;
        int w = 0, h = 0;
        EXPECT_TRUE(platform::testing::readWindowPixels(pixels, w, h));
        return pixels;
    }
    // The state as it stands, drawn both ways; the number of pixels that differ.
    int differences(std::string& where)
    {
        platform::testing::useDerivedPictures(false);
        const std::vector<std::uint32_t> texelByTexel = drawn();
        platform::testing::useDerivedPictures(true);
        drawn();  // asks for the stand-ins
        drawn();  // makes them
        const std::vector<std::uint32_t> fromStandIns = drawn();
        int count = 0;
        for (size_t i = 0; i < texelByTexel.size() && i < fromStandIns.size(); ++i)
            if (texelByTexel[i] != fromStandIns[i] && count++ == 0) {
                char text[64];
                std::snprintf(text, sizeof text, "pixel %zu: %08X, not %08X", i, fromStandIns[i], texelByTexel[i]);
                where = text;
            }
        return count;
    }
};

}  // namespace

TEST_F(StandInFrames, EveryScreenAndLevelIsTheSamePicture)
{
    const int madeBefore = platform::testing::derivedPicturesMade();
    std::vector<std::string> tour = {"FRONTEND", "INTRO",         "TITLESCREEN", "OPTIONSCREEN", "INSTRUCTIONS",
                                     "CREDITS",  "HIGHSCORE",     "GAMEOVER",    "UPGRADESCREEN", "COMPLETE"};
    for (int n = 1; n <= keelhavenNS::LAST_LEVEL; ++n)
        tour.push_back("LEVEL" + std::to_string(n));
    for (const std::string& state : tour) {
        goTo("FRONTEND");
        goTo(state);
        wait(0.5f, 0.05f);  // under way: animations, enemies and the HUD as they are in play
        std::string where;
        EXPECT_EQ(differences(where), 0) << state << ", first at " << where;
        if (state.rfind("LEVEL", 0) == 0) {
            press('P');  // the pause screen over the level
            EXPECT_EQ(differences(where), 0) << "paused in " << state << ", first at " << where;
            press('P');
        }
    }
    EXPECT_GT(platform::testing::derivedPicturesMade(), madeBefore);
}
