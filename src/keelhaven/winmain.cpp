#include "keelhaven/winmain.h"

#include "engine/game_window.h"
#include "keelhaven/keelhaven.h"

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow)
{
    return playGame(new Keelhaven, instance, cmdShow);
}
