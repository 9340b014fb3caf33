// A picture list ("pictures\Tiles.txt") of any bytes: the names it gives
// and the real paths they resolve to. The names must be the file's lines
// exactly: one per line end, a CR before it dropped, a last line without
// one left out. A save name among them never resolves outside the save
// folder.
#include "files.h"
#include "fuzz_check.h"
#include "render/texture_manager.h"

#include <sstream>

namespace {

std::vector<std::string> linesOf(const std::string& file)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = file.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string line = file.substr(at, end - at);
        if (line.ends_with('\r'))
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = fuzz::text(data, size);
    std::istringstream in(file);
    const std::vector<std::string> names = readPictureList(in);
    fuzz::require(names == linesOf(file), "the names are the file's lines");
    // Resolving looks on disk: a few names are enough to reach every branch.
    for (std::size_t i = 0; i < names.size() && i < 4; ++i) {
        const std::string path = platform::resolvePath(names[i]);
        if (names[i].size() >= 10 && names[i].substr(0, 10) == "saveFiles\\")
            fuzz::require(path.empty() || path.starts_with(platform::saveDirectory()),
                          "a save name stays in the save folder");
    }
    return 0;
}
