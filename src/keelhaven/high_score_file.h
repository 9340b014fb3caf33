// "saveFiles\HighScores.txt" in the save folder. A damaged table is never
// written over unseen: it is set aside under another name first.
#pragma once

#include <string>
#include <vector>

namespace highScoreNS {
constexpr const char* FILE_NAME = "saveFiles\\HighScores.txt";
}  // namespace highScoreNS

// Reads the table at start (writing the default one when there is none).
// False when the file was there but not whole: the table read so far, or
// the default, is given, and the file is set aside when a score is next
// written.
bool loadHighScoreFile(std::vector<int>& scores, std::vector<std::string>& names);

// Writes the table whole, first setting a damaged file aside (then
// `damaged` is cleared). False when it could not be written; `notice` then,
// or after a set-aside, says what the player should know.
bool writeHighScoreFile(const std::vector<int>& scores, const std::vector<std::string>& names, bool& damaged,
                        std::string& notice);
