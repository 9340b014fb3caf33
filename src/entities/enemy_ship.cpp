#include "entities/enemy_ship.h"

namespace {

// Starts showing its left frame but facing right.
constexpr enemyNS::KindValues ENEMY_SHIP{
    .startFrame = 38,
    .rightFrame = 39,
    .leftFrame = 38,
    .upFrame = 37,
    .downFrame = 36,
    .velocityX = 100,
    .velocityY = 100,
    .direction = entityNS::RIGHT,
    .fireInterval = 2.0f,
};

// Faster, fires twice as often; starts showing its left frame but facing down.
constexpr enemyNS::KindValues ENEMY_SHIP1{
    .startFrame = 43,
    .rightFrame = 42,
    .leftFrame = 43,
    .upFrame = 40,
    .downFrame = 41,
    .velocityX = 150,
    .velocityY = 150,
    .direction = entityNS::DOWN,
    .fireInterval = 1.0f,
};

}  // namespace

EnemyShip::EnemyShip() : EnemyBase(ENEMY_SHIP) {}

EnemyShip1::EnemyShip1() : EnemyBase(ENEMY_SHIP1) {}
