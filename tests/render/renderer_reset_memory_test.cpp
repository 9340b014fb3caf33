// The renderer losing its textures (a device or render-target reset) again
// and again in a real game object: every texture is made again each time and
// the old one destroyed, so the live textures, the decoded pixels and the heap
// stay where the first reset left them.
#include "support/game_fixture.h"

#include "engine/console.h"

#include <malloc.h>

namespace {

struct Footprint {
    int textures = 0;
    std::size_t decodedBytes = 0;
    std::size_t heapBytes = 0;
};

Footprint footprint()
{
    return Footprint{platform::testing::liveRendererTextures(), platform::testing::decodedPictureBytes(),
                     mallinfo2().uordblks};
}

}  // namespace

class RendererReset : public GameFixture {
protected:
    // The reset as the game meets it: the next frame finds the device not
    // reset, resets it and draws everything again.
    void loseTexturesAndPlayOn()
    {
        platform::testing::loseRendererTextures();
        frame();
        frame();
        ASSERT_EQ(game->getGraphics()->getDeviceState(), D3D_OK);
    }
};

TEST_F(RendererReset, AHundredResetsLeaveTexturesDecodedPixelsAndHeapAsTheFirstDid)
{
    // A level on screen, its pictures, tiles and score drawn, and the
    // console open over it: pictures and glyphs of several fonts.
    game->switchState("LEVEL1", "LOGO");
    frame();
    game->getInput()->keyDown(gameNS::CONSOLE_KEY);
    game->getInput()->keyUp(gameNS::CONSOLE_KEY);
    frame();
    typeCommand("help");
    ASSERT_TRUE(game->getConsole()->getVisible());
    ASSERT_GT(platform::testing::liveRendererTextures(), 3);

    loseTexturesAndPlayOn();
    const Footprint first = footprint();
    for (int i = 0; i < 100; ++i)
        loseTexturesAndPlayOn();
    const Footprint last = footprint();

    EXPECT_EQ(last.textures, first.textures) << "textures from before a reset must be destroyed: "
                                             << first.textures << " after the first, " << last.textures
                                             << " after 100 more";
    EXPECT_EQ(last.decodedBytes, first.decodedBytes);
    // A leaked glyph atlas or back buffer is hundreds of kilobytes a reset;
    // the allowance is for the allocator's own bookkeeping.
    EXPECT_LT(last.heapBytes, first.heapBytes + (512u << 10))
        << "heap " << first.heapBytes / 1024 << " kB after the first reset, " << last.heapBytes / 1024
        << " kB after 100 more";
}
