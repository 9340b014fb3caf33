// Text drawn with a font through the shared sprite, at a point (optionally
// rotated about it) or laid out in a rectangle.
#pragma once

#include "render/graphics.h"

#include <string>

namespace textDXNS {
constexpr float DEGREES_TO_RADIANS = 0.017453293005625408f;
constexpr float RADIANS_TO_DEGREES = 57.29577791868205f;
}  // namespace textDXNS

class TextDX {
public:
    TextDX();
    virtual ~TextDX();

    virtual bool initialize(Graphics* g, int height, bool bold, bool italic, const std::string& fontName);
    // Between spriteBegin and spriteEnd. Both return the drawn text's height.
    virtual int print(const std::string& str, RECT& rect, UINT format);
    virtual int print(const std::string& str, int x, int y);
    virtual float getDegrees() { return angle * textDXNS::RADIANS_TO_DEGREES; }
    virtual float getRadians() { return angle; }
    virtual COLOR_ARGB getFontColor() { return color; }
    virtual void setDegrees(float deg) { angle = deg * textDXNS::DEGREES_TO_RADIANS; }
    virtual void setRadians(float rad) { angle = rad; }
    virtual void setFontColor(COLOR_ARGB c) { color = c; }
    virtual void onLostDevice();
    virtual void onResetDevice();

    const RECT& getFontRect() const { return fontRect; }

    TextDX(const TextDX&) = delete;
    TextDX& operator=(const TextDX&) = delete;

private:
    Graphics* graphics = nullptr;
    COLOR_ARGB color = graphicsNS::WHITE;
    ID3DXFont* dxFont = nullptr;
    RECT fontRect{0, 0, graphicsNS::GAME_WIDTH, graphicsNS::GAME_HEIGHT};
    D3DXMATRIX matrix{};
    float angle = 0;
};
