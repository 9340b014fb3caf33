// soak_run [FRAMES] [SEED]
//
// The random player of the soak test for a long run (a million frames
// unless told): frames per second, and the resident memory after a tenth of
// the run, at its peak and at the end. Saves go to a temporary folder.
#include "support/random_soak.h"

#include "bench_common.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 0) : 1000000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 0) : 20261209;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const auto saves = std::filesystem::temp_directory_path() / ("keelhaven-soak-" + std::to_string(getpid()));
    std::filesystem::create_directories(saves);
    setenv("KEELHAVEN_SAVE_DIR", saves.c_str(), 1);  // never the player's own saves

    std::printf("soak_run: %ld frames, seed %llu\n", frames, static_cast<unsigned long long>(seed));
    const auto start = bench::Clock::now();
    const testsupport::SoakFigures f = testsupport::runSoak(seed, frames, frames / 10, frames / 10);
    const double seconds = std::chrono::duration<double>(bench::Clock::now() - start).count();

    std::printf("soak_run: %.1f s, %.0f frames/s\n", seconds, static_cast<double>(frames) / seconds);
    testsupport::printSoakFigures("soak_run", f);
    std::error_code ec;
    std::filesystem::remove_all(saves, ec);
    return 0;
}
