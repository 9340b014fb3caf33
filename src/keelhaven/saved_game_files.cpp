// Files a player owns never end the game: a file that does not read is
// refused with a reason and changes nothing, and every write replaces the
// old file whole or not at all.
#include "keelhaven/saved_game_files.h"

#include "files.h"
#include "keelhaven/high_score_file.h"
#include "player_file.h"
#include "replace_file.h"

#include <cstdio>
#include <filesystem>

namespace {

using savedGameNS::LEVEL_SAVE_FILE;
using savedGameNS::STATE_FILE;

void report(const std::string& problem) { std::fprintf(stderr, "Keelhaven: %s\n", problem.c_str()); }

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

void tidySaveFolder()
{
    const std::string statePath = platform::resolveSavePath(STATE_FILE);
    const std::string recordPath = platform::resolveSavePath(LEVEL_SAVE_FILE);
    const std::string pending = pendingRecordPath(recordPath);
    for (const std::string& path : {statePath, recordPath, pending,
                                    platform::resolveSavePath(highScoreNS::FILE_NAME)})
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
bool writeSavedGame(const std::string& stateName, int nextLevel, const std::string& record, std::string& problem)
{
    const std::string statePath = platform::resolveSavePath(STATE_FILE);
    const std::string levelPath = platform::resolveSavePath(LEVEL_SAVE_FILE);
    const std::string pending = pendingRecordPath(levelPath);
    const std::string stateText = stateFileText(stateName, nextLevel, recordCheckOf(record));
    if (!platform::checkSaveDirectory(problem))
        return false;
    // A folder in the record's place would only be found at the last step,
    // after the save was made: refused before anything is written.
    std::error_code ec;
    if (std::filesystem::is_directory(levelPath, ec)) {
        problem = "Cannot write " + levelPath + ": Is a directory";
        return false;
    }
    tidySaveFolder();
    // A record the state file names and that could not be moved into place
    // is the saved game: never written over.
    if (std::filesystem::exists(pending, ec)) {
        problem = "the last save is not finished: " + pending + " cannot take its usual name";
        return false;
    }
    if (!platform::replaceFiles({{pending, record}, {statePath, stateText}}, problem)) {
        std::filesystem::remove(pending, ec);  // the old state file does not name it
        return false;
    }
    // Saved: a record left waiting is found by its check, and moved into
    // place by the next start or save.
    std::string waiting;
    if (!platform::moveFile(pending, levelPath, waiting))
        report("the game is saved; its record waits beside its usual name: " + waiting);
    return true;
}

bool readSavedState(std::string& stateName, int& nextLevel, std::optional<RecordCheck>& check, std::string& reason)
{
    const std::string statePath = platform::resolveSavePath(STATE_FILE);
    std::string text, why;
    switch (platform::readPlayerFile(statePath, text, why)) {
    case platform::PlayerFileRead::Missing:
        reason = "There is no saved game";
        return false;
    case platform::PlayerFileRead::Refused:
        reason = "The saved game cannot be read: " + why;
        return false;
    case platform::PlayerFileRead::Read:
        break;
    }
    if (!readStateFile(text, stateName, nextLevel, check)) {
        reason = "The saved game cannot be read: " + statePath + " is damaged";
        return false;
    }
    return true;
}

bool readSavedRecord(const std::optional<RecordCheck>& check, std::string& record, std::string& reason)
{
    std::string why;
    switch (findRecord(platform::resolveSavePath(LEVEL_SAVE_FILE), check, record, why)) {
    case RecordFound::Missing:
        reason = "The saved game is incomplete: its level record is missing";
        return false;
    case RecordFound::Refused:
        reason = "The saved game's level record cannot be read: " + why;
        return false;
    case RecordFound::Found:
        break;
    }
    return true;
}
