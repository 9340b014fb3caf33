#include "support/headless.h"

#include "files.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace testsupport {

LRESULT CALLBACK_IGNORE(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND createTestWindow(const char* className)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CALLBACK_IGNORE;
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
    return CreateWindowExA(0, className, "test", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr,
                           nullptr, nullptr, nullptr);
}

HeadlessGraphics::HeadlessGraphics()
{
    hwnd = createTestWindow("KeelhavenTest");
    g = std::make_unique<Graphics>();
    g->initialize(hwnd);
}

HeadlessGraphics::~HeadlessGraphics()
{
    g.reset();
    DestroyWindow(hwnd);
}

Picture readBack()
{
    Picture p;
    EXPECT_TRUE(platform::testing::readBackBuffer(p.pixels, p.width, p.height));
    return p;
}

bool sameColor(std::uint32_t a, std::uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance)
            return false;
    }
    return true;
}

RECT boundsOfChange(const Picture& p, std::uint32_t background, const RECT& within)
{
    RECT r{within.right, within.bottom, within.left, within.top};
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x)
            if (!sameColor(p.at(x, y), background, 8)) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.left >= r.right)
        return RECT{0, 0, 0, 0};
    return r;
}

// CTest runs tests side by side: each process keeps to its own folder.
std::string scratchGamePath(const std::string& name)
{
    return "testScratch\\" + std::to_string(getpid()) + "\\" + name;
}

std::string scratchRealPath(const std::string& name)
{
    static const std::string dir = [] {
        std::string d = platform::dataDirectory() + "testScratch/" + std::to_string(getpid()) + "/";
        std::filesystem::create_directories(d);
        // Removed when the program ends.
        static struct Cleanup {
            std::string path;
            ~Cleanup()
            {
                std::error_code ec;
                std::filesystem::remove_all(path, ec);
                // The shared parent too, once no other test program uses it.
                std::filesystem::remove(std::filesystem::path(path).parent_path().parent_path(), ec);
            }
        } cleanup{d};
        return d;
    }();
    return dir + name;
}

}  // namespace testsupport
