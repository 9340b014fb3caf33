// The saved game in the save folder: "saveFiles\StateSave.txt" names the
// level and the next level and ties them to the level's record,
// "saveFiles\KeelhavenSave.txt". Plain functions over the folder, knowing
// nothing of levels: the game checks what the files name.
#pragma once

#include "keelhaven/state_file.h"

#include <optional>
#include <string>

namespace savedGameNS {
constexpr const char* STATE_FILE = "saveFiles\\StateSave.txt";
constexpr const char* LEVEL_SAVE_FILE = "saveFiles\\KeelhavenSave.txt";
}  // namespace savedGameNS

// What a save, a table write or a start stopped half-way left in the save
// folder: temporaries, and a waiting record the state file does not name
// (one it does name is moved into place, finishing that save).
void tidySaveFolder();

// Writes the saved game in three steps, each leaving a whole saved game
// behind it. False, with the problem, when nothing was saved.
bool writeSavedGame(const std::string& stateName, int nextLevel, const std::string& record, std::string& problem);

// Reads the state file; false, with the reason to show the player, when
// there is none or it does not read.
bool readSavedState(std::string& stateName, int& nextLevel, std::optional<RecordCheck>& check, std::string& reason);
// Reads the level record the state file's check names; false, with the
// reason to show the player, when it is missing or cannot be read.
bool readSavedRecord(const std::optional<RecordCheck>& check, std::string& record, std::string& reason);
