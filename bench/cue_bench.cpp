// A cannon shot's cue start through the game's Audio, headless (SDL's
// silent driver): first what starting the sound costs (page faults and
// resident memory taken by Audio::initialize), then the shots a level fires,
// one every few frames so that some overlap, with the engine's periodic work
// (Audio::run) each 16 ms frame between them. bench/cue_counts.sh counts the
// game thread's instructions in both under callgrind; run alone it prints the
// thread processor time of a start.
//
//   cue_bench [SHOTS] [FRAMES_BETWEEN_SHOTS]
#include "bench_common.h"
#include "engine/audio.h"
#include "entities/cannon.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using bench::residentMegabytes;

long pageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

}  // namespace

int main(int argc, char** argv)
{
    const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int between = argc > 2 ? std::max(1, std::atoi(argv[2])) : 8;
    const char* cue = cannonNS::LAUNCH_CUE;

    Audio audio;
    const double residentBefore = residentMegabytes();
    const long faultsBefore = pageFaults();
    if (FAILED(audio.initialize())) {
        std::fprintf(stderr, "cue_bench: the sound engine did not start\n");
        return 1;
    }
    std::printf("starting the sound: %ld page faults, %.1f MB more resident\n", pageFaults() - faultsBefore,
                residentMegabytes() - residentBefore);

    // The first shot reads the wave's pages and readies what a first start
    // needs; the rest are the ones a level fires.
    audio.playCue(cue);
    audio.stopCue(cue);
    std::vector<double> starts;
    int most = 0;
    for (int shot = 0; shot < shots; ++shot) {
        const double before = bench::threadMilliseconds();
        audio.playCue(cue);
        starts.push_back((bench::threadMilliseconds() - before) * 1000.0);
        most = std::max(most, audio.playingInstances(cue));
        for (int frame = 0; frame < between; ++frame) {
            audio.run();
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
        }
    }
    std::printf("%d shots, %d frames apart, at most %d playing at once\n", shots, between, most);
    std::printf("cue start: %.1f us thread processor time (median)\n", bench::median(starts));
    return 0;
}
