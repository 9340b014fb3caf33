#include "entities/entity.h"

#include "entities/axis_box.h"
#include "entities/plain_box.h"

#include "engine/engine_services.h"

#include <cmath>

Entity::Entity() = default;
Entity::~Entity() = default;

bool Entity::initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM)
{
    input = engine.input;
    audio = engine.audio;
    return Image::initialize(engine.graphics, width, height, ncols, textureM);
}

void Entity::update(float frameTime)
{
    velocity += pendingVelocity;
    pendingVelocity = D3DXVECTOR2(0, 0);
    Image::update(frameTime);
    boxComputed = false;
}

void Entity::face(int dir)
{
    direction = dir;
    facingUp = dir == entityNS::UP;
    facingDown = dir == entityNS::DOWN;
    facingLeft = dir == entityNS::LEFT;
    facingRight = dir == entityNS::RIGHT;
}

void Entity::turnAround()
{
    setVelocity(-velocity);
    if (currentFrame == entityNS::TURN_FRAME_B)
        setCurrentFrame(entityNS::TURN_FRAME_A);
    else if (currentFrame == entityNS::TURN_FRAME_A)
        setCurrentFrame(entityNS::TURN_FRAME_B);
    if (currentFrame == entityNS::TURN_FRAME_C)
        setCurrentFrame(entityNS::TURN_FRAME_D);
    else if (currentFrame == entityNS::TURN_FRAME_D)
        setCurrentFrame(entityNS::TURN_FRAME_C);
}

bool Entity::isOutside(RECT r)
{
    const float x = spriteData.x;
    const float y = spriteData.y;
    const float s = spriteData.scale;
    return static_cast<float>(r.left) > x + static_cast<float>(spriteData.width) * s ||
           static_cast<float>(r.right) < x ||
           static_cast<float>(r.top) > y + static_cast<float>(spriteData.height) * s ||
           static_cast<float>(r.bottom) < y;
}

// ---- collision tests --------------------------------------------------------

bool Entity::testCollision(Entity& other, D3DXVECTOR2& collisionVector)
{
    if (!getActive() || !other.getActive())
        return false;
    const int mine = getCollisionType();
    const int theirs = other.getCollisionType();
    if (mine == entityNS::CIRCLE && theirs == entityNS::CIRCLE)
        return testCircles(other, collisionVector);
    if (mine == entityNS::BOX && theirs == entityNS::BOX)
        return testBoxes(other, collisionVector);
    if (mine != entityNS::CIRCLE) {
        if (theirs != entityNS::CIRCLE)
            return testRotatedBoxes(other, collisionVector);
        return testRotatedBoxCircle(other, collisionVector);
    }
    // A circle against a box: the box runs the test, so its vector points
    // from the box to the circle; turn it round to point from this entity to
    // the other, as every other test does. The negation happens whether or
    // not they collide.
    const bool hit = other.testRotatedBoxCircle(*this, collisionVector);
    collisionVector.x *= -1;
    collisionVector.y *= -1;
    return hit;
}

bool Entity::testCircles(Entity& other, D3DXVECTOR2& collisionVector)
{
    const D3DXVECTOR2 mine = *getCenter();
    const D3DXVECTOR2 theirs = *other.getCenter();
    const D3DXVECTOR2 d = mine - theirs;
    const float distSquared = d.x * d.x + d.y * d.y;
    const float sumRadii = getRadius() * getScale() + other.getRadius() * other.getScale();
    if (distSquared <= sumRadii * sumRadii) {  // touching counts
        collisionVector = theirs - mine;
        return true;
    }
    return false;
}

bool Entity::testBoxes(Entity& other, D3DXVECTOR2& collisionVector)
{
    if (!getActive() || !other.getActive())
        return false;
    const D3DXVECTOR2 c = *getCenter();
    const D3DXVECTOR2 c2 = *other.getCenter();
    const float s = getScale();
    const float s2 = other.getScale();
    const RECT& e = *getEdge();
    const RECT& e2 = *other.getEdge();
    auto f = [](LONG v) { return static_cast<float>(v); };
    // Touching edges count.
    if (c2.x + f(e2.left) * s2 <= c.x + f(e.right) * s && c2.x + f(e2.right) * s2 >= c.x + f(e.left) * s &&
        c2.y + f(e2.top) * s2 <= c.y + f(e.bottom) * s && c2.y + f(e2.bottom) * s2 >= c.y + f(e.top) * s) {
        collisionVector = c2 - c;
        return true;
    }
    return false;
}

void Entity::computeRotatedBox()
{
    if (boxComputed)
        return;
    const float cosA = std::cos(spriteData.angle);
    const float sinA = std::sin(spriteData.angle);
    const D3DXVECTOR2 xAxis(cosA, sinA);
    const D3DXVECTOR2 yAxis(-sinA, cosA);
    const D3DXVECTOR2 c = *getCenter();
    const float s = getScale();
    auto f = [](LONG v) { return static_cast<float>(v); };
    const D3DXVECTOR2 left = xAxis * (f(edge.left) * s);
    const D3DXVECTOR2 right = xAxis * (f(edge.right) * s);
    const D3DXVECTOR2 top = yAxis * (f(edge.top) * s);
    const D3DXVECTOR2 bottom = yAxis * (f(edge.bottom) * s);
    corners[0] = c + left + top;
    corners[1] = c + right + top;
    corners[2] = c + right + bottom;
    corners[3] = c + left + bottom;

    D3DXVECTOR2 side = corners[1] - corners[0];
    D3DXVec2Normalize(&axis1, &side);
    side = corners[3] - corners[0];
    D3DXVec2Normalize(&axis2, &side);

    axis1Min = axis1Max = D3DXVec2Dot(&axis1, &corners[0]);
    float p = D3DXVec2Dot(&axis1, &corners[1]);
    if (axis1Min > p)
        axis1Min = p;
    else if (axis1Min < p)
        axis1Max = p;
    axis2Min = axis2Max = D3DXVec2Dot(&axis2, &corners[0]);
    p = D3DXVec2Dot(&axis2, &corners[3]);
    if (axis2Min > p)
        axis2Min = p;
    else if (axis2Min < p)
        axis2Max = p;
    boxComputed = true;
}

// Both the box-box and the box-circle tests end the same way: given the other
// shape's extent on this box's two axes, the vector is the side of this box
// along the axis of least overlap, pointing towards the other shape. It is a
// side of the box, not a unit vector. A tie keeps axis 1.
static D3DXVECTOR2 leastOverlapSide(const D3DXVECTOR2 corners[4], float min1, float max1, float axis1Min,
                                    float axis1Max, float min2, float max2, float axis2Min, float axis2Max)
{
    float overlap1;
    D3DXVECTOR2 v;
    if (min1 < axis1Min) {
        overlap1 = max1 - axis1Min;
        v = corners[1] - corners[0];
    } else {
        overlap1 = axis1Max - min1;
        v = corners[0] - corners[1];
    }
    float overlap2;
    D3DXVECTOR2 w;
    if (min2 < axis2Min) {
        overlap2 = max2 - axis2Min;
        w = corners[3] - corners[0];
    } else {
        overlap2 = axis2Max - min2;
        w = corners[0] - corners[3];
    }
    return overlap1 > overlap2 ? w : v;
}

bool Entity::projectionsOverlap(Entity& e, D3DXVECTOR2& collisionVector)
{
    auto project = [&e](const D3DXVECTOR2& axis, float& lo, float& hi) {
        lo = hi = D3DXVec2Dot(&axis, e.getCorner(0));
        for (unsigned k = 1; k < 4; ++k) {
            const float p = D3DXVec2Dot(&axis, e.getCorner(k));
            if (p < lo)
                lo = p;
            else if (p > hi)
                hi = p;
        }
    };
    float min1, max1, min2, max2;
    project(axis1, min1, max1);
    if (axis1Max < min1 || axis1Min > max1)
        return false;
    project(axis2, min2, max2);
    if (axis2Max < min2 || axis2Min > max2)
        return false;
    collisionVector = leastOverlapSide(corners, min1, max1, axis1Min, axis1Max, min2, max2, axis2Min, axis2Max);
    return true;
}

bool Entity::testRotatedBoxes(Entity& other, D3DXVECTOR2& collisionVector)
{
    computeRotatedBox();
    other.computeRotatedBox();
    // Separated on any of the four axes means no collision. When both
    // overlap, the vector is the second test's: a side of the other box.
    return projectionsOverlap(other, collisionVector) && other.projectionsOverlap(*this, collisionVector);
}

bool Entity::testRotatedBoxCircle(Entity& other, D3DXVECTOR2& collisionVector)
{
    computeRotatedBox();
    const D3DXVECTOR2 c = *other.getCenter();
    const float r = other.getRadius() * other.getScale();

    const float p1 = D3DXVec2Dot(&axis1, &c);
    const float min1 = p1 - r;
    const float max1 = p1 + r;
    if (axis1Max < min1 || axis1Min > max1)
        return false;
    const float p2 = D3DXVec2Dot(&axis2, &c);
    const float min2 = p2 - r;
    const float max2 = p2 + r;
    if (axis2Max < min2 || axis2Min > max2)
        return false;

    // Beyond both extents the circle faces a corner, where the projections
    // overlap even when the circle misses: measure to the corner instead.
    int corner = -1;
    if (p1 < axis1Min && p2 < axis2Min)
        corner = 0;
    else if (p1 > axis1Max && p2 < axis2Min)
        corner = 1;
    else if (p1 > axis1Max && p2 > axis2Max)
        corner = 2;
    else if (p1 < axis1Min && p2 > axis2Max)
        corner = 3;
    if (corner >= 0) {
        const D3DXVECTOR2 d = c - corners[corner];
        if (D3DXVec2LengthSq(&d) <= r * r) {
            collisionVector = d;
            return true;
        }
        return false;
    }
    collisionVector = leastOverlapSide(corners, min1, max1, axis1Min, axis1Max, min2, max2, axis2Min, axis2Max);
    return true;
}

// ---- bounce -------------------------------------------------------------------

void Entity::bounce(D3DXVECTOR2& collisionVector, Entity& other)
{
    bounceWith(collisionVector, other, other.getVelocity() - velocity);
}

void Entity::bounceFromRest(D3DXVECTOR2& collisionVector, Entity& other)
{
    bounceWith(collisionVector, other, other.getVelocity());
}

// A unit vector to push along: not zero (a zero-length vector normalises to
// zero) and not NaN or infinite.
static bool isDirection(const D3DXVECTOR2& u)
{
    return std::isfinite(u.x) && std::isfinite(u.y) && (u.x != 0 || u.y != 0);
}

// The push above when both are boxes whose getters and setters are Entity's
// own: the same steps and the same box test, on the fields. False, having
// done nothing, otherwise.
bool Entity::pushClearOfBox(const D3DXVECTOR2& u, Entity& other)
{
    if (this == &other || !hasPlainBox(*this) || !hasPlainBox(other))
        return false;
    const AxisBox theirs = axisBoxOf<Entity>(other);  // it stays where it is
    const AxisBox mine = axisBoxOf<Entity>(*this);
    if (theirs.kind == BoxKind::Other || mine.kind == BoxKind::Other)
        return false;
    // Only the position changes from step to step, so the centre's offset is
    // worked out once: the same product gives the same centre.
    const float s = spriteData.scale;
    const float halfWidth = static_cast<float>(spriteData.width / 2) * s;
    const float halfHeight = static_cast<float>(spriteData.height / 2) * s;
    // Against an inactive one the first test fails: one step, no more.
    bool meets = mine.kind == BoxKind::Box && theirs.kind == BoxKind::Box;
    float x = spriteData.x, y = spriteData.y;
    int steps = 0;
    do {
        x = x - u.x;
        y = y - u.y;
        ++steps;
        meets = meets && !cannotMeet(boxAt(D3DXVECTOR2(x + halfWidth, y + halfHeight), s, edge), theirs);
    } while (steps < entityNS::MAX_PUSH_STEPS && meets);
    spriteData.x = x;
    spriteData.y = y;
    boxComputed = false;
    return true;
}

void Entity::bounceWith(D3DXVECTOR2& collisionVector, Entity& other, D3DXVECTOR2 vdiff)
{
    D3DXVECTOR2 u;
    D3DXVec2Normalize(&u, &collisionVector);
    if (!isDirection(u)) {
        // A zero-length vector (the centres coincide, or a box's side of no
        // length) has no direction to push along. Take the way this entity
        // was moving relative to the other, so it backs out the way it came;
        // when neither moves relative to the other, push it up the screen.
        // Either way the push stays one pixel a step and nothing divides by
        // zero, so positions never become NaN.
        const D3DXVECTOR2 approach = -vdiff;
        D3DXVec2Normalize(&u, &approach);
        if (!isDirection(u))
            u = D3DXVECTOR2(0, 1);
    }
    const float k = D3DXVec2Dot(&u, &vdiff);

    float massRatio = 1.0f;
    if (getMass() != 0)
        massRatio = other.getMass() / (other.getMass() + getMass());
    if (massRatio < entityNS::MIN_MASS_RATIO)
        massRatio = entityNS::MIN_MASS_RATIO;

    // Step back one pixel at a time until clear, at least once, at most ten.
    if (!pushClearOfBox(u, other)) {
        D3DXVECTOR2 scratch;
        int steps = 0;
        do {
            setX(getX() - u.x);
            setY(getY() - u.y);
            boxComputed = false;
            ++steps;
        } while (steps < entityNS::MAX_PUSH_STEPS && testCollision(other, scratch));
    }

    pendingVelocity += u * (massRatio * k);
}
