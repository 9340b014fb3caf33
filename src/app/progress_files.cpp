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
    savedSinceLevelBegan = true;
    return true;
}

void Keelhaven::loadHighScores()
{
    const std::string path = platform::resolveSavePath(keelhavenNS::HIGH_SCORE_FILE);
    std::ifstream in(path, std::ios::binary);
    if (in) {
        highScoresDamaged = !readHighScores(in, highScores, highScoreNames);
        if (highScoresDamaged)
            report("the high-score table " + path + " is damaged: it is set aside when a game next ends");
        return;
    }
    defaultHighScores(highScores, highScoreNames);
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        highScoresDamaged = true;  // there but not readable: left as it is until a game ends
        report("the high-score table " + path + " cannot be read: it is set aside when a game next ends");
        return;
    }
    std::string problem;
    if (!platform::checkSaveDirectory(problem) ||
        !platform::replaceFile(path, highScoreText(highScores, highScoreNames), problem))
        report("the high-score table is kept in memory only: " + problem);
}

namespace {

// A name beside `path` that nothing has yet: "HighScores.damaged.txt", then
// "HighScores.damaged-2.txt" and on.
std::filesystem::path setAsideName(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.parent_path();
    const std::string stem = path.stem().string(), extension = path.extension().string();
    std::error_code ec;
    for (int n = 1;; ++n) {
        const std::string suffix = n == 1 ? ".damaged" : ".damaged-" + std::to_string(n);
        std::filesystem::path candidate = folder / (stem + suffix + extension);
        if (!std::filesystem::exists(candidate, ec) && !ec)
            return candidate;
        if (ec || n > 999)
            return {};
    }
}

}  // namespace

// A damaged table is never written over unseen: it is renamed out of the
// way first, and if that fails the new table stays in memory only.
bool Keelhaven::addHighScore(int score, const std::string& name)
{
    enterHighScore(highScores, highScoreNames, score, name);
    const std::string path = platform::resolveSavePath(keelhavenNS::HIGH_SCORE_FILE);
    std::string problem;
    if (!platform::checkSaveDirectory(problem)) {
        report("the high-score table is kept in memory only: " + problem);
        highScoreNotice = "Your score is kept until the game closes but was not written: " + problem;
        return false;
    }
    std::string setAside;
    if (highScoresDamaged) {
        std::error_code ec;
        const std::filesystem::path aside = setAsideName(path);
        if (!aside.empty())
            std::filesystem::rename(path, aside, ec);
        if (aside.empty() || (ec && std::filesystem::exists(path))) {
            report("the damaged high-score table " + path + " could not be set aside, so it is left as it is");
            highScoreNotice = "The high-score file is damaged and could not be set aside, so your score was "
                              "not written to it";
            return false;
        }
        highScoresDamaged = false;
        if (!ec) {
            setAside = aside.filename().string();
            report("the damaged high-score table was set aside as " + aside.string());
        }
    }
    if (!platform::replaceFile(path, highScoreText(highScores, highScoreNames), problem)) {
        report("the high-score table is kept in memory only: " + problem);
        highScoreNotice = "Your score is kept until the game closes but was not written: " + problem;
        return false;
    }
    if (!setAside.empty())
        highScoreNotice = "The high-score file was damaged; it was kept as " + setAside + " and a new one begun";
    return true;
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
