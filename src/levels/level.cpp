#include "levels/level.h"

Level::Level(int levelNumber, Graphics* g, Game* gm, Input* in, Audio* a, Ship* s, Keelhaven* k)
    : number(levelNumber), graphics(g), game(gm), input(in), audio(a), ship(s), keelhaven(k)
{
    setName("LEVEL" + std::to_string(levelNumber));
}
