#include "keelhaven/keelhaven.h"

#include "base/game_error.h"
#include "engine/console.h"
#include "entities/ship.h"
#include "keelhaven/high_score_file.h"
#include "keelhaven/high_scores.h"
#include "keelhaven/saved_game_files.h"
#include "levels/levels.h"
#include "screens/screen_states.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sstream>

Keelhaven::Keelhaven()
    : highScores(keelhavenNS::HIGH_SCORE_COUNT, 0), highScoreNames(keelhavenNS::HIGH_SCORE_COUNT),
      dxScore(std::make_unique<TextDX>()), dxHighScore(std::make_unique<TextDX>())
{
    for (int n = keelhavenNS::FIRST_NEXT_LEVEL; n <= keelhavenNS::LAST_LEVEL; ++n)
        levelNames[n] = "LEVEL" + std::to_string(n);
    tidySaveFolder();
    highScoresDamaged = !loadHighScoreFile(highScores, highScoreNames);
}

Keelhaven::~Keelhaven()
{
    keepSettingsAtExit();
    releaseAll();
    states.clear();
    delete ship;
}

void Keelhaven::initialize(HWND hw)
{
    Game::initialize(hw);
    applySettings();

    ship = new Ship();
    if (!gameTextures.initialize(graphics, keelhavenNS::GAME_TEXTURES))
        throw GameError(gameErrorNS::FATAL_ERROR, "Error initializing game textures");
    if (!ship->initialize(services(), 64, 64, 4, &gameTextures))
        throw GameError(gameErrorNS::FATAL_ERROR, "Error initializing ship");
    ship->setFrames(4, 7);
    ship->setCurrentFrame(4);
    ship->setX(0);
    ship->setY(380);

    createStates();

    if (!dxScore->initialize(graphics, 30, false, false, "Stencil"))
        throw GameError(gameErrorNS::FATAL_ERROR, "Error initializing dxscore");
    if (!dxHighScore->initialize(graphics, keelhavenNS::HIGH_SCORE_FONT_HEIGHT, false, false, "Stencil"))
        throw GameError(gameErrorNS::FATAL_ERROR, "Error initializing highscorefont");
    applyDisplaySettings();
    titleDemo.noteFreshShip();
}

void Keelhaven::createStates()
{
    states.clear();
    states.reserve(keelhavenNS::STATE_COUNT);
    states.push_back(std::make_unique<FrontEnd>(this));
    states.push_back(std::make_unique<TitleScreen>(this));
    states.push_back(std::make_unique<OptionScreen>(this));
    states.push_back(std::make_unique<PauseScreen>(this));
    states.push_back(std::make_unique<GameOverScreen>(this));
    states.push_back(std::make_unique<CompleteScreen>(this));
    states.push_back(std::make_unique<LogoScreen>(this));
    states.push_back(std::make_unique<IntroScreen>(this));
    states.push_back(std::make_unique<InstructionsScreen>(this));
    states.push_back(std::make_unique<CreditScreen>(this));
    states.push_back(std::make_unique<HighScoreScreen>(this));
    states.push_back(std::make_unique<UpgradeScreen>(this));
    for (int n = 1; n <= keelhavenNS::LAST_LEVEL; ++n)
        states.push_back(createLevel(n, *this));
}

// A state switched on by an earlier state in the same pass runs in that pass
// when it lies later in the list, so the list is walked by index.
void Keelhaven::update()
{
    if (titleDemo.beforeUpdate(frameTime))
        return;
    for (size_t i = 0; i < states.size(); ++i)
        if (states[i]->getActive())
            states[i]->update(frameTime);
    keepSettings();
}

void Keelhaven::collisions()
{
    for (size_t i = 0; i < states.size(); ++i)
        if (states[i]->getActive())
            states[i]->collisions(frameTime);
}

void Keelhaven::render()
{
    for (size_t i = 0; i < states.size(); ++i)
        if (states[i]->getActive())
            states[i]->render();
    if (titleDemo.playing()) {
        graphics->spriteBegin();
        dxFont.print(titleDemoNS::CAPTION, titleDemoNS::CAPTION_X, titleDemoNS::CAPTION_Y);
        graphics->spriteEnd();
    }
}

void Keelhaven::switchState(const std::string& to, const std::string& from)
{
    for (size_t i = 0; i < states.size(); ++i) {
        GameState& state = *states[i];
        if (state.getName() == to) {
            state.setActive(true);
            if (from != "PAUSESCREEN") {
                state.reset();
                if (!state.getInitialized()) {
                    state.initialize();
                    state.setInitialized(true);
                }
            }
        }
        if (state.getName() == from) {
            state.setActive(false);
            state.leave();
        }
    }

    if (to == "HIGHSCORE")
        lookingFrom.clear();
    if (from != "PAUSESCREEN" && findLevel(to) != nullptr)
        savedSinceLevelBegan = false;  // a fresh attempt at a level

    if (to == "FRONTEND") {
        if (ship != nullptr)
            ship->setGold(0);
        for (auto& state : states)
            if (state->getName() != "FRONTEND")
                state->setActive(false);
    }
    if (to == "PAUSESCREEN") {
        if (ship != nullptr)
            ship->setFireTimer(0);
        pausedStateName = from;
    }
}

void Keelhaven::resumeGame()
{
    for (auto& state : states)
        if (state->getName() == pausedStateName)
            state->setActive(true);
    if (GameState* pause = stateAt(keelhavenNS::PAUSE_SCREEN_INDEX))
        pause->setActive(false);
}

void Keelhaven::startNextLevel()
{
    ship->setDegrees(0);
    ship->setScale(1.0f);
    // Past the last level (or before the first) there is nothing to sail on
    // to: the run ends at the title rather than on a level that does not exist.
    if (nextLevel < keelhavenNS::FIRST_NEXT_LEVEL || nextLevel > keelhavenNS::LAST_LEVEL) {
        nextLevel = keelhavenNS::FIRST_NEXT_LEVEL;
        switchState("TITLESCREEN", "UPGRADESCREEN");
        return;
    }
    const int level = nextLevel;
    switchState(levelNames[level], "UPGRADESCREEN");
    nextLevel = levelAfter(level);
}

int Keelhaven::levelAfter(int level)
{
    if (level == keelhavenNS::LAST_LEVEL)
        return 29;
    return std::clamp(level + 1, keelhavenNS::FIRST_NEXT_LEVEL, keelhavenNS::LAST_LEVEL);
}

void Keelhaven::lookAtHighScores(const std::string& levelName)
{
    switchState("HIGHSCORE", levelName);
    lookingFrom = levelName;
}

// Through the pause screen, so the level goes on only when the player
// chooses Resume, and exactly where it was left.
void Keelhaven::backToLevelUnderHighScores()
{
    const std::string level = lookingFrom;
    lookingFrom.clear();
    if (findLevel(level) == nullptr)
        return;
    switchState("PAUSESCREEN", "HIGHSCORE");
    pausedStateName = level;
}

GameState* Keelhaven::stateAt(int index)
{
    if (index < 0 || index >= static_cast<int>(states.size()))
        return nullptr;
    return states[static_cast<size_t>(index)].get();
}

std::unique_ptr<GameState> Keelhaven::swapState(int index, std::unique_ptr<GameState> state)
{
    if (index < 0 || index >= static_cast<int>(states.size()))
        return state;
    std::swap(states[static_cast<size_t>(index)], state);
    return state;
}

GameState* Keelhaven::findState(const std::string& name)
{
    for (auto& state : states)
        if (state->getName() == name)
            return state.get();
    return nullptr;
}

const std::string& Keelhaven::levelName(int number) const
{
    static const std::string none;
    if (number < 0 || number > keelhavenNS::LAST_LEVEL)
        return none;
    return levelNames[number];
}

std::string Keelhaven::currentStateName()
{
    std::string current = "FRONTEND";
    for (auto& state : states)
        if (state->getActive())
            current = state->getName();
    return current;
}

void Keelhaven::consoleCommand()
{
    titleDemo.betweenFrames();
    command = console->getCommand();
    if (command.empty())
        return;

    if (command == "help") {
        console->print("Console Commands:");
        console->print("fps - toggle display of frames per second");
        return;
    }

    if (command == "save" || command == "load") {
        std::string why;
        bool done = false;
        if (command == "save") {
            if (findLevel(currentStateName()) != nullptr)
                pausedStateName = currentStateName();
            done = saveGame(&why);
        } else {
            done = loadGame(&why);
        }
        console->print(done ? (command == "save" ? "Game saved" : "Game loaded") : why);
        return;
    }

    if (command == "fps") {
        fpsOn = !fpsOn;
        console->print(fpsOn ? "fps On" : "fps Off");
    }

    const std::string current = currentStateName();
    for (size_t i = 0; i < states.size(); ++i) {
        if (states[i]->getName() != command)
            continue;
        switchState(command, current);
        const int index = static_cast<int>(i);
        if (index >= keelhavenNS::FIRST_LEVEL_INDEX) {
            const int level = index - (keelhavenNS::FIRST_LEVEL_INDEX - 1);
            nextLevel = levelAfter(level);
        }
        // A jump to a screen leaves the level counter alone.
        break;
    }

    if (ship == nullptr)
        return;
    if (command == "100")
        ship->setSpeed(ship->getSpeed() + 100);
    if (command == "-100")
        ship->setSpeed(ship->getSpeed() - 100);
    if (command == "AMMO")
        ship->setAmmo(9);
    if (command == "HEALTH")
        ship->setHealth(100);
    if (command == "LIVES")
        ship->setLives(3);
}

void Keelhaven::releaseAll()
{
    gameTextures.onLostDevice();
    for (auto& state : states)
        state->releaseAll();
    dxScore->onLostDevice();
    dxHighScore->onLostDevice();
    Game::releaseAll();
}

void Keelhaven::resetAll()
{
    gameTextures.onResetDevice();
    for (auto& state : states)
        state->resetAll();
    dxScore->onResetDevice();
    dxHighScore->onResetDevice();
    Game::resetAll();
}

// ---------------------------------------------------------------- the player's files

namespace {

void report(const std::string& problem) { std::fprintf(stderr, "Keelhaven: %s\n", problem.c_str()); }

void setWhy(std::string* why, const std::string& text)
{
    if (why != nullptr)
        *why = text;
}

}  // namespace

GameState* Keelhaven::findLevel(const std::string& stateName)
{
    for (int n = 1; n <= keelhavenNS::LAST_LEVEL; ++n) {
        GameState* state = stateAt(keelhavenNS::FIRST_LEVEL_INDEX + n - 1);
        if (state != nullptr && state->getName() == stateName)
            return state;
    }
    return nullptr;
}

bool Keelhaven::saveGame(std::string* why)
{
    auto notSaved = [why](const std::string& problem) {
        report("the game was not saved: " + problem);
        setWhy(why, "The game was not saved: " + problem);
        return false;
    };
    GameState* level = findLevel(pausedStateName);
    if (level == nullptr) {
        setWhy(why, "Nothing to save: no level is paused");
        return false;
    }
    std::ostringstream record;
    if (!level->saveState(record)) {
        setWhy(why, "Nothing to save: " + pausedStateName + " has not been played");
        return false;
    }
    const std::string levelText = record.str();
    std::string problem;
    std::istringstream readBack(levelText);
    if (nextLevel < keelhavenNS::FIRST_NEXT_LEVEL || nextLevel > keelhavenNS::LAST_LEVEL)
        problem = "the next level is out of range: " + std::to_string(nextLevel);
    else if (!level->checkState(readBack, problem))
        problem = "it would not load again: " + problem;
    if (!problem.empty() || !writeSavedGame(pausedStateName, nextLevel, levelText, problem))
        return notSaved(problem);
    savedSinceLevelBegan = true;
    return true;
}

bool Keelhaven::loadGame(std::string* why)
{
    auto refuse = [why](const std::string& reason) {
        report("the saved game was not loaded: " + reason);
        setWhy(why, reason);
        return false;
    };

    std::string stateName, reason;
    int next = 0;
    std::optional<RecordCheck> check;
    if (!readSavedState(stateName, next, check, reason))
        return refuse(reason);
    GameState* level = findLevel(stateName);
    if (level == nullptr)
        return refuse("The saved game names no level: " + stateName.substr(0, 40));
    if (next < keelhavenNS::FIRST_NEXT_LEVEL || next > keelhavenNS::LAST_LEVEL)
        return refuse("The saved game's next level is out of range: " + std::to_string(next));
    std::string recordText;
    if (!readSavedRecord(check, recordText, reason))
        return refuse(reason);
    // The level's objects must exist before the record can be checked
    // against them; setting up a level that is not current shows nothing.
    if (!level->getInitialized()) {
        level->initialize();
        level->setInitialized(true);
    }
    std::istringstream record(recordText);
    std::string problem;
    if (!level->loadState(record, problem))
        return refuse(problem);

    for (auto& state : states)
        state->setActive(false);
    level->setActive(true);
    nextLevel = next;
    savedSinceLevelBegan = true;
    return true;
}

bool Keelhaven::addHighScore(int score, const std::string& name)
{
    enterHighScore(highScores, highScoreNames, score, name);
    return writeHighScoreFile(highScores, highScoreNames, highScoresDamaged, highScoreNotice);
}

void Keelhaven::drawHighScores()
{
    dxScore->setFontColor(graphicsNS::BLACK);
    dxHighScore->setFontColor(graphicsNS::BLACK);
    const size_t rows = std::min(highScores.size(), highScoreNames.size());
    for (size_t i = 0; i < rows && i < static_cast<size_t>(highScoreNS::COUNT); ++i) {
        const int y = keelhavenNS::HIGH_SCORE_Y + keelhavenNS::HIGH_SCORE_ROW * static_cast<int>(i) +
                      keelhavenNS::HIGH_SCORE_TEXT_DROP;
        char buffer[20];
        std::snprintf(buffer, sizeof(buffer), " %d ", highScores[i]);
        dxHighScore->print(buffer, keelhavenNS::HIGH_SCORE_X, y);
        dxHighScore->print(highScoreNames[i], keelhavenNS::HIGH_SCORE_NAME_X, y);
    }
}
