// What one frame of level 1 costs headless: the game's own work (update and
// collisions) and the whole frame with drawing on the software renderer.
#include "app/keelhaven.h"
#include "entities/ship.h"
#include "levels/level.h"
#include "testing.h"
#include "win32_window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

LRESULT ignore(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

using Clock = std::chrono::steady_clock;
double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

}  // namespace

int main()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::testing::useFakeClock(true);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ignore;
    wc.lpszClassName = "KeelhavenLevelBench";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "KeelhavenLevelBench", "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                800, 600, nullptr, nullptr, nullptr, nullptr);
    auto* game = new Keelhaven;
    game->initialize(hwnd);
    std::printf("renderer: %s\n", platform::testing::rendererName().c_str());
    game->switchState("LEVEL1", "LOGO");
    auto* level = static_cast<Level*>(game->findState("LEVEL1"));
    Input* input = game->getInput();

    constexpr float FRAME = 1.0f / 60.0f;
    constexpr int FRAMES = 3000;
    std::vector<double> work, whole;
    work.reserve(FRAMES);
    whole.reserve(FRAMES);

    // The ship sails back and forth along its starting row; enemies patrol.
    for (int i = 0; i < FRAMES; ++i) {
        const bool right = (i / 240) % 2 == 0;
        input->keyUp(right ? VK_LEFT : VK_RIGHT);
        input->keyDown(right ? VK_RIGHT : VK_LEFT);
        game->getShip()->setHealth(100);  // keep sailing whatever it meets

        auto t0 = Clock::now();
        level->update(FRAME);
        level->collisions(FRAME);
        auto t1 = Clock::now();
        work.push_back(microseconds(t1 - t0));

        platform::testing::advanceClock(FRAME);
        t0 = Clock::now();
        game->run(hwnd);
        t1 = Clock::now();
        whole.push_back(microseconds(t1 - t0));
    }
    std::printf("level 1 game work (update + collisions): median %.2f us (target under 20)\n", median(work));
    std::printf("level 1 whole frame (game work + drawing + present): median %.3f ms (target at most 2.08)\n",
                median(whole) / 1000.0);

    delete game;
    DestroyWindow(hwnd);
    return 0;
}
