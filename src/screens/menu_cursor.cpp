#include "screens/menu_cursor.h"

#include "app/input.h"

namespace {

constexpr WORD DPAD_BITS =
    XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_DPAD_DOWN | XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_DPAD_RIGHT;

}  // namespace

MenuCursor::MenuCursor(std::vector<MenuMoves> table) : moves(std::move(table)) {}

void MenuCursor::move(const Input& input)
{
    struct Direction {
        UCHAR key;
        WORD pad;
        int MenuMoves::*to;
    };
    static const Direction directions[] = {
        {VK_DOWN, XINPUT_GAMEPAD_DPAD_DOWN, &MenuMoves::down},
        {VK_UP, XINPUT_GAMEPAD_DPAD_UP, &MenuMoves::up},
        {VK_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT, &MenuMoves::right},
        {VK_LEFT, XINPUT_GAMEPAD_DPAD_LEFT, &MenuMoves::left},
    };
    for (const Direction& d : directions) {
        if (selection < 0 || selection >= static_cast<int>(moves.size()))
            return;
        const int to = moves[static_cast<size_t>(selection)].*d.to;
        if (to == menuNS::NO_MOVE)
            continue;
        const bool padPress = buttonReleased && (input.getGamepadButtons(0) & d.pad) != 0;
        if (!input.wasKeyPressed(d.key) && !padPress)
            continue;
        selection = to;
        buttonReleased = false;
    }
}

bool MenuCursor::choose(const Input& input)
{
    if (!input.wasKeyPressed(VK_RETURN) && !(buttonReleased && input.getGamepadA(0)))
        return false;
    buttonReleased = false;
    return true;
}

void MenuCursor::rearm(const Input& input, bool andA)
{
    WORD held = static_cast<WORD>(input.getGamepadButtons(0) & DPAD_BITS);
    if (andA)
        held = static_cast<WORD>(held | (input.getGamepadButtons(0) & XINPUT_GAMEPAD_A));
    if (held == 0)
        buttonReleased = true;
}

std::vector<MenuMoves> columnMoves(int count)
{
    std::vector<MenuMoves> moves;
    for (int i = 0; i < count; ++i)
        moves.push_back(MenuMoves{i + 1 < count ? i + 1 : i, i > 0 ? i - 1 : i, menuNS::NO_MOVE, menuNS::NO_MOVE});
    return moves;
}
