#include "screens/logo_screen.h"

#include "render/graphics.h"

namespace {

constexpr COLOR_ARGB BACK_COLOR = 0xFF313030;
constexpr float AUTO_SECONDS = 5.5f;
constexpr float SKIP_SECONDS = 1.0f;
constexpr float CLIMB = 115;             // distance counter at which the logo stops
constexpr float CLIMB_PER_SECOND = 50;   // of that counter
constexpr float RISE_PER_SECOND = 125;   // pixels the logo climbs

enum { BOTTOM_PUDDLE, TOP_PUDDLE, LOGO };

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\ostrelgames.png", "Error initializing ostrel texture"},
};
// Loaded in this order, drawn top puddle, logo, bottom puddle: the bottom
// puddle covers the logo's foot.
const std::vector<ScreenImage> IMAGES = {
    {0, 800, 461, 3, 1, 0, 340, "Error initializing bottom puddle screen"},
    {0, 800, 461, 3, 2, 0, 110, "Error initializing top puddle screen"},
    {0, 800, 461, 3, 0, 0, 200, "Error initializing ostrel screen"},
};

}  // namespace

LogoScreen::LogoScreen(Voyage* voyage) : Screen(voyage, "LOGO", PICTURES, IMAGES)
{
    setActive(true);
}

void LogoScreen::initialize()
{
    Screen::initialize();
    graphics->setBackColor(BACK_COLOR);
}

void LogoScreen::update(float frameTime)
{
    for (size_t i = 0; i < imageCount(); ++i)
        image(i).update(frameTime);
    timer += frameTime;
    if (timer >= AUTO_SECONDS) {
        switchTo("FRONTEND");
    } else if (timer >= SKIP_SECONDS && (enterPressed() || startHeld())) {
        switchTo("FRONTEND");
        timer = 0;
    }
    // One step a frame until the climb is done, about 2.3 s and 287 px.
    if (rise < CLIMB) {
        rise += CLIMB_PER_SECOND * frameTime;
        image(LOGO).setY(image(LOGO).getY() - RISE_PER_SECOND * frameTime);
    }
}

void LogoScreen::draw()
{
    image(TOP_PUDDLE).draw(graphicsNS::WHITE);
    image(LOGO).draw(graphicsNS::WHITE);
    image(BOTTOM_PUDDLE).draw(graphicsNS::WHITE);
}
