// A cheap first look before a full collision test. The entities in a level
// collide as boxes, and the box test compares axis-aligned boxes, so a level
// can work each box out once and compare boxes with the test's own
// comparisons: a pair that cannot meet skips the full test, which would have
// found them apart with the same arithmetic on the same values.
#pragma once

#include "entities/entity.h"

#include <type_traits>

enum class BoxKind {
    Inactive,  // every test against it fails
    Box,       // the box test runs on it; the sides are valid
    Other      // some other shape: only the full test can tell
};

struct AxisBox {
    BoxKind kind = BoxKind::Other;
    float left = 0, right = 0, top = 0, bottom = 0;
};

// One side of a box shape from its centre, scale and edge, in the box test's
// own arithmetic.
inline float sideAt(float centre, LONG edge, float s)
{
    return centre + static_cast<float>(edge) * s;
}

inline AxisBox boxAt(const D3DXVECTOR2& c, float s, const RECT& edge)
{
    AxisBox b;
    b.kind = BoxKind::Box;
    b.left = sideAt(c.x, edge.left, s);
    b.right = sideAt(c.x, edge.right, s);
    b.top = sideAt(c.y, edge.top, s);
    b.bottom = sideAt(c.y, edge.bottom, s);
    return b;
}

// Does T leave every getter the box test reads as Entity and Image have it?
// (The type of &T::f names the class whose f lookup finds.)
template <typename T>
constexpr bool keepsBoxGetters =
    std::is_same_v<decltype(&T::getActive), bool (Entity::*)()> &&
    std::is_same_v<decltype(&T::getCollisionType), int (Entity::*)()> &&
    std::is_same_v<decltype(&T::getCenter), const D3DXVECTOR2* (Entity::*)()> &&
    std::is_same_v<decltype(&T::getEdge), const RECT* (Entity::*)()> &&
    std::is_same_v<decltype(&T::getScale), float (Image::*)()> &&
    std::is_same_v<decltype(&T::getCenterX), float (Image::*)()> &&
    std::is_same_v<decltype(&T::getCenterY), float (Image::*)()> &&
    std::is_same_v<decltype(&T::testCollision), bool (Entity::*)(Entity&, D3DXVECTOR2&)> &&
    std::is_same_v<decltype(&T::testBoxes), bool (Entity::*)(Entity&, D3DXVECTOR2&)>;

// Does T leave Image's position getters and setters as they are? Then, for
// an object whose type is exactly T, they can be called without the table.
template <typename T>
constexpr bool keepsPositionAccessors = std::is_same_v<decltype(&T::getX), float (Image::*)()> &&
                                        std::is_same_v<decltype(&T::getY), float (Image::*)()> &&
                                        std::is_same_v<decltype(&T::setX), void (Image::*)(float)> &&
                                        std::is_same_v<decltype(&T::setY), void (Image::*)(float)>;

// Image's centre sums: the half size is an integer division.
inline float centreX(const SpriteData& d)
{
    return d.x + static_cast<float>(d.width / 2) * d.scale;
}
inline float centreY(const SpriteData& d)
{
    return d.y + static_cast<float>(d.height / 2) * d.scale;
}

// The box of an entity whose type is exactly T (an element of a container
// of T, or a member), read straight from its fields: the same values the
// getters would give, since T replaces none of them, without a call. Forced
// inline: a level asks for a few hundred boxes a frame.
template <typename T>
[[gnu::always_inline]] inline AxisBox axisBoxOf(T& e)
{
    static_assert(keepsBoxGetters<T>, "this type works its box out its own way: use anyAxisBoxOf");
    const Entity& en = e;
    if (!en.active)
        return AxisBox{BoxKind::Inactive};
    if (en.collisionType != entityNS::BOX)
        return AxisBox{};
    const SpriteData& d = en.spriteData;
    return boxAt(D3DXVECTOR2(centreX(d), centreY(d)), d.scale, en.edge);
}

// Through the getters: for an entity that may be of a derived type.
inline AxisBox anyAxisBoxOf(Entity& e)
{
    if (!e.getActive())
        return AxisBox{BoxKind::Inactive};
    if (e.getCollisionType() != entityNS::BOX)
        return AxisBox{};
    return boxAt(*e.getCenter(), e.getScale(), *e.getEdge());
}

// True when the full test between the two would certainly report no hit:
// either is inactive, or both are boxes that do not meet. The comparisons are
// the box test's own (touching edges meet; a NaN side meets nothing).
inline bool cannotMeet(const AxisBox& a, const AxisBox& b)
{
    if (a.kind == BoxKind::Inactive || b.kind == BoxKind::Inactive)
        return true;
    if (a.kind != BoxKind::Box || b.kind != BoxKind::Box)
        return false;
    return !(b.left <= a.right && b.right >= a.left && b.top <= a.bottom && b.bottom >= a.top);
}

// cannotMeet(a, axisBoxOf(e)), working out each side of e's box only when the
// comparisons before it have not yet told: most pairs a level asks about lie
// apart, and one or two sides say so.
template <typename T>
[[gnu::always_inline]] inline bool cannotMeetBoxOf(const AxisBox& a, T& e)
{
    static_assert(keepsBoxGetters<T>, "this type works its box out its own way: use anyAxisBoxOf");
    const Entity& en = e;
    if (a.kind == BoxKind::Inactive || !en.active)
        return true;
    if (a.kind != BoxKind::Box || en.collisionType != entityNS::BOX)
        return false;
    const SpriteData& d = en.spriteData;
    const float x = centreX(d);
    if (!(sideAt(x, en.edge.left, d.scale) <= a.right) || !(sideAt(x, en.edge.right, d.scale) >= a.left))
        return true;
    const float y = centreY(d);
    return !(sideAt(y, en.edge.top, d.scale) <= a.bottom) || !(sideAt(y, en.edge.bottom, d.scale) >= a.top);
}
