#include "support/save_folder.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

SaveFolder::SaveFolder()
{
    static int made = 0;
    dir = fs::temp_directory_path() /
          ("keelhaven-saves-" + std::to_string(getpid()) + "-" + std::to_string(made++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    if (const char* env = std::getenv("KEELHAVEN_SAVE_DIR")) {
        previous = env;
        hadPrevious = true;
    }
    setenv("KEELHAVEN_SAVE_DIR", dir.c_str(), 1);
}

SaveFolder::~SaveFolder()
{
    if (hadPrevious)
        setenv("KEELHAVEN_SAVE_DIR", previous.c_str(), 1);
    else
        unsetenv("KEELHAVEN_SAVE_DIR");
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir, ec);
}

std::string SaveFolder::listing() const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string all;
    for (const std::string& n : names)
        all += (all.empty() ? "" : " ") + n;
    return all;
}

}  // namespace testsupport
