// The game object's files: the saved game (the state file and the level's
// record) and the high-score table. Files a player owns never end the game:
// a file that does not read is refused with a reason and changes nothing,
// and every write replaces the old file whole or not at all.
#include "app/high_scores.h"
#include "app/keelhaven.h"
#include "app/state_file.h"
#include "files.h"
#include "player_file.h"
#include "replace_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>

namespace {

void report(const std::string& problem) { std::fprintf(stderr, "Keelhaven: %s\n", problem.c_str()); }

void setWhy(std::string* why, const std::string& text)
{
    if (why != nullptr)
        *why = text;
}

// While a save is being made its record waits here; the state file names it
// by its check once the save is made, until it takes the usual name.
std::string pendingRecordPath(const std::string& recordPath) { return recordPath + ".next"; }

// The record that belongs to the state file: the usual one, or one a save
// left waiting when it was stopped after the state file was written.
// Without a check (a save from an earlier version) the usual one.
enum class RecordFound { Found, Missing, Refused };

RecordFound findRecord(const std::string& recordPath, const std::optional<RecordCheck>& check, std::string& record,
                       std::string& reason)
{
    std::string usualReason;
    const platform::PlayerFileRead usual = platform::readPlayerFile(recordPath, record, usualReason);
    if (!check) {
        reason = usualReason;
        return usual == platform::PlayerFileRead::Read      ? RecordFound::Found
               : usual == platform::PlayerFileRead::Missing ? RecordFound::Missing
                                                            : RecordFound::Refused;
    }
    if (usual == platform::PlayerFileRead::Read && recordCheckOf(record) == *check)
        return RecordFound::Found;
    std::string pendingReason;
    if (platform::readPlayerFile(pendingRecordPath(recordPath), record, pendingReason) ==
            platform::PlayerFileRead::Read &&
        recordCheckOf(record) == *check)
        return RecordFound::Found;
    if (usual == platform::PlayerFileRead::Refused) {
        reason = usualReason;
        return RecordFound::Refused;
    }
    if (usual == platform::PlayerFileRead::Missing)
        return RecordFound::Missing;
    reason = recordPath + " is not the record this saved game was made with";
    return RecordFound::Refused;
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

// What a save, a table write or a start stopped half-way left in the save
// folder: temporaries, and a waiting record the state file does not name
// (one it does name is moved into place, finishing that save).
void Keelhaven::tidySaveFolder()
{
    const std::string statePath = platform::resolveSavePath(keelhavenNS::STATE_FILE);
    const std::string recordPath = platform::resolveSavePath(keelhavenNS::LEVEL_SAVE_FILE);
    const std::string pending = pendingRecordPath(recordPath);
    for (const std::string& path : {statePath, recordPath, pending,
                                    platform::resolveSavePath(keelhavenNS::HIGH_SCORE_FILE)})
        platform::removeStaleTemporaries(path);

    std::error_code ec;
    if (!std::filesystem::exists(pending, ec))
        return;
    std::string stateText, stateName, record, reason;
    std::optional<RecordCheck> check;
    int next = 0;
    const bool named = platform::readPlayerFile(statePath, stateText, reason) == platform::PlayerFileRead::Read &&
                       readStateFile(stateText, stateName, next, check) && check &&
                       platform::readPlayerFile(pending, record, reason) == platform::PlayerFileRead::Read &&
                       recordCheckOf(record) == *check;
    if (named) {
        std::string problem;
        if (!platform::moveFile(pending, recordPath, problem))
            report("a saved game's record waits beside its usual name: " + problem);
    } else {
        std::filesystem::remove(pending, ec);
    }
}

// Three steps, each leaving a whole saved game behind it: the new record is
// written beside the old one, then the new state file names it by its check
// (the save is made), then it takes the usual name. Load follows the check,
// so a stop between any two steps gives the old game or the new one.
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
    if (!problem.empty())
        return notSaved(problem);

    const std::string statePath = platform::resolveSavePath(keelhavenNS::STATE_FILE);
    const std::string levelPath = platform::resolveSavePath(keelhavenNS::LEVEL_SAVE_FILE);
    const std::string pending = pendingRecordPath(levelPath);
    const std::string stateText = stateFileText(pausedStateName, nextLevel, recordCheckOf(levelText));
    if (!platform::checkSaveDirectory(problem))
        return notSaved(problem);
    // A folder in the record's place would only be found at the last step,
    // after the save was made: refused before anything is written.
    std::error_code ec;
    if (std::filesystem::is_directory(levelPath, ec))
        return notSaved("Cannot write " + levelPath + ": Is a directory");
    tidySaveFolder();
    // A record the state file names and that could not be moved into place
    // is the saved game: never written over.
    if (std::filesystem::exists(pending, ec))
        return notSaved("the last save is not finished: " + pending + " cannot take its usual name");
    if (!platform::replaceFiles({{pending, levelText}, {statePath, stateText}}, problem)) {
        std::filesystem::remove(pending, ec);  // the old state file does not name it
        return notSaved(problem);
    }
    // Saved: a record left waiting is found by its check, and moved into
    // place by the next start or save.
    if (!platform::moveFile(pending, levelPath, problem))
        report("the game is saved; its record waits beside its usual name: " + problem);
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
    std::string text, reason;
    switch (platform::readPlayerFile(statePath, text, reason)) {
    case platform::PlayerFileRead::Missing:
        return refuse("There is no saved game");
    case platform::PlayerFileRead::Refused:
        return refuse("The saved game cannot be read: " + reason);
    case platform::PlayerFileRead::Read:
        break;
    }
    std::string stateName;
    int next = 0;
    std::optional<RecordCheck> check;
    if (!readStateFile(text, stateName, next, check))
        return refuse("The saved game cannot be read: " + statePath + " is damaged");
    GameState* level = findLevel(stateName);
    if (level == nullptr)
        return refuse("The saved game names no level: " + stateName.substr(0, 40));
    if (next < keelhavenNS::FIRST_NEXT_LEVEL || next > keelhavenNS::LAST_LEVEL)
        return refuse("The saved game's next level is out of range: " + std::to_string(next));

    std::string recordText;
    switch (findRecord(platform::resolveSavePath(keelhavenNS::LEVEL_SAVE_FILE), check, recordText, reason)) {
    case RecordFound::Missing:
        return refuse("The saved game is incomplete: its level record is missing");
    case RecordFound::Refused:
        return refuse("The saved game's level record cannot be read: " + reason);
    case RecordFound::Found:
        break;
    }
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

void Keelhaven::loadHighScores()
{
    tidySaveFolder();
    const std::string path = platform::resolveSavePath(keelhavenNS::HIGH_SCORE_FILE);
    std::string text, reason;
    switch (platform::readPlayerFile(path, text, reason)) {
    case platform::PlayerFileRead::Read: {
        std::istringstream in(text);
        highScoresDamaged = !readHighScores(in, highScores, highScoreNames);
        if (highScoresDamaged)
            report("the high-score table " + path + " is damaged: it is set aside when a game next ends");
        return;
    }
    case platform::PlayerFileRead::Refused:
        defaultHighScores(highScores, highScoreNames);
        highScoresDamaged = true;  // left as it is until a game ends
        report("the high-score table " + reason + ": it is set aside when a game next ends");
        return;
    case platform::PlayerFileRead::Missing:
        break;
    }
    defaultHighScores(highScores, highScoreNames);
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
