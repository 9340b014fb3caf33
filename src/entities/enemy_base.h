// An enemy ship: a small movement program chosen by the level (stand still,
// patrol horizontally or vertically, cruise and turn on command, or stand
// guard and fire at fixed intervals), one cannonball, and the hit and
// explosion animations. The concrete kinds, EnemyShip and EnemyShip1, run
// this same code and differ only in the values they are built with.
//
// Levels give enemies a velocity with a positive x and a negative y, e.g.
// (150, -150); with that convention every mode moves the ship the way it
// faces, and turnAround (which negates the velocity) reverses a patrol.
#pragma once

#include "entities/entity.h"

class Cannon;

namespace enemyNS {
enum MODE { STOPPED = 0, HORIZONTAL_PATROL = 1, VERTICAL_PATROL = 2, CRUISE = 3, GUARD = 4 };
constexpr float MOVE_FACTOR = 0.5f;  // ships sail at half their velocity
constexpr int WIDTH = 64;
constexpr int HEIGHT = 64;
constexpr float X = 368.0f;
constexpr float Y = 268.0f;
constexpr float RADIUS = 32.0f;
constexpr float MASS = 0.1f;
constexpr float HEALTH = 20.0f;
constexpr int HIT_FIRST_FRAME = 16, HIT_LAST_FRAME = 19;
constexpr float HIT_FRAME_DELAY = 0.1f;
constexpr int EXPLOSION_FIRST_FRAME = 20, EXPLOSION_LAST_FRAME = 27;
constexpr float EXPLOSION_FRAME_DELAY = 0.2f;
constexpr COLOR_ARGB HIT_TINT = graphicsNS::GRAY;

// What tells one kind of enemy ship from another.
struct KindValues {
    int startFrame;
    int rightFrame, leftFrame, upFrame, downFrame;
    float velocityX, velocityY;
    int direction;
    float fireInterval;  // seconds between shots in guard mode
};
}  // namespace enemyNS

class EnemyBase : public Entity {
public:
    ~EnemyBase() override;

    // Moves by mode, flies the cannonball, and fires it when guarding.
    void update(float frameTime) override;
    // Reverses a patrol (modes 1 and 2 only): velocity negated, facing and
    // frame swapped. Does nothing while stopped, cruising or guarding.
    void turnAround() override;
    using Entity::initialize;
    // The hit and explosion animations, the cannonball, then the ship.
    // Throws the fatal "Error initializing cannon" if the ball cannot be set up.
    bool initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM) override;
    // As Image's; then the direction follows the frame when it is one of the
    // four facing frames. The facing flags are left alone.
    void setCurrentFrame(int frame) override;

    virtual void stopMoving() { mode = enemyNS::STOPPED; }
    virtual void patrolHorizontally() { mode = enemyNS::HORIZONTAL_PATROL; }
    virtual void patrolVertically() { mode = enemyNS::VERTICAL_PATROL; }
    virtual void cruise() { mode = enemyNS::CRUISE; }
    virtual void standGuard() { mode = enemyNS::GUARD; }

    using Image::draw;
    // The explosion in place of the ship while exploding, grey while hit,
    // then the cannonball while it flies.
    virtual void draw();

    // Cruise mode only: a quarter turn, up -> left -> down -> right -> up.
    void turnLeft();
    // Cruise mode only: a quarter turn, up -> right -> down -> left -> up.
    void turnRight();

    int getMode() const { return mode; }
    bool getHit() const { return hit; }
    void setHit(bool h) { hit = h; }
    bool getExploding() const { return exploding; }
    void setExploding(bool e) { exploding = e; }
    int getDirection() const { return direction; }
    void setDirection(int d) { direction = d; }
    int getRightFrame() const { return rightFrame; }
    int getLeftFrame() const { return leftFrame; }
    int getUpFrame() const { return upFrame; }
    int getDownFrame() const { return downFrame; }
    float getFireInterval() const { return fireInterval; }
    float getFireTimer() const { return fireTimer; }
    void setFireTimer(float t) { fireTimer = t; }
    Cannon* getCannon() { return cannon; }  // always a plain Cannon, made with the enemy
    Image& getHitImage() { return hitImage; }
    Image& getExplosionImage() { return explosionImage; }

    // It owns its cannonball.
    EnemyBase(const EnemyBase&) = delete;
    EnemyBase& operator=(const EnemyBase&) = delete;

protected:
    explicit EnemyBase(const enemyNS::KindValues& kind);

    int mode = enemyNS::STOPPED;
    int rightFrame;
    int leftFrame;
    int upFrame;
    int downFrame;
    int explosionFirstFrame = enemyNS::EXPLOSION_FIRST_FRAME;
    int explosionLastFrame = enemyNS::EXPLOSION_LAST_FRAME;
    float explosionFrameDelay = enemyNS::EXPLOSION_FRAME_DELAY;
    int hitFirstFrame = enemyNS::HIT_FIRST_FRAME;
    int hitLastFrame = enemyNS::HIT_LAST_FRAME;
    float hitFrameDelay = enemyNS::HIT_FRAME_DELAY;
    float fireInterval;
    float fireTimer = 0;
    Cannon* cannon;
    bool hit = false;        // struck by the player's cannonball; grey while hitImage runs
    bool exploding = false;  // destroyed; explosionImage drawn instead of the ship
    Image hitImage;
    Image explosionImage;

private:
    void runAnimations(float frameTime);
    void move(float frameTime);
    void guard(float frameTime);
    // Faces `dir` by showing its frame (which sets the direction too).
    void showFacing(int dir);
};
