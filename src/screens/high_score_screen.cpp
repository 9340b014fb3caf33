#include "screens/high_score_screen.h"

#include "engine/input.h"
#include "voyage/voyage.h"

namespace {

constexpr float GUARD_SECONDS = 2.0f;
constexpr float NOTICE_SECONDS = 8.0f;  // the table is read at leisure

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\KeelhavenHighScore.jpg", "Error initializing high score texture"},
};
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 0, 0, "Error initializing high score screen"},
};

}  // namespace

HighScoreScreen::HighScoreScreen(Voyage* voyage) : Screen(voyage, "HIGHSCORE", PICTURES, IMAGES)
{
    addNotice();
}

void HighScoreScreen::reset()
{
    noticeLine().hide();
    const std::string problem = voyage->takeHighScoreNotice();
    if (!problem.empty())
        noticeLine().show(problem, NOTICE_SECONDS);
    Screen::reset();
}

// START goes on from the title and complete paths, A from a lost game.
void HighScoreScreen::update(float frameTime)
{
    timer += frameTime;
    noticeLine().update(frameTime);
    if (timer < GUARD_SECONDS)
        return;
    if (!voyage->levelUnderHighScores().empty()) {
        // A look from a level: back to it, paused, by the title's keys.
        if (enterPressed() || startHeld()) {
            input->clearActionPress(Action::Choose);  // the pause screen would resume at once
            voyage->backToLevelUnderHighScores();
            timer = 0;
        }
    } else if (!voyage->afterGameOver && (enterPressed() || startHeld())) {
        if (voyage->highScoreFromTitle) {
            voyage->highScoreFromTitle = false;
            leaveFor("TITLESCREEN");
        } else {
            leaveFor("CREDITS");
        }
    } else if (voyage->afterGameOver && (enterPressed() || aHeld())) {
        voyage->afterGameOver = false;
        leaveFor("FRONTEND");
    }
}

void HighScoreScreen::leaveFor(const char* target)
{
    switchTo(target);
    timer = 0;
}

void HighScoreScreen::draw()
{
    image(0).draw(graphicsNS::WHITE);
    voyage->drawHighScores();
}
