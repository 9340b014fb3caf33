// The SDL renderer behind the Direct3D device, shared by the device, sprite,
// texture and font files of the platform layer.
#pragma once

#include "d3dx9.h"
#include "derived_pictures.h"
#include "picture_cache.h"
#include "sdl_internal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Reference counting shared by every Direct3D object.
template <class Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        ULONG left = --refs;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ULONG refs = 1;
};

class Device final : public RefCounted<IDirect3DDevice9> {
public:
    Device(HWND hwnd, SDL_Renderer* renderer, const D3DPRESENT_PARAMETERS& params);
    ~Device() override;

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* params) override;
    HRESULT Present(const RECT*, const RECT*, HWND, const void*) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** vb,
                               HANDLE* shared) override;
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* vb, UINT offset, UINT stride) override;
    HRESULT SetFVF(DWORD fvf) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;

    // Draws `src` of a texture with its top-left at local (ox, oy), through
    // `m`, colours multiplied by `color`.
    void drawTextured(const TexturePixels& tex, const SDL_Rect& src, const D3DXMATRIX& m, float ox, float oy,
                      D3DCOLOR color);

    bool canDraw() const { return state() == D3D_OK; }
    HRESULT state() const;
    SDL_Renderer* sdlRenderer() { return renderer; }
    bool isSoftware() const { return software; }
    unsigned generation() const { return rendererGeneration; }

    // Default-pool objects that must be released before Reset.
    void addLive() { ++liveObjects; }
    void removeLive() { --liveObjects; }
    int live() const { return liveObjects; }

    PictureCache& cache() { return textureCache; }
    DerivedPictures& derived() { return derivedPictures; }
    void forceState(HRESULT s) { forcedState = s; }
    void rendererLost() { rendererWasReset = true; }
    bool readBack(std::vector<std::uint32_t>& pixels, int& w, int& h);
    // The whole window as last presented, bars included.
    bool readWindow(std::vector<std::uint32_t>& pixels, int& w, int& h);

private:
    void copyInk(const TexturePixels& tex, const SDL_Rect& src, float x0, float y0);
    bool drawStandIn(const TexturePixels& tex, const SDL_Rect& src, float x0, float y0, float w, float h,
                     SDL_Color c);
    bool createBackBuffer();
    void dropBackBuffer();
    bool windowFitsBackBuffer() const;
    bool chooseTarget();
    void applyDisplayMode(const D3DPRESENT_PARAMETERS& params);
    void presentLetterboxed();

    HWND hwnd;
    SDL_Renderer* renderer;
    SDL_Texture* backBuffer = nullptr;  // none while drawing straight into the window
    bool drawsToWindow = false;
    int width;
    int height;
    bool software = false;
    bool blendEnabled = false;
    // A clear waits for the frame's first drawing: a picture that covers
    // the whole target opaquely makes it needless.
    bool clearPending = false;
    SDL_Color clearColor{};
    void clearIfPending();
    IDirect3DVertexBuffer9* stream = nullptr;
    HRESULT forcedState = D3D_OK;
    bool rendererWasReset = false;
    unsigned rendererGeneration = 0;
    int liveObjects = 0;
    PictureCache textureCache;
    DerivedPictures derivedPictures;  // made from textureCache's pictures and the fonts'
};

// A reference to the device held for an object's whole life: declared
// first, it is let go last.
class DeviceRef {
public:
    explicit DeviceRef(Device* d) : device(d) { device->AddRef(); }
    ~DeviceRef() { device->Release(); }
    Device* operator->() const { return device; }
    Device* get() const { return device; }
    DeviceRef(const DeviceRef&) = delete;
    DeviceRef& operator=(const DeviceRef&) = delete;

private:
    Device* device;
};

// How an object in the default pool counts towards what must be released
// before a reset: counted from creation until lost, again once reset.
class PoolPresence {
public:
    explicit PoolPresence(Device* d) : device(d) { device->addLive(); }
    ~PoolPresence()
    {
        if (!lost)
            device->removeLive();
    }
    void lose()
    {
        if (!lost) {
            lost = true;
            device->removeLive();
        }
    }
    void restore()
    {
        if (lost) {
            lost = false;
            device->addLive();
        }
    }
    bool isLost() const { return lost; }
    PoolPresence(const PoolPresence&) = delete;
    PoolPresence& operator=(const PoolPresence&) = delete;

private:
    Device* device;
    bool lost = false;
};

// The device drawing into the game window, if any (one per process).
Device* currentDevice();

// Width and height of a PNG or JPEG from its header; false if unreadable.
bool readPictureSize(const std::string& path, UINT& width, UINT& height, D3DXIMAGE_FILEFORMAT& format);

}  // namespace platform
