// "saveFiles\StateSave.txt": which level a saved game was paused in, the
// level the next upgrade shop leads to ("LEVEL7", a line end, "8"), and,
// in saves from this version on, a third line tying it to the level record
// it was written with ("record", the record's check and its size). Plain
// functions over text, so the reader can be tried without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What ties a state file to its level record: a 64-bit FNV-1a of the
// record's bytes, and their number.
struct RecordCheck {
    std::uint64_t hash = 0;
    std::size_t size = 0;
    bool operator==(const RecordCheck&) const = default;
};

RecordCheck recordCheckOf(std::string_view record);

std::string stateFileText(const std::string& stateName, int nextLevel);
std::string stateFileText(const std::string& stateName, int nextLevel, const RecordCheck& record);

// True when the text holds exactly a word and a whole number that fits an
// int, with any white space between and around them, optionally followed by
// "record", 16 hex digits and a size (then `record` is set; without them it
// is empty, as in saves of earlier versions). Whether the word names a
// level and the number is a level is the caller's to check.
bool readStateFile(const std::string& text, std::string& stateName, int& nextLevel);
bool readStateFile(const std::string& text, std::string& stateName, int& nextLevel,
                   std::optional<RecordCheck>& record);
