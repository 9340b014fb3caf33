#include "picture_cache.h"

#include "picture_check.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>

namespace platform {
namespace {

int decodes = 0;

}  // namespace

bool decodePicture(SDL_Renderer* renderer, bool software, const std::string& path, D3DCOLOR colorKey,
                   TexturePixels& out, std::string& why)
{
    // Looked at again before decoding: the file may have changed since it
    // was loaded, and a damaged one can make the decoder loop for ever.
    std::string bytes;
    if (!readPictureFile(path, bytes, why) || !checkPictureBytes(bytes, why))
        return false;
    SDL_Surface* loaded = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (loaded == nullptr) {
        why = IMG_GetError();
        return false;
    }
    bytes = std::string();
    ++decodes;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (argb == nullptr) {
        why = SDL_GetError();
        return false;
    }
    bool transparent = false;
    int inkLeft = argb->w, inkTop = argb->h, inkRight = -1, inkBottom = -1;
    for (int y = 0; y < argb->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(argb->pixels) +
                                              static_cast<std::size_t>(y) * static_cast<std::size_t>(argb->pitch));
        for (int x = 0; x < argb->w; ++x) {
            if (colorKey != 0 && row[x] == colorKey)
                row[x] = 0;  // transparent black
            const Uint32 alpha = row[x] >> 24;
            if (alpha != 0xFF)
                transparent = true;
            if (alpha != 0) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = y;
            }
        }
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, argb);
    out = TexturePixels{texture, argb->w, argb->h, transparent};
    out.inkKnown = true;
    out.ink = inkRight < 0 ? SDL_Rect{0, 0, 0, 0}
                           : SDL_Rect{inkLeft, inkTop, inkRight - inkLeft + 1, inkBottom - inkTop + 1};
    SDL_FreeSurface(argb);
    if (texture == nullptr) {
        why = SDL_GetError();
        return false;
    }
    SDL_SetTextureBlendMode(texture, transparent ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture, software ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    return true;
}

std::shared_ptr<Picture> PictureCache::acquire(const std::string& key)
{
    auto it = pictures.find(key);
    if (it == pictures.end())
        return nullptr;
    ++it->second->users;
    return it->second;
}

std::shared_ptr<Picture> PictureCache::adopt(const std::string& key, Picture picture)
{
    picture.users = 1;
    auto shared = std::make_shared<Picture>(std::move(picture));
    if (auto it = pictures.find(key); it != pictures.end()) {
        forgetPixels(*it->second);
        it->second->known = false;
    }
    pictures[key] = shared;
    return shared;
}

void PictureCache::release(Picture& picture)
{
    if (picture.users > 0)
        --picture.users;
}

const TexturePixels* PictureCache::pixelsToDraw(Picture& picture, SDL_Renderer* renderer, bool software)
{
    if (picture.broken || !picture.known)
        return nullptr;
    if (picture.pixels.texture == nullptr) {
        makeRoom(sizeOf(picture.pixels));
        TexturePixels decoded;
        std::string why;
        if (!decodePicture(renderer, software, picture.path, picture.colorKey, decoded, why) ||
            decoded.width != picture.pixels.width || decoded.height != picture.pixels.height) {
            if (decoded.texture)
                SDL_DestroyTexture(decoded.texture);
            if (why.empty())
                why = "its size changed since it was loaded";
            picture.broken = true;
            std::fprintf(stderr, "Keelhaven: the picture %s cannot be decoded: %s\n", picture.path.c_str(),
                         why.c_str());
            return nullptr;
        }
        picture.pixels = decoded;
        bytes += sizeOf(decoded);
    }
    picture.lastDrawn = frame;
    return &picture.pixels;
}

void PictureCache::forgetPixels(Picture& picture)
{
    if (picture.pixels.texture == nullptr)
        return;
    SDL_DestroyTexture(picture.pixels.texture);
    picture.pixels.texture = nullptr;
    picture.pixels.inkKnown = false;
    bytes -= sizeOf(picture.pixels);
}

void PictureCache::makeRoom(std::size_t wanted)
{
    while (bytes + wanted > budget) {
        // Unused pictures go first, then the least recently drawn; those
        // drawn this frame or the last are kept, however far over budget.
        Picture* oldest = nullptr;
        for (auto& [key, p] : pictures) {
            if (p->pixels.texture == nullptr || p->lastDrawn + 1 >= frame)
                continue;
            if (oldest == nullptr || (p->users == 0) > (oldest->users == 0) ||
                ((p->users == 0) == (oldest->users == 0) && p->lastDrawn < oldest->lastDrawn))
                oldest = p.get();
        }
        if (oldest == nullptr)
            return;
        forgetPixels(*oldest);
    }
}

void PictureCache::clear()
{
    for (auto& [key, p] : pictures) {
        forgetPixels(*p);
        p->known = false;
    }
    pictures.clear();
    bytes = 0;
}

namespace testing {

int pictureDecodes() { return decodes; }

}  // namespace testing
}  // namespace platform
