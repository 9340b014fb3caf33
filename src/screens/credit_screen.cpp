#include "screens/credit_screen.h"

#include "voyage/voyage.h"

namespace {

constexpr float GUARD_SECONDS = 2.0f;
constexpr float AUTO_SECONDS = 24.0f;
constexpr float SCROLL_END = -1150;  // 23 s of scrolling
constexpr float SCROLL_PER_SECOND = 50;
constexpr float TEXT_Y = 60;

enum { BACKGROUND, TEXT };

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\creditScreen.jpg", "Error initializing credit screen texture"},
    {"pictures\\Credits.png", "Error initializing credits texture"},
};
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 0, 0, "Error initializing credit screen"},
    {1, 0, 0, 0, 0, 260, TEXT_Y, "Error initializing credits"},
};

}  // namespace

CreditScreen::CreditScreen(Voyage* voyage) : Screen(voyage, "CREDITS", PICTURES, IMAGES, "ENDINGCREDITS") {}

void CreditScreen::leave()
{
    timer = 0;
    if (getInitialized())  // a screen never shown has no text to put back
        image(TEXT).setY(TEXT_Y);
    scroll = 0;
    stopCue("ENDINGCREDITS");
}

void CreditScreen::update(float frameTime)
{
    image(BACKGROUND).update(frameTime);
    image(TEXT).update(frameTime);
    if (scroll > SCROLL_END) {
        image(TEXT).setY(image(TEXT).getY() - SCROLL_PER_SECOND * frameTime);
        scroll -= SCROLL_PER_SECOND * frameTime;
    }
    timer += frameTime;
    if ((timer >= GUARD_SECONDS && (enterPressed() || startHeld())) || timer >= AUTO_SECONDS)
        returnFromCredits();
}

// Back to the title if it opened the credits, else to the welcome screen.
void CreditScreen::returnFromCredits()
{
    if (voyage->creditsFromTitle) {
        switchTo("TITLESCREEN");
        voyage->creditsFromTitle = false;
    } else {
        switchTo("FRONTEND");
    }
}
