#include "screens/intro_screen.h"

namespace {

constexpr float AUTO_SECONDS = 17.0f;
constexpr float GUARD_SECONDS = 1.5f;

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\introscreen.jpg", "Error initializing intro texture"},
};
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 0, 0, "Error initializing intro screen"},
};

}  // namespace

IntroScreen::IntroScreen(Voyage* voyage) : Screen(voyage, "INTRO", PICTURES, IMAGES) {}

// Only the key path starts the timer again, so an intro entered after it
// once moved on by itself moves on at its first update.
void IntroScreen::update(float frameTime)
{
    timer += frameTime;
    if (timer >= AUTO_SECONDS)
        switchTo("TITLESCREEN");
    if (timer >= GUARD_SECONDS && (enterPressed() || startHeld())) {
        switchTo("TITLESCREEN");
        timer = 0;
    }
}
