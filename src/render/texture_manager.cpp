#include "render/texture_manager.h"

#include "app/game_error.h"
#include "files.h"

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

void TextureManager::load(size_t i)
{
    if (!resolvedPaths[i].empty()) {
        hr = graphics->reloadTexture(resolvedPaths[i], width[i], height[i], texture[i]);
    } else {
        const std::string path = platform::resolvePath(fileNames[i]);
        hr = graphics->loadTexture(path.c_str(), width[i], height[i], texture[i]);
        if (SUCCEEDED(hr))
            resolvedPaths[i] = path;
    }
    if (FAILED(hr))
        releaseTexture(texture[i]);
}

void TextureManager::loadAll()
{
    for (size_t i = 0; i < fileNames.size(); ++i)
        load(i);
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
        loadAll();
        initialized = true;
        return true;
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
    loadAll();
}
