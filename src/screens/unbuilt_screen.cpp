#include "screens/unbuilt_screen.h"

#include "app/input.h"

UnbuiltScreen::UnbuiltScreen(Keelhaven* game, const char* stateName, const char* picture)
    : Screen(game, stateName, {{picture, "Error initializing screen texture"}},
             {{0, 0, 0, 0, 0, 0, 0, "Error initializing screen"}})
{
    addNotice();
    setUp();
}

void UnbuiltScreen::reset() { noticeLine().show("Press Enter to return to the title", 1e9f); }

void UnbuiltScreen::update(float)
{
    if (!enterPressed() && !escapePressed())
        return;
    input->clearKeyPress(VK_RETURN);
    stopCue("KEELHAVENDARKTHEME");
    switchTo("TITLESCREEN");
    // The title starts its music on entry, but not on a return from the
    // pause screen.
    playCue("BALLAD3");
}
