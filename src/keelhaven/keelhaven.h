// The game object: owns the player ship, the shared sprite sheet, the score
// fonts and every screen and level, and switches between them by name.
#pragma once

#include "engine/game.h"
#include "engine/game_state.h"
#include "keelhaven/settings_keeper.h"
#include "keelhaven/title_demo.h"
#include "render/text_dx.h"
#include "render/texture_manager.h"
#include "voyage/voyage.h"

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
constexpr int FIRST_NEXT_LEVEL = voyageNS::FIRST_NEXT_LEVEL;
constexpr int LAST_LEVEL = voyageNS::LAST_LEVEL;
constexpr int HIGH_SCORE_COUNT = 10;
constexpr const char* GAME_TEXTURES = "pictures\\textures4-3.png";
constexpr int HIGH_SCORE_X = 400;
constexpr int HIGH_SCORE_NAME_X = 300;
constexpr int HIGH_SCORE_Y = 130;
constexpr int HIGH_SCORE_ROW = 30;
// Letters that leave a gap between the 30-pixel rows and keep a wide name
// clear of its score, set lower in the row to sit where the rows always were.
constexpr int HIGH_SCORE_FONT_HEIGHT = 26;
constexpr int HIGH_SCORE_TEXT_DROP = 6;
}  // namespace keelhavenNS

class Keelhaven : public Game, public Voyage {
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

    Game& engine() override { return *this; }
    void switchState(const std::string& to, const std::string& from) override;
    void resumeGame() override;
    void startNextLevel() override;
    // The level after `level` in play: the bonus level 31 is a detour off
    // level 28 and leads on to 29; past the last, the last.
    static int levelAfter(int level);

    void lookAtHighScores(const std::string& levelName) override;
    const std::string& levelUnderHighScores() const override { return lookingFrom; }
    void backToLevelUnderHighScores() override;

    // Saves the game paused in `pausedStateName`, which must be a level: the
    // state file and the level's record are replaced together, or neither
    // is. False, with the reason in `why`, when nothing was saved.
    bool saveGame(std::string* why = nullptr) override;
    // Reads and checks the saved game whole before anything changes; then
    // the saved level is the one current state, as it was saved. False, with
    // the reason, when there is no saved game or it does not fit: the game
    // goes on as it was.
    bool loadGame(std::string* why = nullptr) override;
    // Enters the score if it beats the tenth and rewrites the file whole;
    // false if the file could not be written (the table still changes). A
    // damaged file read at start is first set aside under another name.
    bool addHighScore(int score, const std::string& name) override;
    // Tells of a score that could not be written or a damaged file set aside.
    std::string takeHighScoreNotice() override { return std::exchange(highScoreNotice, {}); }
    void drawHighScores() override;

    Ship* getShip() override { return ship; }
    TextureManager* getGameTextures() { return &gameTextures; }
    TextDX* getDxScore() override { return dxScore.get(); }
    TextDX* getDxHighScore() { return dxHighScore.get(); }

    // The state list in its fixed order; null for an index outside it.
    GameState* stateAt(int index);
    GameState* findState(const std::string& name);
    int stateCount() const { return static_cast<int>(states.size()); }
    const std::string& levelName(int number) const;
    // Stands another state in at `index` (tests and tools); returns the old one.
    std::unique_ptr<GameState> swapState(int index, std::unique_ptr<GameState> state);

    // The settings as they stand, and the file they are kept in.
    const Settings& getSettings() const { return liveSettings; }
    const SettingsKeeper& getSettingsKeeper() const { return settingsKeeper; }

    std::vector<int> highScores;
    std::vector<std::string> highScoreNames;
    const TitleDemo& getTitleDemo() const { return titleDemo; }

private:
    void createStates();
    // keelhaven_settings.cpp: the file's settings put into the game at the
    // start, and the game's read back each frame and at the end.
    void applySettings();
    void applyDisplaySettings();
    void keepSettings();
    void keepSettingsAtExit();
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
    TitleDemo titleDemo{*this};
    SettingsKeeper settingsKeeper;
    Settings liveSettings;
    bool seenFullScreen = false;
};
