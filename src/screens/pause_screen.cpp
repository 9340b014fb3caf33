#include "screens/pause_screen.h"

#include "engine/game.h"
#include "engine/input.h"
#include "engine/message_dialog.h"
#include "voyage/voyage.h"

namespace {

enum Item { RESUME, SAVE, QUIT, ITEM_COUNT };
enum { BACKGROUND, SAVE_ITEM, RESUME_ITEM, QUIT_ITEM, SAVED_BANNER };

constexpr float BANNER_SECONDS = 4.0f;
constexpr float BANNER_SCALE = 2.0f;
constexpr COLOR_ARGB BANNER_COLOR = 0xFFFF0000;
constexpr COLOR_ARGB HIGHLIGHT = graphicsNS::BLACK;

constexpr float QUESTION_X = 200, QUESTION_Y = 230;
constexpr const char* QUIT_QUESTION =
    "Abandon this voyage?\nIt has not been saved since this sea began.\n"
    "Y or Enter: quit      N or Escape: stay";
// The chart's own colours rather than the box's plain blue.
constexpr COLOR_ARGB QUESTION_EDGE = 0xFF5A3A1E;
constexpr COLOR_ARGB QUESTION_PAPER = 0xFFF3E6C8;
constexpr COLOR_ARGB QUESTION_INK = 0xFF2A1C10;
constexpr COLOR_ARGB QUESTION_BUTTON = 0xFF8B1A10;

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\KeelhavenPause.jpg", "Error initializing pause texture"},
    {"pictures\\titleUI.png", "Error initializing start texture"},
};
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 0, 0, "Error initializing pause screen"},
    {1, 250, 50, 4, 12, 270, 260, "Error initializing save image"},
    {1, 250, 50, 4, 7, 280, 150, "Error initializing resume image"},
    // Quit shares its frame with the title's Quit, which stands at 310: here
    // too, so the word lines up with Resume and Save.
    {1, 250, 50, 4, 3, 310, 400, "Error initializing quit image"},
    {1, 250, 50, 4, 16, 180, 0, "Error initializing game saved image"},
};

// Down and up go round the three items.
const std::vector<MenuMoves> MOVES = {
    /* RESUME */ {SAVE, QUIT, menuNS::NO_MOVE, menuNS::NO_MOVE},
    /* SAVE */ {QUIT, RESUME, menuNS::NO_MOVE, menuNS::NO_MOVE},
    /* QUIT */ {RESUME, SAVE, menuNS::NO_MOVE, menuNS::NO_MOVE},
};

constexpr size_t IMAGE_OF[ITEM_COUNT] = {RESUME_ITEM, SAVE_ITEM, QUIT_ITEM};

}  // namespace

PauseScreen::PauseScreen(Voyage* voyage) : Screen(voyage, "PAUSESCREEN", PICTURES, IMAGES), cursor(MOVES)
{
    addNotice();  // for a save that did not work
}

void PauseScreen::initialize()
{
    Screen::initialize();
    image(SAVED_BANNER).setScale(BANNER_SCALE);
}

// Every pause opens on Resume, so one Enter always goes back to the sea.
void PauseScreen::reset()
{
    timer = 0;
    cursor.selection = RESUME;
    cursor.enter(*input);
    noticeLine().hide();
    closeQuestion();
}

// Only Quit leaves this way; Resume just switches the level back on.
void PauseScreen::leave()
{
    closeQuestion();
    playCue("BALLAD3");
}

void PauseScreen::update(float frameTime)
{
    timer += frameTime;
    noticeLine().update(frameTime);
    if (askingToQuit) {
        answerQuit();
        cursor.rearm(*input, true);
        return;
    }
    cursor.point(*input, boxesOf({RESUME_ITEM, SAVE_ITEM, QUIT_ITEM}));
    cursor.move(*input);
    // Enter, or A on every frame it is held: holding A on Save saves again
    // each frame.
    if (enterPressed() || aHeld() || cursor.clicked()) {
        input->clearActionPress(Action::Choose);
        choose(cursor.selection);
        cursor.buttonReleased = false;
    }
    if (timer >= BANNER_SECONDS) {
        voyage->saveMessageShown = false;
        timer = 0;
    }
    cursor.rearm(*input, false);
}

void PauseScreen::choose(int item)
{
    switch (item) {
    case RESUME:
        voyage->resumeGame();
        image(SAVED_BANNER).setVisible(false);
        voyage->saveMessageShown = false;
        break;
    case SAVE: {
        // A save that did not work says why in place of the banner, and
        // the game goes on.
        std::string why;
        voyage->saveMessageShown = voyage->saveGame(&why);
        if (voyage->saveMessageShown) {
            noticeLine().hide();
            timer = 0;  // the banner stays its full time after the last save
        } else {
            noticeLine().show(why);
        }
        break;
    }
    case QUIT:
        askToQuit();
        break;
    default:
        break;
    }
}

void PauseScreen::askToQuit()
{
    MessageDialog* box = game->getMessageDialog();
    if (voyage->savedSinceLevelBegan || box == nullptr || !box->getInitialized()) {
        quit();
        return;
    }
    box->setButtonType(messageDialogNS::YES_NO);
    box->setBorderColor(QUESTION_EDGE);
    box->setBackColor(QUESTION_PAPER);
    box->setFontColor(QUESTION_INK);
    box->setButtonColor(QUESTION_BUTTON);
    box->setButtonFontColor(graphicsNS::WHITE);
    box->setPosition(QUESTION_X, QUESTION_Y);
    box->print(QUIT_QUESTION);
    askingToQuit = true;
}

// Yes: Enter, Y, the pad's A (let go first, as it chose Quit), or a click on
// YES. No: N, Escape, the pad's B, or a click on NO.
void PauseScreen::answerQuit()
{
    MessageDialog& box = *game->getMessageDialog();
    const bool yes = box.getButtonClicked() == 1 || enterPressed() || input->wasKeyPressed('Y') ||
                     (aHeld() && cursor.buttonReleased);
    const bool no = box.getButtonClicked() == 2 || !box.getVisible() || input->wasKeyPressed('N') ||
                    escapePressed() || input->getGamepadB(0);
    input->clearActionPress(Action::Choose);  // the box would take it as its first button
    if (yes) {
        closeQuestion();
        quit();
    } else if (no) {
        closeQuestion();
    }
    if (yes || no)
        cursor.buttonReleased = false;
}

void PauseScreen::closeQuestion()
{
    if (askingToQuit)
        if (MessageDialog* box = game->getMessageDialog())
            box->hide();
    askingToQuit = false;
}

void PauseScreen::quit()
{
    voyage->easy = true;
    voyage->normal = voyage->hard = voyage->gauntlet = false;
    voyage->nextLevel = 2;
    stopCue("KEELHAVENDARKTHEME");
    image(SAVED_BANNER).setVisible(false);
    voyage->saveMessageShown = false;
    noticeLine().hide();
    switchTo("TITLESCREEN");
}

void PauseScreen::draw()
{
    image(BACKGROUND).draw(graphicsNS::WHITE);
    image(SAVED_BANNER).setVisible(voyage->saveMessageShown);
    if (voyage->saveMessageShown)
        image(SAVED_BANNER).draw(BANNER_COLOR);
    for (int item : {RESUME, SAVE, QUIT})
        image(IMAGE_OF[item]).draw(item == cursor.selection ? HIGHLIGHT : graphicsNS::WHITE);
}
