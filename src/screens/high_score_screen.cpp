#include "screens/high_score_screen.h"

#include "app/keelhaven.h"

namespace {

constexpr float GUARD_SECONDS = 2.0f;

const std::vector<ScreenPicture> PICTURES = {
    {"pictures\\KeelhavenHighScore.jpg", "Error initializing high score texture"},
};
const std::vector<ScreenImage> IMAGES = {
    {0, 0, 0, 0, 0, 0, 0, "Error initializing high score screen"},
};

}  // namespace

HighScoreScreen::HighScoreScreen(Keelhaven* game) : Screen(game, "HIGHSCORE", PICTURES, IMAGES) { setUp(); }

// START goes on from the title and complete paths, A from a lost game.
void HighScoreScreen::update(float frameTime)
{
    timer += frameTime;
    if (timer < GUARD_SECONDS)
        return;
    if (!keelhaven->afterGameOver && (enterPressed() || startHeld())) {
        if (keelhaven->highScoreFromTitle) {
            keelhaven->highScoreFromTitle = false;
            leaveFor("TITLESCREEN");
        } else {
            leaveFor("CREDITS");
        }
    } else if (keelhaven->afterGameOver && (enterPressed() || aHeld())) {
        keelhaven->afterGameOver = false;
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
    keelhaven->drawHighScores();
}
