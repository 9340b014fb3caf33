// Tinted and scaled draws made once on the software renderer. SDL's
// blitter tints, blends and scales a texel at a time on every draw, through
// its slowest generic loops; a draw repeated frame after frame (the health
// bar in its colour, the gold in black, a pick-up at its fixed scale) can
// instead copy a picture made from it once, on SDL's fast 1:1 paths.
//
// A stand-in is made only where it draws exactly the same pixels, by SDL's
// own blits (so its rounding is SDL's, not ours):
// - Copied: a picture whose alpha is only ever 0 or 255, drawn opaque (any
//   tint, any scale), becomes the tinted, scaled texels themselves: at
//   alpha 0 or 255 SDL's fast blend and its generic one agree.
// - Shade: a picture drawn in black (any alpha, any scale) becomes white
//   darkened by its ink, multiplied onto the frame: black over a pixel
//   keeps (255 - alpha) / 255 of it, which is what the multiply does.
// Anything else (coloured text, half-transparent tints, partial alpha
// scaled) is drawn as it was: there SDL's fast path rounds differently.
#pragma once

#include "sdl_internal.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace platform {

// One draw as the software renderer will make it: `src` of `texture` at
// `width` x `height` pixels (its size after truncation, as SDL lands it),
// multiplied by `color`.
struct DerivedRequest {
    SDL_Texture* texture = nullptr;
    SDL_Rect src{};
    int width = 0;
    int height = 0;
    SDL_Color color{255, 255, 255, 255};
    bool hasTransparency = false;  // some texel is not fully opaque
    bool binaryAlpha = false;      // every texel fully opaque or fully transparent
};

// A picture standing in for a draw, copied 1:1 where the draw would land,
// untinted, in its own blend mode. Only its ink need be copied: the rest
// leaves the frame as it is.
struct StandIn {
    SDL_Texture* picture = nullptr;
    SDL_Rect ink{};
};

class DerivedPictures {
public:
    DerivedPictures() = default;
    ~DerivedPictures() { clear(); }
    DerivedPictures(const DerivedPictures&) = delete;
    DerivedPictures& operator=(const DerivedPictures&) = delete;

    // The picture to draw in place of `request`; null to draw it as asked.
    // A draw is made into a picture only when it is asked for again in a
    // later frame, so one-off draws cost nothing extra.
    const StandIn* standIn(SDL_Renderer* renderer, const DerivedRequest& request);

    // Called once a frame is presented: pictures not drawn for a while go.
    void endFrame();
    // Every picture made from `source` goes (it is being destroyed).
    void forget(SDL_Texture* source);
    // Every picture goes (the renderer lost its textures, or is closing).
    void clear();

    std::size_t bytes() const { return madeBytes; }

private:
    struct Key {
        SDL_Texture* texture;
        int x, y, w, h, width, height;
        std::uint32_t color;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    struct Entry {
        StandIn made;                    // no picture until asked for in a second frame
        bool failed = false;             // could not be made: draw as asked
        std::uint64_t firstAsked = 0;
        std::uint64_t lastUsed = 0;
        std::size_t size = 0;
    };
    void drop(Entry& entry);

    std::unordered_map<Key, Entry, KeyHash> entries;
    std::uint64_t frame = 1;
    std::size_t madeBytes = 0;
};

}  // namespace platform
