// The player's settings and their file, settings.ini in the save folder
// (docs/settings.md). Reading is a plain function over the file's text, so
// tests and the fuzzer need no window: whatever it cannot use is named in
// `problems` and that value keeps its default.
#pragma once

#include "engine/input.h"
#include "engine/key_bindings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Difficulty { Easy, Normal, Hard, Gauntlet };

namespace settingsNS {
constexpr const char* FILE_NAME = "settings.ini";
constexpr int MIN_WINDOW_WIDTH = 200;  // the window's own least size
constexpr int MIN_WINDOW_HEIGHT = 150;
constexpr int MAX_WINDOW_SIZE = 16384;
constexpr int MAX_WINDOW_PLACE = 100000;  // either way from the desktop's origin
constexpr std::size_t MAX_LINE = 256;
}  // namespace settingsNS

struct Settings {
    bool soundOn = true;
    Difficulty difficulty = Difficulty::Easy;
    int musicVolume = 100;
    int effectsVolume = 100;
    bool fullScreen = false;
    int windowWidth = 800;
    int windowHeight = 600;
    // Where the window was last; none until it has been somewhere.
    std::optional<int> windowX;
    std::optional<int> windowY;
    KeyBindings keys = defaultKeyBindings();
    int padDeadZone = inputNS::DEFAULT_DEAD_ZONE;

    bool operator==(const Settings&) const = default;
};

Settings readSettings(std::string_view text, std::vector<std::string>& problems);

// The whole file, every setting in it, with a word on each.
std::string writeSettings(const Settings& settings);

// "easy", "normal", "hard", "gauntlet".
const char* difficultyName(Difficulty difficulty);
