#include "screens/end_of_run_screen.h"

#include "engine/audio.h"
#include "engine/game.h"
#include "engine/input.h"
#include "entities/ship.h"
#include "voyage/voyage.h"

#include <cstdio>

namespace {

enum { BACKGROUND, PANEL };

constexpr float BOX_X = 360, BOX_Y = 120;
constexpr COLOR_ARGB BOX_BACK_COLOR = 0xFF008000;
// Between the name line and the panel's farewell.
constexpr RECT GOLD_AREA{200, 382, 600, 428};
constexpr COLOR_ARGB GOLD_INK = 0xFF2A1C10;

const EndOfRunStyle COMPLETE = {"COMPLETE",
                                "pictures\\complete.jpg",
                                "Error initializing complete texture",
                                "Error initializing complete screen",
                                false,
                                "ENDINGCREDITS",
                                false};  // the credits music plays on into the table and the credits
const EndOfRunStyle GAME_OVER = {"GAMEOVER",
                                 "pictures\\HarrowdellRevenge.jpg",
                                 "Error initializing game over texture",
                                 "Error initializing game over screen",
                                 true,
                                 "CRYSTALCAVERN",
                                 true};

std::vector<ScreenPicture> endPictures(const EndOfRunStyle& style)
{
    return {{style.picture, style.textureMessage},
            {"pictures\\HighScore2.png", "Error initializing high score panel texture"}};
}

std::vector<ScreenImage> endImages(const EndOfRunStyle& style)
{
    return {{BACKGROUND, 0, 0, 0, 0, 0, 0, style.imageMessage},
            {PANEL, 0, 0, 0, 0, 0, 0, "Error initializing high score panel"}};
}

}  // namespace

EndOfRunScreen::EndOfRunScreen(Voyage* voyage, const EndOfRunStyle& endStyle)
    : Screen(voyage, endStyle.name, endPictures(endStyle), endImages(endStyle), endStyle.music),
      style(endStyle)
{
}

// Runs once (the screen is set up when it is first shown), so there is one box
// and each picture is loaded once.
void EndOfRunScreen::initialize()
{
    Screen::initialize();
    Image& panel = image(PANEL);
    panel.setX(static_cast<float>(graphicsNS::GAME_WIDTH / 2 - panel.getWidth() / 2));
    panel.setY(static_cast<float>(graphicsNS::GAME_HEIGHT / 2 - panel.getHeight() / 2));

    nameBox = std::make_unique<HighScoreBox>();
    // A box that cannot be made stays closed; Enter still enters the score.
    nameBox->initialize(graphics, input, game->getHwnd());
    nameBox->setFontColor(graphicsNS::BLACK);
    nameBox->setBorderColor(graphicsNS::BLACK);
    nameBox->setBackColor(BOX_BACK_COLOR);
    nameBox->setTextBackColor(graphicsNS::WHITE);
    nameBox->setTextFontColor(graphicsNS::BLACK);
    nameBox->setPosition(BOX_X, BOX_Y);
    nameBox->print("");
}

void EndOfRunScreen::reset()
{
    voyage->afterGameOver = style.afterGameOver;
    input->clearAll();
    voyage->easy = true;
    voyage->normal = voyage->hard = voyage->gauntlet = false;
    voyage->nextLevel = 2;
    // Open again for this run's name, should a stray click have closed it.
    nameBox->print("");
    Screen::reset();
}

void EndOfRunScreen::leave()
{
    if (style.stopsMusicOnLeave)
        stopCue(style.music);
}

void EndOfRunScreen::update(float)
{
    nameBox->update();
    const std::string name = nameBox->getInText();
    if (enterPressed() || startHeld()) {
        voyage->addHighScore(voyage->getShip()->getGold(), name);
        switchTo("HIGHSCORE");
    }
}

void EndOfRunScreen::draw()
{
    Screen::draw();
    TextDX* font = voyage->getDxScore();
    if (font == nullptr || voyage->getShip() == nullptr)
        return;
    char text[32];
    std::snprintf(text, sizeof(text), "Gold  %d", voyage->getShip()->getGold());
    RECT area = GOLD_AREA;
    font->setFontColor(GOLD_INK);
    font->print(text, area, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void EndOfRunScreen::render()
{
    Screen::render();
    nameBox->draw();  // in its own sprite batch
}

void EndOfRunScreen::releaseAll()
{
    Screen::releaseAll();
    if (nameBox && nameBox->getInitialized())
        nameBox->onLostDevice();
}

void EndOfRunScreen::resetAll()
{
    Screen::resetAll();
    if (nameBox && nameBox->getInitialized())
        nameBox->onResetDevice();
}

CompleteScreen::CompleteScreen(Voyage* voyage) : EndOfRunScreen(voyage, COMPLETE) {}

GameOverScreen::GameOverScreen(Voyage* voyage) : EndOfRunScreen(voyage, GAME_OVER) {}
