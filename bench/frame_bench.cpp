// How long one busy frame takes to draw headless on the software renderer,
// and one release-and-reload cycle of 40 textures (what Escape held costs).
#include "render/graphics.h"
#include "render/text_dx.h"
#include "testing.h"
#include "win32_window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

LRESULT ignore(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

LP_TEXTURE load(Graphics& g, const char* name)
{
    UINT w = 0, h = 0;
    LP_TEXTURE t = nullptr;
    if (FAILED(g.loadTexture(name, w, h, t))) {
        std::fprintf(stderr, "cannot load %s\n", name);
        std::exit(1);
    }
    return t;
}

}  // namespace

int main()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ignore;
    wc.lpszClassName = "KeelhavenBench";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "KeelhavenBench", "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800,
                                600, nullptr, nullptr, nullptr, nullptr);
    auto* graphics = new Graphics;
    graphics->initialize(hwnd);
    std::printf("renderer: %s\n", platform::testing::rendererName().c_str());

    const char* tileNames[] = {"pictures\\tile_grass.png", "pictures\\tile_highland.png", "pictures\\tile_sea.png",
                               "pictures\\tile_sea_crests.png", "pictures\\tile_sand.png"};
    LP_TEXTURE background = load(*graphics, "pictures\\startscreen.jpg");
    std::vector<LP_TEXTURE> tiles;
    for (const char* n : tileNames)
        tiles.push_back(load(*graphics, n));
    LP_TEXTURE sheet = load(*graphics, "pictures\\textures4-3.png");
    TextDX text;
    text.initialize(graphics, 24, true, false, "Stencil");

    // parts: 1 background, 2 tiles, 4 sprites, 8 text
    auto drawFrame = [&](int frame, int parts = 15) {
        graphics->beginScene();
        graphics->spriteBegin();
        SpriteData sd;
        sd.width = 800;
        sd.height = 600;
        sd.rect = RECT{0, 0, 800, 600};
        sd.texture = background;
        if (parts & 1)
            graphics->drawSprite(sd);
        sd.width = sd.height = 65;
        sd.rect = RECT{0, 0, 65, 65};
        for (int i = 0; i < ((parts & 2) ? 84 : 0); ++i) {  // 7 rows of 12
            sd.texture = tiles[static_cast<size_t>(i) % tiles.size()];
            sd.x = static_cast<float>((i % 12) * 65);
            sd.y = static_cast<float>((i / 12) * 65);
            graphics->drawSprite(sd);
        }
        sd.texture = sheet;
        sd.width = sd.height = 64;
        for (int i = 0; i < ((parts & 4) ? 60 : 0); ++i) {
            int f = i % 16;
            sd.rect = RECT{(f % 4) * 64, (f / 4) * 64, (f % 4) * 64 + 64, (f / 4) * 64 + 64};
            sd.x = static_cast<float>((i * 53) % 736);
            sd.y = static_cast<float>((i * 37) % 400);
            sd.angle = 0.05f * static_cast<float>(i + frame);
            graphics->drawSprite(sd);
        }
        for (int i = 0; i < ((parts & 8) ? 20 : 0); ++i)
            text.print("Gold " + std::to_string(1000 + i), 20 + (i % 4) * 190, 470 + (i / 4) * 25);
        graphics->spriteEnd();
        graphics->endScene();
        graphics->showBackbuffer();
    };

    for (int i = 0; i < 30; ++i)
        drawFrame(i);
    std::vector<double> frames;
    for (int i = 0; i < 400; ++i) {
        auto start = std::chrono::steady_clock::now();
        drawFrame(i);
        frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("frame: median %.3f ms, best %.3f ms (target 2.08 ms)\n", median(frames),
                *std::min_element(frames.begin(), frames.end()));
    const char* partNames[] = {"clear and present only", "the 800 x 600 picture", "84 tiles", "60 turned sprites",
                               "20 texts"};
    for (int part = 0; part < 5; ++part) {
        int mask = part == 0 ? 0 : 1 << (part - 1);
        std::vector<double> t;
        for (int i = 0; i < 200; ++i) {
            auto start = std::chrono::steady_clock::now();
            drawFrame(i, mask);
            t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("  %-24s %.3f ms\n", partNames[part], median(t));
    }

    // 40 textures released and loaded again, the renderer untouched.
    const char* cycleNames[] = {"pictures\\tile_grass.png", "pictures\\HUD.png", "pictures\\textures4-3.png",
                                "pictures\\ocean.jpg", "pictures\\Whirlpool2.png", "pictures\\healthbar.png",
                                "pictures\\Ammunition.png", "pictures\\LIVESICON.png"};
    std::vector<LP_TEXTURE> held;
    for (int i = 0; i < 40; ++i)
        held.push_back(load(*graphics, cycleNames[i % 8]));
    std::vector<double> cycles;
    for (int round = 0; round < 200; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (LP_TEXTURE& t : held)
            t->Release();
        for (size_t i = 0; i < held.size(); ++i)
            held[i] = load(*graphics, cycleNames[i % 8]);
        cycles.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("release and reload of 40 textures: median %.1f us\n", median(cycles));

    for (LP_TEXTURE t : held)
        t->Release();
    for (LP_TEXTURE t : tiles)
        t->Release();
    sheet->Release();
    background->Release();
    text.onLostDevice();
    delete graphics;
    DestroyWindow(hwnd);
    return 0;
}
