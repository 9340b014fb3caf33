// The game object: owns the player ship, the shared sprite sheet, the score
// fonts and every screen and level, and switches between them by name.
#pragma once

#include "app/game.h"
#include "app/game_state.h"
#include "render/text_dx.h"
#include "render/texture_manager.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Ship;

namespace keelhavenNS {
constexpr int STATE_COUNT = 43;
constexpr int FIRST_LEVEL_INDEX = 12;  // level n sits at index 11 + n
constexpr int PAUSE_SCREEN_INDEX = 3;
constexpr int FIRST_NEXT_LEVEL = 2;
constexpr int LAST_LEVEL = 31;
constexpr int HIGH_SCORE_COUNT = 10;
constexpr const char* GAME_TEXTURES = "pictures\\textures4-3.png";
constexpr const char* STATE_FILE = "saveFiles\\StateSave.txt";
constexpr const char* LEVEL_SAVE_FILE = "saveFiles\\KeelhavenSave.txt";
constexpr const char* HIGH_SCORE_FILE = "saveFiles\\HighScores.txt";
constexpr int HIGH_SCORE_X = 400;
constexpr int HIGH_SCORE_NAME_X = 300;
constexpr int HIGH_SCORE_Y = 130;
constexpr int HIGH_SCORE_ROW = 30;
// Letters that leave a gap between the 30-pixel rows and keep a wide name
// clear of its score, set lower in the row to sit where the rows always were.
constexpr int HIGH_SCORE_FONT_HEIGHT = 26;
constexpr int HIGH_SCORE_TEXT_DROP = 6;
}  // namespace keelhavenNS

class Keelhaven : public Game {
public:
    Keelhaven();
    ~Keelhaven() override;

    void initialize(HWND hwnd) override;
    void update() override;
    void ai() override {}
    void collisions() override;
    void render() override;
    void releaseAll() override;
    void resetAll() override;
    void consoleCommand() override;

    // Makes `to` current (reset every time except back from the pause
    // screen, initialize the first time) and leaves `from`.
    void switchState(const std::string& to, const std::string& from);
    // Back from the pause screen to the paused state, exactly as it was.
    void resumeGame();
    // From the upgrade shop on to level `nextLevel`; back to the title when
    // there is no such level.
    void startNextLevel();
    // The level after `level` in play: the bonus level 31 is a detour off
    // level 28 and leads on to 29; past the last, the last.
    static int levelAfter(int level);

    // A look at the high-score table from the level `levelName`, which
    // stays as it is: leaving the table returns to it, paused.
    void lookAtHighScores(const std::string& levelName);
    // The level the table was opened from, or empty.
    const std::string& levelUnderHighScores() const { return lookingFrom; }
    void backToLevelUnderHighScores();

    // Saves the game paused in `pausedStateName`, which must be a level: the
    // state file and the level's record are replaced together, or neither
    // is. False, with the reason in `why`, when nothing was saved.
    bool saveGame(std::string* why = nullptr);
    // Reads and checks the saved game whole before anything changes; then
    // the saved level is the one current state, as it was saved. False, with
    // the reason, when there is no saved game or it does not fit: the game
    // goes on as it was.
    bool loadGame(std::string* why = nullptr);
    // Enters the score if it beats the tenth and rewrites the file whole;
    // false if the file could not be written (the table still changes). A
    // damaged file read at start is first set aside under another name.
    bool addHighScore(int score, const std::string& name);
    // What the table screen should tell the player about the table's file,
    // once: a score that could not be written, a damaged file set aside.
    std::string takeHighScoreNotice() { return std::exchange(highScoreNotice, {}); }
    // The table, names left of their scores, from memory.
    void drawHighScores();

    Ship* getShip() { return ship; }
    TextureManager* getGameTextures() { return &gameTextures; }
    TextDX* getDxScore() { return dxScore.get(); }
    TextDX* getDxHighScore() { return dxHighScore.get(); }

    // The state list in its fixed order; null for an index outside it.
    GameState* stateAt(int index);
    GameState* findState(const std::string& name);
    int stateCount() const { return static_cast<int>(states.size()); }
    const std::string& levelName(int number) const;
    // Stands another state in at `index` (tests and tools); returns the old one.
    std::unique_ptr<GameState> swapState(int index, std::unique_ptr<GameState> state);

    bool easy = true;
    bool normal = false;
    bool hard = false;
    bool gauntlet = false;
    bool saveMessageShown = false;
    int nextLevel = keelhavenNS::FIRST_NEXT_LEVEL;
    std::string pausedStateName;
    std::vector<int> highScores;
    std::vector<std::string> highScoreNames;
    bool afterGameOver = false;
    bool creditsFromTitle = false;
    bool highScoreFromTitle = false;
    // A save (or a load) since the level now played began: quitting from the
    // pause screen loses nothing the player cannot load.
    bool savedSinceLevelBegan = false;

private:
    void createStates();
    void loadHighScores();
    void tidySaveFolder();
    // The level named `stateName`, or null when it names no level.
    GameState* findLevel(const std::string& stateName);
    // The name of the last active state in list order, or "FRONTEND".
    std::string currentStateName();

    Ship* ship = nullptr;
    std::string lookingFrom;
    bool highScoresDamaged = false;  // the file read at start was not whole
    std::string highScoreNotice;
    std::string levelNames[keelhavenNS::LAST_LEVEL + 1];
    std::vector<std::unique_ptr<GameState>> states;
    std::unique_ptr<TextDX> dxScore;
    std::unique_ptr<TextDX> dxHighScore;
    TextureManager gameTextures;
};
