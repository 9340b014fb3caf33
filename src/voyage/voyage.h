// What the levels and the screens around them ask of the game that plays
// them: moving between states by name, the player's files, the ship and the
// score font they share, and the run's settings and progress. The game
// implements it; levels and screens see nothing more of it.
#pragma once

#include <string>

class Game;
class Ship;
class TextDX;

namespace voyageNS {
constexpr int FIRST_NEXT_LEVEL = 2;  // the level the first shop leads to
constexpr int LAST_LEVEL = 31;
}  // namespace voyageNS

class Voyage {
public:
    virtual ~Voyage() = default;

    // The engine the game runs on: graphics, input, audio, the dialogs and
    // the window.
    virtual Game& engine() = 0;

    // Makes `to` current (reset every time except back from the pause
    // screen, initialize the first time) and leaves `from`.
    virtual void switchState(const std::string& to, const std::string& from) = 0;
    // Back from the pause screen to the paused state, exactly as it was.
    virtual void resumeGame() = 0;
    // From the upgrade shop on to level `nextLevel`; back to the title when
    // there is no such level.
    virtual void startNextLevel() = 0;
    // A look at the high-score table from the level `levelName`, which
    // stays as it is: leaving the table returns to it, paused.
    virtual void lookAtHighScores(const std::string& levelName) = 0;
    // The level the table was opened from, or empty.
    virtual const std::string& levelUnderHighScores() const = 0;
    virtual void backToLevelUnderHighScores() = 0;

    // The level paused in `pausedStateName` and the run's progress, saved
    // whole or not at all; false, with the reason in `why`, when nothing
    // was saved.
    virtual bool saveGame(std::string* why = nullptr) = 0;
    // The saved game, checked whole before anything changes; false, with
    // the reason, when the game goes on as it was.
    virtual bool loadGame(std::string* why = nullptr) = 0;
    // Enters the score if it beats the tenth; false if the file could not be
    // written (the table still changes).
    virtual bool addHighScore(int score, const std::string& name) = 0;
    // What the table screen should tell the player about the table's file, once.
    virtual std::string takeHighScoreNotice() = 0;
    // The table, names left of their scores, from memory.
    virtual void drawHighScores() = 0;

    virtual Ship* getShip() = 0;
    virtual TextDX* getDxScore() = 0;

    // The settings chosen on the options screen.
    bool easy = true;
    bool normal = false;
    bool hard = false;
    bool gauntlet = false;
    // The run's progress and where the screens were entered from.
    int nextLevel = voyageNS::FIRST_NEXT_LEVEL;
    std::string pausedStateName;
    bool saveMessageShown = false;
    bool afterGameOver = false;
    bool creditsFromTitle = false;
    bool highScoreFromTitle = false;
    // A save (or a load) since the level now played began: quitting from the
    // pause screen loses nothing the player cannot load.
    bool savedSinceLevelBegan = false;

protected:
    Voyage() = default;
    Voyage(const Voyage&) = default;
    Voyage& operator=(const Voyage&) = default;
};
