#include "app/keelhaven.h"

Keelhaven::Keelhaven() = default;

Keelhaven::~Keelhaven()
{
    releaseAll();
}

void Keelhaven::initialize(HWND hw)
{
    Game::initialize(hw);
    fpsOn = true;
}

void Keelhaven::releaseAll()
{
    Game::releaseAll();
}

void Keelhaven::resetAll()
{
    Game::resetAll();
}
