// The hit and explosion pictures that ships show once through, then stop.
#pragma once

#include "render/image.h"

inline void setUpOneShotAnimation(Image& image, Graphics* graphics, int width, int height, int ncols,
                                  TextureManager* textureM, int first, int last, float delay)
{
    image.initialize(graphics, width, height, ncols, textureM);
    image.setFrames(first, last);
    image.setCurrentFrame(first);
    image.setFrameDelay(delay);
    image.setLoop(false);
}
