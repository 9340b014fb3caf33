// A lost device reset after the levels were visited: the textures come back
// from the pictures already decoded and the fonts keep their glyphs, so every
// level must draw exactly as it did before the reset.
#include "level_fixture.h"

#include <map>

using testsupport::Picture;

namespace {

constexpr int LEVELS = 31;

// Pixels that differ between two pictures of the same size.
int differences(const Picture& a, const Picture& b)
{
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        n += a.pixels[i] != b.pixels[i] ? 1 : 0;
    return n;
}

}  // namespace

class DeviceReset : public LevelFixture {
protected:
    // Level n as it stands on entry: freshly placed, nothing stepped yet.
    Picture enterAndDraw(int n)
    {
        const std::string to = "LEVEL" + std::to_string(n);
        game->switchState(to, to == current ? "LOGO" : current);
        current = to;
        ship().setGold(1234);  // the figure drawn in the level's own font
        game->renderGame();
        return testsupport::readBack();
    }

    // What the game loop does when the device must be reset, without the
    // frame around it (which would move the ship between the pictures).
    void resetDevice()
    {
        ASSERT_EQ(game->getGraphics()->getDeviceState(), D3DERR_DEVICENOTRESET);
        game->releaseAll();
        ASSERT_EQ(game->getGraphics()->reset(), D3D_OK);
        game->resetAll();
        ASSERT_EQ(game->getGraphics()->getDeviceState(), D3D_OK);
    }
    void loseAndResetDevice()
    {
        platform::testing::forceDeviceState(D3DERR_DEVICENOTRESET);
        resetDevice();
    }

    std::string current = "LOGO";
};

TEST_F(DeviceReset, EveryLevelDrawsExactlyAsBeforeWithoutReadingAPictureAgain)
{
    // A first visit places a level's objects for the first time; the
    // pictures compared are those of a second visit.
    for (int n = 1; n <= LEVELS; ++n)
        enterAndDraw(n);
    std::map<int, Picture> before;
    for (int n = 1; n <= LEVELS; ++n)
        before[n] = enterAndDraw(n);
    const int decoded = platform::testing::pictureFileLoads();

    loseAndResetDevice();
    EXPECT_EQ(platform::testing::pictureFileLoads(), decoded) << "no picture decoded again";
    for (int n = 1; n <= LEVELS; ++n) {
        const Picture after = enterAndDraw(n);
        ASSERT_EQ(after.pixels.size(), before[n].pixels.size());
        EXPECT_EQ(differences(before[n], after), 0) << "level " << n;
    }

    // Each further cycle gives back exactly what it took.
    const int live = platform::testing::liveDefaultPoolObjects();
    loseAndResetDevice();
    EXPECT_EQ(platform::testing::liveDefaultPoolObjects(), live);
}

TEST_F(DeviceReset, RepeatedCyclesAndARendererResetChangeNothing)
{
    enterAndDraw(27);
    const Picture first = enterAndDraw(27);
    for (int i = 0; i < 3; ++i)
        loseAndResetDevice();
    EXPECT_EQ(differences(first, enterAndDraw(27)), 0) << "three cycles in a row";

    // The renderer losing its textures: the pictures are read from disk
    // again, from where they were found the first time, and the glyphs
    // drawn into a new texture.
    const int decoded = platform::testing::pictureFileLoads();
    platform::testing::loseRendererTextures();
    resetDevice();
    EXPECT_GT(platform::testing::pictureFileLoads(), decoded);
    EXPECT_EQ(differences(first, enterAndDraw(27)), 0) << "after the renderer reset";
}
