#include "support/headless.h"

#include "files.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

namespace testsupport {

LRESULT CALLBACK_IGNORE(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HeadlessGraphics::HeadlessGraphics()
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CALLBACK_IGNORE;
    wc.lpszClassName = "KeelhavenTest";
    RegisterClassExA(&wc);
    hwnd = CreateWindowExA(0, "KeelhavenTest", "test", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800,
                           600, nullptr, nullptr, nullptr, nullptr);
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

namespace {

std::uint32_t crc32(const unsigned char* data, size_t n, std::uint32_t crc = 0)
{
    static std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<unsigned char>(v >> s));
}

void chunk(std::vector<unsigned char>& file, const char* type, const std::vector<unsigned char>& body)
{
    put32(file, static_cast<std::uint32_t>(body.size()));
    std::vector<unsigned char> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    file.insert(file.end(), typed.begin(), typed.end());
    put32(file, crc32(typed.data(), typed.size()));
}

}  // namespace

void writePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb)
{
    // Uncompressed deflate blocks: small pictures only, no zlib needed.
    std::vector<unsigned char> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            std::uint32_t c = argb[static_cast<size_t>(y) * width + x];
            raw.push_back(static_cast<unsigned char>(c >> 16));
            raw.push_back(static_cast<unsigned char>(c >> 8));
            raw.push_back(static_cast<unsigned char>(c));
            raw.push_back(static_cast<unsigned char>(c >> 24));
        }
    }
    std::vector<unsigned char> z{0x78, 0x01};
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        z.push_back(pos + n >= raw.size() ? 1 : 0);
        z.push_back(static_cast<unsigned char>(n));
        z.push_back(static_cast<unsigned char>(n >> 8));
        z.push_back(static_cast<unsigned char>(~n));
        z.push_back(static_cast<unsigned char>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(pos), raw.begin() + static_cast<long>(pos + n));
        pos += n;
        if (n == 0)
            break;
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);

    std::vector<unsigned char> file{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<unsigned char> ihdr;
    put32(ihdr, static_cast<std::uint32_t>(width));
    put32(ihdr, static_cast<std::uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    chunk(file, "IHDR", ihdr);
    chunk(file, "IDAT", z);
    chunk(file, "IEND", {});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
}

std::string scratchGamePath(const std::string& name) { return "testScratch\\" + name; }

std::string scratchRealPath(const std::string& name)
{
    std::string dir = platform::dataDirectory() + "testScratch/";
    std::filesystem::create_directories(dir);
    return dir + name;
}

}  // namespace testsupport
