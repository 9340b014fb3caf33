// Fonts: a face found by name, sized to the cell height the game asks for,
// its glyphs kept in one texture and drawn through the sprite.
#include "d3dx_texture_object.h"
#include "font_lookup.h"
#include "text_layout.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr int ATLAS_WIDTH = 1024;
constexpr unsigned char FALLBACK = '?';

struct Glyph {
    SDL_Rect rect{};   // in the atlas; empty for blanks
    int offsetX = 0;   // pen position inside the glyph picture
    int advance = 0;
    bool present = false;
};

bool drawable(unsigned c) { return c >= 32 && (c < 127 || c >= 160); }

// Opens `file` with its cell height (ascent plus descent) as close to
// `height` pixels as the face allows.
TTF_Font* openAtCellHeight(const FontFile& file, int height)
{
    TTF_Font* font = TTF_OpenFontIndexDPI(file.path.c_str(), height, file.index, 72, 72);
    if (font == nullptr)
        return nullptr;
    int natural = TTF_FontHeight(font);
    if (natural <= 0 || natural == height)
        return font;
    unsigned dpi = static_cast<unsigned>(std::max(1, (72 * height + natural / 2) / natural));
    unsigned best = dpi;
    int bestError = 1 << 30;
    for (int step = 0; step < 12; ++step) {
        TTF_SetFontSizeDPI(font, height, dpi, dpi);
        int got = TTF_FontHeight(font);
        int error = std::abs(got - height);
        if (error < bestError) {
            best = dpi;
            bestError = error;
        }
        if (got == height)
            break;
        dpi = got < height ? dpi + 1 : dpi - 1;
        if (dpi == 0)
            break;
    }
    TTF_SetFontSizeDPI(font, height, best, best);
    return font;
}

class Font final : public RefCounted<ID3DXFont> {
public:
    Font(Device* owner, TTF_Font* ttf) : device(owner), presence(owner), font(ttf)
    {
        cellHeight = TTF_FontHeight(font);
        buildGlyphs();
    }
    ~Font() override
    {
        dropAtlasTexture();
        if (atlas)
            SDL_FreeSurface(atlas);
        TTF_CloseFont(font);
    }

    INT DrawTextA(ID3DXSprite* sprite, LPCSTR text, INT count, RECT* rect, DWORD format, D3DCOLOR color) override
    {
        if (presence.isLost() || text == nullptr || rect == nullptr)
            return 0;
        std::string s(text, count < 0 ? std::strlen(text) : static_cast<size_t>(count));
        if (s.empty()) {
            if (format & DT_CALCRECT) {
                rect->right = rect->left;
                rect->bottom = rect->top;
            }
            return 0;
        }
        auto advance = [this, format](unsigned char c) { return advanceOf(c, format); };
        TextLayout layout = layoutText(s, *rect, format, cellHeight, advance);
        if (format & DT_CALCRECT) {
            *rect = calcRect(layout, *rect, format);
            return layout.height;
        }
        drawLayout(sprite, s, layout, *rect, format, color);
        return drawTextResult(layout, *rect, format);
    }

    HRESULT OnLostDevice() override
    {
        dropAtlasTexture();
        presence.lose();
        return D3D_OK;
    }
    HRESULT OnResetDevice() override
    {
        presence.restore();
        return D3D_OK;
    }

private:
    int advanceOf(unsigned char c, DWORD format) const
    {
        if (c == '\t')
            return glyphs[' '].advance * ((format & DT_EXPANDTABS) ? 8 : 1);
        if (!drawable(c))
            return 0;
        return glyphs[c].present ? glyphs[c].advance : glyphs[FALLBACK].advance;
    }

    void buildGlyphs()
    {
        const SDL_Color white{255, 255, 255, 255};
        SDL_Surface* pictures[256] = {};
        int x = 0, y = 0, rowHeight = 0;
        for (unsigned c = 0; c < 256; ++c) {
            if (!drawable(c) || !TTF_GlyphIsProvided32(font, c))
                continue;
            Glyph& g = glyphs[c];
            int minx = 0, maxx = 0, miny = 0, maxy = 0, adv = 0;
            if (TTF_GlyphMetrics32(font, c, &minx, &maxx, &miny, &maxy, &adv) != 0)
                continue;
            g.present = true;
            g.advance = adv;
            g.offsetX = minx < 0 ? -minx : 0;
            if (c == ' ' || maxx <= minx)
                continue;
            SDL_Surface* picture = TTF_RenderGlyph32_Blended(font, c, white);
            if (picture == nullptr)
                continue;
            if (x + picture->w > ATLAS_WIDTH) {
                x = 0;
                y += rowHeight + 1;
                rowHeight = 0;
            }
            g.rect = SDL_Rect{x, y, picture->w, picture->h};
            x += picture->w + 1;
            rowHeight = std::max(rowHeight, picture->h);
            pictures[c] = picture;
        }
        atlas = SDL_CreateRGBSurfaceWithFormat(0, ATLAS_WIDTH, std::max(1, y + rowHeight), 32,
                                               SDL_PIXELFORMAT_ARGB8888);
        for (unsigned c = 0; c < 256; ++c) {
            if (pictures[c] == nullptr)
                continue;
            if (atlas) {
                SDL_SetSurfaceBlendMode(pictures[c], SDL_BLENDMODE_NONE);
                SDL_BlitSurface(pictures[c], nullptr, atlas, &glyphs[c].rect);
            }
            SDL_FreeSurface(pictures[c]);
        }
    }

    bool ensureAtlasTexture()
    {
        if (atlasTexture && atlasGeneration == device->generation())
            return true;
        dropAtlasTexture();
        if (atlas == nullptr)
            return false;
        SDL_Texture* t = SDL_CreateTextureFromSurface(device->sdlRenderer(), atlas);
        if (t == nullptr)
            return false;
        SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(t, device->isSoftware() ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        atlasTexture = t;
        atlasGeneration = device->generation();
        return true;
    }

    void dropAtlasTexture()
    {
        // After a renderer reset the old texture went with the renderer.
        if (atlasTexture && atlasGeneration == device->generation())
            SDL_DestroyTexture(atlasTexture);
        atlasTexture = nullptr;
    }

    void drawLayout(ID3DXSprite* sprite, const std::string& s, const TextLayout& layout, const RECT& rect,
                    DWORD format, D3DCOLOR color)
    {
        if (!device->canDraw() || !ensureAtlasTexture())
            return;
        D3DXMATRIX m;
        if (sprite == nullptr || FAILED(sprite->GetTransform(&m)))
            D3DXMatrixIdentity(&m);
        const bool clip = (format & DT_NOCLIP) == 0;
        TexturePixels tex{atlasTexture, atlas->w, atlas->h, true};
        for (const TextLine& line : layout.lines) {
            int pen = line.x;
            for (size_t i = line.start; i < line.start + line.length; ++i) {
                auto c = static_cast<unsigned char>(s[i]);
                int adv = advanceOf(c, format);
                const Glyph& g = glyphs[drawable(c) && !glyphs[c].present ? FALLBACK : c];
                if (drawable(c) && g.rect.w > 0) {
                    int left = pen - g.offsetX, top = line.y;
                    SDL_Rect src = g.rect;
                    if (clip) {
                        int cutLeft = std::max(0, static_cast<int>(rect.left) - left);
                        int cutTop = std::max(0, static_cast<int>(rect.top) - top);
                        int cutRight = std::max(0, left + src.w - static_cast<int>(rect.right));
                        int cutBottom = std::max(0, top + src.h - static_cast<int>(rect.bottom));
                        src.x += cutLeft;
                        src.y += cutTop;
                        src.w -= cutLeft + cutRight;
                        src.h -= cutTop + cutBottom;
                        left += cutLeft;
                        top += cutTop;
                    }
                    if (src.w > 0 && src.h > 0)
                        device->drawTextured(tex, src, m, static_cast<float>(left), static_cast<float>(top), color);
                }
                pen += adv;
            }
        }
    }

    DeviceRef device;
    PoolPresence presence;
    TTF_Font* font;
    int cellHeight = 0;
    Glyph glyphs[256];
    SDL_Surface* atlas = nullptr;
    SDL_Texture* atlasTexture = nullptr;
    unsigned atlasGeneration = 0;
};

}  // namespace
}  // namespace platform

HRESULT D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT, UINT weight, UINT, BOOL italic, DWORD, DWORD,
                        DWORD, DWORD, LPCSTR faceName, ID3DXFont** font)
{
    if (device == nullptr || font == nullptr || faceName == nullptr || height == 0)
        return D3DERR_INVALIDCALL;
    if (!TTF_WasInit() && TTF_Init() != 0)
        return D3DERR_NOTAVAILABLE;
    bool bold = weight >= 600;
    platform::FontFile file;
    if (!platform::findFont(faceName, bold, italic != 0, file))
        return D3DERR_NOTAVAILABLE;
    // A negative height is the character height; the cell is a little taller.
    int cell = height > 0 ? height : (-height * 5 + 2) / 4;
    TTF_Font* ttf = platform::openAtCellHeight(file, cell);
    if (ttf == nullptr)
        return D3DERR_NOTAVAILABLE;
    int style = TTF_STYLE_NORMAL;
    if (bold && !file.bold)
        style |= TTF_STYLE_BOLD;
    if (italic && !file.italic)
        style |= TTF_STYLE_ITALIC;
    TTF_SetFontStyle(ttf, style);
    *font = new platform::Font(static_cast<platform::Device*>(device), ttf);
    return D3D_OK;
}
