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
        if (arg == "--record" || arg == "--replay") {
            if (line.action != CommandLine::Action::Play)
                return wrong("--record and --replay are given once, and not together");
            if (i + 1 >= args.size() || args[i + 1].empty())
                return wrong(arg + " needs a file");
            line.action = arg == "--record" ? CommandLine::Action::Record : CommandLine::Action::Replay;
            line.file = args[++i];
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
           "  --record FILE   play, writing everything the game reads to FILE\n"
           "  --replay FILE   play FILE back; saves and scores are left alone\n"
           "  --fast          with --replay: as fast as the machine goes\n"
           "  --help          show this and exit\n"
           "  --version       show the version and exit\n";
}
