// What the whole game costs outside a frame, headless: start-up to the first
// frame, one release-and-reset cycle of every texture and font after a tour
// of every state (what holding Escape costs each frame), and peak memory.
#include "bench_common.h"
#include "keelhaven/keelhaven.h"
#include "testing.h"
#include "win32_window.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::ignore;
using bench::median;
using bench::residentMegabytes;
double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Processor time this process used, in ms: on a machine shared with other
// work the wall clock also counts the time spent waiting for a core.
double processorMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

const char* const SCREENS[] = {"LOGO",   "FRONTEND", "INTRO",   "TITLESCREEN", "OPTIONSCREEN", "INSTRUCTIONS",
                               "CREDITS", "UPGRADESCREEN", "GAMEOVER", "COMPLETE", "HIGHSCORE"};

}  // namespace

int main()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::testing::useFakeClock(true);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ignore;
    wc.lpszClassName = "KeelhavenStartupBench";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "KeelhavenStartupBench", "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 800, 600, nullptr, nullptr, nullptr, nullptr);

    const double cpu0 = processorMilliseconds();
    auto t0 = Clock::now();
    auto* game = new Keelhaven;
    auto t1 = Clock::now();
    game->initialize(hwnd);
    auto t2 = Clock::now();
    game->switchState("LOGO", "");
    platform::testing::advanceClock(1.0 / 60.0);
    game->run(hwnd);
    auto t3 = Clock::now();
    const double cpu3 = processorMilliseconds();
    std::printf("renderer: %s\n", platform::testing::rendererName().c_str());
    std::printf("start-up to the first frame: %.1f ms (target under 40): game object %.1f, initialize %.1f, "
                "first frame %.1f; processor time %.1f ms\n",
                milliseconds(t3 - t0), milliseconds(t1 - t0), milliseconds(t2 - t1), milliseconds(t3 - t2),
                cpu3 - cpu0);
    std::printf("memory after start-up: %.1f MB resident\n", residentMegabytes());

    auto cycle = [&] {
        std::vector<double> times;
        for (int i = 0; i < 200; ++i) {
            auto s = Clock::now();
            game->releaseAll();
            game->resetAll();
            times.push_back(milliseconds(Clock::now() - s));
        }
        return median(times);
    };
    std::printf("release/reset cycle after start-up: median %.3f ms\n", cycle());

    // The tour: every screen, then every level, a few frames each.
    std::string previous = "LOGO";
    auto visit = [&](const std::string& name) {
        game->switchState(name, previous);
        previous = name;
        for (int f = 0; f < 3; ++f) {
            platform::testing::advanceClock(1.0 / 60.0);
            game->run(hwnd);
        }
    };
    for (const char* s : SCREENS)
        visit(s);
    for (int n = 1; n <= 31; ++n)
        visit("LEVEL" + std::to_string(n));
    visit("PAUSESCREEN");

    std::printf("release/reset cycle after visiting every state: median %.3f ms (target under 0.5)\n", cycle());
    // Every state keeps what it loaded: this is as many as there can be.
    std::printf("live device objects after visiting every state: %d\n", platform::testing::liveDefaultPoolObjects());
    std::printf("memory after the tour: %.1f MB resident, peak %.1f MB (target under 60)\n", residentMegabytes(),
                peakMegabytes());

    delete game;
    DestroyWindow(hwnd);
    return 0;
}
