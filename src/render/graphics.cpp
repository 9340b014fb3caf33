#include "render/graphics.h"

#include "base/game_error.h"
#include "win32_window.h"

#include <cstring>

Graphics::Graphics() = default;

Graphics::~Graphics()
{
    if (sprite) {
        sprite->Release();
        sprite = nullptr;
    }
    if (device3d) {
        device3d->Release();
        device3d = nullptr;
    }
    if (direct3d) {
        direct3d->Release();
        direct3d = nullptr;
    }
}

void Graphics::initialize(HWND hw)
{
    hwnd = hw;
    width = graphicsNS::GAME_WIDTH;
    height = graphicsNS::GAME_HEIGHT;
    fullscreen = false;

    direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3d == nullptr)
        throw GameError(FATAL_ERROR, "Error initializing Direct3D");

    initD3Dpp();
    if (fullscreen) {
        if (!isAdapterCompatible())
            throw GameError(FATAL_ERROR,
                            "The graphics device does not support the specified resolution and/or format.");
        d3dpp.FullScreen_RefreshRateInHz = pMode.RefreshRate;
    }

    D3DCAPS9 caps{};
    direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
    DWORD behavior = ((caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) == 0 ||
                      caps.VertexShaderVersion < D3DVS_VERSION(1, 1))
                         ? D3DCREATE_SOFTWARE_VERTEXPROCESSING
                         : D3DCREATE_HARDWARE_VERTEXPROCESSING;

    result = direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hwnd, behavior, &d3dpp, &device3d);
    if (FAILED(result))
        throw GameError(FATAL_ERROR, "Error creating Direct3D device");

    result = D3DXCreateSprite(device3d, &sprite);
    if (FAILED(result))
        throw GameError(FATAL_ERROR, "Error creating Direct3D sprite");

    setBlendStates();
}

void Graphics::setBlendStates()
{
    device3d->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    device3d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device3d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

void Graphics::initD3Dpp()
{
    std::memset(&d3dpp, 0, sizeof(d3dpp));
    d3dpp.BackBufferWidth = static_cast<UINT>(width);
    d3dpp.BackBufferHeight = static_cast<UINT>(height);
    d3dpp.BackBufferFormat = fullscreen ? D3DFMT_X8R8G8B8 : D3DFMT_UNKNOWN;
    d3dpp.BackBufferCount = 1;
    d3dpp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    d3dpp.hDeviceWindow = hwnd;
    d3dpp.Windowed = fullscreen ? FALSE : TRUE;
    d3dpp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
}

bool Graphics::isAdapterCompatible()
{
    UINT modes = direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, d3dpp.BackBufferFormat);
    for (UINT i = 0; i < modes; ++i) {
        direct3d->EnumAdapterModes(D3DADAPTER_DEFAULT, d3dpp.BackBufferFormat, i, &pMode);
        if (pMode.Height == d3dpp.BackBufferHeight && pMode.Width == d3dpp.BackBufferWidth &&
            pMode.RefreshRate >= d3dpp.FullScreen_RefreshRateInHz)
            return true;
    }
    return false;
}

HRESULT Graphics::loadTexture(const char* filename, UINT& texWidth, UINT& texHeight, LP_TEXTURE& texture)
{
    result = E_FAIL;
    if (filename == nullptr) {
        texture = nullptr;
        return D3DERR_INVALIDCALL;
    }
    D3DXIMAGE_INFO info{};
    result = D3DXGetImageInfoFromFileA(filename, &info);
    if (result != D3D_OK)
        return result;
    texWidth = info.Width;
    texHeight = info.Height;
    result = D3DXCreateTextureFromFileExA(device3d, filename, info.Width, info.Height, 1, 0, D3DFMT_UNKNOWN,
                                          D3DPOOL_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, graphicsNS::TRANSCOLOR,
                                          &info, nullptr, &texture);
    return result;
}

HRESULT Graphics::reloadTexture(const std::string& path, UINT& texWidth, UINT& texHeight, LP_TEXTURE& texture)
{
    D3DXIMAGE_INFO info{};
    result = D3DXCreateTextureFromFileExA(device3d, path.c_str(), texWidth, texHeight, 1, 0, D3DFMT_UNKNOWN,
                                          D3DPOOL_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, graphicsNS::TRANSCOLOR,
                                          &info, nullptr, &texture);
    if (result == D3D_OK) {
        texWidth = info.Width;
        texHeight = info.Height;
    }
    return result;
}

HRESULT Graphics::createVertexBuffer(const ColorVertex verts[4], LP_VERTEXBUFFER& vb)
{
    HRESULT hr = device3d->CreateVertexBuffer(4 * sizeof(ColorVertex), D3DUSAGE_WRITEONLY, D3DFVF_VERTEX,
                                              D3DPOOL_DEFAULT, &vb, nullptr);
    if (FAILED(hr))
        return hr;
    void* ptr = nullptr;
    hr = vb->Lock(0, 0, &ptr, 0);
    if (FAILED(hr))
        return hr;
    std::memcpy(ptr, verts, 4 * sizeof(ColorVertex));
    vb->Unlock();
    return hr;
}

bool Graphics::drawQuad(LP_VERTEXBUFFER vb)
{
    if (vb == nullptr)
        return false;
    device3d->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device3d->SetStreamSource(0, vb, 0, sizeof(ColorVertex));
    device3d->SetFVF(D3DFVF_VERTEX);
    HRESULT hr = device3d->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
    device3d->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    return SUCCEEDED(hr);
}

void Graphics::drawSprite(const SpriteData& sd, COLOR_ARGB color)
{
    if (sd.texture == nullptr)
        return;

    // Rotate about the frame's centre, its halves rounded down.
    D3DXVECTOR2 spriteCenter(static_cast<float>(sd.width / 2) * sd.scale,
                             static_cast<float>(sd.height / 2) * sd.scale);
    D3DXVECTOR2 translate(sd.x, sd.y);
    D3DXVECTOR2 scaling(sd.scale, sd.scale);
    if (sd.flipHorizontal) {
        scaling.x *= -1;
        spriteCenter.x -= static_cast<float>(sd.width) * sd.scale;
        translate.x += static_cast<float>(sd.width) * sd.scale;
    }
    if (sd.flipVertical) {
        scaling.y *= -1;
        spriteCenter.y -= static_cast<float>(sd.height) * sd.scale;
        translate.y += static_cast<float>(sd.height) * sd.scale;
    }
    D3DXMATRIX matrix;
    D3DXMatrixTransformation2D(&matrix, nullptr, 0.0f, &scaling, &spriteCenter, sd.angle, &translate);
    sprite->SetTransform(&matrix);
    sprite->Draw(sd.texture, &sd.rect, nullptr, nullptr, color);
}

HRESULT Graphics::reset()
{
    result = E_FAIL;
    initD3Dpp();
    sprite->OnLostDevice();
    result = device3d->Reset(&d3dpp);
    setBlendStates();
    sprite->OnResetDevice();
    return result;
}

void Graphics::changeDisplayMode(graphicsNS::DISPLAY_MODE mode)
{
    try {
        switch (mode) {
        case graphicsNS::FULLSCREEN:
            if (fullscreen)
                return;
            fullscreen = true;
            break;
        case graphicsNS::WINDOW:
            if (!fullscreen)
                return;
            fullscreen = false;
            break;
        default:
            fullscreen = !fullscreen;
        }
        reset();
        if (fullscreen) {
            SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_VISIBLE | WS_POPUP | 0x8));
        } else {
            applyWindowedStyle();
        }
    } catch (...) {
        applyWindowedStyle();
    }
}

// Back to an overlapped window the player can resize. Its size and place
// are the ones it had before full screen: the device puts them back, and the
// picture is letterboxed into whatever size that is.
void Graphics::applyWindowedStyle()
{
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

HRESULT Graphics::beginScene()
{
    result = E_FAIL;
    if (device3d == nullptr)
        return result;
    device3d->Clear(0, nullptr, D3DCLEAR_TARGET, backColor, 1.0f, 0);
    result = device3d->BeginScene();
    return result;
}

HRESULT Graphics::endScene()
{
    result = E_FAIL;
    if (device3d)
        result = device3d->EndScene();
    return result;
}

HRESULT Graphics::showBackbuffer()
{
    result = E_FAIL;
    if (device3d)
        result = device3d->Present(nullptr, nullptr, nullptr, nullptr);
    return result;
}

HRESULT Graphics::getDeviceState()
{
    result = E_FAIL;
    if (device3d == nullptr)
        return result;
    result = device3d->TestCooperativeLevel();
    return result;
}

void Graphics::spriteBegin()
{
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
}

void Graphics::spriteEnd()
{
    sprite->End();
}
