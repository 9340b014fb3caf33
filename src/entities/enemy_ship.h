// The two kinds of enemy ship. They behave alike (EnemyBase); each shows its
// own frames and starts with its own speed, facing and firing interval.
#pragma once

#include "entities/enemy_base.h"

class EnemyShip : public EnemyBase {
public:
    EnemyShip();
};

class EnemyShip1 : public EnemyBase {
public:
    EnemyShip1();
};
