// The player's ship: steered in four directions with the steering keys or the
// first controller's d-pad, firing its one cannonball the way it faces.
// There is one ship for the whole run, so it also carries the player's
// progress from level to level: lives, ammunition, gold, upgrades, speed.
#pragma once

#include "engine/key_bindings.h"
#include "entities/entity.h"

#include <optional>

class Cannon;

namespace shipNS {
constexpr int WIDTH = 64;
constexpr int HEIGHT = 64;
constexpr float X = 368.0f;  // starting top-left
constexpr float Y = 268.0f;
constexpr float RADIUS = 32.0f;
constexpr float MASS = 0.1f;
constexpr float MAX_HEALTH = 100.0f;
constexpr float ANIMATION_DELAY = 0.5f;
// Facing frame ranges on the ship sheet.
constexpr int UP_START = 4, UP_END = 7;
constexpr int DOWN_START = 8, DOWN_END = 11;
constexpr int LEFT_START = 12, LEFT_END = 15;
constexpr int RIGHT_START = 0, RIGHT_END = 3;
constexpr int HIT_START = 16, HIT_END = 19;
constexpr float HIT_DELAY = 0.1f;
constexpr int EXPLOSION_START = 20, EXPLOSION_END = 27;
constexpr float EXPLOSION_DELAY = 0.2f;
constexpr COLOR_ARGB HIT_TINT = graphicsNS::GRAY;
// The ship stays inside the play area above the HUD.
constexpr float PLAY_WIDTH = 800;
constexpr float PLAY_HEIGHT = 460;
constexpr float MAX_X = PLAY_WIDTH - WIDTH;  // 736
constexpr float SCREEN_HEIGHT = 600;
constexpr int MAX_AMMO = 9;
constexpr int START_LIVES = 3;
constexpr int START_AMMO = 2;
constexpr int START_CANNON_DAMAGE = 10;
constexpr float START_SPEED = 150.0f;
constexpr float FIRE_DELAY = 1.55f;  // a shot needs strictly more than this since the last
constexpr float SINK_DEGREES_PER_SECOND = 400.0f;
constexpr float SINK_SHRINK_PER_SECOND = 0.05f;
}  // namespace shipNS

class Ship : public Entity {
public:
    Ship();
    ~Ship() override;

    // Steering, clamping, the cannonball and firing, once a frame.
    void update(float frameTime) override;
    void spendAmmo(int n) override { ammo -= n; }
    void addAmmo(int n) override { ammo += n; }
    using Entity::initialize;
    // The hit and explosion animations, the cannonball, then the ship.
    // Throws the fatal "Error initializing cannon" if the ball cannot be set up.
    bool initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM) override;

    using Image::draw;
    // The explosion in place of the ship while exploding, grey while hit,
    // then the cannonball while it flies.
    virtual void draw();
    // One step of steering: face that way, show that direction's first frame
    // and move speed * frameTime.
    virtual void moveUp(float frameTime);
    virtual void moveDown(float frameTime);
    virtual void moveLeft(float frameTime);
    virtual void moveRight(float frameTime);

    // One frame of being drawn into the whirlpool: spin and shrink.
    void sinkStep(float frameTime);

    // Progress and state that levels, the shop and the game object read and set.
    int getLives() const { return lives; }
    void setLives(int n) { lives = n; }
    int getAmmo() const { return ammo; }
    void setAmmo(int n) { ammo = n; }  // brought back into 0..9 by the next update
    int getGold() const { return gold; }
    void setGold(int g) { gold = g; }
    void addGold(int g) { gold += g; }
    int getCannonDamage() const { return cannonDamage; }
    void setCannonDamage(int d) { cannonDamage = d; }
    int getSailsLevel() const { return sailsLevel; }
    void setSailsLevel(int level) { sailsLevel = level; }
    int getCannonLevel() const { return cannonLevel; }
    void setCannonLevel(int level) { cannonLevel = level; }
    int getHullLevel() const { return hullLevel; }
    void setHullLevel(int level) { hullLevel = level; }
    float getSpeed() const { return speed; }
    void setSpeed(float s) { speed = s; }
    float getFireTimer() const { return fireTimer; }
    void setFireTimer(float t) { fireTimer = t; }
    bool getFireButtonReleased() const { return fireButtonReleased; }
    bool getHit() const { return hit; }
    void setHit(bool h) { hit = h; }
    bool getExploding() const { return exploding; }
    void setExploding(bool e) { exploding = e; }
    int getDirection() const { return direction; }
    Cannon* getCannon() { return cannon; }
    Image& getHitImage() { return hitImage; }
    Image& getExplosionImage() { return explosionImage; }

    // It owns its cannonball.
    Ship(const Ship&) = delete;
    Ship& operator=(const Ship&) = delete;

private:
    void steer(float frameTime);
    void fire();
    // A key of the action held, or the first controller's button down.
    bool held(std::optional<Action> key, WORD padButton) const;

    bool hit = false;
    bool exploding = false;
    Image hitImage;        // only its completion is used, as a timer
    Image explosionImage;  // drawn in place of the ship
    int lives = shipNS::START_LIVES;
    int ammo = shipNS::START_AMMO;  // cannonballs in hand
    int gold = 0;
    int cannonDamage = shipNS::START_CANNON_DAMAGE;
    int sailsLevel = 0;
    int cannonLevel = 0;
    int hullLevel = 0;
    float speed = shipNS::START_SPEED;  // pixels per second while a direction is held
    float fireTimer = 0;                // seconds since the last shot
    bool fireButtonReleased = true;     // A must be let go between shots
    Cannon* cannon;
};
