// The highlighted item of a menu screen, moved by the arrow keys and the
// first pad's d-pad. The pad goes through a latch: a d-pad press acts only
// while the latch is set and clears it, and the latch is set again once the
// pad is let go, so holding the d-pad moves one step. Keys need no latch: a
// key press lasts one frame.
#pragma once

#include <vector>

class Input;

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

    int selection = 0;
    bool buttonReleased = true;

private:
    std::vector<MenuMoves> moves;
};

// A menu of `count` items in one column: down and up step by one and stop
// at the ends; left and right are no moves.
std::vector<MenuMoves> columnMoves(int count);
