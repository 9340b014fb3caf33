// The command line as a plain function: every option, every way of getting
// one wrong. That the program then exits before a window opens is checked on
// the real program by tests/command_line.
#include "keelhaven/command_line.h"

#include <gtest/gtest.h>

namespace {

using A = CommandLine::Action;

CommandLine parse(std::vector<std::string> args) { return parseCommandLine(args); }

}  // namespace

TEST(CommandLine, EveryOptionIsTaken)
{
    EXPECT_EQ(parse({}).action, A::Play);
    EXPECT_EQ(parse({"--help"}).action, A::Help);
    EXPECT_EQ(parse({"-h"}).action, A::Help);
    EXPECT_EQ(parse({"--version"}).action, A::Version);
    EXPECT_EQ(parse({"--bogus", "--help"}).action, A::Wrong) << "read in order";

    CommandLine line = parse({"--fullscreen", "--data-dir", "/opt/k", "--save-dir", "saves dir"});
    EXPECT_EQ(line.action, A::Play);
    EXPECT_EQ(line.fullScreen, std::optional<bool>(true));
    EXPECT_EQ(line.dataDir, "/opt/k");
    EXPECT_EQ(line.saveDir, "saves dir");
    EXPECT_EQ(parse({"--windowed"}).fullScreen, std::optional<bool>(false));
    EXPECT_EQ(parse({"--windowed", "--windowed"}).fullScreen, std::optional<bool>(false));
    EXPECT_FALSE(parse({}).fullScreen.has_value()) << "the settings decide";

    line = parse({"--replay", "run.khreplay", "--fast", "--windowed"});
    EXPECT_EQ(line.action, A::Replay);
    EXPECT_EQ(line.file, "run.khreplay");
    EXPECT_TRUE(line.fast);
    line = parse({"--save-dir", "/tmp/s", "--record", "--data-dir"});
    EXPECT_EQ(line.action, A::Record) << "a value may look like an option";
    EXPECT_EQ(line.file, "--data-dir");
}

TEST(CommandLine, WrongOrMissingArgumentsSayWhat)
{
    const std::pair<std::vector<std::string>, const char*> wrongs[] = {
        {{"--nonsense"}, "unknown option --nonsense"},
        {{"-x"}, "unknown option -x"},
        {{"play"}, "unknown option play"},
        {{"--data-dir"}, "--data-dir needs a folder"},
        {{"--save-dir", ""}, "--save-dir needs a folder"},
        {{"--record"}, "--record needs a file"},
        {{"--replay", ""}, "--replay needs a file"},
        {{"--fast"}, "--fast goes with --replay"},
        {{"--fullscreen", "--windowed"}, "do not go together"},
        {{"--save-dir", "a", "--save-dir", "b"}, "given once"},
        {{"--record", "a", "--replay", "b"}, "not together"},
    };
    for (const auto& [args, why] : wrongs) {
        const CommandLine line = parseCommandLine(args);
        EXPECT_EQ(line.action, A::Wrong) << why;
        EXPECT_NE(line.error.find(why), std::string::npos) << line.error;
    }
    EXPECT_LE(parse({"--" + std::string(10000, 'x')}).error.size(), 100u) << "a long word is cut short";
}

TEST(CommandLine, TheUsageNamesEveryOption)
{
    const std::string usage = usageText();
    for (const char* option : {"--fullscreen", "--windowed", "--data-dir DIR", "--save-dir DIR", "--record FILE",
                               "--replay FILE", "--fast", "--help", "--version", "settings.ini"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}
