#include "derived_pictures.h"

#include "testing.h"

#include <vector>

namespace platform {
namespace {

bool derivingAllowed = true;
int picturesMade = 0;

// Made pictures kept at most: a few HUDs' worth of bars, glyphs and pick-ups.
constexpr std::size_t BUDGET_BYTES = 8u << 20;
constexpr int LARGEST_SIDE = 2048;
// A picture not drawn for this many frames goes.
constexpr std::uint64_t UNUSED_FRAMES = 120;

enum class Derivation { None, Copied, Shade };

bool isBlack(const SDL_Color& c) { return c.r == 0 && c.g == 0 && c.b == 0; }

// How `r` can be drawn from a picture made once; None to draw it as it is
// (already plain, or no stand-in draws the same pixels).
Derivation derivationFor(const DerivedRequest& r)
{
    const SDL_Color& c = r.color;
    if (!derivingAllowed || c.a == 0 || r.width <= 0 || r.height <= 0 || r.src.w <= 0 || r.src.h <= 0 ||
        r.width > LARGEST_SIDE || r.height > LARGEST_SIDE)
        return Derivation::None;
    const bool tinted = (c.r & c.g & c.b) != 255;
    const bool faded = c.a != 255;
    const bool scaled = r.width != r.src.w || r.height != r.src.h;
    if (!tinted && !faded && !scaled)
        return Derivation::None;  // already SDL's plain copy
    if (isBlack(c) && (r.hasTransparency || faded))
        return Derivation::Shade;
    if (!faded && (r.binaryAlpha || !r.hasTransparency))
        return Derivation::Copied;
    return Derivation::None;
}

// A texture's texels seen as a surface, while the texture is locked.
struct LockedTexels {
    SDL_Texture* texture = nullptr;
    SDL_Surface* surface = nullptr;

    LockedTexels(SDL_Texture* t, Uint32 format, int w, int h) : texture(t)
    {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) {
            texture = nullptr;
            return;
        }
        surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels, w, h, SDL_BITSPERPIXEL(format), pitch, format);
    }
    ~LockedTexels()
    {
        SDL_FreeSurface(surface);
        if (texture)
            SDL_UnlockTexture(texture);
    }
    LockedTexels(const LockedTexels&) = delete;
    LockedTexels& operator=(const LockedTexels&) = delete;
};

// The stand-in for `request`, drawn by the same SDL blits the renderer
// would make on every draw. Null if the source cannot be read.
SDL_Texture* makeStandIn(SDL_Renderer* renderer, const DerivedRequest& request, Derivation how)
{
    Uint32 format = 0;
    int access = 0, w = 0, h = 0;
    if (SDL_QueryTexture(request.texture, &format, &access, &w, &h) != 0 ||
        access != SDL_TEXTUREACCESS_STREAMING || SDL_BYTESPERPIXEL(format) != 4)
        return nullptr;
    const bool scaled = request.width != request.src.w || request.height != request.src.h;
    SDL_ScaleMode mode = SDL_ScaleModeNearest;
    if (scaled && (SDL_GetTextureScaleMode(request.texture, &mode) != 0 || mode != SDL_ScaleModeNearest))
        return nullptr;

    const Uint32 madeFormat = how == Derivation::Shade ? Uint32{SDL_PIXELFORMAT_ARGB8888} : format;
    SDL_Texture* made =
        createRendererTexture(renderer, madeFormat, SDL_TEXTUREACCESS_STREAMING, request.width, request.height);
    if (made == nullptr)
        return nullptr;
    bool drawn = false;
    {
        LockedTexels from(request.texture, format, w, h);
        LockedTexels to(made, madeFormat, request.width, request.height);
        if (from.surface && to.surface) {
            const SDL_Color& c = request.color;
            if (how == Derivation::Shade) {
                // White, darkened by the ink exactly as the frame would be.
                SDL_FillRect(to.surface, nullptr, SDL_MapRGBA(to.surface->format, 255, 255, 255, 255));
                SDL_SetSurfaceBlendMode(from.surface, SDL_BLENDMODE_BLEND);
                SDL_SetSurfaceColorMod(from.surface, 0, 0, 0);
                SDL_SetSurfaceAlphaMod(from.surface, c.a);
            } else {
                // The texels themselves, tinted, alpha kept.
                SDL_SetSurfaceBlendMode(from.surface, SDL_BLENDMODE_NONE);
                SDL_SetSurfaceColorMod(from.surface, c.r, c.g, c.b);
            }
            SDL_Rect src = request.src;
            SDL_Rect whole{0, 0, request.width, request.height};
            drawn = (scaled ? SDL_BlitScaled(from.surface, &src, to.surface, &whole)
                            : SDL_BlitSurface(from.surface, &src, to.surface, &whole)) == 0;
        }
    }
    if (!drawn) {
        destroyRendererTexture(made);
        return nullptr;
    }
    SDL_SetTextureBlendMode(made, how == Derivation::Shade  ? SDL_BLENDMODE_MOD
                                  : request.hasTransparency ? SDL_BLENDMODE_BLEND
                                                            : SDL_BLENDMODE_NONE);
    ++picturesMade;
    return made;
}

}  // namespace

std::size_t DerivedPictures::KeyHash::operator()(const Key& k) const
{
    std::size_t h = std::hash<const void*>()(k.texture);
    for (int v : {k.x, k.y, k.w, k.h, k.width, k.height, static_cast<int>(k.color)})
        h = h * 1000003u ^ static_cast<std::size_t>(v);
    return h;
}

SDL_Texture* DerivedPictures::standIn(SDL_Renderer* renderer, const DerivedRequest& request)
{
    const Derivation how = derivationFor(request);
    if (how == Derivation::None)
        return nullptr;
    const SDL_Color& c = request.color;
    const Key key{request.texture,
                  request.src.x,
                  request.src.y,
                  request.src.w,
                  request.src.h,
                  request.width,
                  request.height,
                  (std::uint32_t{c.a} << 24) | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b};
    auto [it, fresh] = entries.try_emplace(key);
    Entry& e = it->second;
    if (fresh)
        e.firstAsked = frame;
    e.lastUsed = frame;
    if (e.picture != nullptr || e.failed || e.firstAsked == frame)
        return e.picture;
    const std::size_t size = static_cast<std::size_t>(request.width) * static_cast<std::size_t>(request.height) * 4;
    if (madeBytes + size > BUDGET_BYTES)
        return nullptr;  // asked again once older pictures have gone
    e.picture = makeStandIn(renderer, request, how);
    e.failed = e.picture == nullptr;
    e.size = e.picture ? size : 0;
    madeBytes += e.size;
    return e.picture;
}

void DerivedPictures::drop(Entry& e)
{
    madeBytes -= e.size;
    e.size = 0;
    SDL_Texture* picture = e.picture;
    e.picture = nullptr;
    destroyRendererTexture(picture);
}

void DerivedPictures::endFrame()
{
    ++frame;
    if (frame % 16 != 0)
        return;
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->second.lastUsed + UNUSED_FRAMES < frame) {
            drop(it->second);
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
}

void DerivedPictures::forget(SDL_Texture* source)
{
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->first.texture == source) {
            drop(it->second);
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
}

void DerivedPictures::clear()
{
    auto gone = std::move(entries);
    entries.clear();
    for (auto& [key, e] : gone)
        drop(e);
}

namespace testing {

void useDerivedPictures(bool on) { derivingAllowed = on; }
int derivedPicturesMade() { return picturesMade; }

}  // namespace testing
}  // namespace platform
