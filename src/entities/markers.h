// Places on a level's map. The end marker is the level's exit, drawn as a
// whirlpool; the invisible marker is an undrawn box enemy ships run into, so
// a level can turn them at chosen points. Both are plain entities with their
// own box and mass.
#pragma once

#include "entities/entity.h"

namespace markerNS {
constexpr float END_MASS = 0.1f;
constexpr float END_FRAME_DELAY = 0.2f;  // the whirlpool's spin
constexpr float INVISIBLE_MASS = 1.0f;
}  // namespace markerNS

class EndLevelMarker : public Entity {
public:
    EndLevelMarker();
};

class InvisibleMarker : public Entity {
public:
    InvisibleMarker();
    // Keeps a frame of no size even when the picture it is given has one,
    // so its centre is its position.
    bool initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM) override;
};
