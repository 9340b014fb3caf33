// The texture object behind IDirect3DTexture9, for the sprite and font.
#pragma once

#include "d3d_internal.h"

namespace platform {

// The pixels of a texture made by `device`, or null if the renderer was
// reset since it was made.
const TexturePixels* texturePixels(IDirect3DTexture9* texture, Device* device);

// A texture over pixels already in renderer memory (fonts' glyph atlases).
// `cacheKey` empty: destroyed on release instead of cached.
IDirect3DTexture9* wrapTexture(Device* device, const TexturePixels& pixels, const std::string& cacheKey,
                               bool defaultPool);

}  // namespace platform
