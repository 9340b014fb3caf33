// The plain-text list of cues the banks are built from. One cue a line:
//
//   # name            wave file               play   volume (dB)
//   BALLAD3           music/ballad3.wav       loop   -2
//   COIN2             effects/coin2.wav       once   0
//
// "loop" cues are music: they loop until stopped and run one at a time.
// "once" cues are effects: they play through once and may overlap themselves.
// Blank lines and text after '#' are ignored.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace banks {

struct ManifestCue {
    std::string name;
    std::string waveFile;  // relative to the wave folder given to the builder
    bool loops = false;
    double volumeDb = 0.0;
    std::string source;  // the manifest it came from, for messages
    int line = 0;
};

// Parses manifest text; sourceName only labels error messages. Throws
// BankError on a malformed line, a duplicate cue name or an empty list.
std::vector<ManifestCue> parseManifest(const std::string& text, const std::string& sourceName);

std::vector<ManifestCue> readManifest(const std::filesystem::path& path);

}  // namespace banks
