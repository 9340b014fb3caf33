// The table of the ten best scores and the text of "saveFiles\HighScores.txt":
// the ten scores, highest first, then the ten names in the same order, one
// value per line. Plain functions over text, so they can be tried without a
// window; the game object keeps the table and does the file work.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace highScoreNS {
constexpr int COUNT = 10;
constexpr size_t NAME_LENGTH = 3;
}  // namespace highScoreNS

// The table a first start writes: 1000, then 999 down to 111 in steps of 111.
void defaultHighScores(std::vector<int>& scores, std::vector<std::string>& names);

// What the table can show of a typed name: its printable characters other
// than spaces, at most three of them. May be empty.
std::string highScoreName(const std::string& typed);

// Reads a high-score file. Line i (0 to 9) holds row i's score and line
// 10 + i its name, so an empty name reads back as empty; anything past
// line 20 is ignored. A score that does not read leaves its row 0 with an
// empty name; a file with no readable score at all gives the default table.
// The rows come back highest first; the lists always hold ten entries.
// True when the file was whole: twenty lines, every score a number.
bool readHighScores(std::istream& in, std::vector<int>& scores, std::vector<std::string>& names);

// The file's text: every score, then every name, each on its own line.
std::string highScoreText(const std::vector<int>& scores, const std::vector<std::string>& names);

// Enters `score` under `name` if it beats the tenth score: the new row goes
// in front of any equal scores and the tenth row drops out. A score equal
// to the tenth or below it changes nothing. True if it entered.
bool enterHighScore(std::vector<int>& scores, std::vector<std::string>& names, int score, const std::string& name);
