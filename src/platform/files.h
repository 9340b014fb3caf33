// Where the game's files live. The game names files Windows-style, relative to
// the program ("pictures\\Tiles.txt", "saveFiles\\HighScores.txt"); this is the
// one place that turns such a name into a real path.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Backslashes become slashes and each name is matched case-insensitively
// against what is on disk. Names under "saveFiles" go to the user's data
// directory (KEELHAVEN_SAVE_DIR when set) and never leave it (see
// resolveSavePath: a refused name resolves to ""); everything else is looked
// up in the run-time data (see dataDirectory). A name that does not exist yet
// (a save about to be written) keeps its spelling.
std::string resolvePath(std::string_view gamePath);

// The directory holding the run-time data (pictures/, levels/), ending in '/'.
// See chooseDataDirectory for where it is looked for.
std::string dataDirectory();

// The data folder, absolute (relative ones are taken from the working
// directory) and ending in '/': `chosen` (KEELHAVEN_DATA_DIR) when not
// empty, whether or not it holds the data; otherwise the first of `programDir` (a build tree)
// and `programDir`/../share/keelhaven/ (an installed package, wherever its
// prefix) for which `holdsData` is true; otherwise `programDir`, so that a
// missing file is reported beside the program.
std::string chooseDataDirectory(std::string_view chosen, std::string_view programDir,
                                const std::function<bool(const std::string&)>& holdsData);

// The directory for save files, ending in '/'; created on first use.
// KEELHAVEN_SAVE_DIR when set (made absolute), otherwise SDL's preferences folder for the game
// (~/.local/share/Keelhaven/ unless XDG_DATA_HOME names another absolute one).
std::string saveDirectory();

// The directory for files the game can always make again (pictures'
// decoded texels), ending in '/', or "" for none; not created here.
// KEELHAVEN_CACHE_DIR when set (empty: keep no cache), otherwise
// $XDG_CACHE_HOME/keelhaven/ or ~/.cache/keelhaven/.
std::string cacheDirectory();

// False, with the reason, when the save folder is missing and cannot be made
// (a file stands where it should be, or it may not be created).
bool checkSaveDirectory(std::string& problem);

// The real path of a game name under "saveFiles"; empty when the name would
// leave the save folder (".." or a drive letter in it, an absolute name, or
// no file name after "saveFiles").
std::string resolveSavePath(std::string_view gamePath);

}  // namespace platform
