// play_cues [SECONDS] [CUE...]
//
// Plays the game's cues one after another through Audio, each for SECONDS
// (default 4), to hear the banks. With no cue names it plays all of them.
#include "engine/audio.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    double seconds = 4.0;
    std::vector<std::string> cues;
    for (int i = 1; i < argc; ++i) {
        char* end = nullptr;
        const double value = std::strtod(argv[i], &end);
        if (i == 1 && end && *end == '\0')
            seconds = value;
        else
            cues.emplace_back(argv[i]);
    }
    if (cues.empty())
        cues = {"BALLAD3", "KEELHAVENDARKTHEME", "ENDINGCREDITS", "CRYSTALCAVERN",
                "SHIPEXPLOSION", "CANNONALTERED1", "COIN2", "BOOKTURN"};

    Audio audio;
    const HRESULT hr = audio.initialize();
    if (FAILED(hr)) {
        std::fprintf(stderr, "play_cues: sound system failed to start (0x%08X)\n", static_cast<unsigned>(hr));
        return 1;
    }
    for (const auto& cue : cues) {
        std::printf("%s\n", cue.c_str());
        std::fflush(stdout);
        audio.playCue(cue.c_str());
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < until) {
            audio.run();
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
        }
        audio.stopCue(cue.c_str());
    }
    return 0;
}
