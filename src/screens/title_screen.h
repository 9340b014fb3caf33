// The main menu: start, options, load, high scores, credits, quit.
#pragma once

#include "screens/menu_cursor.h"
#include "screens/screen.h"

class TitleScreen : public Screen {
public:
    explicit TitleScreen(Voyage* voyage);
    void reset() override;
    void update(float frameTime) override;

    const MenuCursor& getCursor() const { return cursor; }

protected:
    void draw() override;

private:
    void choose(int item);
    void startGame();
    void loadGame();

    MenuCursor cursor;
};
