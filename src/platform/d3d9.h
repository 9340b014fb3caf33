// The Direct3D 9 interfaces the game draws through: a device that clears,
// presents, survives loss and reset, and draws flat coloured quads. Objects
// are reference counted like their Windows counterparts: Release() frees.
#pragma once

#include "win32_types.h"

using D3DCOLOR = DWORD;

constexpr UINT D3D_SDK_VERSION = 32;
constexpr HRESULT D3D_OK = S_OK;
constexpr HRESULT D3DERR_DEVICELOST = static_cast<HRESULT>(0x88760868u);
constexpr HRESULT D3DERR_DEVICENOTRESET = static_cast<HRESULT>(0x88760869u);
constexpr HRESULT D3DERR_NOTAVAILABLE = static_cast<HRESULT>(0x8876086Au);
constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086Cu);
constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59u);

enum D3DFORMAT : UINT { D3DFMT_UNKNOWN = 0, D3DFMT_A8R8G8B8 = 21, D3DFMT_X8R8G8B8 = 22 };
enum D3DPOOL : UINT { D3DPOOL_DEFAULT = 0, D3DPOOL_MANAGED = 1, D3DPOOL_SYSTEMMEM = 2 };
enum D3DDEVTYPE : UINT { D3DDEVTYPE_HAL = 1 };
enum D3DSWAPEFFECT : UINT { D3DSWAPEFFECT_DISCARD = 1 };
enum D3DPRIMITIVETYPE : UINT { D3DPT_TRIANGLELIST = 4, D3DPT_TRIANGLEFAN = 6 };
enum D3DRENDERSTATETYPE : UINT {
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_BLENDOP = 171,
};
enum D3DBLEND : DWORD { D3DBLEND_SRCALPHA = 5, D3DBLEND_INVSRCALPHA = 6 };
enum D3DBLENDOP : DWORD { D3DBLENDOP_ADD = 1 };

constexpr UINT D3DADAPTER_DEFAULT = 0;
constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;
constexpr DWORD D3DDEVCAPS_HWTRANSFORMANDLIGHT = 0x10000;
constexpr DWORD D3DCLEAR_TARGET = 0x1;
constexpr DWORD D3DUSAGE_WRITEONLY = 0x8;
constexpr DWORD D3DFVF_XYZRHW = 0x004;
constexpr DWORD D3DFVF_DIFFUSE = 0x040;
constexpr UINT D3DPRESENT_INTERVAL_IMMEDIATE = 0x80000000u;
constexpr DWORD D3DVS_VERSION(DWORD major, DWORD minor) { return 0xFFFE0000u | (major << 8) | minor; }

struct D3DPRESENT_PARAMETERS {
    UINT BackBufferWidth;
    UINT BackBufferHeight;
    D3DFORMAT BackBufferFormat;
    UINT BackBufferCount;
    UINT MultiSampleType;
    DWORD MultiSampleQuality;
    D3DSWAPEFFECT SwapEffect;
    HWND hDeviceWindow;
    BOOL Windowed;
    BOOL EnableAutoDepthStencil;
    D3DFORMAT AutoDepthStencilFormat;
    DWORD Flags;
    UINT FullScreen_RefreshRateInHz;
    UINT PresentationInterval;
};

struct D3DDISPLAYMODE {
    UINT Width;
    UINT Height;
    UINT RefreshRate;
    D3DFORMAT Format;
};

struct D3DCAPS9 {
    D3DDEVTYPE DeviceType;
    UINT AdapterOrdinal;
    DWORD DevCaps;
    DWORD VertexShaderVersion;
    DWORD PixelShaderVersion;
};

struct D3DRECT {
    LONG x1, y1, x2, y2;
};

// Shared by every Direct3D object: a reference count.
struct IUnknownLike {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknownLike() = default;
};

struct IDirect3DTexture9 : IUnknownLike {};

struct IDirect3DVertexBuffer9 : IUnknownLike {
    virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
    virtual HRESULT Unlock() = 0;
};

struct IDirect3DDevice9 : IUnknownLike {
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT Reset(D3DPRESENT_PARAMETERS* params) = 0;
    virtual HRESULT Present(const RECT* src, const RECT* dst, HWND override, const void* dirty) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                          DWORD stencil) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                       IDirect3DVertexBuffer9** vb, HANDLE* shared) = 0;
    virtual HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* vb, UINT offset, UINT stride) = 0;
    virtual HRESULT SetFVF(DWORD fvf) = 0;
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) = 0;
};

struct IDirect3D9 : IUnknownLike {
    virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
    virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) = 0;
    virtual HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) = 0;
    virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focus, DWORD flags,
                                 D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) = 0;
};

IDirect3D9* Direct3DCreate9(UINT sdkVersion);
