// The D3DX 9 helpers the game uses: 2D vectors and matrices, the sprite that
// draws textured quads, texture loading with a colour key, and fonts.
#pragma once

#include "d3d9.h"

#include <cmath>

struct D3DXVECTOR2 {
    float x = 0, y = 0;
    D3DXVECTOR2() = default;
    D3DXVECTOR2(float vx, float vy) : x(vx), y(vy) {}
    D3DXVECTOR2 operator+(const D3DXVECTOR2& o) const { return {x + o.x, y + o.y}; }
    D3DXVECTOR2 operator-(const D3DXVECTOR2& o) const { return {x - o.x, y - o.y}; }
    D3DXVECTOR2 operator-() const { return {-x, -y}; }
    D3DXVECTOR2 operator*(float s) const { return {x * s, y * s}; }
    D3DXVECTOR2 operator/(float s) const { return {x / s, y / s}; }
    D3DXVECTOR2& operator+=(const D3DXVECTOR2& o) { x += o.x; y += o.y; return *this; }
    D3DXVECTOR2& operator-=(const D3DXVECTOR2& o) { x -= o.x; y -= o.y; return *this; }
    D3DXVECTOR2& operator*=(float s) { x *= s; y *= s; return *this; }
    bool operator==(const D3DXVECTOR2& o) const { return x == o.x && y == o.y; }
    bool operator!=(const D3DXVECTOR2& o) const { return !(*this == o); }
};
inline D3DXVECTOR2 operator*(float s, const D3DXVECTOR2& v) { return v * s; }

struct D3DXVECTOR3 {
    float x = 0, y = 0, z = 0;
};

// Row-vector convention as in D3DX: p' = p * M, translation in row 4.
struct D3DXMATRIX {
    float _11, _12, _13, _14;
    float _21, _22, _23, _24;
    float _31, _32, _33, _34;
    float _41, _42, _43, _44;
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
// Scale about scalingCenter (turned by scalingRotation), rotate about
// rotationCenter, then translate. Any pointer may be null.
D3DXMATRIX* D3DXMatrixTransformation2D(D3DXMATRIX* out, const D3DXVECTOR2* scalingCenter,
                                       float scalingRotation, const D3DXVECTOR2* scaling,
                                       const D3DXVECTOR2* rotationCenter, float rotation,
                                       const D3DXVECTOR2* translation);
// A zero-length vector normalises to zero (never NaN).
D3DXVECTOR2* D3DXVec2Normalize(D3DXVECTOR2* out, const D3DXVECTOR2* v);
inline float D3DXVec2Length(const D3DXVECTOR2* v) { return std::sqrt(v->x * v->x + v->y * v->y); }
inline float D3DXVec2LengthSq(const D3DXVECTOR2* v) { return v->x * v->x + v->y * v->y; }
inline float D3DXVec2Dot(const D3DXVECTOR2* a, const D3DXVECTOR2* b) { return a->x * b->x + a->y * b->y; }

// ---- sprite ---------------------------------------------------------------
constexpr DWORD D3DXSPRITE_ALPHABLEND = 16;

struct ID3DXSprite : IUnknownLike {
    virtual HRESULT Begin(DWORD flags) = 0;
    virtual HRESULT End() = 0;
    virtual HRESULT SetTransform(const D3DXMATRIX* transform) = 0;
    virtual HRESULT GetTransform(D3DXMATRIX* transform) = 0;
    // Draws `src` of the texture (whole texture when null) with its top-left
    // at the origin, through the current transform, colours multiplied by
    // `color`. Centre and position are offsets, as in D3DX; null means zero.
    virtual HRESULT Draw(IDirect3DTexture9* texture, const RECT* src, const D3DXVECTOR3* center,
                         const D3DXVECTOR3* position, D3DCOLOR color) = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;
};

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite);

// ---- textures -------------------------------------------------------------
constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;

enum D3DXIMAGE_FILEFORMAT : UINT { D3DXIFF_BMP = 0, D3DXIFF_JPG = 1, D3DXIFF_PNG = 3 };

struct D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    UINT ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct PALETTEENTRY {
    BYTE peRed, peGreen, peBlue, peFlags;
};

// The picture's size without loading its pixels. The file name is the
// game's own ("pictures\\ocean.jpg"), resolved beside the program.
HRESULT D3DXGetImageInfoFromFileA(LPCSTR file, D3DXIMAGE_INFO* info);
// Loads a PNG or JPEG; pixels equal to colorKey (when not 0) become
// transparent black.
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, LPCSTR file, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                     DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                     D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                     IDirect3DTexture9** texture);

// ---- fonts ----------------------------------------------------------------
constexpr DWORD DT_TOP = 0x0000;
constexpr DWORD DT_LEFT = 0x0000;
constexpr DWORD DT_CENTER = 0x0001;
constexpr DWORD DT_RIGHT = 0x0002;
constexpr DWORD DT_VCENTER = 0x0004;
constexpr DWORD DT_BOTTOM = 0x0008;
constexpr DWORD DT_WORDBREAK = 0x0010;
constexpr DWORD DT_SINGLELINE = 0x0020;
constexpr DWORD DT_EXPANDTABS = 0x0040;
constexpr DWORD DT_NOCLIP = 0x0100;
constexpr DWORD DT_CALCRECT = 0x0400;

constexpr UINT FW_NORMAL = 400;
constexpr UINT FW_BOLD = 700;
constexpr DWORD DEFAULT_CHARSET = 1;
constexpr DWORD OUT_DEFAULT_PRECIS = 0;
constexpr DWORD DEFAULT_QUALITY = 0;
constexpr DWORD DEFAULT_PITCH = 0;

struct ID3DXFont : IUnknownLike {
    // Lays out and draws `text` (count -1: up to its NUL) in `rect`; with
    // DT_CALCRECT only measures, widening or deepening `rect`. Returns the
    // height of the text, 0 on failure.
    virtual INT DrawTextA(ID3DXSprite* sprite, LPCSTR text, INT count, RECT* rect, DWORD format,
                          D3DCOLOR color) = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;
};

// `height` is the cell height in pixels (ascent plus descent).
HRESULT D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT width, UINT weight, UINT mipLevels,
                        BOOL italic, DWORD charset, DWORD outputPrecision, DWORD quality,
                        DWORD pitchAndFamily, LPCSTR faceName, ID3DXFont** font);
