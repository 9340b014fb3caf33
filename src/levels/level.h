// One level of play: the ship on a tile map with pick-ups, enemy ships,
// turning markers and a whirlpool that ends the level.
#pragma once

#include "app/game_state.h"

#include <string>

class Audio;
class Game;
class Graphics;
class Input;
class Keelhaven;
class Ship;

namespace levelNS {
constexpr int LEVEL_COUNT = 31;
}

class Level : public GameState {
public:
    Level(int number, Graphics* graphics, Game* game, Input* input, Audio* audio, Ship* ship, Keelhaven* keelhaven);

    int getNumber() const { return number; }

protected:
    const int number;
    Graphics* graphics;  // none of these is owned
    Game* game;
    Input* input;
    Audio* audio;
    Ship* ship;
    Keelhaven* keelhaven;
};
