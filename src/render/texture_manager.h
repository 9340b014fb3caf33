// Owns the textures of one picture file, or of a list of picture files named
// one per line in a ".txt" file, and remembers each picture's size. Images
// draw from it by texture number. The textures live in the device's default
// pool, so the manager releases them when the device is lost and loads them
// again after the reset.
#pragma once

#include "render/graphics.h"

#include <istream>
#include <string>
#include <vector>

// The picture names of a list file, one per line. Only lines followed by a
// line end count: a last line without one adds nothing, while an empty line
// in the middle is an entry with an empty name. A CR before the line end is
// dropped.
std::vector<std::string> readPictureList(std::istream& in);

class TextureManager {
public:
    TextureManager();
    virtual ~TextureManager();

    // Appends the picture (or the pictures of a list file) and loads every
    // entry. False if the list file cannot be opened or a picture does not
    // load (a missing, unreadable or damaged file, an empty entry): the
    // picture is then named, with why, on standard error, and the caller's
    // error is fatal. Meant to be called once per manager.
    virtual bool initialize(Graphics* g, std::string file);
    // Releases every texture; throws a WARNING GameError if one is invalid.
    virtual void onLostDevice();
    // Loads every entry again; throws a FATAL_ERROR GameError, the picture
    // named on standard error, if one no longer loads.
    virtual void onResetDevice();

    // Null, or 0, when n is not below the number of pictures.
    LP_TEXTURE getTexture(UINT n) const { return n < texture.size() ? texture[n] : nullptr; }
    UINT getWidth(UINT n) const { return n < width.size() ? width[n] : 0; }
    UINT getHeight(UINT n) const { return n < height.size() ? height[n] : 0; }
    UINT getCount() const { return static_cast<UINT>(texture.size()); }
    const std::string& getFileName(UINT n) const { return fileNames.at(n); }

    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

private:
    void addEntry(const std::string& fileName);
    bool readListFile(const std::string& listFile);
    bool loadAll();  // stops at the first picture that fails
    bool load(size_t i);

protected:

    // Parallel lists: index i of each belongs to the same picture.
    std::vector<UINT> width;
    std::vector<UINT> height;
    std::vector<LP_TEXTURE> texture;
    std::vector<std::string> fileNames;
    // Where each picture was found on disk, once it has loaded: a reload
    // (after a lost device) neither searches for it nor reads it again.
    std::vector<std::string> resolvedPaths;
    Graphics* graphics = nullptr;  // not owned
    bool initialized = false;
    HRESULT hr = S_OK;
};
