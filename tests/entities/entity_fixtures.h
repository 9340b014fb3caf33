// Builders for entities placed by their centre, for the collision tests.
#pragma once

#include "entities/entity.h"
#include "render/texture_manager.h"

#include <cmath>

namespace entity_fixtures {

// An empty manager: the entities here are never drawn.
inline TextureManager& noTextures()
{
    static TextureManager tm;
    return tm;
}

constexpr int FRAME = 64;  // frame size of every test entity

inline void placeCentre(Entity& e, float cx, float cy)
{
    e.setX(cx - FRAME / 2 * e.getScale());
    e.setY(cy - FRAME / 2 * e.getScale());
    e.setBoxComputed(false);
}

inline void initEntity(Entity& e, int type, float cx, float cy, float scale)
{
    Graphics* noGraphics = nullptr;
    e.initialize(noGraphics, FRAME, FRAME, 1, &noTextures());
    e.setCollisionType(type);
    e.setScale(scale);
    placeCentre(e, cx, cy);
}

inline void makeCircle(Entity& e, float cx, float cy, float radius, float scale = 1.0f)
{
    initEntity(e, entityNS::CIRCLE, cx, cy, scale);
    e.setRadius(radius);
}

// A square of side `side` (unscaled) about the centre, turned by `degrees`.
inline void makeBox(Entity& e, int type, float cx, float cy, int side, float degrees = 0, float scale = 1.0f)
{
    initEntity(e, type, cx, cy, scale);
    e.setEdge(RECT{-side / 2, -side / 2, side / 2, side / 2});
    e.setDegrees(degrees);
}

inline float dot(const D3DXVECTOR2& a, const D3DXVECTOR2& b) { return a.x * b.x + a.y * b.y; }
inline float length(const D3DXVECTOR2& v) { return std::sqrt(dot(v, v)); }

// A value no test writes, to see whether a test left the vector alone.
inline const D3DXVECTOR2 UNTOUCHED(12345.0f, -54321.0f);

}  // namespace entity_fixtures
