#include "render/text_dx.h"

TextDX::TextDX() = default;

TextDX::~TextDX()
{
    if (dxFont) {
        dxFont->Release();
        dxFont = nullptr;
    }
}

bool TextDX::initialize(Graphics* g, int height, bool bold, bool italic, const std::string& fontName)
{
    graphics = g;
    UINT weight = bold ? FW_BOLD : FW_NORMAL;
    if (dxFont) {
        dxFont->Release();
        dxFont = nullptr;
    }
    if (FAILED(D3DXCreateFontA(graphics->get3Ddevice(), height, 0, weight, 1, italic, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, fontName.c_str(), &dxFont)))
        return false;
    D3DXMatrixIdentity(&matrix);
    return true;
}

int TextDX::print(const std::string& str, int x, int y)
{
    if (dxFont == nullptr)
        return 0;
    fontRect.top = y;
    fontRect.left = x;
    D3DXVECTOR2 rCenter(static_cast<float>(x), static_cast<float>(y));
    D3DXMatrixTransformation2D(&matrix, nullptr, 0.0f, nullptr, &rCenter, angle, nullptr);
    graphics->getSprite()->SetTransform(&matrix);
    return dxFont->DrawTextA(graphics->getSprite(), str.c_str(), -1, &fontRect, DT_LEFT, color);
}

int TextDX::print(const std::string& str, RECT& rect, UINT format)
{
    if (dxFont == nullptr)
        return 0;
    D3DXMatrixIdentity(&matrix);
    graphics->getSprite()->SetTransform(&matrix);
    return dxFont->DrawTextA(graphics->getSprite(), str.c_str(), -1, &rect, format, color);
}

void TextDX::onLostDevice()
{
    if (dxFont)
        dxFont->OnLostDevice();
}

void TextDX::onResetDevice()
{
    if (dxFont)
        dxFont->OnResetDevice();
}
