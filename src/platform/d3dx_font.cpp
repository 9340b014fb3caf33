// Fonts: a face found by name, sized to the cell height the game asks for,
// its glyphs kept in one texture shared by every font of the same face, height
// and style, and drawn through the sprite. Glyphs are measured when a font is
// first used and drawn into the texture when it first draws, so fonts made at
// start-up but shown later (dialogs, the console) cost nothing until then.
#include "d3dx_texture_object.h"
#include "font_lookup.h"
#include "text_layout.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {
namespace {

constexpr int ATLAS_WIDTH = 1024;
constexpr unsigned char FALLBACK = '?';

struct Glyph {
    SDL_Rect rect{};   // in the atlas; empty for blanks
    int offsetX = 0;   // pen position inside the glyph picture
    int advance = 0;
    bool present = false;
    bool inked = false;  // has a picture (not a blank)
};

bool drawable(unsigned c) { return c >= 32 && (c < 127 || c >= 160); }

using FontBytes = std::shared_ptr<const std::vector<char>>;

// A font file read whole, once while any face made from it lives: the face
// then reads its tables from memory, not in thousands of small reads.
FontBytes fontFileBytes(const std::string& path)
{
    static std::unordered_map<std::string, std::weak_ptr<const std::vector<char>>> files;
    if (auto it = files.find(path); it != files.end())
        if (FontBytes alive = it->second.lock())
            return alive;
    // One read of the known size: a byte at a time through a stream
    // iterator took several milliseconds of start-up per face.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return nullptr;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > static_cast<std::streamoff>(INT32_MAX))
        return nullptr;
    std::vector<char> read(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(read.data(), size))
        return nullptr;
    auto bytes = std::make_shared<const std::vector<char>>(std::move(read));
    files[path] = bytes;
    return bytes;
}

// Opens face `index` of the file in `bytes` with its cell height (ascent
// plus descent) as close to `height` pixels as the face allows.
TTF_Font* openAtCellHeight(const FontBytes& bytes, int index, int height)
{
    SDL_RWops* rw = SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
    if (rw == nullptr)
        return nullptr;
    TTF_Font* font = TTF_OpenFontIndexDPIRW(rw, 1, height, index, 72, 72);
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

// The glyphs of one face at one cell height and style, drawn once into one
// texture. Every font asking for the same face, height and style on the same
// device shares it: the levels alone ask for the same score font 31 times.
class GlyphAtlas {
public:
    GlyphAtlas(Device* owner, FontBytes bytes, TTF_Font* ttf, std::string registryKey)
        : device(owner), fileBytes(std::move(bytes)), font(ttf), key(std::move(registryKey))
    {
        cellHeight = TTF_FontHeight(font);
    }
    ~GlyphAtlas()
    {
        destroyRendererTexture(texture);
        TTF_CloseFont(font);
        atlasRegistry().erase(key);
    }
    GlyphAtlas(const GlyphAtlas&) = delete;
    GlyphAtlas& operator=(const GlyphAtlas&) = delete;

    // Atlases alive, by face, height, style and device.
    static std::unordered_map<std::string, std::weak_ptr<GlyphAtlas>>& atlasRegistry()
    {
        static std::unordered_map<std::string, std::weak_ptr<GlyphAtlas>> registry;
        return registry;
    }

    // Every glyph's advance and offset, measured once.
    const Glyph* measured()
    {
        if (!isMeasured)
            measureGlyphs();
        return glyphs;
    }

    // The atlas in renderer memory, drawn when first asked for and again
    // only after a renderer reset (the glyphs draw the same each time).
    SDL_Texture* rendererTexture()
    {
        if (texture && textureGeneration == device->generation())
            return texture;
        // A reset renderer keeps its old textures until they are destroyed.
        destroyRendererTexture(texture);
        texture = nullptr;
        measured();
        SDL_Surface* atlas = drawGlyphs();
        if (atlas == nullptr)
            return nullptr;
        SDL_Texture* t = device->isSoftware() ? lockableTexture(atlas) : createRendererTexture(device->sdlRenderer(), atlas);
        atlasWidth = atlas->w;
        atlasHeight = atlas->h;
        SDL_FreeSurface(atlas);
        if (t == nullptr)
            return nullptr;
        SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(t, device->isSoftware() ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        texture = t;
        textureGeneration = device->generation();
        return texture;
    }

    int cellHeight = 0;
    int atlasWidth = 0;
    int atlasHeight = 0;

private:
    void measureGlyphs()
    {
        isMeasured = true;
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
            g.inked = c != ' ' && maxx > minx;
        }
    }

    // On the software renderer the atlas can be locked, so that text drawn
    // the same way each frame can be made into a picture once (see
    // derived_pictures.h).
    SDL_Texture* lockableTexture(SDL_Surface* atlas)
    {
        SDL_Texture* t = createRendererTexture(device->sdlRenderer(), SDL_PIXELFORMAT_ARGB8888,
                                               SDL_TEXTUREACCESS_STREAMING, atlas->w, atlas->h);
        if (t != nullptr && SDL_UpdateTexture(t, nullptr, atlas->pixels, atlas->pitch) != 0) {
            destroyRendererTexture(t);
            return nullptr;
        }
        return t;
    }

    // Every glyph drawn into one picture, its place noted.
    SDL_Surface* drawGlyphs()
    {
        const SDL_Color white{255, 255, 255, 255};
        SDL_Surface* pictures[256] = {};
        int x = 0, y = 0, rowHeight = 0;
        for (unsigned c = 0; c < 256; ++c) {
            Glyph& g = glyphs[c];
            if (!g.inked)
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
        SDL_Surface* atlas = SDL_CreateRGBSurfaceWithFormat(0, ATLAS_WIDTH, std::max(1, y + rowHeight), 32,
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
        return atlas;
    }

    Glyph glyphs[256];
    bool isMeasured = false;

    Device* device;  // outlives the atlas: every font sharing it holds the device
    FontBytes fileBytes;  // what `font` reads from; let go after it is closed
    TTF_Font* font;
    std::string key;
    SDL_Texture* texture = nullptr;
    unsigned textureGeneration = 0;
};

class Font final : public RefCounted<ID3DXFont> {
public:
    Font(Device* owner, std::shared_ptr<GlyphAtlas> shared)
        : device(owner), presence(owner), glyphAtlas(std::move(shared)), cellHeight(glyphAtlas->cellHeight)
    {
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
        glyphs = glyphAtlas->measured();
        auto advance = [this, format](unsigned char c) { return advanceOf(c, format); };
        TextLayout layout = layoutText(s, *rect, format, cellHeight, advance);
        if (format & DT_CALCRECT) {
            *rect = calcRect(layout, *rect, format);
            return layout.height;
        }
        drawLayout(sprite, s, layout, *rect, format, color);
        return drawTextResult(layout, *rect, format);
    }

    // The glyphs, and their picture in renderer memory, stay: only a renderer
    // reset takes the picture, and it is made again when next drawn.
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
    int advanceOf(unsigned char c, DWORD format) const
    {
        if (c == '\t')
            return glyphs[' '].advance * ((format & DT_EXPANDTABS) ? 8 : 1);
        if (!drawable(c))
            return 0;
        return glyphs[c].present ? glyphs[c].advance : glyphs[FALLBACK].advance;
    }

    void drawLayout(ID3DXSprite* sprite, const std::string& s, const TextLayout& layout, const RECT& rect,
                    DWORD format, D3DCOLOR color)
    {
        if (!device->canDraw())
            return;
        SDL_Texture* atlasTexture = glyphAtlas->rendererTexture();
        if (atlasTexture == nullptr)
            return;
        D3DXMATRIX m;
        if (sprite == nullptr || FAILED(sprite->GetTransform(&m)))
            D3DXMatrixIdentity(&m);
        const bool clip = (format & DT_NOCLIP) == 0;
        TexturePixels tex{atlasTexture, glyphAtlas->atlasWidth, glyphAtlas->atlasHeight, true};
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

    DeviceRef device;  // first: let go after the atlas
    PoolPresence presence;
    std::shared_ptr<GlyphAtlas> glyphAtlas;
    const Glyph* glyphs = nullptr;  // measured when first used
    int cellHeight;
};

// What fontconfig answers for a face does not change while the game runs:
// each face, weight and slant is asked for once.
bool findFontOnce(const std::string& face, bool bold, bool italic, FontFile& out)
{
    static std::unordered_map<std::string, FontFile> found;
    const std::string key = face + (bold ? "#b" : "#r") + (italic ? "i" : "n");
    if (auto it = found.find(key); it != found.end()) {
        out = it->second;
        return true;
    }
    if (!findFont(face, bold, italic, out))
        return false;
    found[key] = out;
    return true;
}

// The atlas for `file` at `cell` pixels in `style`, shared if one is alive.
std::shared_ptr<GlyphAtlas> glyphAtlasFor(Device* device, const FontFile& file, int cell, int style)
{
    char suffix[96];
    std::snprintf(suffix, sizeof(suffix), "#%d#%d#%d#%p", file.index, cell, style, static_cast<void*>(device));
    std::string key = file.path + suffix;
    auto& registry = GlyphAtlas::atlasRegistry();
    if (auto it = registry.find(key); it != registry.end())
        if (std::shared_ptr<GlyphAtlas> alive = it->second.lock())
            return alive;
    FontBytes bytes = fontFileBytes(file.path);
    if (bytes == nullptr)
        return nullptr;
    TTF_Font* ttf = openAtCellHeight(bytes, file.index, cell);
    if (ttf == nullptr)
        return nullptr;
    TTF_SetFontStyle(ttf, style);
    auto atlas = std::make_shared<GlyphAtlas>(device, std::move(bytes), ttf, key);
    registry[key] = atlas;
    return atlas;
}

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
    if (!platform::findFontOnce(faceName, bold, italic != 0, file))
        return D3DERR_NOTAVAILABLE;
    // A negative height is the character height; the cell is a little taller.
    int cell = height > 0 ? height : (-height * 5 + 2) / 4;
    int style = TTF_STYLE_NORMAL;
    if (bold && !file.bold)
        style |= TTF_STYLE_BOLD;
    if (italic && !file.italic)
        style |= TTF_STYLE_ITALIC;
    auto* d = static_cast<platform::Device*>(device);
    std::shared_ptr<platform::GlyphAtlas> atlas = platform::glyphAtlasFor(d, file, cell, style);
    if (atlas == nullptr)
        return D3DERR_NOTAVAILABLE;
    *font = new platform::Font(d, std::move(atlas));
    return D3D_OK;
}

namespace platform::testing {

int glyphAtlasCount()
{
    int alive = 0;
    for (const auto& [key, atlas] : GlyphAtlas::atlasRegistry())
        alive += atlas.expired() ? 0 : 1;
    return alive;
}

}  // namespace platform::testing
