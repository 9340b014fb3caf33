#include "keelhaven/command_line.h"

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    auto wrong = [&line](const std::string& why) {
        line.action = CommandLine::Action::Wrong;
        line.error = why;
        return line;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (arg == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        const bool takesFile = arg == "--record" || arg == "--replay";
        const bool takesDir = arg == "--data-dir" || arg == "--save-dir";
        if ((takesFile || takesDir) && (i + 1 >= args.size() || args[i + 1].empty()))
            return wrong(arg + (takesFile ? " needs a file" : " needs a folder"));
        if (takesFile) {
            if (line.action != CommandLine::Action::Play)
                return wrong("--record and --replay are given once, and not together");
            line.action = arg == "--record" ? CommandLine::Action::Record : CommandLine::Action::Replay;
            line.file = args[++i];
            continue;
        }
        if (takesDir) {
            std::string& dir = arg == "--data-dir" ? line.dataDir : line.saveDir;
            if (!dir.empty())
                return wrong(arg + " is given once");
            dir = args[++i];
            continue;
        }
        if (arg == "--fullscreen" || arg == "--windowed") {
            const bool full = arg == "--fullscreen";
            if (line.fullScreen && *line.fullScreen != full)
                return wrong("--fullscreen and --windowed do not go together");
            line.fullScreen = full;
            continue;
        }
        if (arg == "--fast") {
            line.fast = true;
            continue;
        }
        return wrong("unknown option " + arg.substr(0, 60));
    }
    if (line.fast && line.action != CommandLine::Action::Replay)
        return wrong("--fast goes with --replay");
    return line;
}

std::string usageText()
{
    return "Usage: keelhaven [OPTION]...\n"
           "A top-down naval action and puzzle game.\n"
           "\n"
           "  --fullscreen      start full screen (this time only)\n"
           "  --windowed        start in a window (this time only)\n"
           "  --data-dir DIR    read the game's data from DIR (as KEELHAVEN_DATA_DIR)\n"
           "  --save-dir DIR    keep saves, scores and settings in DIR (as KEELHAVEN_SAVE_DIR)\n"
           "  --record FILE     play, writing everything the game reads to FILE\n"
           "  --replay FILE     play FILE back; saves and scores are left alone\n"
           "  --fast            with --replay: as fast as the machine goes\n"
           "  --help            show this and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "Settings (sound, difficulty, window, volumes, keys, the pads' dead zone)\n"
           "are kept in settings.ini in the save folder; see keelhaven(6).\n";
}
