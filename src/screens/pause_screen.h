// The pause screen: resume the level, save the game, or quit to the title.
#pragma once

#include "screens/menu_cursor.h"
#include "screens/screen.h"

class PauseScreen : public Screen {
public:
    explicit PauseScreen(Voyage* voyage);
    void initialize() override;
    void reset() override;
    void leave() override;
    void update(float frameTime) override;

    const MenuCursor& getCursor() const { return cursor; }
    float getTimer() const { return timer; }

protected:
    void draw() override;

    bool confirmingQuit() const { return askingToQuit; }

private:
    void choose(int item);
    // Quit when the voyage was saved since its level began; otherwise ask
    // first with the game's yes/no box.
    void askToQuit();
    void answerQuit();
    void quit();
    void closeQuestion();

    MenuCursor cursor;
    float timer = 0;  // since the screen was entered or the last save; clears the banner at 4 s
    bool askingToQuit = false;
};
