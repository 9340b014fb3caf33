// The keys the player may choose: one table of actions and the keys bound to
// each, consulted by every reader of a key (the ship, the levels, the menus,
// the dialogs). The console key and Alt+Enter are not actions and never move.
#pragma once

#include "win32_types.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

enum class Action {
    SteerUp,
    SteerDown,
    SteerLeft,
    SteerRight,
    Fire,
    Pause,
    MenuUp,
    MenuDown,
    MenuLeft,
    MenuRight,
    Choose,
    Back,
};
constexpr std::size_t ACTION_COUNT = 12;

// Keys are read together within a group, so two actions of one group may not
// share a key; the same key may steer at sea and move a menu highlight.
enum class ActionGroup { Sea, Menus };
ActionGroup groupOf(Action action);

// The action's name in the settings file ("steer_up", "choose", ...).
const char* actionName(Action action);
Action actionAt(std::size_t index);

namespace keysNS {
constexpr std::size_t MAX_KEYS_PER_ACTION = 4;
}

struct KeyBindings {
    // Virtual-key codes; unused places hold 0.
    using Keys = std::array<UCHAR, keysNS::MAX_KEYS_PER_ACTION>;
    std::array<Keys, ACTION_COUNT> keys{};

    const Keys& of(Action action) const { return keys[static_cast<std::size_t>(action)]; }
    Keys& of(Action action) { return keys[static_cast<std::size_t>(action)]; }
    bool operator==(const KeyBindings&) const = default;
};

// The arrows, Space to fire, P or Escape to pause, Enter to choose and
// Escape to go back.
const KeyBindings& defaultKeyBindings();

// A key's name in the settings file ("Up", "Space", "F", "F5", "Keypad4"),
// or empty for a code that has none (those cannot be bound).
std::string keyName(UCHAR vk);
// The code named `name`, ignoring case; 0 for no key the game lets be bound.
UCHAR keyFromName(std::string_view name);
// Keys that keep a fixed meaning in the group's screens (H for the score
// table at sea, Y and N for the quit question), so may not be bound there.
bool reservedIn(ActionGroup group, UCHAR vk);
