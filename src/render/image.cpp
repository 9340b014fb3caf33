#include "render/image.h"

#include "render/texture_manager.h"

Image::Image()
{
    // A 2 x 2 placeholder frame until initialize gives the real size.
    spriteData.width = 2;
    spriteData.height = 2;
    spriteData.x = 0;
    spriteData.y = 0;
    spriteData.scale = 1.0f;
    spriteData.angle = 0;
    spriteData.rect = RECT{0, 0, 2, 2};
    spriteData.texture = nullptr;
    spriteData.flipHorizontal = false;
    spriteData.flipVertical = false;
}

Image::~Image() = default;  // the textures belong to the manager

bool Image::initialize(Graphics* g, int width, int height, int ncols, TextureManager* tm)
{
    graphics = g;
    textureManager = tm;
    spriteData.texture = tm->getTexture(0);
    spriteData.width = width != 0 ? width : static_cast<int>(tm->getWidth(0));
    spriteData.height = height != 0 ? height : static_cast<int>(tm->getHeight(0));
    cols = ncols != 0 ? ncols : 1;
    setRect();
    return true;
}

void Image::setCurrentFrame(int c)
{
    if (c < 0)
        return;
    currentFrame = c;
    animComplete = false;
    setRect();
}

void Image::setRect()
{
    // Frames run row by row, cols to a row, from the texture's top-left.
    spriteData.rect.left = (currentFrame % cols) * spriteData.width;
    spriteData.rect.top = (currentFrame / cols) * spriteData.height;
    spriteData.rect.right = spriteData.rect.left + spriteData.width;
    spriteData.rect.bottom = spriteData.rect.top + spriteData.height;
}

void Image::draw(SpriteData sd, COLOR_ARGB color, UINT textureN)
{
    if (!visible || graphics == nullptr)
        return;
    sd.rect = spriteData.rect;
    sd.texture = textureManager->getTexture(textureN);
    if (color == graphicsNS::FILTER)
        color = colorFilter;
    graphics->drawSprite(sd, color);
}

void Image::draw(TextureNumber textureN)
{
    draw(graphicsNS::WHITE, textureN.n);
}

void Image::draw(COLOR_ARGB color)
{
    draw(color, 0u);
}

void Image::draw(COLOR_ARGB color, UINT textureN)
{
    if (!visible || graphics == nullptr)
        return;
    spriteData.texture = textureManager->getTexture(textureN);
    if (color == graphicsNS::FILTER)
        color = colorFilter;
    graphics->drawSprite(spriteData, color);
}

void Image::update(float frameTime)
{
    if (endFrame - startFrame <= 0)
        return;  // a single frame does not animate
    animTimer += frameTime;
    if (animTimer > frameDelay) {
        // One step per update; the remainder carries over, so a long frame
        // does not skip frames.
        animTimer -= frameDelay;
        ++currentFrame;
        if (currentFrame < startFrame || currentFrame > endFrame) {
            if (loop) {
                currentFrame = startFrame;
            } else {
                currentFrame = endFrame;
                animComplete = true;
            }
        }
        setRect();
    }
}
