#include "entities/enemy_base.h"

#include "engine/engine_services.h"
#include "entities/cannon.h"
#include "entities/one_shot_animation.h"

EnemyBase::EnemyBase(const enemyNS::KindValues& kind)
    : rightFrame(kind.rightFrame),
      leftFrame(kind.leftFrame),
      upFrame(kind.upFrame),
      downFrame(kind.downFrame),
      fireInterval(kind.fireInterval),
      cannon(new Cannon)
{
    spriteData.x = enemyNS::X;
    spriteData.y = enemyNS::Y;
    spriteData.width = enemyNS::WIDTH;
    spriteData.height = enemyNS::HEIGHT;
    spriteData.rect = RECT{0, 0, enemyNS::WIDTH, enemyNS::HEIGHT};
    // Set directly: the kind's starting direction need not match its
    // starting frame.
    startFrame = currentFrame = kind.startFrame;
    velocity = D3DXVECTOR2(kind.velocityX, kind.velocityY);
    direction = kind.direction;
    radius = enemyNS::RADIUS;
    edge = RECT{-20, -20, 20, 20};
    collisionType = entityNS::BOX;
    mass = enemyNS::MASS;
    health = enemyNS::HEALTH;
}

EnemyBase::~EnemyBase()
{
    delete cannon;
}

bool EnemyBase::initialize(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM)
{
    setUpOneShotAnimation(hitImage, engine.graphics, width, height, ncols, textureM, hitFirstFrame, hitLastFrame,
                   hitFrameDelay);
    setUpOneShotAnimation(explosionImage, engine.graphics, width, height, ncols, textureM, explosionFirstFrame,
                   explosionLastFrame, explosionFrameDelay);
    cannon->prepare(engine, width, height, ncols, textureM);
    return Entity::initialize(engine, width, height, ncols, textureM);
}

void EnemyBase::setCurrentFrame(int frame)
{
    Entity::setCurrentFrame(frame);
    if (frame < 0)
        return;
    if (frame == upFrame)
        direction = entityNS::UP;
    else if (frame == downFrame)
        direction = entityNS::DOWN;
    else if (frame == leftFrame)
        direction = entityNS::LEFT;
    else if (frame == rightFrame)
        direction = entityNS::RIGHT;
}

void EnemyBase::showFacing(int dir)
{
    switch (dir) {
        case entityNS::UP:
            setCurrentFrame(upFrame);
            break;
        case entityNS::DOWN:
            setCurrentFrame(downFrame);
            break;
        case entityNS::LEFT:
            setCurrentFrame(leftFrame);
            break;
        case entityNS::RIGHT:
            setCurrentFrame(rightFrame);
            break;
        default:
            return;
    }
    direction = dir;
}

void EnemyBase::update(float frameTime)
{
    if (exploding || hit)  // on most frames, neither
        runAnimations(frameTime);
    Entity::update(frameTime);
    move(frameTime);
    // Exactly a Cannon, which keeps Entity's getActive: asked without the
    // virtual table, for every enemy every frame.
    if (cannon->Entity::getActive())
        cannon->update(frameTime);
    if (mode == enemyNS::GUARD)
        guard(frameTime);
    // No clamp to the play area: levels keep enemies in with walls and markers.
}

void EnemyBase::runAnimations(float frameTime)
{
    if (exploding) {
        explosionImage.update(frameTime);
        if (explosionImage.getAnimationComplete()) {
            exploding = false;
            visible = false;  // the wreck is gone
            explosionImage.setAnimationComplete(false);
            explosionImage.setCurrentFrame(explosionFirstFrame);
        }
    }
    if (hit) {
        hitImage.update(frameTime);
        if (hitImage.getAnimationComplete()) {
            hit = false;
            hitImage.setAnimationComplete(false);
        }
    }
}

void EnemyBase::move(float frameTime)
{
    const float step = frameTime * enemyNS::MOVE_FACTOR;
    switch (mode) {
        case enemyNS::STOPPED:
        case enemyNS::GUARD:
            velocity = D3DXVECTOR2(0, 0);
            break;
        case enemyNS::HORIZONTAL_PATROL:
            spriteData.x -= velocity.x * step;
            break;
        case enemyNS::VERTICAL_PATROL:
            spriteData.y -= velocity.y * step;
            break;
        case enemyNS::CRUISE:
            switch (direction) {
                case entityNS::UP:
                    spriteData.y += velocity.y * step;
                    break;
                case entityNS::DOWN:
                    spriteData.y -= velocity.y * step;
                    break;
                case entityNS::LEFT:
                    spriteData.x -= velocity.x * step;
                    break;
                case entityNS::RIGHT:
                    spriteData.x += velocity.x * step;
                    break;
                default:
                    break;
            }
            break;
        default:
            break;
    }
}

void EnemyBase::guard(float frameTime)
{
    velocity = D3DXVECTOR2(0, 0);
    fireTimer += frameTime;
    if (fireTimer <= fireInterval || !active)
        return;
    // The last ball is still flying: the timer keeps growing, so the next
    // shot follows as soon as it is gone.
    if (cannon->getActive())
        return;
    // A guard with no facing holds its fire rather than arm a ball that
    // could never fly.
    if (cannon->launchToward(direction, *this))
        fireTimer = 0;
}

void EnemyBase::turnAround()
{
    if (mode != enemyNS::HORIZONTAL_PATROL && mode != enemyNS::VERTICAL_PATROL)
        return;
    setVelocity(-velocity);
    if (direction == entityNS::RIGHT)
        showFacing(entityNS::LEFT);
    else if (direction == entityNS::LEFT)
        showFacing(entityNS::RIGHT);
    if (direction == entityNS::UP)
        showFacing(entityNS::DOWN);
    else if (direction == entityNS::DOWN)
        showFacing(entityNS::UP);
}

void EnemyBase::turnLeft()
{
    if (mode != enemyNS::CRUISE)
        return;
    switch (direction) {
        case entityNS::UP:
            showFacing(entityNS::LEFT);
            break;
        case entityNS::LEFT:
            showFacing(entityNS::DOWN);
            break;
        case entityNS::DOWN:
            showFacing(entityNS::RIGHT);
            break;
        case entityNS::RIGHT:
            showFacing(entityNS::UP);
            break;
        default:
            break;
    }
}

void EnemyBase::turnRight()
{
    if (mode != enemyNS::CRUISE)
        return;
    switch (direction) {
        case entityNS::UP:
            showFacing(entityNS::RIGHT);
            break;
        case entityNS::RIGHT:
            showFacing(entityNS::DOWN);
            break;
        case entityNS::DOWN:
            showFacing(entityNS::LEFT);
            break;
        case entityNS::LEFT:
            showFacing(entityNS::UP);
            break;
        default:
            break;
    }
}

void EnemyBase::draw()
{
    if (exploding)
        explosionImage.draw(spriteData, graphicsNS::WHITE, 0);
    else
        Image::draw(hit ? enemyNS::HIT_TINT : graphicsNS::WHITE);
    if (cannon->getActive())
        cannon->draw(graphicsNS::WHITE);
}
