// The Direct3D device over an SDL renderer. The game draws into an
// 800 x 600 back buffer (a render target) that Present letterboxes onto the
// window, its shape kept and black bars around it; on the software renderer
// a window of just that size is drawn into directly.
#include "d3d_internal.h"
#include "renderer_choice.h"
#include "testing.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {
namespace {

Device* theDevice = nullptr;

// Decoded pictures kept at most (unless one frame draws more): some screens'
// worth, so moving between the screens of a menu decodes nothing again.
constexpr std::size_t PICTURE_BUDGET_BYTES = 16u << 20;

SDL_Color toSdlColor(D3DCOLOR c)
{
    return SDL_Color{static_cast<Uint8>((c >> 16) & 0xFF), static_cast<Uint8>((c >> 8) & 0xFF),
                     static_cast<Uint8>(c & 0xFF), static_cast<Uint8>((c >> 24) & 0xFF)};
}

bool near(float a, float b) { return std::fabs(a - b) < 1e-4f; }

class VertexBuffer final : public RefCounted<IDirect3DVertexBuffer9> {
public:
    VertexBuffer(Device* owner, UINT length) : device(owner), bytes(length, 0)
    {
        device->AddRef();
        device->addLive();
    }
    ~VertexBuffer() override
    {
        device->removeLive();
        device->Release();
    }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD) override
    {
        if (data == nullptr || offset > bytes.size() || (size != 0 && offset + size > bytes.size()))
            return D3DERR_INVALIDCALL;
        *data = bytes.data() + offset;
        return D3D_OK;
    }
    HRESULT Unlock() override { return D3D_OK; }
    const std::vector<BYTE>& data() const { return bytes; }

private:
    Device* device;
    std::vector<BYTE> bytes;
};

class Direct3D final : public RefCounted<IDirect3D9> {
public:
    UINT GetAdapterModeCount(UINT adapter, D3DFORMAT) override
    {
        int n = SDL_GetNumDisplayModes(static_cast<int>(adapter));
        return n > 0 ? static_cast<UINT>(n) : 0;
    }
    HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) override
    {
        SDL_DisplayMode m;
        if (out == nullptr || SDL_GetDisplayMode(static_cast<int>(adapter), static_cast<int>(mode), &m) != 0)
            return D3DERR_INVALIDCALL;
        *out = D3DDISPLAYMODE{static_cast<UINT>(m.w), static_cast<UINT>(m.h), static_cast<UINT>(m.refresh_rate),
                              format};
        return D3D_OK;
    }
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override
    {
        if (caps == nullptr)
            return D3DERR_INVALIDCALL;
        *caps = D3DCAPS9{type, adapter, D3DDEVCAPS_HWTRANSFORMANDLIGHT, D3DVS_VERSION(2, 0), 0};
        return D3D_OK;
    }
    HRESULT CreateDevice(UINT, D3DDEVTYPE, HWND focus, DWORD, D3DPRESENT_PARAMETERS* params,
                         IDirect3DDevice9** device) override
    {
        if (device == nullptr || params == nullptr || focus == nullptr || focus->window == nullptr)
            return D3DERR_INVALIDCALL;
        if (theDevice != nullptr)
            return D3DERR_NOTAVAILABLE;  // one device per game window
        if (const char* driver = std::getenv("KEELHAVEN_RENDER_DRIVER"); driver && *driver)
            SDL_SetHint(SDL_HINT_RENDER_DRIVER, driver);
        SDL_Renderer* renderer = createGameRenderer(focus->window, SDL_RENDERER_TARGETTEXTURE);
        if (renderer == nullptr) {
            SDL_Log("No renderer for the window: %s", SDL_GetError());
            return D3DERR_NOTAVAILABLE;
        }
        auto* created = new Device(focus, renderer, *params);
        if (created->state() != D3D_OK) {
            created->Release();
            return D3DERR_NOTAVAILABLE;
        }
        *device = created;
        return D3D_OK;
    }
};

}  // namespace

Device* currentDevice() { return theDevice; }

namespace {
int liveTextures = 0;
}  // namespace

SDL_Texture* createRendererTexture(SDL_Renderer* renderer, Uint32 format, int access, int w, int h)
{
    SDL_Texture* t = SDL_CreateTexture(renderer, format, access, w, h);
    liveTextures += t ? 1 : 0;
    return t;
}

SDL_Texture* createRendererTexture(SDL_Renderer* renderer, SDL_Surface* surface)
{
    SDL_Texture* t = SDL_CreateTextureFromSurface(renderer, surface);
    liveTextures += t ? 1 : 0;
    return t;
}

void destroyRendererTexture(SDL_Texture* texture)
{
    if (texture == nullptr)
        return;
    if (theDevice != nullptr)
        theDevice->derived().forget(texture);
    SDL_DestroyTexture(texture);
    --liveTextures;
}

// ---- device -------------------------------------------------------------------
Device::Device(HWND window, SDL_Renderer* sdlRenderer, const D3DPRESENT_PARAMETERS& params)
    : hwnd(window), renderer(sdlRenderer), width(params.BackBufferWidth ? static_cast<int>(params.BackBufferWidth) : 800),
      height(params.BackBufferHeight ? static_cast<int>(params.BackBufferHeight) : 600),
      textureCache(PICTURE_BUDGET_BYTES)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0)
        software = (info.flags & SDL_RENDERER_SOFTWARE) != 0 || std::strcmp(info.name, "software") == 0;
    retainWindow(hwnd);
    hwnd->pictureWidth = width;
    hwnd->pictureHeight = height;
    theDevice = this;
    applyDisplayMode(params);
    if (!chooseTarget())
        forcedState = D3DERR_NOTAVAILABLE;
}

Device::~Device()
{
    derivedPictures.clear();
    textureCache.clear();
    dropBackBuffer();
    SDL_DestroyRenderer(renderer);
    if (theDevice == this)
        theDevice = nullptr;
    releaseWindow(hwnd);
}

bool Device::createBackBuffer()
{
    backBuffer = createRendererTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (backBuffer == nullptr)
        return false;
    SDL_SetTextureBlendMode(backBuffer, SDL_BLENDMODE_NONE);
    return true;
}

void Device::dropBackBuffer()
{
    destroyRendererTexture(backBuffer);
    backBuffer = nullptr;
}

bool Device::windowFitsBackBuffer() const
{
    // The window's own size: the renderer's output is the back buffer's
    // while that is the target.
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(hwnd->window, &w, &h);
    return software && w == width && h == height;
}

// The software renderer draws a window exactly the back buffer's size
// directly: the copy of the back buffer Present would make adds nothing
// there. A window of any other size (stretched, full screen), or another
// renderer, draws into the back buffer, which Present stretches onto it.
bool Device::chooseTarget()
{
    drawsToWindow = windowFitsBackBuffer();
    if (drawsToWindow) {
        dropBackBuffer();
        return SDL_SetRenderTarget(renderer, nullptr) == 0;
    }
    if (backBuffer == nullptr && !createBackBuffer())
        return false;
    return SDL_SetRenderTarget(renderer, backBuffer) == 0;
}

void Device::applyDisplayMode(const D3DPRESENT_PARAMETERS& params)
{
    setFullScreen(hwnd, !params.Windowed);
}

HRESULT Device::state() const
{
    if (forcedState != D3D_OK)
        return forcedState;
    return rendererWasReset ? D3DERR_DEVICENOTRESET : D3D_OK;
}

HRESULT Device::TestCooperativeLevel() { return state(); }

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* params)
{
    if (params == nullptr)
        return D3DERR_INVALIDCALL;
    if (forcedState == D3DERR_DEVICELOST)
        return D3DERR_DEVICELOST;
    if (liveObjects > 0)
        return D3DERR_INVALIDCALL;  // something in the default pool was not released
    clearPending = false;
    bool texturesLost = rendererWasReset;
    if (texturesLost) {
        // The renderer's textures are gone: nothing cached survives.
        derivedPictures.clear();
        textureCache.clear();
        ++rendererGeneration;
        rendererWasReset = false;
    }
    if (texturesLost)
        dropBackBuffer();
    applyDisplayMode(*params);
    if (!chooseTarget())
        return D3DERR_NOTAVAILABLE;
    forcedState = D3D_OK;
    return D3D_OK;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const void*)
{
    if (state() != D3D_OK)
        return D3DERR_DEVICELOST;
    clearIfPending();
    if (drawsToWindow) {
        SDL_RenderPresent(renderer);
    } else {
        SDL_SetRenderTarget(renderer, nullptr);
        presentLetterboxed();
        SDL_SetRenderTarget(renderer, backBuffer);
    }
    textureCache.endFrame();
    derivedPictures.endFrame();
    typeScriptedKeyAfterFrame();
    return D3D_OK;
}

// The back buffer centred in the window at the scale placePicture
// chooses, the rest black. Whole-number scales copy pixels as they are;
// only a picture shrunk below its own size is smoothed.
void Device::presentLetterboxed()
{
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer, &outW, &outH);
    const PicturePlacement placed = placePicture(outW, outH, width, height);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_SetTextureScaleMode(backBuffer, placed.wholeNumberScale ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    const SDL_Rect where{placed.x, placed.y, placed.width, placed.height};
    SDL_RenderCopy(renderer, backBuffer, nullptr, &where);
    SDL_RenderPresent(renderer);
}

HRESULT Device::BeginScene() { return D3D_OK; }
HRESULT Device::EndScene() { return D3D_OK; }

HRESULT Device::Clear(DWORD, const D3DRECT*, DWORD flags, D3DCOLOR color, float, DWORD)
{
    if (!canDraw())
        return D3D_OK;
    // A frame starts here: a window resized since the last one changes
    // where it is drawn.
    if (drawsToWindow != windowFitsBackBuffer() && !chooseTarget())
        return D3DERR_INVALIDCALL;
    if (flags & D3DCLEAR_TARGET) {
        clearColor = toSdlColor(color);
        clearPending = true;
    }
    return D3D_OK;
}

void Device::clearIfPending()
{
    if (!clearPending)
        return;
    clearPending = false;
    SDL_SetRenderDrawColor(renderer, clearColor.r, clearColor.g, clearColor.b, clearColor.a);
    SDL_RenderClear(renderer);
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE s, DWORD value)
{
    // Blending is always source-alpha over inverse source alpha, added: the
    // only combination the game sets.
    if (s == D3DRS_ALPHABLENDENABLE)
        blendEnabled = value != 0;
    return D3D_OK;
}

HRESULT Device::CreateVertexBuffer(UINT length, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9** vb, HANDLE*)
{
    if (vb == nullptr || length == 0)
        return D3DERR_INVALIDCALL;
    *vb = new VertexBuffer(this, length);
    return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT, IDirect3DVertexBuffer9* vb, UINT, UINT)
{
    stream = vb;
    return D3D_OK;
}

HRESULT Device::SetFVF(DWORD) { return D3D_OK; }

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount)
{
    if (stream == nullptr || type != D3DPT_TRIANGLEFAN)
        return D3DERR_INVALIDCALL;
    if (!canDraw())
        return D3D_OK;
    clearIfPending();
    struct RawVertex {
        float x, y, z, rhw;
        DWORD color;
    };
    const std::vector<BYTE>& bytes = static_cast<VertexBuffer*>(stream)->data();
    UINT vertexCount = primitiveCount + 2;
    if ((startVertex + vertexCount) * sizeof(RawVertex) > bytes.size())
        return D3DERR_INVALIDCALL;
    std::vector<SDL_Vertex> verts(vertexCount);
    for (UINT i = 0; i < vertexCount; ++i) {
        RawVertex v;
        std::memcpy(&v, bytes.data() + (startVertex + i) * sizeof(RawVertex), sizeof(v));
        verts[i].position = SDL_FPoint{v.x, v.y};
        verts[i].color = toSdlColor(v.color);
        verts[i].tex_coord = SDL_FPoint{0, 0};
    }
    std::vector<int> indices;
    for (UINT i = 1; i + 1 < vertexCount; ++i) {
        indices.push_back(0);
        indices.push_back(static_cast<int>(i));
        indices.push_back(static_cast<int>(i + 1));
    }
    SDL_SetRenderDrawBlendMode(renderer, blendEnabled ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    int rc = SDL_RenderGeometry(renderer, nullptr, verts.data(), static_cast<int>(verts.size()), indices.data(),
                                static_cast<int>(indices.size()));
    return rc == 0 ? D3D_OK : D3DERR_INVALIDCALL;
}

// A copy at 1:1 of only the part of `src` that holds ink: fully transparent
// texels blend to nothing, so leaving them out draws the same pixels. The
// renderer truncates where the copy lands; the offset is added after that,
// so every texel still lands where the whole copy would have put it.
void Device::copyInk(const TexturePixels& tex, const SDL_Rect& src, float x0, float y0)
{
    SDL_Rect kept;
    if (!SDL_IntersectRect(&src, &tex.ink, &kept))
        return;
    const SDL_FRect dst{static_cast<float>(static_cast<int>(x0) + (kept.x - src.x)),
                        static_cast<float>(static_cast<int>(y0) + (kept.y - src.y)), static_cast<float>(kept.w),
                        static_cast<float>(kept.h)};
    SDL_RenderCopyF(renderer, tex.texture, &kept, &dst);
}

// A tinted or scaled draw the software renderer would make texel by texel,
// copied 1:1 from a picture made of it once, when one draws the same pixels.
// The sizes truncate as the renderer truncates them.
bool Device::drawStandIn(const TexturePixels& tex, const SDL_Rect& src, float x0, float y0, float w, float h,
                         SDL_Color c)
{
    DerivedRequest request;
    request.texture = tex.texture;
    request.src = src;
    request.width = static_cast<int>(w);
    request.height = static_cast<int>(h);
    request.color = c;
    request.hasTransparency = tex.hasTransparency;
    request.binaryAlpha = tex.binaryAlpha;
    const StandIn* standIn = derivedPictures.standIn(renderer, request);
    if (standIn == nullptr)
        return false;
    if (standIn->ink.w > 0 && std::fabs(x0) < 1e6f && std::fabs(y0) < 1e6f) {
        // Where the whole picture would land, truncated as the renderer does.
        const SDL_FRect dst{static_cast<float>(static_cast<int>(x0) + standIn->ink.x),
                            static_cast<float>(static_cast<int>(y0) + standIn->ink.y),
                            static_cast<float>(standIn->ink.w), static_cast<float>(standIn->ink.h)};
        SDL_RenderCopyF(renderer, standIn->picture, &standIn->ink, &dst);
    }
    return true;
}

void Device::drawTextured(const TexturePixels& tex, const SDL_Rect& src, const D3DXMATRIX& m, float ox, float oy,
                          D3DCOLOR color)
{
    if (!canDraw() || tex.texture == nullptr || src.w <= 0 || src.h <= 0)
        return;
    SDL_Color c = toSdlColor(color);
    if (c.a == 0)
        return;
    SDL_SetTextureColorMod(tex.texture, c.r, c.g, c.b);
    SDL_SetTextureAlphaMod(tex.texture, c.a);

    const float a = m._11, b = m._12, cc = m._21, d = m._22;
    const float w = static_cast<float>(src.w), h = static_cast<float>(src.h);
    // Where the local top-left corner lands.
    const float x0 = ox * a + oy * cc + m._41;
    const float y0 = ox * b + oy * d + m._42;
    const bool opaqueDraw = !tex.hasTransparency && c.a == 255;
    // An opaque, unturned picture over the whole target leaves nothing of
    // a clear before it to be seen.
    const bool coversTarget = opaqueDraw && near(b, 0) && near(cc, 0) && a > 0 && d > 0 && x0 <= 0 && y0 <= 0 &&
                              x0 + w * a >= static_cast<float>(width) && y0 + h * d >= static_cast<float>(height);
    if (coversTarget)
        clearPending = false;
    clearIfPending();

    if (near(b, 0) && near(cc, 0)) {
        // Scale and mirror only: a plain copy.
        if (software && a > 0 && d > 0 && drawStandIn(tex, src, x0, y0, w * a, h * d, c))
            return;
        SDL_SetTextureBlendMode(tex.texture, opaqueDraw ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
        if (a == 1.0f && d == 1.0f && tex.inkKnown && tex.hasTransparency && std::fabs(x0) < 1e6f &&
            std::fabs(y0) < 1e6f) {
            copyInk(tex, src, x0, y0);
            return;
        }
        float dw = w * a, dh = h * d;
        SDL_FRect dst{x0, y0, dw, dh};
        int flip = SDL_FLIP_NONE;
        if (dw < 0) {
            dst.x += dw;
            dst.w = -dw;
            flip |= SDL_FLIP_HORIZONTAL;
        }
        if (dh < 0) {
            dst.y += dh;
            dst.h = -dh;
            flip |= SDL_FLIP_VERTICAL;
        }
        if (flip == SDL_FLIP_NONE)
            SDL_RenderCopyF(renderer, tex.texture, &src, &dst);
        else
            SDL_RenderCopyExF(renderer, tex.texture, &src, &dst, 0.0, nullptr, static_cast<SDL_RendererFlip>(flip));
        return;
    }

    SDL_SetTextureBlendMode(tex.texture, SDL_BLENDMODE_BLEND);
    const bool turned = near(a, d) && near(b, -cc);     // rotation and uniform scale
    const bool mirrored = near(a, -d) && near(b, cc);   // the same after a left-right mirror
    if (turned || mirrored) {
        float s = std::sqrt(a * a + b * b);
        double degrees = turned ? std::atan2(b, a) * 180.0 / M_PI : std::atan2(-b, -a) * 180.0 / M_PI;
        // The centre of the frame, where SDL turns it.
        float cx = (ox + w / 2) * a + (oy + h / 2) * cc + m._41;
        float cy = (ox + w / 2) * b + (oy + h / 2) * d + m._42;
        SDL_FRect dst{cx - w * s / 2, cy - h * s / 2, w * s, h * s};
        SDL_RenderCopyExF(renderer, tex.texture, &src, &dst, degrees, nullptr,
                          mirrored ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE);
        return;
    }

    // Any other affine matrix: two textured triangles.
    float tw = static_cast<float>(tex.width), th = static_cast<float>(tex.height);
    const float lx[4] = {ox, ox + w, ox + w, ox};
    const float ly[4] = {oy, oy, oy + h, oy + h};
    const float u[4] = {src.x / tw, (src.x + w) / tw, (src.x + w) / tw, src.x / tw};
    const float v[4] = {src.y / th, src.y / th, (src.y + h) / th, (src.y + h) / th};
    SDL_Vertex verts[4];
    for (int i = 0; i < 4; ++i) {
        verts[i].position = SDL_FPoint{lx[i] * a + ly[i] * cc + m._41, lx[i] * b + ly[i] * d + m._42};
        verts[i].color = c;
        verts[i].tex_coord = SDL_FPoint{u[i], v[i]};
    }
    static const int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer, tex.texture, verts, 4, indices, 6);
}

bool Device::readBack(std::vector<std::uint32_t>& pixels, int& w, int& h)
{
    if (!drawsToWindow && backBuffer == nullptr)
        return false;
    w = width;
    h = height;
    pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    SDL_SetRenderTarget(renderer, drawsToWindow ? nullptr : backBuffer);
    clearIfPending();
    const SDL_Rect picture{0, 0, w, h};
    return SDL_RenderReadPixels(renderer, &picture, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) == 0;
}

bool Device::readWindow(std::vector<std::uint32_t>& pixels, int& w, int& h)
{
    clearIfPending();
    if (SDL_SetRenderTarget(renderer, nullptr) != 0 || SDL_GetRendererOutputSize(renderer, &w, &h) != 0)
        return false;
    pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    const SDL_Rect whole{0, 0, w, h};
    const bool read = SDL_RenderReadPixels(renderer, &whole, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) == 0;
    if (!drawsToWindow)
        SDL_SetRenderTarget(renderer, backBuffer);
    return read;
}

void notifyRenderDeviceReset()
{
    if (theDevice)
        theDevice->rendererLost();
}

}  // namespace platform

IDirect3D9* Direct3DCreate9(UINT sdkVersion)
{
    if (sdkVersion != D3D_SDK_VERSION || !platform::ensureSdl())
        return nullptr;
    return new platform::Direct3D;
}

// ---- test seams ---------------------------------------------------------------
namespace platform::testing {

void forceDeviceState(HRESULT s)
{
    if (Device* d = currentDevice())
        d->forceState(s);
}

int liveDefaultPoolObjects()
{
    Device* d = currentDevice();
    return d ? d->live() : 0;
}

void loseRendererTextures() { notifyRenderDeviceReset(); }

int liveRendererTextures() { return liveTextures; }

void dropTextureCache()
{
    if (Device* d = currentDevice())
        d->cache().clear();
}

void setDecodedPictureBudget(std::size_t bytes)
{
    if (Device* d = currentDevice())
        d->cache().setBudget(bytes != 0 ? bytes : PICTURE_BUDGET_BYTES);
}

std::size_t decodedPictureBytes()
{
    Device* d = currentDevice();
    return d ? d->cache().decodedBytes() : 0;
}

bool readBackBuffer(std::vector<std::uint32_t>& pixels, int& width, int& height)
{
    Device* d = currentDevice();
    return d && d->readBack(pixels, width, height);
}

bool saveBackBufferPng(const std::string& path);  // in d3dx_texture.cpp

bool readWindowPixels(std::vector<std::uint32_t>& pixels, int& width, int& height)
{
    Device* d = currentDevice();
    return d && d->readWindow(pixels, width, height);
}

void drawFloorFrame()
{
    static SDL_Texture* picture = nullptr;
    static SDL_Renderer* madeFor = nullptr;
    Device* d = currentDevice();
    if (d == nullptr)
        return;
    SDL_Renderer* r = d->sdlRenderer();
    if (picture == nullptr || madeFor != r) {
        picture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 800, 600);
        std::vector<Uint32> grey(800 * 600, 0xFF808080u);
        SDL_UpdateTexture(picture, nullptr, grey.data(), 800 * 4);
        SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_NONE);
        madeFor = r;
    }
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    SDL_RenderCopy(r, picture, nullptr, nullptr);
    SDL_RenderPresent(r);
}

std::string rendererName()
{
    Device* d = currentDevice();
    SDL_RendererInfo info;
    if (d == nullptr || SDL_GetRendererInfo(d->sdlRenderer(), &info) != 0)
        return {};
    return info.name;
}

}  // namespace platform::testing
