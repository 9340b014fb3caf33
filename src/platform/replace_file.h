// Writing files so that a crash, a full disk or a bad folder never leaves one
// half-written: the new contents go to a temporary file beside the old one,
// are flushed to the disk, and only then renamed over it. Every file the game
// or its tools write goes through here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FileContents {
    std::string path;  // a real path, already resolved
    std::string_view bytes;
};

// Replaces each file with its new contents. All the temporary files are
// written and flushed before the first rename, so a failure while writing
// changes none of the files; the renames then go in list order (put the file
// that marks a set complete last). On failure returns false with `error`
// naming the file and the reason, and leaves no temporary file behind.
bool replaceFiles(const std::vector<FileContents>& files, std::string& error);

bool replaceFile(const std::string& path, std::string_view bytes, std::string& error);

// Renames `from` over `to` and makes the rename last; false with `error`
// naming the file and the reason.
bool moveFile(const std::string& from, const std::string& to, std::string& error);

// Removes what a write to `path` that never finished left beside it: the
// temporaries of processes that are no longer running.
void removeStaleTemporaries(const std::string& path);

}  // namespace platform
