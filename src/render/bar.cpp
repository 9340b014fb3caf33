#include "render/bar.h"

bool Bar::initialize(Graphics* g, TextureManager* tm, float scale)
{
    try {
        Image::initialize(g, barNS::WIDTH, barNS::HEIGHT, 1, tm);
        setCurrentFrame(0);
        spriteData.x = barNS::X;
        spriteData.y = barNS::Y;
        colorFilter = graphicsNS::GREEN;
        spriteData.scale = scale;
        return true;
    } catch (...) {
        return false;
    }
}

void Bar::set(float percentOn)
{
    if (percentOn < 0)
        percentOn = 0;
    else if (percentOn > 100)
        percentOn = 100;
    spriteData.rect.right =
        spriteData.rect.left + static_cast<LONG>(static_cast<float>(spriteData.width) * percentOn / 100.0f);

    // The tint follows the right edge in texture pixels, not the percentage.
    const LONG right = spriteData.rect.right;
    if (right <= barNS::RED_UP_TO)
        colorFilter = graphicsNS::RED;
    else if (right <= barNS::ORANGE_UP_TO)
        colorFilter = graphicsNS::ORANGE;
    else if (right <= barNS::YELLOW_UP_TO)
        colorFilter = graphicsNS::YELLOW;
    else
        colorFilter = graphicsNS::GREEN;
}

void Bar::update(float) {}
