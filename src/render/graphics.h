// The graphics device and sprite drawing: one per game, handed to everything
// that draws.
#pragma once

#include "d3d9.h"
#include "d3dx9.h"

#include <string>

using COLOR_ARGB = DWORD;
constexpr COLOR_ARGB SETCOLOR_ARGB(DWORD a, DWORD r, DWORD g, DWORD b)
{
    return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

namespace graphicsNS {
constexpr COLOR_ARGB WHITE = 0xFFFFFFFF;
constexpr COLOR_ARGB BLACK = 0xFF000000;
constexpr COLOR_ARGB NAVY = 0xFF000080;
constexpr COLOR_ARGB RED = 0xFFFF0000;
constexpr COLOR_ARGB GREEN = 0xFF00FF00;
constexpr COLOR_ARGB YELLOW = 0xFFFFFF00;
constexpr COLOR_ARGB ORANGE = 0xFFFFA500;
constexpr COLOR_ARGB CYAN = 0xFF00FFFF;
constexpr COLOR_ARGB GRAY = 0xFF808080;
constexpr COLOR_ARGB TRANSCOLOR = 0xFF00FF00;  // colour key of every picture
constexpr COLOR_ARGB FILTER = 0x00000000;      // "use the image's own colour filter"
constexpr COLOR_ARGB BACK_COLOR = NAVY;
constexpr int GAME_WIDTH = 800;
constexpr int GAME_HEIGHT = 600;
enum DISPLAY_MODE { TOGGLE = 0, FULLSCREEN = 1, WINDOW = 2 };
}  // namespace graphicsNS

// A pre-transformed coloured vertex of the flat quads (console and dialog
// backgrounds).
struct ColorVertex {
    float x, y, z;
    float rhw;
    DWORD color;
};
static_assert(sizeof(ColorVertex) == 20, "a quad's buffer is 80 bytes");
constexpr DWORD D3DFVF_VERTEX = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

using LP_TEXTURE = IDirect3DTexture9*;
using LP_SPRITE = ID3DXSprite*;
using LP_3DDEVICE = IDirect3DDevice9*;
using LP_3D = IDirect3D9*;
using LP_VERTEXBUFFER = IDirect3DVertexBuffer9*;
using VECTOR2 = D3DXVECTOR2;

// Everything one sprite draw needs.
struct SpriteData {
    int width = 0;   // one frame, texture pixels
    int height = 0;
    float x = 0;     // top-left of the frame before rotation, screen pixels
    float y = 0;
    float scale = 1;
    float angle = 0;  // radians, clockwise
    RECT rect{};      // source rectangle: the current frame
    LP_TEXTURE texture = nullptr;  // not owned
    bool flipHorizontal = false;
    bool flipVertical = false;
};

class Graphics {
public:
    Graphics();
    virtual ~Graphics();

    // Creates the device and the sprite; throws GameError on failure.
    void initialize(HWND hw);

    // Loads a picture with the green colour key. width and height receive
    // the whole picture's size.
    HRESULT loadTexture(const char* filename, UINT& width, UINT& height, LP_TEXTURE& texture);
    // Loads again a picture that loaded before from `path` (as found on
    // disk): a released picture still cached costs no disk access at all.
    HRESULT reloadTexture(const std::string& path, UINT& width, UINT& height, LP_TEXTURE& texture);
    HRESULT createVertexBuffer(const ColorVertex verts[4], LP_VERTEXBUFFER& vb);
    bool drawQuad(LP_VERTEXBUFFER vb);
    void drawSprite(const SpriteData& spriteData, COLOR_ARGB color = graphicsNS::WHITE);

    HRESULT reset();
    void changeDisplayMode(graphicsNS::DISPLAY_MODE mode = graphicsNS::TOGGLE);

    HRESULT beginScene();
    HRESULT endScene();
    HRESULT showBackbuffer();
    HRESULT getDeviceState();
    void spriteBegin();
    void spriteEnd();
    void setBackColor(COLOR_ARGB c) { backColor = c; }
    COLOR_ARGB getBackColor() const { return backColor; }

    LP_3DDEVICE get3Ddevice() { return device3d; }
    LP_SPRITE getSprite() { return sprite; }
    bool getFullscreen() const { return fullscreen; }
    HRESULT getResult() const { return result; }

    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

private:
    void initD3Dpp();
    bool isAdapterCompatible();
    void setBlendStates();
    void applyWindowedStyle();

    LP_3D direct3d = nullptr;
    LP_3DDEVICE device3d = nullptr;
    LP_SPRITE sprite = nullptr;
    D3DPRESENT_PARAMETERS d3dpp{};
    D3DDISPLAYMODE pMode{};
    HRESULT result = E_FAIL;
    HWND hwnd = nullptr;
    bool fullscreen = false;
    int width = graphicsNS::GAME_WIDTH;
    int height = graphicsNS::GAME_HEIGHT;
    COLOR_ARGB backColor = graphicsNS::BACK_COLOR;
};
