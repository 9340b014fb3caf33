#include "screens/option_screen.h"

#include "engine/audio.h"
#include "engine/input.h"
#include "voyage/voyage.h"

namespace {

// Selection numbers.
enum Item { ON, OFF, EASY, NORMAL, HARD, INSTRUCTIONS, GAUNTLET, RESUME, ITEM_COUNT };

constexpr COLOR_ARGB HIGHLIGHT = graphicsNS::BLACK;
constexpr COLOR_ARGB CURRENT = 0xFF00FFFF;  // cyan

// Image numbers, in load order.
enum Picture { BACKGROUND, INSTRUCTIONS_LINK, SOUND_LABEL, DIFFICULTY_LABEL, RESUME_ITEM,
               ON_ITEM, OFF_ITEM, EASY_ITEM, NORMAL_ITEM, HARD_ITEM, GAUNTLET_ITEM };

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\options.jpg", "Error initialising option screen texture"},
    {"pictures\\instructionsText.png", "Error initialising option screen texture"},
    {"pictures\\titleUI.png", "Error initializing start texture"},
};
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 0, 0, "Error initialising option screen"},
    {1, 0, 0, 0, 0, 270, 450, "Error initialising option screen"},
    {2, 250, 50, 4, 4, 285, 100, "Error initializing sound image"},
    {2, 250, 50, 4, 8, 260, 260, "Error initializing difficulty image"},
    {2, 250, 50, 4, 7, 280, 530, "Error initializing resume image"},
    {2, 250, 50, 4, 5, 200, 150, "Error initializing On image"},
    {2, 250, 50, 4, 6, 350, 160, "Error initializing Off image"},
    {2, 250, 50, 4, 9, 20, 360, "Error initializing easy image"},
    {2, 250, 50, 4, 10, 250, 365, "Error initializing normal image"},
    {2, 250, 50, 4, 11, 420, 365, "Error initializing hard image"},
    {2, 250, 50, 4, 15, 560, 365, "Error initializing gauntlet image"},
};

// From each item: down, up, right, left.
const std::vector<MenuMoves> MOVES = {
    /* ON */ {EASY, ON, OFF, ON},
    /* OFF */ {EASY, OFF, OFF, ON},
    /* EASY */ {INSTRUCTIONS, ON, NORMAL, EASY},
    /* NORMAL */ {INSTRUCTIONS, ON, HARD, EASY},
    /* HARD */ {INSTRUCTIONS, ON, GAUNTLET, NORMAL},
    /* INSTRUCTIONS */ {RESUME, EASY, INSTRUCTIONS, INSTRUCTIONS},
    /* GAUNTLET */ {INSTRUCTIONS, ON, GAUNTLET, HARD},
    /* RESUME */ {RESUME, INSTRUCTIONS, RESUME, RESUME},
};

// The image of each selectable item, by selection number.
constexpr size_t IMAGE_OF[ITEM_COUNT] = {ON_ITEM,  OFF_ITEM,          EASY_ITEM,     NORMAL_ITEM,
                                      HARD_ITEM, INSTRUCTIONS_LINK, GAUNTLET_ITEM, RESUME_ITEM};

}  // namespace

OptionScreen::OptionScreen(Voyage* voyage)
    : Screen(voyage, "OPTIONSCREEN", PICTURES, IMAGES, "BALLAD3"), cursor(MOVES)
{
}

void OptionScreen::reset()
{
    cursor.selection = ON;
    cursor.enter(*input);
    Screen::reset();
}

void OptionScreen::update(float)
{
    std::vector<size_t> items(std::begin(IMAGE_OF), std::end(IMAGE_OF));
    cursor.point(*input, boxesOf(items));
    cursor.move(*input);
    // Enter, or A on every frame it is held: choosing a setting again
    // changes nothing.
    if (enterPressed() || aHeld() || cursor.clicked())
        choose(cursor.selection);
    cursor.rearm(*input, false);
}

void OptionScreen::choose(int item)
{
    auto difficulty = [this](bool easy, bool normal, bool hard, bool gauntlet, int next) {
        voyage->easy = easy;
        voyage->normal = normal;
        voyage->hard = hard;
        voyage->gauntlet = gauntlet;
        voyage->nextLevel = next;
    };
    switch (item) {
    case ON:
        audio->setSoundOn(true);
        playCue("BALLAD3");
        break;
    case OFF:
        audio->setSoundOn(false);
        stopCue("BALLAD3");
        break;
    case EASY:
        difficulty(true, false, false, false, 2);
        break;
    case NORMAL:
        difficulty(false, true, false, false, 12);
        break;
    case HARD:
        difficulty(false, false, true, false, 22);
        break;
    case GAUNTLET:
        difficulty(false, false, false, true, 2);
        break;
    case INSTRUCTIONS:
        switchTo("INSTRUCTIONS");
        break;
    case RESUME:
        switchTo("TITLESCREEN");
        break;
    default:
        break;
    }
}

bool OptionScreen::isCurrentSetting(int item) const
{
    switch (item) {
    case ON:
        return audio->getSoundOn();
    case OFF:
        return !audio->getSoundOn();
    case EASY:
        return voyage->easy;
    case NORMAL:
        return voyage->normal;
    case HARD:
        return voyage->hard;
    case GAUNTLET:
        return voyage->gauntlet;
    default:
        return false;
    }
}

void OptionScreen::draw()
{
    image(BACKGROUND).draw(graphicsNS::WHITE);
    image(DIFFICULTY_LABEL).draw(graphicsNS::BLACK);
    image(SOUND_LABEL).draw(graphicsNS::BLACK);
    for (int item : {ON, OFF, EASY, NORMAL, HARD, GAUNTLET, INSTRUCTIONS, RESUME}) {
        COLOR_ARGB color = graphicsNS::WHITE;
        if (item == cursor.selection)
            color = HIGHLIGHT;
        else if (isCurrentSetting(item))
            color = CURRENT;
        image(static_cast<size_t>(IMAGE_OF[item])).draw(color);
    }
}
