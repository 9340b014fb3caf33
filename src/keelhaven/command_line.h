// What the program was asked to do by its command line. A plain function
// over the arguments, so every option can be tried without a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Play, Record, Replay, Help, Version, Wrong };
    Action action = Action::Play;
    std::string file;   // the recording, for Record and Replay
    bool fast = false;  // Replay with no frame cap
    // --fullscreen or --windowed, for this run only; none: as the settings say.
    std::optional<bool> fullScreen;
    std::string dataDir;  // --data-dir: as KEELHAVEN_DATA_DIR
    std::string saveDir;  // --save-dir: as KEELHAVEN_SAVE_DIR
    std::string error;    // for Wrong: what was wrong
};

CommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage text `--help` prints; the manual page, docs/keelhaven.6, says
// the same.
std::string usageText();
