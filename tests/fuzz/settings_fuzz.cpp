// A settings file (settings.ini in the save folder) of any bytes. Whatever
// the reader makes of it must be settings the game can run on
// (docs/settings.md): every value within its range, the window's place given
// whole or not at all, every action with a key of a name the file can say,
// no two actions read together sharing a key. A line the file format has no
// place for (control bytes, no "=" after a heading) must be named as a
// problem, and what the game's writer makes of the result must read back the
// same, with no problem.
#include "fuzz_check.h"
#include "keelhaven/settings.h"

#include <algorithm>

namespace {

void requireUsable(const Settings& s)
{
    fuzz::require(s.musicVolume >= 0 && s.musicVolume <= 100, "music volume 0 to 100");
    fuzz::require(s.effectsVolume >= 0 && s.effectsVolume <= 100, "effects volume 0 to 100");
    fuzz::require(s.padDeadZone >= 0 && s.padDeadZone <= inputNS::MAX_DEAD_ZONE, "dead zone in range");
    fuzz::require(s.windowWidth >= settingsNS::MIN_WINDOW_WIDTH && s.windowWidth <= settingsNS::MAX_WINDOW_SIZE &&
                      s.windowHeight >= settingsNS::MIN_WINDOW_HEIGHT && s.windowHeight <= settingsNS::MAX_WINDOW_SIZE,
                  "window size in range");
    fuzz::require(s.windowX.has_value() == s.windowY.has_value(), "the window's x and y together");
    if (s.windowX)
        fuzz::require(std::abs(*s.windowX) <= settingsNS::MAX_WINDOW_PLACE &&
                          std::abs(*s.windowY) <= settingsNS::MAX_WINDOW_PLACE,
                      "window place in range");
    for (std::size_t i = 0; i < ACTION_COUNT; ++i) {
        const Action action = actionAt(i);
        const auto& keys = s.keys.of(action);
        fuzz::require(keys[0] != 0, "every action has a key");
        for (UCHAR vk : keys) {
            if (vk == 0)
                continue;
            fuzz::require(keyFromName(keyName(vk)) == vk, "every bound key has a name");
            fuzz::require(!reservedIn(groupOf(action), vk), "no fixed key is bound");
            for (std::size_t j = 0; j < i; ++j) {
                const Action other = actionAt(j);
                const auto& taken = s.keys.of(other);
                fuzz::require(groupOf(other) != groupOf(action) ||
                                  std::find(taken.begin(), taken.end(), vk) == taken.end(),
                              "no two actions read together share a key");
            }
        }
    }
}

// A line holding a byte below space (but a tab), or DEL, is no line of text.
bool hasControlBytes(const std::string& file)
{
    for (std::size_t i = 0; i < file.size(); ++i) {
        const auto c = static_cast<unsigned char>(file[i]);
        const bool lineEnd = c == '\n' || (c == '\r' && (i + 1 == file.size() || file[i + 1] == '\n'));
        if ((c < 0x20 && c != '\t' && !lineEnd) || c == 0x7F)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = fuzz::text(data, size);
    std::vector<std::string> problems;
    const Settings settings = readSettings(file, problems);
    requireUsable(settings);
    if (hasControlBytes(file))
        fuzz::require(!problems.empty(), "control bytes are a problem");
    for (const std::string& p : problems)
        fuzz::require(!p.empty() && std::all_of(p.begin(), p.end(), [](char c) { return c >= ' ' && c <= '~'; }),
                      "problems are printable text");

    std::vector<std::string> again;
    fuzz::require(readSettings(writeSettings(settings), again) == settings, "the settings round trip");
    fuzz::require(again.empty(), "a written file has no problem");
    return 0;
}
