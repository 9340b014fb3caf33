#include "derived_pictures.h"

#include "testing.h"

#include <algorithm>

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

// The smallest rectangle of `made` holding every texel that changes the
// frame: for a shade (ARGB8888) those not white, otherwise those not fully
// transparent. Copying only that draws the same.
SDL_Rect inkOf(const SDL_Surface* made, Derivation how)
{
    const Uint32 blank = how == Derivation::Shade ? 0x00FFFFFFu : 0u;
    const Uint32 mask = how == Derivation::Shade ? 0x00FFFFFFu : made->format->Amask;
    if (mask == 0)
        return SDL_Rect{0, 0, made->w, made->h};  // opaque
    int left = made->w, top = made->h, right = -1, bottom = -1;
    for (int y = 0; y < made->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(made->pixels) +
                                                          static_cast<std::size_t>(y) * made->pitch);
        for (int x = 0; x < made->w; ++x) {
            if ((row[x] & mask) == blank)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    return right < 0 ? SDL_Rect{0, 0, 0, 0} : SDL_Rect{left, top, right - left + 1, bottom - top + 1};
}

// Draws `request` into `to` by the same SDL blits the renderer would make
// on every draw.
bool drawInto(SDL_Surface* from, SDL_Surface* to, const DerivedRequest& request, Derivation how)
{
    const SDL_Color& c = request.color;
    if (how == Derivation::Shade) {
        // White, darkened by the ink exactly as the frame would be.
        SDL_FillRect(to, nullptr, SDL_MapRGBA(to->format, 255, 255, 255, 255));
        SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceColorMod(from, 0, 0, 0);
        SDL_SetSurfaceAlphaMod(from, c.a);
    } else {
        // The texels themselves, tinted, alpha kept.
        SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_NONE);
        SDL_SetSurfaceColorMod(from, c.r, c.g, c.b);
    }
    SDL_Rect src = request.src;
    SDL_Rect whole{0, 0, request.width, request.height};
    const bool scaled = request.width != request.src.w || request.height != request.src.h;
    return (scaled ? SDL_BlitScaled(from, &src, to, &whole) : SDL_BlitSurface(from, &src, to, &whole)) == 0;
}

// The stand-in for `request`; no picture if the source cannot be read (it
// is not a lockable 32-bit texture, or scales smoothly).
StandIn makeStandIn(SDL_Renderer* renderer, const DerivedRequest& request, Derivation how)
{
    Uint32 format = 0;
    int access = 0, w = 0, h = 0;
    if (SDL_QueryTexture(request.texture, &format, &access, &w, &h) != 0 ||
        access != SDL_TEXTUREACCESS_STREAMING || SDL_BYTESPERPIXEL(format) != 4)
        return {};
    SDL_ScaleMode mode = SDL_ScaleModeNearest;
    if (SDL_GetTextureScaleMode(request.texture, &mode) != 0 || mode != SDL_ScaleModeNearest)
        return {};

    const Uint32 madeFormat = how == Derivation::Shade ? Uint32{SDL_PIXELFORMAT_ARGB8888} : format;
    StandIn made;
    made.picture =
        createRendererTexture(renderer, madeFormat, SDL_TEXTUREACCESS_STREAMING, request.width, request.height);
    if (made.picture == nullptr)
        return {};
    bool drawn = false;
    {
        LockedTexels from(request.texture, format, w, h);
        LockedTexels to(made.picture, madeFormat, request.width, request.height);
        if (from.surface && to.surface && drawInto(from.surface, to.surface, request, how)) {
            made.ink = inkOf(to.surface, how);
            drawn = true;
        }
    }
    if (!drawn) {
        destroyRendererTexture(made.picture);
        return {};
    }
    SDL_SetTextureBlendMode(made.picture, how == Derivation::Shade  ? SDL_BLENDMODE_MOD
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

const StandIn* DerivedPictures::standIn(SDL_Renderer* renderer, const DerivedRequest& request)
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
    if (e.made.picture != nullptr)
        return &e.made;
    if (e.failed || e.firstAsked == frame)
        return nullptr;
    const std::size_t size = static_cast<std::size_t>(request.width) * static_cast<std::size_t>(request.height) * 4;
    if (madeBytes + size > BUDGET_BYTES)
        return nullptr;  // asked again once older pictures have gone
    e.made = makeStandIn(renderer, request, how);
    if (e.made.picture == nullptr) {
        e.failed = true;
        return nullptr;
    }
    e.size = size;
    madeBytes += size;
    return &e.made;
}

void DerivedPictures::drop(Entry& e)
{
    madeBytes -= e.size;
    e.size = 0;
    SDL_Texture* picture = e.made.picture;
    e.made = StandIn{};
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
