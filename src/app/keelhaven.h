// The game object. For now it opens the window, clears it to the back colour
// and shows the frame rate; the states and the ship arrive with it later.
#pragma once

#include "app/game.h"

class Keelhaven : public Game {
public:
    Keelhaven();
    ~Keelhaven() override;

    void initialize(HWND hwnd) override;
    void update() override {}
    void ai() override {}
    void collisions() override {}
    void render() override {}
    void releaseAll() override;
    void resetAll() override;
};
