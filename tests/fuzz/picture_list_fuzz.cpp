// A picture list ("pictures\Tiles.txt") of any bytes: the names it gives
// and the real paths they resolve to.
#include "files.h"
#include "fuzz_check.h"
#include "render/texture_manager.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(fuzz::text(data, size));
    const std::vector<std::string> names = readPictureList(in);
    fuzz::require(names.size() <= size, "no more names than lines");
    // Resolving looks on disk: a few names are enough to reach every branch.
    for (std::size_t i = 0; i < names.size() && i < 4; ++i)
        platform::resolvePath(names[i]);
    return 0;
}
