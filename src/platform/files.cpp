#include "files.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

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

// `dir` made absolute against the working directory and written plainly
// (no "." or "//"), ending in '/'. Resolved names are absolute, so a name
// found once is never looked up under the data folder a second time.
std::string absoluteFolder(const std::string& dir)
{
    std::error_code ec;
    fs::path whole = fs::absolute(fs::path(dir), ec);
    if (ec)
        return withTrailingSlash(dir);
    return withTrailingSlash(whole.lexically_normal().string());
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

// `dir` followed by parts[first..], each matched against what is on disk.
std::string followEntries(std::string path, const std::vector<std::string>& parts, size_t first)
{
    for (size_t i = first; i < parts.size(); ++i) {
        path += matchEntry(path, parts[i]);
        if (i + 1 < parts.size())
            path += '/';
    }
    return path;
}

}  // namespace

std::string chooseDataDirectory(std::string_view chosen, std::string_view programDir,
                                const std::function<bool(const std::string&)>& holdsData)
{
    if (!chosen.empty())
        return absoluteFolder(std::string(chosen));
    const std::string beside = withTrailingSlash(programDir.empty() ? std::string("./") : std::string(programDir));
    const std::string installed =
        withTrailingSlash((fs::path(beside) / ".." / "share" / "keelhaven").lexically_normal().string());
    for (const std::string& dir : {beside, installed})
        if (holdsData(dir))
            return absoluteFolder(dir);
    return absoluteFolder(beside);
}

std::string dataDirectory()
{
    static const std::string dir = [] {
        const char* env = std::getenv("KEELHAVEN_DATA_DIR");
        std::string base;
        if (char* sdlBase = SDL_GetBasePath()) {
            base = sdlBase;
            SDL_free(sdlBase);
        }
        return chooseDataDirectory(env ? env : "", base, [](const std::string& candidate) {
            std::error_code ec;
            return fs::is_directory(candidate + "pictures", ec);
        });
    }();
    return dir;
}

// The user's home folder, ending in '/': HOME when absolute, otherwise the
// password database's; "" if neither is known.
std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/')
        if (const passwd* user = getpwuid(getuid()))
            home = user->pw_dir;
    return home != nullptr && home[0] == '/' ? withTrailingSlash(home) : std::string();
}

// SDL's preferences folder, except where SDL would follow an XDG_DATA_HOME
// that the XDG rules say to ignore (empty or relative): SDL would then put the
// saves at the filesystem root or under the working directory.
std::string preferencesDirectory()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] != '/') {
        const std::string home = homeFolder();
        return home.empty() ? home : home + ".local/share/Keelhaven/";
    }
    std::string dir;
    if (char* pref = SDL_GetPrefPath("", "Keelhaven")) {
        dir = pref;
        SDL_free(pref);
    }
    return dir;
}

std::string saveDirectory()
{
    // Not cached: tests point KEELHAVEN_SAVE_DIR at a fresh folder per case.
    std::string dir;
    if (const char* env = std::getenv("KEELHAVEN_SAVE_DIR"); env && *env)
        dir = absoluteFolder(env);
    else
        dir = preferencesDirectory();
    if (dir.empty())
        dir = dataDirectory() + "saveFiles/";
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

std::string cacheDirectory()
{
    if (const char* env = std::getenv("KEELHAVEN_CACHE_DIR"))
        return *env ? absoluteFolder(env) : std::string();
    // Relative XDG folders are to be ignored, as for the saves.
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && xdg[0] == '/')
        return withTrailingSlash(xdg) + "keelhaven/";
    const std::string home = homeFolder();
    return home.empty() ? home : home + ".cache/keelhaven/";
}

bool checkSaveDirectory(std::string& problem)
{
    const std::string dir = saveDirectory();
    const fs::path folder = fs::path(dir).parent_path();  // dir ends in '/': the folder itself
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return true;
    problem = "The save folder " + folder.string() +
              (fs::exists(folder, ec) ? " is a file, not a folder" : " cannot be made");
    if (const char* env = std::getenv("KEELHAVEN_SAVE_DIR"); env && *env)
        problem += " (KEELHAVEN_SAVE_DIR)";
    return false;
}

std::string resolveSavePath(std::string_view gamePath)
{
    const std::vector<std::string> parts = splitComponents(gamePath);
    const bool absolute = !gamePath.empty() && (gamePath.front() == '/' || gamePath.front() == '\\');
    if (absolute || parts.size() < 2 || !sameNameIgnoringCase(parts[0], "saveFiles"))
        return "";
    for (const std::string& p : parts)
        if (p == ".." || p.find(':') != std::string::npos)
            return "";
    return followEntries(saveDirectory(), parts, 1);
}

namespace {

// An absolute path already in the form resolvePath gives: '/'-separated,
// no empty or "." components, not under a "saveFiles" at the root (which is
// refused). Such a path resolves to itself.
bool isPlainAbsolute(std::string_view path)
{
    if (path.size() < 2 || path.front() != '/' || path.back() == '/' || path.find('\\') != std::string_view::npos)
        return false;
    if (path.find("//") != std::string_view::npos || path.find("/./") != std::string_view::npos)
        return false;
    if (path.substr(path.size() - 2) == "/.")
        return false;
    const std::string_view first = path.substr(1, path.find('/', 1) - 1);
    return !sameNameIgnoringCase(first, "saveFiles");
}

}  // namespace

std::string resolvePath(std::string_view gamePath)
{
    if (isPlainAbsolute(gamePath))
        return std::string(gamePath);  // a path found before: no splitting again
    std::vector<std::string> parts = splitComponents(gamePath);
    if (!parts.empty() && sameNameIgnoringCase(parts[0], "saveFiles"))
        return resolveSavePath(gamePath);
    if (!gamePath.empty() && gamePath.front() == '/') {
        std::string absolute;
        for (const std::string& p : parts)
            absolute += "/" + p;
        return absolute.empty() ? "/" : absolute;
    }

    return followEntries(dataDirectory(), parts, 0);
}

}  // namespace platform
