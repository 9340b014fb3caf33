// Reading the files a player owns (the saved game, the high-score table,
// settings): only a plain file is opened, and only so much of it is read, so
// a link to a device, a named pipe or a huge file is refused at once with a
// reason instead of freezing the start or a load.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

constexpr std::size_t PLAYER_FILE_LIMIT = 64 * 1024;

enum class PlayerFileRead { Read, Missing, Refused };

// Reads the whole of `path` into `text`. Missing: there is no file there.
// Refused: something is there that is not a plain file of at most `limit`
// bytes, or it cannot be read; `reason` says which, naming the file.
PlayerFileRead readPlayerFile(const std::string& path, std::string& text, std::string& reason,
                              std::size_t limit = PLAYER_FILE_LIMIT);

}  // namespace platform
