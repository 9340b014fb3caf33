#include "entities/cannon.h"

#include "base/game_error.h"
#include "engine/audio.h"

Cannon::Cannon()
{
    spriteData.width = cannonNS::WIDTH;
    spriteData.height = cannonNS::HEIGHT;
    spriteData.rect = RECT{0, 0, cannonNS::WIDTH, cannonNS::HEIGHT};
    cols = cannonNS::TEXTURE_COLS;
    startFrame = endFrame = currentFrame = cannonNS::FRAME;
    frameDelay = cannonNS::ANIMATION_DELAY;
    visible = false;
    active = false;
    radius = cannonNS::RADIUS;
    edge = RECT{-30, -30, 30, 30};
    collisionType = entityNS::BOX;
    mass = cannonNS::MASS;
}

void Cannon::prepare(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM)
{
    if (!initialize(engine, width, height, ncols, textureM))
        throw GameError(FATAL_ERROR, "Error initializing cannon");
    setFrames(cannonNS::FRAME, cannonNS::FRAME);
    setCurrentFrame(cannonNS::FRAME);
    setColorFilter(cannonNS::COLOR_FILTER);
    setScale(cannonNS::SCALE);
}

void Cannon::launch(Entity& source, D3DXVECTOR2 v)
{
    velocity = v;
    // A tenth of the frame (integer division) centres the quarter-size ball
    // roughly on the source.
    spriteData.x = source.getCenterX() - static_cast<float>(spriteData.width / 10);
    spriteData.y = source.getCenterY() - static_cast<float>(spriteData.height / 10);
    visible = true;
    active = true;
    if (audio != nullptr && audio->getSoundOn())
        audio->playCue(cannonNS::LAUNCH_CUE);
}

void Cannon::launchUp(Entity& source)
{
    launch(source, D3DXVECTOR2(0, -cannonNS::SPEED));
}
void Cannon::launchDown(Entity& source)
{
    launch(source, D3DXVECTOR2(0, cannonNS::SPEED));
}
void Cannon::launchLeft(Entity& source)
{
    launch(source, D3DXVECTOR2(-cannonNS::SPEED, 0));
}
void Cannon::launchRight(Entity& source)
{
    launch(source, D3DXVECTOR2(cannonNS::SPEED, 0));
}

bool Cannon::launchToward(int dir, Entity& source)
{
    switch (dir) {
        case entityNS::UP:
            launchUp(source);
            return true;
        case entityNS::DOWN:
            launchDown(source);
            return true;
        case entityNS::LEFT:
            launchLeft(source);
            return true;
        case entityNS::RIGHT:
            launchRight(source);
            return true;
        default:
            return false;
    }
}

void Cannon::update(float frameTime)
{
    if (!visible)
        return;
    Image::update(frameTime);
    spriteData.x += frameTime * velocity.x;
    spriteData.y += frameTime * velocity.y;
    // Bounces never steer a ball: the pending velocity is not folded in.
    if (spriteData.x > cannonNS::PLAY_RIGHT || spriteData.x < cannonNS::PLAY_LEFT ||
        spriteData.y > cannonNS::PLAY_BOTTOM || spriteData.y < cannonNS::PLAY_TOP) {
        visible = false;
        active = false;
    }
}
