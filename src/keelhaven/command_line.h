// What the program was asked to do by its command line. A plain function
// over the arguments, so every option can be tried without a window.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Play, Record, Replay, Help, Version, Wrong };
    Action action = Action::Play;
    std::string file;   // the recording, for Record and Replay
    bool fast = false;  // Replay with no frame cap
    std::string error;  // for Wrong: what was wrong
};

CommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage text `--help` prints.
std::string usageText();
