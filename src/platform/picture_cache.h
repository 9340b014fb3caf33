// Pictures by file and colour key, shared by every texture made of them.
// Making a texture only checks the file and reads its size; the pixels are
// decoded when the picture is first drawn, so a picture that is loaded but
// never shown costs neither time nor memory. Decoded pixels beyond a budget
// go, least recently drawn first (never those drawn this frame or the last),
// and are decoded again when next drawn. Released pictures stay known, so a
// release-and-reload cycle (a lost device, the display mode switch) reads no
// file and decodes nothing.
#pragma once

#include "d3d9.h"
#include "sdl_internal.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace platform {

// A decoded picture in renderer memory.
struct TexturePixels {
    SDL_Texture* texture = nullptr;
    int width = 0;
    int height = 0;
    bool hasTransparency = false;  // some texel is not fully opaque
    bool binaryAlpha = false;      // every texel fully opaque or fully transparent
    // The smallest rectangle holding every texel that is not fully
    // transparent, when known: what lies outside it draws nothing.
    bool inkKnown = false;
    SDL_Rect ink{};
};

// One picture file as the textures made of it see it.
struct Picture {
    std::string path;
    D3DCOLOR colorKey = 0;
    TexturePixels pixels;  // the size from the file; the texture null until decoded
    bool broken = false;   // its body would not decode: it draws nothing
    bool known = true;     // false once the cache has let it go
    int users = 0;
    std::uint64_t lastDrawn = 0;  // the frame it was last drawn in
};

// Decodes `path` into a texture of `renderer`: the colour key made
// transparent, the ink rectangle found. False, with why, if it cannot.
bool decodePicture(SDL_Renderer* renderer, bool software, const std::string& path, D3DCOLOR colorKey,
                   TexturePixels& out, std::string& why);

class PictureCache {
public:
    explicit PictureCache(std::size_t pixelBudgetBytes) : budget(pixelBudgetBytes) {}
    ~PictureCache() { clear(); }
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture known by `key`, one user more; null if it must be loaded.
    std::shared_ptr<Picture> acquire(const std::string& key);
    // A picture just checked, now in use once.
    std::shared_ptr<Picture> adopt(const std::string& key, Picture picture);
    // One user fewer; the picture and any pixels stay for a quick reload.
    void release(Picture& picture);

    // The pixels to draw `picture` with, decoded now if need be; null if
    // its body does not decode (named once on standard error, and reported
    // to the game loop: see picture_failure.h) or the cache has let it go.
    const TexturePixels* pixelsToDraw(Picture& picture, SDL_Renderer* renderer, bool software);
    // Called once a frame is presented.
    void endFrame() { ++frame; }

    // Every texture destroyed and every picture forgotten.
    void clear();
    std::size_t decodedBytes() const { return bytes; }
    void setBudget(std::size_t pixelBudgetBytes) { budget = pixelBudgetBytes; }

private:
    static std::size_t sizeOf(const TexturePixels& p)
    {
        return static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height) * 4;
    }
    void makeRoom(std::size_t wanted);
    void forgetPixels(Picture& picture);

    std::unordered_map<std::string, std::shared_ptr<Picture>> pictures;
    std::size_t budget;
    std::size_t bytes = 0;  // of decoded pixels
    std::uint64_t frame = 1;
};

}  // namespace platform
