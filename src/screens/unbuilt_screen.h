// A screen whose own rules are still to come: it shows its picture and a
// line saying how to go on, and Escape or Enter returns to the title, so no
// way through the game ends on a screen without a way out.
#pragma once

#include "screens/screen.h"

class UnbuiltScreen : public Screen {
public:
    UnbuiltScreen(Keelhaven* game, const char* stateName, const char* picture);
    void reset() override;
    void update(float frameTime) override;
};

class GameOverScreen : public UnbuiltScreen {
public:
    explicit GameOverScreen(Keelhaven* game) : UnbuiltScreen(game, "GAMEOVER", "pictures\\HarrowdellRevenge.jpg") {}
};

class CompleteScreen : public UnbuiltScreen {
public:
    explicit CompleteScreen(Keelhaven* game) : UnbuiltScreen(game, "COMPLETE", "pictures\\complete.jpg") {}
};

class HighScoreScreen : public UnbuiltScreen {
public:
    explicit HighScoreScreen(Keelhaven* game)
        : UnbuiltScreen(game, "HIGHSCORE", "pictures\\KeelhavenHighScore.jpg")
    {
    }
};
