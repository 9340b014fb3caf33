// The main menu: start, options, load, high scores, credits, quit.
#pragma once

#include "screens/menu_cursor.h"
#include "screens/screen.h"
#include "screens/screen_notice.h"

class TitleScreen : public Screen {
public:
    explicit TitleScreen(Keelhaven* game);
    void initialize() override;
    void update(float frameTime) override;
    void releaseAll() override;
    void resetAll() override;

    const MenuCursor& getCursor() const { return cursor; }
    const ScreenNotice& getNotice() const { return notice; }

protected:
    void draw() override;

private:
    void choose(int item);
    void startGame();
    void loadGame();

    MenuCursor cursor;
    ScreenNotice notice;  // a load that did not work
};
