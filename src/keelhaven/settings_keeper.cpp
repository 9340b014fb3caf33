#include "keelhaven/settings_keeper.h"

#include "files.h"
#include "player_file.h"
#include "replace_file.h"

#include <cstdio>

namespace {

// A damaged file can hold thousands of bad lines; the first few say enough.
constexpr std::size_t MOST_PROBLEMS_SAID = 8;

std::optional<bool> fullScreenChoice;

void say(const std::string& text) { std::fprintf(stderr, "Keelhaven: %s\n", text.c_str()); }

Settings withoutPlace(Settings s)
{
    s.windowWidth = s.windowHeight = 0;
    s.windowX.reset();
    s.windowY.reset();
    return s;
}

}  // namespace

void chooseFullScreenForThisRun(std::optional<bool> fullScreen) { fullScreenChoice = fullScreen; }
std::optional<bool> fullScreenForThisRun() { return fullScreenChoice; }

void SettingsKeeper::load()
{
    isLoaded = true;
    hadFile = false;
    kept = Settings{};
    file = platform::resolveSavePath(std::string("saveFiles\\") + settingsNS::FILE_NAME);
    std::string text, reason;
    switch (platform::readPlayerFile(file, text, reason)) {
    case platform::PlayerFileRead::Missing:
        return;
    case platform::PlayerFileRead::Refused:
        say("the settings are not read (" + reason + "); every setting has its default");
        write(kept);
        return;
    case platform::PlayerFileRead::Read:
        break;
    }
    hadFile = true;
    onDisk = text;
    std::vector<std::string> problems;
    kept = readSettings(text, problems);
    for (std::size_t i = 0; i < problems.size() && i < MOST_PROBLEMS_SAID; ++i)
        say(file + ": " + problems[i]);
    if (problems.size() > MOST_PROBLEMS_SAID)
        say(file + ": and " + std::to_string(problems.size() - MOST_PROBLEMS_SAID) + " more problems");
    if (!problems.empty())
        write(kept);
}

void SettingsKeeper::changed(const Settings& now)
{
    if (isLoaded && withoutPlace(now) != withoutPlace(kept))
        write(now);
}

void SettingsKeeper::atExit(const Settings& now)
{
    if (isLoaded && writeSettings(now) != onDisk)
        write(now);
}

void SettingsKeeper::write(const Settings& now)
{
    kept = now;
    const std::string text = writeSettings(now);
    std::string error;
    if (file.empty()) {
        error = "the save folder cannot be found";
    } else if (std::string problem; !platform::checkSaveDirectory(problem)) {
        error = problem;
    } else if (platform::replaceFile(file, text, error)) {
        onDisk = text;
        return;
    }
    // Said once: the game goes on with the settings it has.
    if (!writeFailureSaid)
        say("the settings cannot be written: " + error);
    writeFailureSaid = true;
}
