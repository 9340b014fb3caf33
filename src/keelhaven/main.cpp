#include "keelhaven/command_line.h"
#include "keelhaven/replay_session.h"
#include "keelhaven/settings_keeper.h"
#include "keelhaven/winmain.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    // The folders the options name, as the variables name them, before
    // anything looks for its files.
    if (!line.dataDir.empty())
        setenv("KEELHAVEN_DATA_DIR", line.dataDir.c_str(), 1);
    if (!line.saveDir.empty())
        setenv("KEELHAVEN_SAVE_DIR", line.saveDir.c_str(), 1);
    chooseFullScreenForThisRun(line.fullScreen);
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("keelhaven %s\n", KEELHAVEN_VERSION);
        return 0;
    case CommandLine::Action::Wrong:
        std::fprintf(stderr, "keelhaven: %s\n%s", line.error.c_str(), usageText().c_str());
        return 2;
    case CommandLine::Action::Record: return playRecording(line.file);
    case CommandLine::Action::Replay: return playReplay(line.file, line.fast);
    case CommandLine::Action::Play: break;
    }
    return WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}
