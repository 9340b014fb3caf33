#include "entities/ship.h"

#include "engine/engine_services.h"
#include "engine/input.h"
#include "entities/cannon.h"
#include "entities/one_shot_animation.h"

Ship::Ship() : cannon(new Cannon)
{
    spriteData.x = shipNS::X;
    spriteData.y = shipNS::Y;
    spriteData.width = shipNS::WIDTH;
    spriteData.height = shipNS::HEIGHT;
    spriteData.rect = RECT{0, 0, shipNS::WIDTH, shipNS::HEIGHT};
    startFrame = currentFrame = shipNS::UP_START;
    endFrame = shipNS::UP_END;
    frameDelay = shipNS::ANIMATION_DELAY;
    radius = shipNS::RADIUS;
    edge = RECT{-30, -30, 30, 30};
    collisionType = entityNS::BOX;
    mass = shipNS::MASS;
    health = shipNS::MAX_HEALTH;
    velocity = D3DXVECTOR2(0, 0);
}

Ship::~Ship()
{
    delete cannon;
}

bool Ship::initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM)
{
    setUpOneShotAnimation(hitImage, engine.graphics, width, height, ncols, textureM, shipNS::HIT_START, shipNS::HIT_END,
                   shipNS::HIT_DELAY);
    setUpOneShotAnimation(explosionImage, engine.graphics, width, height, ncols, textureM, shipNS::EXPLOSION_START,
                   shipNS::EXPLOSION_END, shipNS::EXPLOSION_DELAY);
    cannon->prepare(engine, width, height, ncols, textureM);
    return Entity::initialize(engine, width, height, ncols, textureM);
}

void Ship::update(float frameTime)
{
    if (ammo <= 0)
        ammo = 0;
    else if (ammo >= shipNS::MAX_AMMO)
        ammo = shipNS::MAX_AMMO;

    if (exploding) {
        explosionImage.update(frameTime);
        if (explosionImage.getAnimationComplete()) {
            exploding = false;
            explosionImage.setAnimationComplete(false);
            explosionImage.setCurrentFrame(shipNS::EXPLOSION_START);
        }
    }
    if (hit) {
        hitImage.update(frameTime);
        if (hitImage.getAnimationComplete()) {
            hit = false;
            hitImage.setAnimationComplete(false);
        }
    }

    Entity::update(frameTime);

    // Back inside the play area; this also brings back a steering step that
    // overshot the edge on the frame before.
    if (spriteData.x > shipNS::MAX_X) {
        spriteData.x = shipNS::MAX_X;
        velocity.x = 0;
    } else if (spriteData.x < 0) {
        spriteData.x = 0;
        velocity.x = 0;
    }
    if (spriteData.y + static_cast<float>(spriteData.height) > shipNS::PLAY_HEIGHT) {
        spriteData.y = shipNS::PLAY_HEIGHT - static_cast<float>(spriteData.height);
        velocity.y = 0;
    } else if (spriteData.y < 0) {
        spriteData.y = 0;
        velocity.y = 0;
    }

    if (health > shipNS::MAX_HEALTH)
        health = shipNS::MAX_HEALTH;
    if (charges <= 0)
        charges = 0;
    else if (charges >= shipNS::MAX_AMMO)
        charges = shipNS::MAX_AMMO;

    if (!exploding)
        steer(frameTime);

    if (cannon->getActive())
        cannon->update(frameTime);

    fireTimer += frameTime;
    fire();
    if (!held(std::nullopt, XINPUT_GAMEPAD_A))
        fireButtonReleased = true;
}

bool Ship::held(std::optional<Action> key, WORD padButton) const
{
    if (input == nullptr)  // not initialised: nothing steers it
        return false;
    return (key && input->isActionDown(*key)) || (input->getGamepadButtons(0) & padButton) != 0;
}

void Ship::steer(float frameTime)
{
    // Four independent tests: opposite directions cancel out in position and
    // the later one decides the facing.
    if (held(Action::SteerRight, XINPUT_GAMEPAD_DPAD_RIGHT))
        moveRight(frameTime);
    if (held(Action::SteerLeft, XINPUT_GAMEPAD_DPAD_LEFT))
        moveLeft(frameTime);
    if (held(Action::SteerUp, XINPUT_GAMEPAD_DPAD_UP))
        moveUp(frameTime);
    if (held(Action::SteerDown, XINPUT_GAMEPAD_DPAD_DOWN))
        moveDown(frameTime);
}

void Ship::fire()
{
    if (input == nullptr || ammo < 1)
        return;
    const bool keyFire = input->wasActionPressed(Action::Fire);
    const bool padFire = held(std::nullopt, XINPUT_GAMEPAD_A) && fireButtonReleased;
    if (!keyFire && !padFire)
        return;
    // Too soon, or the ball is still in the air: the request is dropped and
    // the timer keeps running.
    if (fireTimer <= shipNS::FIRE_DELAY || cannon->getActive())
        return;

    int way = entityNS::NO_DIRECTION;
    if (facingUp)
        way = entityNS::UP;
    else if (facingDown)
        way = entityNS::DOWN;
    else if (facingLeft)
        way = entityNS::LEFT;
    else if (facingRight)
        way = entityNS::RIGHT;
    // A ship that has never been steered faces nowhere: no shot, nothing spent.
    if (!cannon->launchToward(way, *this))
        return;
    fireTimer = 0;
    spendAmmo(1);
    fireButtonReleased = false;
}

void Ship::draw()
{
    if (exploding)
        explosionImage.draw(spriteData, graphicsNS::WHITE, 0);
    else
        Image::draw(hit ? shipNS::HIT_TINT : graphicsNS::WHITE);
    if (cannon->getActive())
        cannon->draw(graphicsNS::WHITE);
}

void Ship::moveUp(float frameTime)
{
    faceUp();
    setFrames(shipNS::UP_START, shipNS::UP_END);
    setCurrentFrame(shipNS::UP_START);
    spriteData.y -= speed * frameTime;
    if (spriteData.y < static_cast<float>(-spriteData.height))
        spriteData.y = static_cast<float>(-spriteData.height);
}

void Ship::moveDown(float frameTime)
{
    faceDown();
    setFrames(shipNS::DOWN_START, shipNS::DOWN_END);
    setCurrentFrame(shipNS::DOWN_START);
    spriteData.y += speed * frameTime;
    if (spriteData.y > shipNS::SCREEN_HEIGHT)
        spriteData.y = shipNS::SCREEN_HEIGHT;
}

void Ship::moveLeft(float frameTime)
{
    faceLeft();
    setFrames(shipNS::LEFT_START, shipNS::LEFT_END);
    setCurrentFrame(shipNS::LEFT_START);
    spriteData.x -= speed * frameTime;
    // Held at the edge like the vertical steps; a fast ship must not come
    // out on the far side of the screen.
    if (spriteData.x < static_cast<float>(-spriteData.width))
        spriteData.x = static_cast<float>(-spriteData.width);
}

void Ship::moveRight(float frameTime)
{
    faceRight();
    setFrames(shipNS::RIGHT_START, shipNS::RIGHT_END);
    setCurrentFrame(shipNS::RIGHT_START);
    spriteData.x += speed * frameTime;
    if (spriteData.x > shipNS::PLAY_WIDTH)
        spriteData.x = shipNS::PLAY_WIDTH;
}

void Ship::sinkStep(float frameTime)
{
    setDegrees(getDegrees() + shipNS::SINK_DEGREES_PER_SECOND * frameTime);
    setScale(getScale() - shipNS::SINK_SHRINK_PER_SECOND * frameTime);
}
