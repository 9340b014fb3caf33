// The pause screen: resume the level, save the game, or quit to the title.
#pragma once

#include "screens/menu_cursor.h"
#include "screens/screen.h"

class PauseScreen : public Screen {
public:
    explicit PauseScreen(Keelhaven* game);
    void reset() override;
    void leave() override;
    void update(float frameTime) override;

    const MenuCursor& getCursor() const { return cursor; }
    float getTimer() const { return timer; }

protected:
    void draw() override;

private:
    void choose(int item);

    MenuCursor cursor;
    float timer = 0;  // since the screen was entered; clears the banner every 4 s
};
