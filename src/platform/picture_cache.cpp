#include "picture_cache.h"

#include "picture_check.h"
#include "picture_failure.h"
#include "texel_cache.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace platform {
namespace {

int decodes = 0;
int keptTexelReads = 0;  // pictures copied in from their texel files
bool decodeFailed = false;  // since the game loop last asked

// What one row of texels holds.
struct RowSummary {
    bool transparent = false;  // some texel is not fully opaque
    bool partial = false;      // some texel is neither fully opaque nor fully transparent
    int inkLeft = -1;          // first and last texel that is not fully transparent; -1 if none
    int inkRight = -1;
};

// Fills one row of texels from row `y` of `source` (RGB24 or ARGB8888),
// the colour key made transparent black.
RowSummary writeRow(const SDL_Surface* source, int y, Uint32* row, D3DCOLOR colorKey)
{
    const int width = source->w;
    const auto* from = static_cast<const Uint8*>(source->pixels) + static_cast<std::size_t>(y) * source->pitch;
    RowSummary summary;
    if (source->format->format == SDL_PIXELFORMAT_RGB24) {
        // Every texel opaque but the key's: one pass does it all (most of
        // the start-up's pictures come this way).
        bool keyed = false;
        for (int x = 0; x < width; ++x, from += 3) {
            const Uint32 texel = 0xFF000000u | (Uint32{from[0]} << 16) | (Uint32{from[1]} << 8) | from[2];
            if (colorKey != 0 && texel == colorKey) {
                row[x] = 0;
                keyed = true;
                continue;
            }
            row[x] = texel;
            if (summary.inkLeft < 0)
                summary.inkLeft = x;
            summary.inkRight = x;
        }
        summary.transparent = keyed;
        return summary;
    }
    std::memcpy(row, from, static_cast<std::size_t>(width) * 4);
    for (int x = 0; x < width; ++x) {
        if (colorKey != 0 && row[x] == colorKey)
            row[x] = 0;
        const Uint32 alpha = row[x] >> 24;
        if (alpha != 0xFF)
            summary.transparent = true;
        if (alpha != 0xFF && alpha != 0)
            summary.partial = true;
        if (alpha != 0) {
            if (summary.inkLeft < 0)
                summary.inkLeft = x;
            summary.inkRight = x;
        }
    }
    return summary;
}

// The format the renderer draws into now: the window's surface when the
// software renderer draws into the window, otherwise its target texture's.
Uint32 drawingFormat(SDL_Renderer* renderer)
{
    if (SDL_Texture* target = SDL_GetRenderTarget(renderer)) {
        Uint32 format = SDL_PIXELFORMAT_UNKNOWN;
        SDL_QueryTexture(target, &format, nullptr, nullptr, nullptr);
        return format;
    }
    SDL_Window* window = SDL_RenderGetWindow(renderer);
    return window != nullptr ? SDL_GetWindowPixelFormat(window) : Uint32{SDL_PIXELFORMAT_UNKNOWN};
}

// The ARGB8888 `texture` (on the software renderer, so lockable) again in
// the drawing format, when that is another 32-bit RGB one; as it was
// otherwise, or if the copy cannot be made.
SDL_Texture* inDrawingFormat(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height)
{
    const Uint32 format = drawingFormat(renderer);
    if (format == SDL_PIXELFORMAT_ARGB8888 || SDL_BYTESPERPIXEL(format) != 4 || SDL_ISPIXELFORMAT_ALPHA(format))
        return texture;
    SDL_Texture* copy = createRendererTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (copy == nullptr)
        return texture;
    void *from = nullptr, *to = nullptr;
    int fromPitch = 0, toPitch = 0;
    const bool copied = SDL_LockTexture(texture, nullptr, &from, &fromPitch) == 0 &&
                        SDL_LockTexture(copy, nullptr, &to, &toPitch) == 0 &&
                        SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, from, fromPitch, format, to,
                                          toPitch) == 0;
    SDL_UnlockTexture(texture);
    SDL_UnlockTexture(copy);
    if (!copied) {
        destroyRendererTexture(copy);
        return texture;
    }
    destroyRendererTexture(texture);
    return copy;
}

// A texture being filled: on the software renderer its own memory, locked;
// elsewhere a staging copy handed to the renderer when it is finished.
struct TexelTarget {
    SDL_Texture* texture = nullptr;
    void* pixels = nullptr;
    int pitch = 0;
    std::unique_ptr<Uint32[]> staging;
};

bool openTexels(SDL_Renderer* renderer, bool software, int width, int height, TexelTarget& target, std::string& why)
{
    target.texture = createRendererTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                           software ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC,
                                           width, height);
    if (target.texture == nullptr) {
        why = SDL_GetError();
        return false;
    }
    target.pitch = width * 4;
    if (software) {
        if (SDL_LockTexture(target.texture, nullptr, &target.pixels, &target.pitch) != 0) {
            why = SDL_GetError();
            destroyRendererTexture(target.texture);
            target.texture = nullptr;
            return false;
        }
    } else {
        target.staging = std::make_unique_for_overwrite<Uint32[]>(static_cast<std::size_t>(width) * height);
        target.pixels = target.staging.get();
    }
    return true;
}

// Hands the filled texels to the renderer and describes the texture.
void finishTexels(SDL_Renderer* renderer, bool software, TexelTarget& target, int width, int height,
                  bool transparent, SDL_Rect ink, TexturePixels& out)
{
    SDL_Texture* texture = target.texture;
    if (software)
        SDL_UnlockTexture(texture);
    else
        SDL_UpdateTexture(texture, nullptr, target.pixels, target.pitch);

    // An opaque picture drawn by the software renderer straight into the
    // window is kept in the window's own format: SDL then copies its rows
    // as they are instead of converting every pixel of every frame.
    if (software && !transparent)
        texture = inDrawingFormat(renderer, texture, width, height);

    out = TexturePixels{texture, width, height, transparent};
    out.inkKnown = true;
    out.ink = ink;
    SDL_SetTextureBlendMode(texture, transparent ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture, software ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

TexelHeader headerOf(const TexturePixels& pixels)
{
    TexelHeader header;
    header.width = pixels.width;
    header.height = pixels.height;
    header.transparent = pixels.hasTransparency;
    header.inkLeft = pixels.ink.x;
    header.inkTop = pixels.ink.y;
    header.inkWidth = pixels.ink.w;
    header.inkHeight = pixels.ink.h;
    return header;
}

// Makes the texture of `source` in one pass, the colour key made
// transparent; when `texelPath` is given, its texels are also kept there
// for the next start.
bool writeTexels(SDL_Renderer* renderer, bool software, const SDL_Surface* source, D3DCOLOR colorKey,
                 const TexelSource& texelSource, const std::string& texelPath, TexturePixels& out, std::string& why)
{
    const int width = source->w, height = source->h;
    TexelTarget target;
    if (!openTexels(renderer, software, width, height, target, why))
        return false;
    bool transparent = false, partial = false;
    int inkLeft = width, inkTop = height, inkRight = -1, inkBottom = -1;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(target.pixels) +
                                              static_cast<std::size_t>(y) * target.pitch);
        const RowSummary summary = writeRow(source, y, row, colorKey);
        transparent = transparent || summary.transparent;
        partial = partial || summary.partial;
        if (summary.inkLeft >= 0) {
            inkLeft = std::min(inkLeft, summary.inkLeft);
            inkRight = std::max(inkRight, summary.inkRight);
            inkTop = std::min(inkTop, y);
            inkBottom = y;
        }
    }
    const SDL_Rect ink = inkRight < 0 ? SDL_Rect{0, 0, 0, 0}
                                      : SDL_Rect{inkLeft, inkTop, inkRight - inkLeft + 1, inkBottom - inkTop + 1};
    if (!texelPath.empty()) {
        TexturePixels described{nullptr, width, height, transparent};
        described.ink = ink;
        std::string problem;
        if (!writeTexelFile(texelPath, texelSource, headerOf(described), target.pixels,
                            static_cast<std::size_t>(target.pitch), problem))
            std::fprintf(stderr, "Keelhaven: the decoded picture %s is not kept: %s\n", texelSource.path.c_str(),
                         problem.c_str());
    }
    finishTexels(renderer, software, target, width, height, transparent, ink, out);
    out.binaryAlpha = !partial;
    return true;
}

// The picture from its texel file, when one stands for it as it is now.
bool readKeptTexels(SDL_Renderer* renderer, bool software, const TexelSource& source, const std::string& texelPath,
                    TexturePixels& out)
{
    TexelFileReader reader;
    if (!reader.open(texelPath, source))
        return false;
    const TexelHeader& header = reader.header();
    TexelTarget target;
    std::string why;
    if (!openTexels(renderer, software, header.width, header.height, target, why))
        return false;
    if (!reader.readTexels(target.pixels, static_cast<std::size_t>(target.pitch))) {
        if (software)
            SDL_UnlockTexture(target.texture);
        destroyRendererTexture(target.texture);
        return false;
    }
    finishTexels(renderer, software, target, header.width, header.height, header.transparent,
                 SDL_Rect{header.inkLeft, header.inkTop, header.inkWidth, header.inkHeight}, out);
    return true;
}

}  // namespace

bool decodePicture(SDL_Renderer* renderer, bool software, const std::string& path, D3DCOLOR colorKey,
                   TexturePixels& out, std::string& why)
{
    // A large picture unchanged since it was last decoded is copied in from
    // its texel file.
    TexelSource texelSource;
    std::string texelPath;
    if (findTexelFile(path, colorKey, texelSource, texelPath) &&
        readKeptTexels(renderer, software, texelSource, texelPath, out)) {
        ++keptTexelReads;
        return true;
    }
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
    // What our pictures decode to (RGB24) is read as it is; anything else
    // (palettes, grey, alpha, a file's own transparent colour) goes through
    // SDL's conversion first.
    const bool direct = (loaded->format->format == SDL_PIXELFORMAT_RGB24 ||
                         loaded->format->format == SDL_PIXELFORMAT_ARGB8888) &&
                        !SDL_HasColorKey(loaded);
    if (!direct) {
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(loaded);
        if (argb == nullptr) {
            why = SDL_GetError();
            return false;
        }
        loaded = argb;
    }
    const bool keep = !texelPath.empty() && static_cast<long long>(loaded->w) * loaded->h >= KEEP_TEXELS_FROM;
    const bool converted =
        writeTexels(renderer, software, loaded, colorKey, texelSource, keep ? texelPath : std::string(), out, why);
    SDL_FreeSurface(loaded);
    return converted;
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
            destroyRendererTexture(decoded.texture);
            if (why.empty())
                why = "its size changed since it was loaded";
            picture.broken = true;
            decodeFailed = true;
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
    destroyRendererTexture(picture.pixels.texture);
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

bool takePictureDecodeFailure()
{
    const bool failed = decodeFailed;
    decodeFailed = false;
    return failed;
}

namespace testing {

int pictureDecodes() { return decodes; }
int keptTexelFilesRead() { return keptTexelReads; }

}  // namespace testing
}  // namespace platform
