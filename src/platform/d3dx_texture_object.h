// The texture object behind IDirect3DTexture9, for the sprite and font.
#pragma once

#include "d3d_internal.h"

namespace platform {

// The pixels of a texture made by `device`, decoded now if they were not
// yet; null if the renderer was reset since it was made or the picture does
// not decode.
const TexturePixels* texturePixels(IDirect3DTexture9* texture, Device* device);

}  // namespace platform
