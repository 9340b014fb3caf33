#include "screens/front_end.h"

#include "engine/input.h"

namespace {

constexpr float GUARD_SECONDS = 0.5f;

// The welcome text is loaded first and drawn last, over the background.
const std::vector<ScreenPicture> PICTURES = {
    {"Pictures\\FrontEndText.png", "Error initialising front end welcome texture"},
    {"pictures\\startscreen.jpg", "Error initializing frontend texture"},
};
const std::vector<ScreenImage> IMAGES = {
    {1, 0, 0, 0, 0, 0, 0, "Error initializing frontend screen"},
    {0, 0, 0, 0, 0, 100, 200, "Error initialising welcome message"},
};

}  // namespace

FrontEnd::FrontEnd(Voyage* voyage) : Screen(voyage, "FRONTEND", PICTURES, IMAGES, "BALLAD3") {}

void FrontEnd::update(float frameTime)
{
    timer += frameTime;
    if (timer >= GUARD_SECONDS && (enterPressed() || startHeld())) {
        input->clearAll();
        switchTo("INTRO");
        timer = 0;
    }
}
