#include "keelhaven/settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>
#include <set>

namespace {

constexpr std::size_t QUOTE_LIMIT = 40;

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The player's own words in a message: short, and only what prints.
std::string quoted(std::string_view s)
{
    std::string out = "\"";
    for (char c : s.substr(0, QUOTE_LIMIT))
        out += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    if (s.size() > QUOTE_LIMIT)
        out += "...";
    return out + "\"";
}

bool isText(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u == '\t' || (u >= 0x20 && u != 0x7F);
    });
}

std::optional<bool> readSwitch(std::string_view value)
{
    const std::string v = lower(value);
    if (v == "on" || v == "yes" || v == "true" || v == "1")
        return true;
    if (v == "off" || v == "no" || v == "false" || v == "0")
        return false;
    return std::nullopt;
}

std::optional<int> readNumber(std::string_view value, int low, int high)
{
    if (value.empty() || value.size() > 7)  // longer is beyond every limit here
        return std::nullopt;
    int n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc() || end != value.data() + value.size() || n < low || n > high)
        return std::nullopt;
    return n;
}

std::optional<Difficulty> readDifficulty(std::string_view value)
{
    const std::string v = lower(value);
    for (Difficulty d : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard, Difficulty::Gauntlet})
        if (v == difficultyName(d))
            return d;
    return std::nullopt;
}

// "P, Escape": one to MAX_KEYS_PER_ACTION key names, each once.
std::optional<KeyBindings::Keys> readKeys(std::string_view value, std::string& why)
{
    KeyBindings::Keys keys{};
    std::size_t count = 0;
    while (true) {
        const std::size_t comma = value.find(',');
        const std::string_view name = trim(value.substr(0, comma));
        const UCHAR vk = keyFromName(name);
        if (vk == 0) {
            why = name.empty() ? "a key name is missing" : "no key is called " + quoted(name);
            return std::nullopt;
        }
        if (count == keys.size()) {
            why = "more than " + std::to_string(keys.size()) + " keys";
            return std::nullopt;
        }
        if (std::find(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(count), vk) ==
            keys.begin() + static_cast<std::ptrdiff_t>(count))
            keys[count++] = vk;
        if (comma == std::string_view::npos)
            return keys;
        value.remove_prefix(comma + 1);
    }
}

// Two actions read together may not share a key, and a fixed key of the
// group's screens may not be bound there. A clash takes the later action
// back to its default keys; if the defaults clash too, the group's keys all
// go back to theirs.
void settleKeys(KeyBindings& keys, std::vector<std::string>& problems)
{
    const KeyBindings& defaults = defaultKeyBindings();
    for (ActionGroup group : {ActionGroup::Sea, ActionGroup::Menus}) {
        auto clash = [&](std::size_t index, UCHAR vk) -> std::string {
            if (reservedIn(group, vk))
                return keyName(vk) + " keeps its own meaning there";
            for (std::size_t earlier = 0; earlier < index; ++earlier) {
                const Action other = actionAt(earlier);
                if (groupOf(other) != group)
                    continue;
                const auto& taken = keys.of(other);
                if (std::find(taken.begin(), taken.end(), vk) != taken.end())
                    return keyName(vk) + " is " + actionName(other) + "'s key too";
            }
            return {};
        };
        bool settled = true;
        for (std::size_t i = 0; i < ACTION_COUNT; ++i) {
            const Action action = actionAt(i);
            if (groupOf(action) != group)
                continue;
            for (UCHAR vk : keys.of(action)) {
                if (vk == 0)
                    continue;
                if (const std::string why = clash(i, vk); !why.empty()) {
                    problems.push_back(std::string("[keys] ") + actionName(action) + ": " + why +
                                       "; it keeps its default keys");
                    keys.of(action) = defaults.of(action);
                    break;
                }
            }
            for (UCHAR vk : keys.of(action))
                settled = settled && (vk == 0 || clash(i, vk).empty());
        }
        if (!settled) {
            problems.push_back(std::string("[keys] the ") + (group == ActionGroup::Sea ? "steering" : "menu") +
                               " keys still clash; all of them keep their defaults");
            for (std::size_t i = 0; i < ACTION_COUNT; ++i)
                if (groupOf(actionAt(i)) == group)
                    keys.of(actionAt(i)) = defaults.of(actionAt(i));
        }
    }
}

class Reader {
public:
    Reader(Settings& s, std::vector<std::string>& p) : settings(s), problems(p) { addFields(); }

    void line(std::size_t number, std::string_view text)
    {
        const std::string where = "line " + std::to_string(number) + ": ";
        if (text.size() > settingsNS::MAX_LINE) {
            problems.push_back(where + "longer than any setting");
            return;
        }
        if (!isText(text)) {
            problems.push_back(where + "not text");
            return;
        }
        text = trim(text);
        if (text.empty() || text.front() == '#' || text.front() == ';')
            return;
        if (text.front() == '[') {
            sawHeading = true;
            section = text.back() == ']' ? lower(trim(text.substr(1, text.size() - 2))) : std::string();
            knownSection = std::any_of(fields.begin(), fields.end(),
                                       [&](const auto& f) { return f.first.first == section; });
            if (!knownSection)
                problems.push_back(where + "no section is called " + quoted(text) + "; what it holds is ignored");
            return;
        }
        if (!knownSection) {
            if (!sawHeading)
                problems.push_back(where + "a setting before any [section]: " + quoted(text));
            return;  // otherwise said once, at its heading
        }
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            problems.push_back(where + "not a setting (no \"=\"): " + quoted(text));
            return;
        }
        const std::string key = lower(trim(text.substr(0, equals)));
        const std::string_view value = trim(text.substr(equals + 1));
        const std::string name = "[" + section + "] " + key;
        const auto field = fields.find({section, key});
        if (field == fields.end()) {
            problems.push_back(where + "no setting is called " + quoted(name) + "; ignored");
            return;
        }
        if (!seen.insert(field->first).second) {
            problems.push_back(where + name + " is given twice; the first is kept");
            return;
        }
        if (const std::string why = field->second(value); !why.empty())
            problems.push_back(where + name + " = " + quoted(value) + ": " + why + "; the default is kept");
    }

    void finish()
    {
        if (settings.windowX.has_value() != settings.windowY.has_value()) {
            problems.push_back("[window] x and y go together; the window is placed by the desktop");
            settings.windowX.reset();
            settings.windowY.reset();
        }
        settleKeys(settings.keys, problems);
    }

private:
    // Each setting's reader: empty when the value was taken, else why not.
    using Field = std::function<std::string(std::string_view)>;

    void addSwitch(const char* sec, const char* key, bool& to)
    {
        fields[{sec, key}] = [&to](std::string_view v) -> std::string {
            const auto b = readSwitch(v);
            if (!b)
                return "not on or off";
            to = *b;
            return {};
        };
    }
    template <typename Store>
    void addNumber(const char* sec, const char* key, int low, int high, Store store)
    {
        fields[{sec, key}] = [low, high, store](std::string_view v) -> std::string {
            const auto n = readNumber(v, low, high);
            if (!n)
                return "not a whole number from " + std::to_string(low) + " to " + std::to_string(high);
            store(*n);
            return {};
        };
    }

    void addFields()
    {
        Settings& s = settings;
        addSwitch("game", "sound", s.soundOn);
        fields[{"game", "difficulty"}] = [&s](std::string_view v) -> std::string {
            const auto d = readDifficulty(v);
            if (!d)
                return "not easy, normal, hard or gauntlet";
            s.difficulty = *d;
            return {};
        };
        addNumber("sound", "music_volume", 0, 100, [&s](int n) { s.musicVolume = n; });
        addNumber("sound", "effects_volume", 0, 100, [&s](int n) { s.effectsVolume = n; });
        addSwitch("window", "full_screen", s.fullScreen);
        addNumber("window", "width", settingsNS::MIN_WINDOW_WIDTH, settingsNS::MAX_WINDOW_SIZE,
                  [&s](int n) { s.windowWidth = n; });
        addNumber("window", "height", settingsNS::MIN_WINDOW_HEIGHT, settingsNS::MAX_WINDOW_SIZE,
                  [&s](int n) { s.windowHeight = n; });
        addNumber("window", "x", -settingsNS::MAX_WINDOW_PLACE, settingsNS::MAX_WINDOW_PLACE,
                  [&s](int n) { s.windowX = n; });
        addNumber("window", "y", -settingsNS::MAX_WINDOW_PLACE, settingsNS::MAX_WINDOW_PLACE,
                  [&s](int n) { s.windowY = n; });
        for (std::size_t i = 0; i < ACTION_COUNT; ++i) {
            const Action action = actionAt(i);
            fields[{"keys", actionName(action)}] = [&s, action](std::string_view v) -> std::string {
                std::string why;
                const auto keys = readKeys(v, why);
                if (!keys)
                    return why;
                s.keys.of(action) = *keys;
                return {};
            };
        }
        addNumber("pad", "dead_zone", 0, inputNS::MAX_DEAD_ZONE, [&s](int n) { s.padDeadZone = n; });
    }

    Settings& settings;
    std::vector<std::string>& problems;
    std::map<std::pair<std::string, std::string>, Field> fields;
    std::set<std::pair<std::string, std::string>> seen;
    std::string section;
    bool knownSection = false;
    bool sawHeading = false;
};

}  // namespace

const char* difficultyName(Difficulty difficulty)
{
    switch (difficulty) {
    case Difficulty::Normal: return "normal";
    case Difficulty::Hard: return "hard";
    case Difficulty::Gauntlet: return "gauntlet";
    case Difficulty::Easy: break;
    }
    return "easy";
}

Settings readSettings(std::string_view text, std::vector<std::string>& problems)
{
    Settings settings;
    Reader reader(settings, problems);
    if (text.substr(0, 3) == "\xEF\xBB\xBF")  // a byte-order mark some editors add
        text.remove_prefix(3);
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        reader.line(++number, line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    reader.finish();
    return settings;
}

std::string writeSettings(const Settings& s)
{
    auto yesNo = [](bool b, const char* yes, const char* no) { return std::string(b ? yes : no); };
    std::string out =
        "# Keelhaven's settings, written by the game when one changes and when it\n"
        "# ends (docs/settings.md). Edit them while the game is not running; a value\n"
        "# the game cannot use is named on standard error and goes back to its default.\n"
        "\n[game]\n"
        "# on or off\n"
        "sound = " + yesNo(s.soundOn, "on", "off") + "\n"
        "# easy, normal, hard or gauntlet\n"
        "difficulty = " + difficultyName(s.difficulty) + "\n"
        "\n[sound]\n"
        "# 0 (silent) to 100\n"
        "music_volume = " + std::to_string(s.musicVolume) + "\n"
        "effects_volume = " + std::to_string(s.effectsVolume) + "\n"
        "\n[window]\n"
        "full_screen = " + yesNo(s.fullScreen, "yes", "no") + "\n"
        "# the inside of the window, in pixels, and its top left on the desktop\n"
        "width = " + std::to_string(s.windowWidth) + "\n"
        "height = " + std::to_string(s.windowHeight) + "\n";
    if (s.windowX && s.windowY)
        out += "x = " + std::to_string(*s.windowX) + "\ny = " + std::to_string(*s.windowY) + "\n";
    out += "\n[keys]\n"
           "# up to four keys each, with commas between: letters, digits, F1 to F12,\n"
           "# Keypad0 to Keypad9, Up, Down, Left, Right, Space, Enter, Escape, Tab, ...\n";
    for (std::size_t i = 0; i < ACTION_COUNT; ++i) {
        const Action action = actionAt(i);
        std::string names;
        for (UCHAR vk : s.keys.of(action))
            if (vk != 0)
                names += (names.empty() ? "" : ", ") + keyName(vk);
        out += std::string(actionName(action)) + " = " + names + "\n";
    }
    out += "\n[pad]\n"
           "# how far the left stick leans, in percent, before it steers: 0 to " +
           std::to_string(inputNS::MAX_DEAD_ZONE) + "\n"
           "dead_zone = " + std::to_string(s.padDeadZone) + "\n";
    return out;
}
