// The game's own frame rate (what the fps console command shows) in a real
// window, a few states in turn. Run under a display, e.g. with
//   SDL_AUDIODRIVER=dummy set (the game picks its renderer as it would):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bin/window_fps_bench [seconds a state]
#include "bench_common.h"
#include "keelhaven/keelhaven.h"
#include "testing.h"
#include "win32_window.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = bench::ignore;
    wc.lpszClassName = "KeelhavenWindowFpsBench";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "KeelhavenWindowFpsBench", "bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    auto* game = new Keelhaven;
    game->initialize(hwnd);
    std::printf("renderer: %s, %.1f s a state\n", platform::testing::rendererName().c_str(), seconds);
    std::string previous = "LOGO";
    for (const char* state : {"TITLESCREEN", "LEVEL1", "LEVEL27", "LEVEL31"}) {
        game->switchState(state, previous);
        previous = state;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = bench::threadMilliseconds();
        const std::uint64_t framesBefore = game->getFramesRun();
        MSG msg;
        while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < seconds) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            game->run(hwnd);
        }
        // Frames counted here, beside the figure the game shows. The frame
        // cap keeps the rate at or under 480 (vsync, where the renderer has
        // it, at the display's); the processor time each frame took shows
        // what is left under it.
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double drawn = static_cast<double>(game->getFramesRun() - framesBefore) / elapsed;
        const double cpu = bench::threadMilliseconds() - cpuStart;
        std::printf("%-12s %.0f frames a second counted (the game shows %.0f), %.2f ms of processor time a frame\n",
                    state, drawn, static_cast<double>(game->getFps()), drawn > 0 ? cpu / (drawn * elapsed) : 0.0);
    }
    delete game;
    DestroyWindow(hwnd);
    return 0;
}
