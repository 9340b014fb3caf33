// "saveFiles\StateSave.txt": which level a saved game was paused in and the
// level the next upgrade shop leads to ("LEVEL7", a line end, "8"). Plain
// functions over text, so the reader can be tried without a window.
#pragma once

#include <string>

std::string stateFileText(const std::string& stateName, int nextLevel);

// True when the text holds exactly a word and a whole number that fits an
// int, with any white space between and around them. Whether the word names
// a level and the number is a level is the caller's to check.
bool readStateFile(const std::string& text, std::string& stateName, int& nextLevel);
