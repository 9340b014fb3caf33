#include "engine/key_bindings.h"

#include "win32_window.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* ACTION_NAMES[ACTION_COUNT] = {
    "steer_up", "steer_down", "steer_left", "steer_right", "fire", "pause",
    "menu_up",  "menu_down",  "menu_left",  "menu_right",  "choose", "back",
};

struct NamedKey {
    const char* name;
    UCHAR vk;
};

// Keys with a word for a name; letters, digits, F1 to F12 and the keypad
// digits are made up in keyName and keyFromName. Alt (for Alt+Enter) and
// the key left of 1 (the console) are left out: they cannot be bound.
constexpr NamedKey NAMED_KEYS[] = {
    {"Up", VK_UP},           {"Down", VK_DOWN},         {"Left", VK_LEFT},
    {"Right", VK_RIGHT},     {"Space", VK_SPACE},       {"Enter", VK_RETURN},
    {"Escape", VK_ESCAPE},   {"Tab", VK_TAB},           {"Backspace", VK_BACK},
    {"Shift", VK_SHIFT},     {"Control", VK_CONTROL},   {"Insert", VK_INSERT},
    {"Delete", VK_DELETE},   {"Home", VK_HOME},         {"End", VK_END},
    {"PageUp", VK_PRIOR},    {"PageDown", VK_NEXT},     {"KeypadMultiply", VK_MULTIPLY},
    {"KeypadPlus", VK_ADD},  {"KeypadMinus", VK_SUBTRACT}, {"KeypadPeriod", VK_DECIMAL},
    {"KeypadDivide", VK_DIVIDE}, {"Semicolon", VK_OEM_1}, {"Equals", VK_OEM_PLUS},
    {"Comma", VK_OEM_COMMA}, {"Minus", VK_OEM_MINUS},   {"Period", VK_OEM_PERIOD},
    {"Slash", VK_OEM_2},     {"LeftBracket", VK_OEM_4}, {"Backslash", VK_OEM_5},
    {"RightBracket", VK_OEM_6}, {"Apostrophe", VK_OEM_7},
};

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The number after `prefix` in `name`, in [low, high]; -1 otherwise.
int numberAfter(std::string_view name, std::string_view prefix, int low, int high)
{
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2 ||
        !sameIgnoringCase(name.substr(0, prefix.size()), prefix))
        return -1;
    int n = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    if (name.size() == prefix.size() + 2 && name[prefix.size()] == '0')
        return -1;  // "F05" names nothing
    return n >= low && n <= high ? n : -1;
}

KeyBindings makeDefaults()
{
    KeyBindings b;
    b.of(Action::SteerUp) = {VK_UP};
    b.of(Action::SteerDown) = {VK_DOWN};
    b.of(Action::SteerLeft) = {VK_LEFT};
    b.of(Action::SteerRight) = {VK_RIGHT};
    b.of(Action::Fire) = {VK_SPACE};
    b.of(Action::Pause) = {'P', VK_ESCAPE};
    b.of(Action::MenuUp) = {VK_UP};
    b.of(Action::MenuDown) = {VK_DOWN};
    b.of(Action::MenuLeft) = {VK_LEFT};
    b.of(Action::MenuRight) = {VK_RIGHT};
    b.of(Action::Choose) = {VK_RETURN};
    b.of(Action::Back) = {VK_ESCAPE};
    return b;
}

}  // namespace

ActionGroup groupOf(Action action)
{
    return static_cast<std::size_t>(action) <= static_cast<std::size_t>(Action::Pause) ? ActionGroup::Sea
                                                                                          : ActionGroup::Menus;
}

const char* actionName(Action action) { return ACTION_NAMES[static_cast<std::size_t>(action)]; }

Action actionAt(std::size_t index) { return static_cast<Action>(std::min(index, ACTION_COUNT - 1)); }

const KeyBindings& defaultKeyBindings()
{
    static const KeyBindings defaults = makeDefaults();
    return defaults;
}

std::string keyName(UCHAR vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return std::string(1, static_cast<char>(vk));
    if (vk >= VK_F1 && vk < VK_F1 + 12)
        return "F" + std::to_string(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return "Keypad" + std::to_string(vk - VK_NUMPAD0);
    for (const NamedKey& k : NAMED_KEYS)
        if (k.vk == vk)
            return k.name;
    return {};
}

UCHAR keyFromName(std::string_view name)
{
    if (name.size() == 1) {
        const auto c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
        return 0;
    }
    if (const int f = numberAfter(name, "F", 1, 12); f > 0)
        return static_cast<UCHAR>(VK_F1 + f - 1);
    if (const int k = numberAfter(name, "Keypad", 0, 9); k >= 0)
        return static_cast<UCHAR>(VK_NUMPAD0 + k);
    for (const NamedKey& k : NAMED_KEYS)
        if (sameIgnoringCase(name, k.name))
            return k.vk;
    return 0;
}

bool reservedIn(ActionGroup group, UCHAR vk)
{
    if (group == ActionGroup::Sea)
        return vk == 'H';
    return vk == 'Y' || vk == 'N';
}
