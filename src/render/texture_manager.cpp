#include "render/texture_manager.h"

#include "base/game_error.h"
#include "files.h"
#include "picture_check.h"

#include <cctype>
#include <cstdio>
#include <fstream>

namespace {

bool isListFile(const std::string& lowerName)
{
    const std::string ext = ".txt";
    // Guard the length: with fewer than 4 characters size - 4 wraps around.
    return lowerName.size() >= ext.size() && lowerName.rfind(ext) == lowerName.size() - ext.size();
}

void releaseTexture(LP_TEXTURE& t)
{
    if (t != nullptr) {
        t->Release();
        t = nullptr;
    }
}

}  // namespace

TextureManager::TextureManager() = default;

TextureManager::~TextureManager()
{
    for (LP_TEXTURE& t : texture)
        releaseTexture(t);
}

void TextureManager::addEntry(const std::string& fileName)
{
    fileNames.push_back(fileName);
    width.push_back(0);
    height.push_back(0);
    texture.push_back(nullptr);
    resolvedPaths.emplace_back();
}

std::vector<std::string> readPictureList(std::istream& in)
{
    std::vector<std::string> names;
    std::string line;
    // The read that hits the end of the file adds nothing, so a last line
    // without a line end is dropped.
    while (std::getline(in, line) && in.good()) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();  // lists saved with Windows line ends
        names.push_back(line);
    }
    return names;
}

bool TextureManager::readListFile(const std::string& listFile)
{
    const std::string path = platform::resolvePath(listFile);
    std::ifstream in(path);
    if (!in.is_open()) {
        std::fprintf(stderr, "Keelhaven: the picture list %s cannot be opened\n", path.c_str());
        return false;
    }
    for (const std::string& name : readPictureList(in))
        addEntry(name);
    return true;
}

bool TextureManager::load(size_t i)
{
    if (fileNames[i].empty()) {
        std::fprintf(stderr, "Keelhaven: entry %zu of a picture list names no picture\n", i + 1);
        return false;
    }
    std::string path = resolvedPaths[i];
    if (!path.empty()) {
        hr = graphics->reloadTexture(path, width[i], height[i], texture[i]);
    } else {
        path = platform::resolvePath(fileNames[i]);
        hr = graphics->loadTexture(path.c_str(), width[i], height[i], texture[i]);
        if (SUCCEEDED(hr))
            resolvedPaths[i] = path;
    }
    if (SUCCEEDED(hr) && texture[i] != nullptr)
        return true;
    releaseTexture(texture[i]);
    // The one place a picture that will not load is named: the caller's
    // fatal message says what the game was doing, this says which file and why.
    std::string why;
    if (platform::checkPictureFile(path, why)) {
        char code[48];
        std::snprintf(code, sizeof(code), "the renderer refused it (error 0x%08lX)",
                      static_cast<unsigned long>(hr));
        why = code;
    }
    std::fprintf(stderr, "Keelhaven: the picture %s cannot be loaded: %s\n", path.c_str(), why.c_str());
    return false;
}

bool TextureManager::loadAll()
{
    for (size_t i = 0; i < fileNames.size(); ++i)
        if (!load(i))
            return false;
    return true;
}

bool TextureManager::initialize(Graphics* g, std::string file)
{
    try {
        graphics = g;
        for (char& c : file)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (isListFile(file)) {
            if (!readListFile(file))
                return false;
        } else {
            addEntry(file);
        }
        // Every entry loads again, those of an earlier call included; a
        // texture already held is overwritten, not released, so a manager is
        // initialised once.
        initialized = true;
        return loadAll();
    } catch (...) {
        return false;
    }
}

void TextureManager::onLostDevice()
{
    if (!initialized)
        return;
    try {
        for (LP_TEXTURE& t : texture)
            releaseTexture(t);
    } catch (...) {
        throw GameError(WARNING, "Warning, TextureManager onLostDevice attempted to access an invalid texture.");
    }
}

void TextureManager::onResetDevice()
{
    if (!initialized)
        return;
    // After a renderer reset every file is read again: one gone since the
    // start must end the game as it would have then, not leave a hole.
    if (!loadAll())
        throw GameError(FATAL_ERROR, "Error reloading textures");
}
