// What one frame of each level costs headless: the game's own work (update
// and collisions) and the whole frame with drawing on the software renderer,
// with the ship sailing, idle and (on the wide levels) scrolling the map.
// Level 1, measured in the same run, is the reference.
//
//   level_bench            every level
//   level_bench N [F]      level N (and level 1), F frames a run
//   level_bench N F RUN    only the run named (sailing, idle or scrolling)
//
// KEELHAVEN_BENCH_STAND_INS=0 draws every tinted and scaled picture texel by
// texel, as before stand-ins were made (derived_pictures.h), to compare.
#include "bench_common.h"
#include "entities/ship.h"
#include "keelhaven/keelhaven.h"
#include "levels/level.h"
#include "testing.h"
#include "win32_window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::ignore;
using bench::median;
using bench::threadMilliseconds;
double microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

constexpr float FRAME = 1.0f / 60.0f;

enum class Run { Sailing, Idle, Scrolling };
const char* runName(Run r) { return r == Run::Sailing ? "sailing" : r == Run::Idle ? "idle" : "scrolling"; }

struct Result {
    double work = 0;   // us
    double whole = 0;  // ms
    double cpu = 0;    // ms of processor time for the whole frame
    double floor = 0;  // ms: the renderer's floor, measured between the frames
};

class Bench {
public:
    explicit Bench(HWND window) : hwnd(window)
    {
        game = new Keelhaven;
        game->initialize(hwnd);
        input = game->getInput();
    }
    ~Bench() { delete game; }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    Level& enter(int n)
    {
        const std::string name = "LEVEL" + std::to_string(n);
        // Entered from the logo: the level is placed afresh and stays alone.
        game->switchState("FRONTEND", "LOGO");
        game->switchState(name, "FRONTEND");
        return *static_cast<Level*>(game->findState(name));
    }

    Result measure(int n, Run run, int frames)
    {
        Level* level = &enter(n);
        std::vector<double> work, whole, cpu, floor;
        work.reserve(static_cast<size_t>(frames));
        whole.reserve(static_cast<size_t>(frames));
        cpu.reserve(static_cast<size_t>(frames));
        bool scrollRight = true;
        for (int i = 0; i < frames; ++i) {
            if (!level->getActive())
                level = &enter(n);  // the ship found the whirlpool: sail again
            Ship& ship = *game->getShip();
            ship.setHealth(100);  // keep sailing whatever it meets
            releaseArrows();
            if (run == Run::Sailing) {
                // Back and forth along its starting row; enemies patrol.
                input->keyDown((i / 240) % 2 == 0 ? VK_RIGHT : VK_LEFT);
            } else if (run == Run::Scrolling) {
                // Held at the scrolling edge, the map moves every frame.
                if (level->getMapX() <= levelNS::MAX_MAP_SCROLL)
                    scrollRight = false;
                else if (level->getMapX() >= 0)
                    scrollRight = true;
                ship.setX(scrollRight ? levelNS::SCROLL_RIGHT_EDGE - static_cast<float>(ship.getWidth())
                                      : levelNS::SCROLL_LEFT_EDGE);
                input->keyDown(scrollRight ? VK_RIGHT : VK_LEFT);
            }

            auto t0 = Clock::now();
            level->update(FRAME);
            level->collisions(FRAME);
            auto t1 = Clock::now();
            work.push_back(microseconds(t1 - t0));

            platform::testing::advanceClock(FRAME);
            const double c0 = threadMilliseconds();
            t0 = Clock::now();
            game->run(hwnd);
            t1 = Clock::now();
            cpu.push_back(threadMilliseconds() - c0);
            whole.push_back(microseconds(t1 - t0) / 1000.0);

            // Interleaved with the game's frames, so both see the same machine.
            t0 = Clock::now();
            platform::testing::drawFloorFrame();
            t1 = Clock::now();
            floor.push_back(microseconds(t1 - t0) / 1000.0);
        }
        releaseArrows();
        return Result{median(work), median(whole), median(cpu), median(floor)};
    }

    bool isWide(int n) { return enter(n).getTileMap().cols() > 12; }

private:
    void releaseArrows()
    {
        for (UCHAR k : {VK_LEFT, VK_RIGHT})
            if (input->isKeyDown(k))
                input->keyUp(k);
    }

    HWND hwnd;
    Keelhaven* game = nullptr;
    Input* input = nullptr;
};

}  // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const int only = argc > 1 ? std::atoi(argv[1]) : 0;
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : (only ? 3000 : 600);
    const std::string onlyRun = argc > 3 ? argv[3] : "";
    platform::testing::useFakeClock(true);
    if (const char* standIns = std::getenv("KEELHAVEN_BENCH_STAND_INS"); standIns && std::string(standIns) == "0")
        platform::testing::useDerivedPictures(false);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ignore;
    wc.lpszClassName = "KeelhavenLevelBench";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "KeelhavenLevelBench", "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                800, 600, nullptr, nullptr, nullptr, nullptr);
    {
        Bench bench(hwnd);
        std::printf("renderer: %s, %d frames a run, medians\n", platform::testing::rendererName().c_str(), frames);
        std::printf("targets: game work at most 4 x level 1's and under 20 us; whole frame at most 2.08 ms;\n"
                    "         level 1 sailing at most 1.5 x the floor, the worst level at most 2.0 x\n");
        std::printf("%-6s %-10s %12s %8s %14s %8s %12s %11s %8s\n", "level", "run", "work (us)", "x L1", "frame (ms)",
                    "x L1", "cpu (ms)", "floor (ms)", "x floor");

        Result reference[3];
        double worstWork = 0, worstFrame = 0;
        int worstWorkLevel = 1, worstFrameLevel = 1, worstCpuLevel = 1;
        double worstCpu = 0;
        double worstRatio = 0;
        int worstRatioLevel = 1;
        const char* worstRatioRun = "sailing";
        for (int n = 1; n <= keelhavenNS::LAST_LEVEL; ++n) {
            if (only != 0 && n != 1 && n != only)
                continue;
            const bool wide = bench.isWide(n);
            for (Run run : {Run::Sailing, Run::Idle, Run::Scrolling}) {
                if ((run == Run::Scrolling && !wide) || (!onlyRun.empty() && onlyRun != runName(run)))
                    continue;
                const Result r = bench.measure(n, run, frames);
                Result& ref = reference[static_cast<int>(run)];
                if (n == 1)
                    ref = r;
                // Level 1 is narrow: wide levels' scrolling is set against its sailing.
                const Result& base = (run == Run::Scrolling) ? reference[0] : ref;
                std::printf("%-6d %-10s %12.2f %8.2f %14.3f %8.2f %12.3f %11.3f %8.2f\n", n, runName(run), r.work,
                            r.work / base.work, r.whole, r.whole / base.whole, r.cpu, r.floor, r.whole / r.floor);
                if (r.whole / r.floor > worstRatio) {
                    worstRatio = r.whole / r.floor;
                    worstRatioLevel = n;
                    worstRatioRun = runName(run);
                }
                if (r.work > worstWork) {
                    worstWork = r.work;
                    worstWorkLevel = n;
                }
                if (r.whole > worstFrame) {
                    worstFrame = r.whole;
                    worstFrameLevel = n;
                }
                if (r.cpu > worstCpu) {
                    worstCpu = r.cpu;
                    worstCpuLevel = n;
                }
            }
        }
        std::printf("worst game work: level %d, %.2f us (%.2f x level 1 sailing)\n", worstWorkLevel, worstWork,
                    worstWork / reference[0].work);
        std::printf("worst whole frame: level %d, %.3f ms\n", worstFrameLevel, worstFrame);
        std::printf("worst whole frame in processor time: level %d, %.3f ms\n", worstCpuLevel, worstCpu);
        std::printf("against the floor: level 1 sailing %.2f x (target 1.5), worst level %d %s %.2f x (target 2.0)\n",
                    reference[0].whole / reference[0].floor, worstRatioLevel, worstRatioRun, worstRatio);
    }
    DestroyWindow(hwnd);
    return 0;
}
