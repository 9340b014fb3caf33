// The highlighted item of a menu screen, moved by the arrow keys and the
// first pad's d-pad. The pad goes through a latch: a d-pad press acts only
// while the latch is set and clears it, and the latch is set again once the
// pad is let go, so holding the d-pad moves one step. Keys need no latch: a
// key press lasts one frame.
#pragma once

#include "win32_types.h"

#include <vector>

class Input;
class Image;

namespace menuNS {
constexpr int NO_MOVE = -1;  // that direction is not one of the menu's moves
}

// Where each direction leads from one item; an item may lead to itself (the
// press still counts, and still clears the latch).
struct MenuMoves {
    int down, up, right, left;
};

class MenuCursor {
public:
    // moves[i] for item i.
    explicit MenuCursor(std::vector<MenuMoves> moves);

    // This frame's moves, in the order down, up, right, left.
    void move(const Input& input);
    // Enter pressed, or the pad's A while the latch is set; a choice clears
    // the latch.
    bool choose(const Input& input);
    // Call at the end of every update: the latch is set again when no d-pad
    // button (and, with `andA`, not A) is held.
    void rearm(const Input& input, bool andA);

    // The mouse, before move and choose: moving it over item i (where
    // boxes[i] is on screen, see boxOf) highlights the item, and a click,
    // the left button pressed and let go on the same item, makes choose
    // (and clicked) true for that frame. A mouse that stays still never
    // takes the highlight from the keys or the pad.
    void point(const Input& input, const std::vector<RECT>& boxes);
    bool clicked() const { return clickedNow; }
    // On entering the screen: what the mouse is doing now started elsewhere,
    // so a button held on the way in is no click here.
    void enter(const Input& input);

    int selection = 0;
    bool buttonReleased = true;

private:
    std::vector<MenuMoves> moves;
    int lastMouseX = -1, lastMouseY = -1;
    bool buttonWasDown = false;
    int pressedItem = menuNS::NO_MOVE;  // where the left button went down
    bool clickedNow = false;
};

// Where an image stands on the screen, its scale included.
RECT boxOf(Image& image);
// The item of `boxes` under (x, y): where boxes overlap, the one whose
// centre is nearest; NO_MOVE for none.
int itemAt(const std::vector<RECT>& boxes, int x, int y);

// A menu of `count` items in one column: down and up step by one and stop
// at the ends; left and right are no moves.
std::vector<MenuMoves> columnMoves(int count);
