#include "headless_graphics.h"

#include "support/headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "testing.h"

namespace headless {
Graphics& graphics()
{
    static testsupport::HeadlessGraphics device;
    return device.graphics();
}

const std::string& scratchDir()
{
    static const std::string dir = [] {
        namespace fs = std::filesystem;
        fs::path base = fs::temp_directory_path();
        std::string s = base.string();
        for (char c : s)
            if (c >= 'A' && c <= 'Z')
                base = "/tmp";  // keep the whole path lower case
        fs::path d = base / ("keelhaven-render-images-" + std::to_string(getpid()));
        fs::remove_all(d);
        fs::create_directories(d);
        // Removed when the program ends.
        static struct Cleanup {
            fs::path p;
            ~Cleanup()
            {
                std::error_code ec;
                fs::remove_all(p, ec);
            }
        } cleanup{d};
        return d.string() + "/";
    }();
    return dir;
}

int Frame::countDrawn(int left, int top, int right, int bottom) const
{
    const std::uint32_t back = graphics().getBackColor();
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (at(x, y) != back)
                ++n;
    return n;
}

Frame renderFrame(const std::function<void()>& draw)
{
    Graphics& g = graphics();
    Frame f;
    EXPECT_EQ(g.beginScene(), D3D_OK);
    g.spriteBegin();
    draw();
    g.spriteEnd();
    g.endScene();
    EXPECT_TRUE(platform::testing::readBackBuffer(f.pixels, f.width, f.height));
    EXPECT_EQ(f.width, 800);
    EXPECT_EQ(f.height, 600);
    if (f.pixels.size() != 800u * 600u)
        f.pixels.assign(800u * 600u, 0);
    f.width = 800;
    f.height = 600;
    g.showBackbuffer();
    return f;
}

}  // namespace headless
