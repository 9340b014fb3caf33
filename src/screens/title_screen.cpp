#include "screens/title_screen.h"

#include "engine/audio.h"
#include "engine/game.h"
#include "engine/input.h"
#include "voyage/voyage.h"

namespace {

enum Item { START, OPTIONS, LOAD, HIGH_SCORE, CREDITS, QUIT, ITEM_COUNT };

constexpr COLOR_ARGB HIGHLIGHT = graphicsNS::BLACK;

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\startscreen.jpg", "Error initializing frontend texture"},
    {"pictures\\titleUI.png", "Error initializing start texture"},
};
// The background, then the items by their selection number.
constexpr size_t FIRST_ITEM = 1;
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 0, 0, "Error initializing frontend screen"},
    {1, 250, 50, 4, 0, 320, 160, "Error initializing start"},
    {1, 250, 50, 4, 2, 310, 220, "Error initializing options"},
    {1, 250, 50, 4, 1, 310, 280, "Error initializing load image"},
    {1, 250, 50, 4, 13, 290, 340, "Error initializing highscore image"},
    {1, 250, 50, 4, 14, 295, 400, "Error initializing credits image"},
    {1, 250, 50, 4, 3, 310, 460, "Error initializing quit image"},
};

}  // namespace

TitleScreen::TitleScreen(Voyage* voyage)
    : Screen(voyage, "TITLESCREEN", PICTURES, IMAGES, "BALLAD3"), cursor(columnMoves(ITEM_COUNT))
{
    addNotice();  // for a saved game that does not load
}

void TitleScreen::reset()
{
    noticeLine().hide();
    cursor.enter(*input);
    Screen::reset();
}

void TitleScreen::update(float frameTime)
{
    noticeLine().update(frameTime);
    cursor.point(*input, boxesOf({FIRST_ITEM + START, FIRST_ITEM + OPTIONS, FIRST_ITEM + LOAD,
                                  FIRST_ITEM + HIGH_SCORE, FIRST_ITEM + CREDITS, FIRST_ITEM + QUIT}));
    cursor.move(*input);
    if (cursor.choose(*input)) {
        input->clearActionPress(Action::Choose);  // no later reader sees this Enter
        choose(cursor.selection);
    }
    cursor.rearm(*input, true);
}

void TitleScreen::choose(int item)
{
    switch (item) {
    case START:
        startGame();
        break;
    case OPTIONS:
        switchTo("OPTIONSCREEN");
        break;
    case LOAD:
        loadGame();
        break;
    case HIGH_SCORE:
        switchTo("HIGHSCORE");
        voyage->highScoreFromTitle = true;
        stopCue("BALLAD3");
        break;
    case CREDITS:
        switchTo("CREDITS");
        voyage->creditsFromTitle = true;
        stopCue("BALLAD3");
        break;
    case QUIT:
        game->exitGame();
        break;
    default:
        break;
    }
}

// The difficulty picks the first level. The level after the first shop is
// set here too: a run that ended without the pause screen's Quit (a lost
// game, a finished one) would otherwise lead on from where it ended.
void TitleScreen::startGame()
{
    const char* level = nullptr;
    int next = 0;
    if (voyage->easy) {
        level = "LEVEL1", next = 2;
    } else if (voyage->normal) {
        level = "LEVEL11", next = 12;
    } else if (voyage->hard) {
        level = "LEVEL21", next = 22;
    } else if (voyage->gauntlet) {
        level = "LEVEL1", next = 2;
    }
    if (level != nullptr) {
        voyage->nextLevel = next;
        switchTo(level);
    }
    stopCue("BALLAD3");
}

// A saved game that cannot be loaded leaves the title up, says why, and
// the title music plays on.
void TitleScreen::loadGame()
{
    std::string why;
    if (!voyage->loadGame(&why)) {
        noticeLine().show(why);
        return;
    }
    noticeLine().hide();
    playCue("KEELHAVENDARKTHEME");
    stopCue("BALLAD3");
}

void TitleScreen::draw()
{
    image(0).draw(graphicsNS::WHITE);
    for (int item : {START, OPTIONS, LOAD, QUIT, HIGH_SCORE, CREDITS})
        image(FIRST_ITEM + static_cast<size_t>(item))
            .draw(item == cursor.selection ? HIGHLIGHT : graphicsNS::WHITE);
}
