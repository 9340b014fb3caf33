#include "entities/markers.h"

EndLevelMarker::EndLevelMarker()
{
    // 16 x 16 about the centre; levels draw it at scale 2, so 32 x 32.
    edge = RECT{-8, -8, 8, 8};
    collisionType = entityNS::BOX;
    mass = markerNS::END_MASS;
    frameDelay = markerNS::END_FRAME_DELAY;
}

InvisibleMarker::InvisibleMarker()
{
    // Set up with a frame of no size, its centre is its position: the box is
    // the 64 x 64 square around that point.
    edge = RECT{-32, -32, 32, 32};
    collisionType = entityNS::BOX;
    mass = markerNS::INVISIBLE_MASS;
}

bool InvisibleMarker::initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM)
{
    const bool ok = Entity::initialize(engine, width, height, ncols, textureM);
    // A size of 0 would otherwise take the picture's own, and the box would
    // sit half a picture off the marker's place.
    spriteData.width = width;
    spriteData.height = height;
    return ok;
}
