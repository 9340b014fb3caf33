// The game object's files: the saved game (the state file and the level's
// record) and the high-score table. Files a player owns never end the game:
// a file that does not read is refused with a reason and changes nothing,
// and every write replaces the old file whole or not at all.
#include "app/high_scores.h"
#include "app/keelhaven.h"
#include "app/state_file.h"
#include "files.h"
#include "replace_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void report(const std::string& problem) { std::fprintf(stderr, "Keelhaven: %s\n", problem.c_str()); }

void setWhy(std::string* why, const std::string& text)
{
    if (why != nullptr)
        *why = text;
}

bool readSmallFile(const std::string& path, std::size_t limit, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(limit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad() && text.size() <= limit;
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
    const std::string statePath = platform::resolveSavePath(keelhavenNS::STATE_FILE);
    const std::string levelPath = platform::resolveSavePath(keelhavenNS::LEVEL_SAVE_FILE);
    const std::string stateText = stateFileText(pausedStateName, nextLevel);
    const std::string levelText = record.str();
    std::string problem;
    if (!platform::checkSaveDirectory(problem) ||
        // The state file goes last: it names the level whose record is there.
        !platform::replaceFiles({{levelPath, levelText}, {statePath, stateText}}, problem)) {
        report("the game was not saved: " + problem);
        setWhy(why, "The game was not saved: " + problem);
        return false;
    }
    return true;
}

bool Keelhaven::loadGame(std::string* why)
{
    auto refuse = [why](const std::string& reason) {
        report("the saved game was not loaded: " + reason);
        setWhy(why, reason);
        return false;
    };

    const std::string statePath = platform::resolveSavePath(keelhavenNS::STATE_FILE);
    std::string text;
    std::error_code ec;
    if (!std::filesystem::exists(statePath, ec))
        return refuse("There is no saved game");
    std::string stateName;
    int next = 0;
    if (!readSmallFile(statePath, keelhavenNS::MAX_STATE_FILE_BYTES, text) || !readStateFile(text, stateName, next))
        return refuse("The saved game cannot be read: " + statePath + " is damaged");
    GameState* level = findLevel(stateName);
    if (level == nullptr)
        return refuse("The saved game names no level: " + stateName.substr(0, 40));
    if (next < keelhavenNS::FIRST_NEXT_LEVEL || next > keelhavenNS::LAST_LEVEL)
        return refuse("The saved game's next level is out of range: " + std::to_string(next));

    // The level's objects must exist before the record can be checked
    // against them; setting up a level that is not current shows nothing.
    if (!level->getInitialized()) {
        level->initialize();
        level->setInitialized(true);
    }
    std::ifstream record(platform::resolveSavePath(keelhavenNS::LEVEL_SAVE_FILE), std::ios::binary);
    if (!record)
        return refuse("The saved game is incomplete: its level record is missing");
    std::string problem;
    if (!level->loadState(record, problem))
        return refuse(problem);

    for (auto& state : states)
        state->setActive(false);
    level->setActive(true);
    nextLevel = next;
    return true;
}

void Keelhaven::loadHighScores()
{
    const std::string path = platform::resolveSavePath(keelhavenNS::HIGH_SCORE_FILE);
    std::ifstream in(path, std::ios::binary);
    if (in) {
        readHighScores(in, highScores, highScoreNames);
        return;
    }
    defaultHighScores(highScores, highScoreNames);
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return;  // there but not readable: left as it is
    std::string problem;
    if (!platform::checkSaveDirectory(problem) ||
        !platform::replaceFile(path, highScoreText(highScores, highScoreNames), problem))
        report("the high-score table is kept in memory only: " + problem);
}

bool Keelhaven::addHighScore(int score, const std::string& name)
{
    enterHighScore(highScores, highScoreNames, score, name);
    std::string problem;
    if (!platform::checkSaveDirectory(problem) ||
        !platform::replaceFile(platform::resolveSavePath(keelhavenNS::HIGH_SCORE_FILE),
                               highScoreText(highScores, highScoreNames), problem)) {
        report("the high-score table is kept in memory only: " + problem);
        return false;
    }
    return true;
}

void Keelhaven::drawHighScores()
{
    dxScore->setFontColor(graphicsNS::BLACK);
    dxHighScore->setFontColor(graphicsNS::BLACK);
    const size_t rows = std::min(highScores.size(), highScoreNames.size());
    for (size_t i = 0; i < rows && i < static_cast<size_t>(highScoreNS::COUNT); ++i) {
        const int y = keelhavenNS::HIGH_SCORE_Y + keelhavenNS::HIGH_SCORE_ROW * static_cast<int>(i);
        char buffer[20];
        std::snprintf(buffer, sizeof(buffer), " %d ", highScores[i]);
        dxHighScore->print(buffer, keelhavenNS::HIGH_SCORE_X, y);
        dxHighScore->print(highScoreNames[i], keelhavenNS::HIGH_SCORE_NAME_X, y);
    }
}
