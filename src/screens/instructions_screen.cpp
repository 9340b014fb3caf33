#include "screens/instructions_screen.h"

#include "engine/input.h"

namespace {

constexpr int PAGES = 7;
constexpr int BACK = 0, FORWARD = 1;
constexpr float GUARD_SECONDS = 0.2f;
constexpr float CHOSEN_SCALE = 1.2f;

// The scimitar first, then page n as picture n (1 to 7).
const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\scimitar.png", "Error initializing scimitar texture"},
    {"pictures\\pg1.jpg", "Error initializing page 1 texture"},
    {"pictures\\pg3.jpg", "Error initializing page 3 texture"},
    {"pictures\\pg5.jpg", "Error initializing page 5 texture"},
    {"pictures\\pg7.jpg", "Error initializing page 7 texture"},
    {"pictures\\pg9.jpg", "Error initializing page 9 texture"},
    {"pictures\\pg11.jpg", "Error initializing page 11 texture"},
    {"pictures\\pg13.jpg", "Error initializing page 13 texture"},
};
// The two arrows, then page images 0 to 6.
constexpr size_t FIRST_PAGE = 2;
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 50, 500, "Error initializing scimitar image"},
    {0, 0, 0, 0, 0, 680, 500, "Error initializing scimitar image"},
    {1, 0, 0, 0, 0, 0, 0, "Error initializing page 1 screen"},
    {2, 0, 0, 0, 0, 0, 0, "Error initializing page 3 screen"},
    {3, 0, 0, 0, 0, 0, 0, "Error initializing page 5 screen"},
    {4, 0, 0, 0, 0, 0, 0, "Error initializing page 7 screen"},
    {5, 0, 0, 0, 0, 0, 0, "Error initializing page 9 screen"},
    {6, 0, 0, 0, 0, 0, 0, "Error initializing page 11 screen"},
    {7, 0, 0, 0, 0, 0, 0, "Error initializing page 13 screen"},
};

}  // namespace

InstructionsScreen::InstructionsScreen(Voyage* voyage)
    : Screen(voyage, "INSTRUCTIONS", PICTURES, IMAGES), latch(std::vector<MenuMoves>{})
{
}

void InstructionsScreen::reset()
{
    page = 0;
    latch.enter(*input);
}

void InstructionsScreen::leave() { timer = 0; }

void InstructionsScreen::update(float frameTime)
{
    if (escapePressed()) {
        switchTo("OPTIONSCREEN");
        latch.rearm(*input, true);
        return;
    }
    timer += frameTime;
    // The mouse over an arrow chooses it, and a click on it turns the page.
    latch.selection = arrow;
    latch.point(*input, boxesOf({BACK, FORWARD}));
    if (timer >= GUARD_SECONDS) {
        arrow = latch.selection;
        // The arrows follow the held keys; the pad's left and right need the
        // latch but leave it set.
        if (input->isActionDown(Action::MenuLeft) || (latch.buttonReleased && input->getGamepadDPadLeft(0)))
            arrow = BACK;
        else if (input->isActionDown(Action::MenuRight) || (latch.buttonReleased && input->getGamepadDPadRight(0)))
            arrow = FORWARD;
        if (latch.choose(*input))
            turn(arrow == BACK ? -1 : 1);
    }
    latch.rearm(*input, true);
}

// Past either end of the book is back to the options.
void InstructionsScreen::turn(int by)
{
    const int to = page + by;
    if (to < 0 || to >= PAGES) {
        switchTo("OPTIONSCREEN");
        return;
    }
    page = to;
    playCue("BOOKTURN");
}

void InstructionsScreen::draw()
{
    image(FIRST_PAGE + static_cast<size_t>(page)).draw(graphicsNS::WHITE);
    image(BACK).setScale(arrow == BACK ? CHOSEN_SCALE : 1.0f);
    image(FORWARD).setScale(arrow == FORWARD ? CHOSEN_SCALE : 1.0f);
    image(BACK).draw(graphicsNS::WHITE);
    image(FORWARD).draw(graphicsNS::WHITE);
}
