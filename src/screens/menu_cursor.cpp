#include "screens/menu_cursor.h"

#include "engine/input.h"
#include "render/image.h"

#include <limits>

namespace {

constexpr WORD DPAD_BITS =
    XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_DPAD_DOWN | XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_DPAD_RIGHT;

}  // namespace

MenuCursor::MenuCursor(std::vector<MenuMoves> table) : moves(std::move(table)) {}

void MenuCursor::move(const Input& input)
{
    struct Direction {
        Action key;
        WORD pad;
        int MenuMoves::*to;
    };
    static const Direction directions[] = {
        {Action::MenuDown, XINPUT_GAMEPAD_DPAD_DOWN, &MenuMoves::down},
        {Action::MenuUp, XINPUT_GAMEPAD_DPAD_UP, &MenuMoves::up},
        {Action::MenuRight, XINPUT_GAMEPAD_DPAD_RIGHT, &MenuMoves::right},
        {Action::MenuLeft, XINPUT_GAMEPAD_DPAD_LEFT, &MenuMoves::left},
    };
    for (const Direction& d : directions) {
        if (selection < 0 || selection >= static_cast<int>(moves.size()))
            return;
        const int to = moves[static_cast<size_t>(selection)].*d.to;
        if (to == menuNS::NO_MOVE)
            continue;
        const bool padPress = buttonReleased && (input.getGamepadButtons(0) & d.pad) != 0;
        if (!input.wasActionPressed(d.key) && !padPress)
            continue;
        selection = to;
        buttonReleased = false;
    }
}

bool MenuCursor::choose(const Input& input)
{
    if (!input.wasActionPressed(Action::Choose) && !(buttonReleased && input.getGamepadA(0)) && !clickedNow)
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

void MenuCursor::point(const Input& input, const std::vector<RECT>& boxes)
{
    clickedNow = false;
    const int x = input.getMouseX(), y = input.getMouseY();
    const int under = itemAt(boxes, x, y);
    if ((x != lastMouseX || y != lastMouseY) && under != menuNS::NO_MOVE)
        selection = under;
    lastMouseX = x;
    lastMouseY = y;

    const bool down = input.getMouseLButton();
    if (down && !buttonWasDown)
        pressedItem = under;
    if (!down && buttonWasDown) {
        clickedNow = under != menuNS::NO_MOVE && under == pressedItem;
        if (clickedNow)
            selection = under;
        pressedItem = menuNS::NO_MOVE;
    }
    buttonWasDown = down;
}

void MenuCursor::enter(const Input& input)
{
    lastMouseX = input.getMouseX();
    lastMouseY = input.getMouseY();
    buttonWasDown = input.getMouseLButton();
    pressedItem = menuNS::NO_MOVE;
    clickedNow = false;
}

RECT boxOf(Image& image)
{
    const float scale = image.getScale();
    const auto left = static_cast<LONG>(image.getX()), top = static_cast<LONG>(image.getY());
    return RECT{left, top, left + static_cast<LONG>(static_cast<float>(image.getWidth()) * scale),
                top + static_cast<LONG>(static_cast<float>(image.getHeight()) * scale)};
}

int itemAt(const std::vector<RECT>& boxes, int x, int y)
{
    int best = menuNS::NO_MOVE;
    long bestDistance = std::numeric_limits<long>::max();
    for (size_t i = 0; i < boxes.size(); ++i) {
        const RECT& b = boxes[i];
        if (x < b.left || x >= b.right || y < b.top || y >= b.bottom)
            continue;
        const long dx = 2L * x - (b.left + b.right), dy = 2L * y - (b.top + b.bottom);
        const long distance = dx * dx + dy * dy;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::vector<MenuMoves> columnMoves(int count)
{
    std::vector<MenuMoves> moves;
    for (int i = 0; i < count; ++i)
        moves.push_back(MenuMoves{i + 1 < count ? i + 1 : i, i > 0 ? i - 1 : i, menuNS::NO_MOVE, menuNS::NO_MOVE});
    return moves;
}
