#include "files.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace platform {
namespace {

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return true;
}

std::string withTrailingSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::vector<std::string> splitComponents(std::string_view path)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty() && current != ".")
                parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty() && current != ".")
        parts.push_back(current);
    return parts;
}

// The entry of `dir` named `name`, matched exactly first, then ignoring case.
std::string matchEntry(const std::string& dir, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(dir + name, ec))
        return name;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (sameNameIgnoringCase(entry, name))
            return entry;
    }
    return name;
}

}  // namespace

std::string dataDirectory()
{
    static const std::string dir = [] {
        if (const char* env = std::getenv("KEELHAVEN_DATA_DIR"); env && *env)
            return withTrailingSlash(env);
        std::string base;
        if (char* sdlBase = SDL_GetBasePath()) {
            base = sdlBase;
            SDL_free(sdlBase);
        }
        return base.empty() ? std::string("./") : withTrailingSlash(base);
    }();
    return dir;
}

std::string saveDirectory()
{
    // Not cached: tests point KEELHAVEN_SAVE_DIR at a fresh folder per case.
    std::string dir;
    if (const char* env = std::getenv("KEELHAVEN_SAVE_DIR"); env && *env) {
        dir = withTrailingSlash(env);
    } else if (char* pref = SDL_GetPrefPath("", "Keelhaven")) {
        dir = pref;
        SDL_free(pref);
    } else {
        dir = dataDirectory() + "saveFiles/";
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

std::string resolvePath(std::string_view gamePath)
{
    std::vector<std::string> parts = splitComponents(gamePath);
    if (!gamePath.empty() && gamePath.front() == '/') {
        std::string absolute;
        for (const std::string& p : parts)
            absolute += "/" + p;
        return absolute.empty() ? "/" : absolute;
    }

    std::string path;
    size_t first = 0;
    if (!parts.empty() && sameNameIgnoringCase(parts[0], "saveFiles")) {
        path = saveDirectory();
        first = 1;
    } else {
        path = dataDirectory();
    }
    for (size_t i = first; i < parts.size(); ++i) {
        path += matchEntry(path, parts[i]);
        if (i + 1 < parts.size())
            path += '/';
    }
    return path;
}

}  // namespace platform
