// A drawable picture: one SpriteData record, the texture manager it draws
// from, a colour filter, and frame animation over a grid of equally sized
// frames in one texture. Every operation is virtual so that entities, the HUD
// bar and the ships can replace any of them; the order of the virtual
// operations is part of the interface the subclasses extend.
#pragma once

#include "render/graphics.h"

class TextureManager;

namespace imageNS {
// Degrees and radians, converted with a single-precision pi (3.1415927410125732)
// so that angles round-trip the way the game's data was tuned.
constexpr double DEGREES_TO_RADIANS = 0.017453293005625408;  // float pi / 180
constexpr double RADIANS_TO_DEGREES = 57.29577791868205;     // 180 / float pi
}  // namespace imageNS

// The texture number of the "draw with texture n" form. COLOR_ARGB and UINT
// are the same 32-bit type on this platform, so the colour form and the
// texture form need distinct parameter types: draw(TextureNumber(k)).
struct TextureNumber {
    constexpr explicit TextureNumber(UINT index) : n(index) {}
    UINT n;
};

class Image {
public:
    Image();
    virtual ~Image();

    virtual const SpriteData& getSpriteInfo() { return spriteData; }
    virtual bool getVisible() { return visible; }
    virtual float getX() { return spriteData.x; }
    virtual float getY() { return spriteData.y; }
    virtual float getScale() { return spriteData.scale; }
    virtual int getWidth() { return spriteData.width; }
    virtual int getHeight() { return spriteData.height; }
    // The half size is an integer division, as the sprite draw rotates about it.
    virtual float getCenterX() { return spriteData.x + static_cast<float>(spriteData.width / 2) * getScale(); }
    virtual float getCenterY() { return spriteData.y + static_cast<float>(spriteData.height / 2) * getScale(); }
    virtual float getDegrees() { return static_cast<float>(spriteData.angle * imageNS::RADIANS_TO_DEGREES); }
    virtual float getRadians() { return spriteData.angle; }
    virtual float getFrameDelay() { return frameDelay; }
    virtual int getStartFrame() { return startFrame; }
    virtual int getEndFrame() { return endFrame; }
    virtual int getCurrentFrame() { return currentFrame; }
    virtual RECT getSpriteDataRect() { return spriteData.rect; }
    virtual bool getAnimationComplete() { return animComplete; }
    virtual COLOR_ARGB getColorFilter() { return colorFilter; }

    virtual void setX(float newX) { spriteData.x = newX; }
    virtual void setY(float newY) { spriteData.y = newY; }
    virtual void setScale(float s) { spriteData.scale = s; }
    virtual void setDegrees(float deg) { spriteData.angle = static_cast<float>(deg * imageNS::DEGREES_TO_RADIANS); }
    virtual void setRadians(float rad) { spriteData.angle = rad; }
    virtual void setVisible(bool v) { visible = v; }
    virtual void setFrameDelay(float d) { frameDelay = d; }
    // Sets the animation range only; the frame shown does not change.
    virtual void setFrames(int start, int end)
    {
        startFrame = start;
        endFrame = end;
    }
    // A negative frame is ignored.
    virtual void setCurrentFrame(int c);
    // Recomputes the source rectangle for the current frame.
    virtual void setRect();
    virtual void setSpriteDataRect(RECT r) { spriteData.rect = r; }
    virtual void setLoop(bool lp) { loop = lp; }
    virtual void setAnimationComplete(bool a) { animComplete = a; }
    virtual void setColorFilter(COLOR_ARGB color) { colorFilter = color; }
    virtual void setTextureManager(TextureManager* tm) { textureManager = tm; }

    // width or height 0 takes the size of the manager's picture 0; ncols 0
    // means one column. Both g and tm must be given. Always succeeds.
    virtual bool initialize(Graphics* g, int width, int height, int ncols, TextureManager* tm);
    virtual void flipHorizontal(bool flip) { spriteData.flipHorizontal = flip; }
    virtual void flipVertical(bool flip) { spriteData.flipVertical = flip; }

    // Draws another record (its place, size, angle, flips) with this image's
    // current frame from texture textureN: a shadow or a second copy.
    virtual void draw(SpriteData sd, COLOR_ARGB color, UINT textureN);
    // Texture textureN, untinted.
    virtual void draw(TextureNumber textureN);
    // Texture 0; colour 0 (graphicsNS::FILTER) means this image's filter.
    virtual void draw(COLOR_ARGB color);
    // The main draw: texture textureN of the manager, colour 0 meaning the
    // filter. The texture chosen stays in the sprite record.
    virtual void draw(COLOR_ARGB color, UINT textureN);
    // Advances the animation by at most one frame.
    virtual void update(float frameTime);

protected:
    Graphics* graphics = nullptr;  // not owned; nothing draws while null
    TextureManager* textureManager = nullptr;  // not owned
    SpriteData spriteData;
    COLOR_ARGB colorFilter = graphicsNS::WHITE;
    int cols = 1;  // frame columns in the texture; never 0 after initialize
    int startFrame = 0;
    int endFrame = 0;
    int currentFrame = 0;
    float frameDelay = 1.0f;  // seconds per frame
    float animTimer = 0;
    bool loop = true;
    bool visible = true;
    bool animComplete = false;
};
