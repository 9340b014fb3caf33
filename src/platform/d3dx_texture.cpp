// Pictures into textures: the file checked and its size read when the
// texture is made, the pixels decoded (picture_cache.cpp) when first drawn.
#include "d3dx_texture_object.h"
#include "files.h"
#include "picture_check.h"
#include "testing.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

namespace platform {
namespace {

int fileLoads = 0;

class Texture final : public RefCounted<IDirect3DTexture9> {
public:
    Texture(Device* owner, std::shared_ptr<Picture> p, bool defaultPool)
        : device(owner), picture(std::move(p)), generation(owner->generation()), countsAsLive(defaultPool)
    {
        device->AddRef();
        if (countsAsLive)
            device->addLive();
    }
    ~Texture() override
    {
        if (countsAsLive)
            device->removeLive();
        // Pictures from before a renderer reset are already gone with it.
        if (generation == device->generation())
            device->cache().release(*picture);
        device->Release();
    }
    const TexturePixels* usable(Device* d) const
    {
        if (d != device || generation != device->generation())
            return nullptr;
        return device->cache().pixelsToDraw(*picture, device->sdlRenderer(), device->isSoftware());
    }

private:
    Device* device;
    std::shared_ptr<Picture> picture;
    unsigned generation;
    bool countsAsLive;
};

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

    // The file is checked and its size read now, so that a missing or
    // damaged one fails here, as it always did; its pixels wait until it
    // is first drawn. Like D3DX it says nothing: the texture manager names
    // the file, once, with the reason the same check gives.
    std::shared_ptr<platform::Picture> picture = d->cache().acquire(key);
    if (picture == nullptr) {
        std::string why;
        if (!platform::checkPictureFile(path, why))
            return D3DXERR_INVALIDDATA;
        UINT width = 0, height = 0;
        D3DXIMAGE_FILEFORMAT format = D3DXIFF_PNG;
        if (!platform::readPictureSize(path, width, height, format))
            return D3DXERR_INVALIDDATA;
        ++platform::fileLoads;
        platform::Picture fresh;
        fresh.path = path;
        fresh.colorKey = colorKey;
        fresh.pixels.width = static_cast<int>(width);
        fresh.pixels.height = static_cast<int>(height);
        picture = d->cache().adopt(key, std::move(fresh));
    }
    if (srcInfo) {
        srcInfo->Width = static_cast<UINT>(picture->pixels.width);
        srcInfo->Height = static_cast<UINT>(picture->pixels.height);
    }
    *texture = new platform::Texture(d, std::move(picture), pool == D3DPOOL_DEFAULT);
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
