// The game-object base: an image that also has a velocity, a mass, health,
// an active flag, a facing and a collision shape (circle, box or rotated
// box). Entities do not move themselves here: update folds in velocity
// changes and animates; subclasses move in their own update. Levels run the
// collision tests and call bounce on the entity that gives way.
#pragma once

#include "render/image.h"

#include <cmath>

class Audio;
struct EngineServices;
class Input;
struct AxisBox;

namespace entityNS {
enum COLLISION_TYPE { NONE = 0, CIRCLE = 1, BOX = 2, ROTATED_BOX = 3 };
enum DIRECTION { NO_DIRECTION = 0, UP = 1, DOWN = 2, LEFT = 3, RIGHT = 4 };
constexpr float GRAVITY = 6.67428e-11f;  // stored only; no force uses it
constexpr float MIN_MASS_RATIO = 0.1f;   // a light entity still gives way a little
constexpr int MAX_PUSH_STEPS = 10;       // one pixel each
// turnAround swaps these frame pairs (the ship sheet's facing frames).
constexpr int TURN_FRAME_A = 38;
constexpr int TURN_FRAME_B = 39;
constexpr int TURN_FRAME_C = 40;
constexpr int TURN_FRAME_D = 41;
}  // namespace entityNS

class Entity : public Image {
public:
    Entity();
    ~Entity() override;

    // Folds the pending velocity in, animates, and invalidates the rotated box.
    void update(float frameTime) override;

    // Each test writes the collision vector only when it reports a hit,
    // except where noted in entity.cpp.
    virtual bool testCircles(Entity& other, D3DXVECTOR2& collisionVector);
    virtual bool testBoxes(Entity& other, D3DXVECTOR2& collisionVector);
    virtual bool testRotatedBoxes(Entity& other, D3DXVECTOR2& collisionVector);
    // This entity is the box, other the circle.
    virtual bool testRotatedBoxCircle(Entity& other, D3DXVECTOR2& collisionVector);

    // Collisions ask many times a frame: the centre is worked out again only
    // when the position, size or scale it came from changed (the same sums on
    // the same values give the same centre). Inline: every test asks.
    virtual const D3DXVECTOR2* getCenter()
    {
        const float s = getScale();
        if (spriteData.x != centerFrom.x || spriteData.y != centerFrom.y || s != centerFrom.scale ||
            spriteData.width != centerFrom.width || spriteData.height != centerFrom.height) {
            center = D3DXVECTOR2(getCenterX(), getCenterY());
            centerFrom = CenterSource{spriteData.x, spriteData.y, s, spriteData.width, spriteData.height};
        }
        return &center;
    }
    virtual float getRadius() { return radius; }
    virtual const RECT* getEdge() { return &edge; }
    // Corners of the rotated box: 0 top-left, 1 top-right, 2 bottom-right,
    // 3 bottom-left; any c above 3 gives corner 0.
    virtual const D3DXVECTOR2* getCorner(unsigned c) { return &corners[c < 4 ? c : 0]; }
    virtual D3DXVECTOR2 getVelocity() { return velocity; }
    // Reverses the velocity and swaps the facing frames 38/39 or 40/41.
    virtual void turnAround();
    virtual bool getActive() { return active; }
    virtual bool getSunk() { return sunk; }
    virtual float getMass() { return mass; }
    virtual float getGravity() { return gravity; }
    virtual float getHealth() { return health; }
    virtual int getCollisionType() { return collisionType; }
    virtual bool isFacingUp() { return facingUp; }
    virtual bool isFacingDown() { return facingDown; }
    virtual bool isFacingLeft() { return facingLeft; }
    virtual bool isFacingRight() { return facingRight; }
    virtual void faceUp() { face(entityNS::UP); }
    virtual void faceDown() { face(entityNS::DOWN); }
    virtual void faceLeft() { face(entityNS::LEFT); }
    virtual void faceRight() { face(entityNS::RIGHT); }
    virtual void setVelocity(D3DXVECTOR2 v) { velocity = v; }
    // Replaces, does not add to, the pending change.
    virtual void setPendingVelocity(D3DXVECTOR2 v) { pendingVelocity = v; }
    virtual void setActive(bool a) { active = a; }
    virtual void setSunk(bool s) { sunk = s; }
    virtual void setHealth(float h) { health = h; }
    virtual void addHealth(int n) { health += static_cast<float>(n); }
    virtual void takeDamage(int n) { health -= static_cast<float>(n); }  // not clamped
    virtual float getReserve() { return reserve; }
    virtual void setReserve(float r) { reserve = r; }
    virtual void addReserve(float r) { reserve += r; }
    virtual int getHitDamage() { return hitDamage; }
    virtual void setHitDamage(int d) { hitDamage = d; }
    virtual void reduceHitDamage(int n) { hitDamage -= n; }
    virtual void spendAmmo(int n) { charges -= n; }
    // Only the ship's version is ever called; here it spends like spendAmmo.
    virtual void addAmmo(int n) { charges -= n; }
    virtual void setMass(float m) { mass = m; }
    virtual void setGravity(float g) { gravity = g; }
    virtual void setRadius(float r) { radius = r; }
    virtual void setCollisionType(int t) { collisionType = t; }
    virtual void setEdge(RECT e) { edge = e; }
    // Call with false after moving an entity with setX/setY.
    virtual void setBoxComputed(bool b) { boxComputed = b; }
    using Image::initialize;
    // Keeps the engine's input and audio, then initialises the image with
    // its graphics.
    virtual bool initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM);
    virtual void activate() { active = true; }
    virtual void think(float, Entity&) {}
    // True when the sprite lies wholly outside r; touching counts as inside.
    virtual bool isOutside(RECT r);
    // Picks the test by the two shapes; inactive entities never collide.
    virtual bool testCollision(Entity& other, D3DXVECTOR2& collisionVector);
    virtual void spareHook(int) {}

    // This entity gives way: it is pushed out 1 to 10 pixels against the
    // collision vector and receives a velocity change along it at the next
    // update, scaled by the mass ratio.
    void bounce(D3DXVECTOR2& collisionVector, Entity& other);
    // The same, with this entity's own velocity counted as zero.
    void bounceFromRest(D3DXVECTOR2& collisionVector, Entity& other);

protected:
    // Reads the box straight from the fields (entities/axis_box.h).
    template <typename T>
    friend AxisBox axisBoxOf(T& e);
    template <typename T>
    friend bool cannotMeetBoxOf(const AxisBox& a, T& e);

    int direction = entityNS::NO_DIRECTION;
    int collisionType = entityNS::CIRCLE;
    D3DXVECTOR2 center;  // written by getCenter
    // What `center` was worked out from (NaN at first: nothing matches it).
    struct CenterSource {
        float x, y, scale;
        int width, height;
    };
    CenterSource centerFrom{NAN, NAN, NAN, 0, 0};
    float radius = 1.0f;
    RECT edge{-1, -1, 1, 1};  // box sides relative to the centre, unscaled
    D3DXVECTOR2 corners[4];
    D3DXVECTOR2 axis1, axis2;  // unit vectors along corner 0->1 and 0->3
    float axis1Min = 0, axis1Max = 0, axis2Min = 0, axis2Max = 0;
    D3DXVECTOR2 velocity;
    D3DXVECTOR2 pendingVelocity;
    float mass = 1.0f;
    float health = 100.0f;
    int charges = 6;
    int hitDamage = 34;
    float reserve = 100.0f;
    float gravity = entityNS::GRAVITY;
    Input* input = nullptr;  // not owned
    Audio* audio = nullptr;  // not owned
    bool active = true;
    bool boxComputed = false;  // corners, axes and extents valid for this position
    bool facingUp = false;
    bool facingDown = false;
    bool facingLeft = false;
    bool facingRight = false;
    bool sunk = false;

private:
    void face(int dir);
    void computeRotatedBox();
    // Does this box overlap e's corners on both of this box's axes? On an
    // overlap writes the side of this box along the axis of least overlap.
    bool projectionsOverlap(Entity& e, D3DXVECTOR2& collisionVector);
    void bounceWith(D3DXVECTOR2& collisionVector, Entity& other, D3DXVECTOR2 vdiff);
    bool pushClearOfBox(const D3DXVECTOR2& u, Entity& other);
};
