// The sprite: textured quads drawn at once, in call order, through a 2D
// transform, with alpha blending.
#include "d3d_internal.h"
#include "d3dx_texture_object.h"

namespace platform {
namespace {

class Sprite final : public RefCounted<ID3DXSprite> {
public:
    explicit Sprite(Device* owner) : device(owner), presence(owner) { D3DXMatrixIdentity(&transform); }

    HRESULT Begin(DWORD) override
    {
        if (inBatch)
            return D3DERR_INVALIDCALL;
        inBatch = true;
        return D3D_OK;
    }
    HRESULT End() override
    {
        if (!inBatch)
            return D3DERR_INVALIDCALL;
        inBatch = false;
        return D3D_OK;
    }
    HRESULT SetTransform(const D3DXMATRIX* m) override
    {
        if (m == nullptr)
            return D3DERR_INVALIDCALL;
        transform = *m;
        return D3D_OK;
    }
    HRESULT GetTransform(D3DXMATRIX* m) override
    {
        if (m == nullptr)
            return D3DERR_INVALIDCALL;
        *m = transform;
        return D3D_OK;
    }
    HRESULT Draw(IDirect3DTexture9* texture, const RECT* src, const D3DXVECTOR3* center,
                 const D3DXVECTOR3* position, D3DCOLOR color) override
    {
        if (texture == nullptr)
            return D3DERR_INVALIDCALL;
        if (!device->canDraw())
            return D3D_OK;  // nothing is drawn, so nothing need be decoded
        const TexturePixels* pixels = texturePixels(texture, device.get());
        if (pixels == nullptr)
            return D3D_OK;  // made before the renderer was reset, or undecodable: nothing to show
        RECT r = src ? *src : RECT{0, 0, pixels->width, pixels->height};
        float ox = (position ? position->x : 0.0f) - (center ? center->x : 0.0f);
        float oy = (position ? position->y : 0.0f) - (center ? center->y : 0.0f);
        // Only texels inside the texture are drawn; the quad shrinks to match.
        if (r.left < 0) {
            ox -= static_cast<float>(r.left);
            r.left = 0;
        }
        if (r.top < 0) {
            oy -= static_cast<float>(r.top);
            r.top = 0;
        }
        if (r.right > pixels->width)
            r.right = pixels->width;
        if (r.bottom > pixels->height)
            r.bottom = pixels->height;
        SDL_Rect s{r.left, r.top, r.right - r.left, r.bottom - r.top};
        device->drawTextured(*pixels, s, transform, ox, oy, color);
        return D3D_OK;
    }
    HRESULT OnLostDevice() override
    {
        presence.lose();
        return D3D_OK;
    }
    HRESULT OnResetDevice() override
    {
        presence.restore();
        return D3D_OK;
    }

private:
    DeviceRef device;
    PoolPresence presence;
    D3DXMATRIX transform;
    bool inBatch = false;
};

}  // namespace
}  // namespace platform

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite)
{
    if (device == nullptr || sprite == nullptr)
        return D3DERR_INVALIDCALL;
    *sprite = new platform::Sprite(static_cast<platform::Device*>(device));
    return D3D_OK;
}
