#include "screens/unbuilt_screen.h"

#include "app/game_error.h"
#include "app/input.h"

UnbuiltScreen::UnbuiltScreen(Keelhaven* game, const char* stateName, const char* picture)
    : Screen(game, stateName, {{picture, "Error initializing screen texture"}},
             {{0, 0, 0, 0, 0, 0, 0, "Error initializing screen"}})
{
    setUp();
}

void UnbuiltScreen::initialize()
{
    Screen::initialize();
    if (!notice.initialize(graphics))
        throw GameError(FATAL_ERROR, "Error initializing screen font");
}

void UnbuiltScreen::reset() { notice.show("Press Enter to return to the title", 1e9f); }

void UnbuiltScreen::update(float)
{
    if (!enterPressed() && !escapePressed())
        return;
    input->clearKeyPress(VK_RETURN);
    stopCue("KEELHAVENDARKTHEME");
    switchTo("TITLESCREEN");
}

void UnbuiltScreen::draw()
{
    Screen::draw();
    notice.draw();
}

void UnbuiltScreen::releaseAll()
{
    Screen::releaseAll();
    notice.onLostDevice();
}

void UnbuiltScreen::resetAll()
{
    Screen::resetAll();
    notice.onResetDevice();
}
