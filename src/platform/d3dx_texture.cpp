// Pictures into textures: PNG and JPEG through SDL_image, the colour key made
// transparent, and released textures kept for a quick reload.
#include "d3dx_texture_object.h"
#include "files.h"
#include "picture_check.h"
#include "testing.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace platform {
namespace {

int fileLoads = 0;

class Texture final : public RefCounted<IDirect3DTexture9> {
public:
    Texture(Device* owner, const TexturePixels& p, std::string key, bool defaultPool)
        : device(owner), pixels(p), cacheKey(std::move(key)), generation(owner->generation()),
          countsAsLive(defaultPool)
    {
        device->AddRef();
        if (countsAsLive)
            device->addLive();
    }
    ~Texture() override
    {
        if (countsAsLive)
            device->removeLive();
        // Pixels from before a renderer reset are already gone with it.
        if (generation == device->generation())
            device->cache().release(cacheKey);
        device->Release();
    }
    const TexturePixels* usable(Device* d) const
    {
        return (d == device && generation == device->generation()) ? &pixels : nullptr;
    }

private:
    Device* device;
    TexturePixels pixels;
    std::string cacheKey;
    unsigned generation;
    bool countsAsLive;
};

bool decodePicture(Device* device, const std::string& path, D3DCOLOR colorKey, TexturePixels& out)
{
    // A damaged picture can make the decoder loop for ever or ask for
    // gigabytes: it is looked at first, and refused with one line that
    // names it; the game then draws nothing for it.
    std::string why;
    if (!checkPictureFile(path, why)) {
        std::fprintf(stderr, "Keelhaven: the picture %s is refused: %s\n", path.c_str(), why.c_str());
        return false;
    }
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr)
        return false;
    ++fileLoads;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (argb == nullptr)
        return false;
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
    SDL_Texture* texture = SDL_CreateTextureFromSurface(device->sdlRenderer(), argb);
    out = TexturePixels{texture, argb->w, argb->h, transparent};
    out.inkKnown = true;
    out.ink = inkRight < 0 ? SDL_Rect{0, 0, 0, 0}
                           : SDL_Rect{inkLeft, inkTop, inkRight - inkLeft + 1, inkBottom - inkTop + 1};
    SDL_FreeSurface(argb);
    if (texture == nullptr)
        return false;
    SDL_SetTextureBlendMode(texture, transparent ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture, device->isSoftware() ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    return true;
}

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

bool readJpegSize(std::ifstream& in, UINT& width, UINT& height)
{
    in.seekg(2);
    for (;;) {
        int c = in.get();
        if (c != 0xFF)
            return false;
        int marker = in.get();
        while (marker == 0xFF)
            marker = in.get();
        if (marker < 0)
            return false;
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;  // markers without a length
        unsigned char len[2];
        if (!in.read(reinterpret_cast<char*>(len), 2))
            return false;
        int length = (len[0] << 8) | len[1];
        if (length < 2)
            return false;
        bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            unsigned char sof[5];
            if (!in.read(reinterpret_cast<char*>(sof), 5))
                return false;
            height = static_cast<UINT>((sof[1] << 8) | sof[2]);
            width = static_cast<UINT>((sof[3] << 8) | sof[4]);
            return width > 0 && height > 0;
        }
        in.seekg(length - 2, std::ios::cur);
    }
}

}  // namespace

bool readPictureSize(const std::string& path, UINT& width, UINT& height, D3DXIMAGE_FILEFORMAT& format)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char head[24] = {};
    if (!in || !in.read(reinterpret_cast<char*>(head), 24))
        return false;
    static const unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (std::equal(pngSignature, pngSignature + 8, head) && head[12] == 'I' && head[13] == 'H' &&
        head[14] == 'D' && head[15] == 'R') {
        width = bigEndian32(head + 16);
        height = bigEndian32(head + 20);
        format = D3DXIFF_PNG;
        return width > 0 && height > 0;
    }
    if (head[0] == 0xFF && head[1] == 0xD8) {
        format = D3DXIFF_JPG;
        return readJpegSize(in, width, height);
    }
    return false;
}

const TexturePixels* texturePixels(IDirect3DTexture9* texture, Device* device)
{
    return static_cast<Texture*>(texture)->usable(device);
}

// A texture over pixels the cache holds for `cacheKey`.
static IDirect3DTexture9* wrapTexture(Device* device, const TexturePixels& pixels, const std::string& cacheKey,
                                      bool defaultPool)
{
    return new Texture(device, pixels, cacheKey, defaultPool);
}

}  // namespace platform

HRESULT D3DXGetImageInfoFromFileA(LPCSTR file, D3DXIMAGE_INFO* info)
{
    if (file == nullptr || info == nullptr)
        return D3DERR_INVALIDCALL;
    UINT width = 0, height = 0;
    D3DXIMAGE_FILEFORMAT format = D3DXIFF_PNG;
    if (!platform::readPictureSize(platform::resolvePath(file), width, height, format))
        return D3DXERR_INVALIDDATA;
    *info = D3DXIMAGE_INFO{width, height, 1, 1, D3DFMT_A8R8G8B8, 3 /* D3DRTYPE_TEXTURE */, format};
    return D3D_OK;
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, LPCSTR file, UINT, UINT, UINT, DWORD, D3DFORMAT,
                                     D3DPOOL pool, DWORD, DWORD, D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                     PALETTEENTRY*, IDirect3DTexture9** texture)
{
    if (device == nullptr || file == nullptr || texture == nullptr)
        return D3DERR_INVALIDCALL;
    auto* d = static_cast<platform::Device*>(device);
    std::string path = platform::resolvePath(file);
    char keyText[16];
    std::snprintf(keyText, sizeof(keyText), "#%08X", colorKey);
    std::string key = path + keyText;

    platform::TexturePixels pixels;
    if (!d->cache().acquire(key, pixels)) {
        if (!platform::decodePicture(d, path, colorKey, pixels))
            return D3DXERR_INVALIDDATA;
        d->cache().adopt(key, pixels);
    }
    if (srcInfo) {
        srcInfo->Width = static_cast<UINT>(pixels.width);
        srcInfo->Height = static_cast<UINT>(pixels.height);
    }
    *texture = platform::wrapTexture(d, pixels, key, pool == D3DPOOL_DEFAULT);
    return D3D_OK;
}

namespace platform::testing {

int pictureFileLoads() { return fileLoads; }

bool saveBackBufferPng(const std::string& path)
{
    std::vector<std::uint32_t> pixels;
    int w = 0, h = 0;
    if (!readBackBuffer(pixels, w, h))
        return false;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
        return false;
    bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

}  // namespace platform::testing
