// A level's collisions: the map's tiles, ramming and cannon fire, pick-ups,
// and the markers that turn the enemies.
#include "levels/level.h"

#include "engine/audio.h"
#include "engine/input.h"
#include "entities/cannon.h"
#include "entities/ship.h"

void Level::collisions(float frameTime)
{
    if (!input->isKeyDown(VK_MENU)) {
        collideWithTiles(*ship, askerBox(*ship), true);
        // Cannonballs are always plain Cannons; most are not in flight.
        collideWithTiles(*ship->getCannon(), askerBox(*ship->getCannon()), false);
        forEachEnemyList([&](auto& group) {
            for (EnemyBase& enemy : group) {
                Cannon& ball = *enemy.getCannon();
                const AxisBox box = askerBox(ball);
                if (box.kind != BoxKind::Inactive)
                    collideWithTiles(ball, box, false);
            }
        });
        ramming(frameTime);
        enemyFire();
    }
    pickups();
    markerTurns();
    playerCannonball();
}

void Level::collideWithTiles(Entity& entity, AxisBox box, bool isShip)
{
    if (box.kind == BoxKind::Inactive)
        return;  // meets no tile
    Cell cells[tileMapNS::MAX_CELLS_AROUND];
    const int count = tileMap.solidCellsAround(TileGrid::cellOf(entity.getX(), entity.getY(), mapX, mapY), cells);
    for (int i = 0; i < count; ++i) {
        collisionTile.setX(static_cast<float>(cells[i].col * tileMapNS::TILE_PITCH) + mapX);
        collisionTile.setY(static_cast<float>(cells[i].row * tileMapNS::TILE_PITCH) + mapY);
        collisionTile.setBoxComputed(false);
        if (cannotMeetBoxOf(box, collisionTile) || !entity.testCollision(collisionTile, collisionVector))
            continue;
        if (isShip) {
            entity.bounce(collisionVector, collisionTile);
            box = askerBox(entity);
        } else {
            entity.setActive(false);
            entity.setVisible(false);
        }
    }
}

void Level::strike(EnemyBase& enemy)
{
    if (enemy.getHit())
        return;
    if (enemy.getHealth() <= 0) {
        playExplosion();
        enemy.setVelocity(D3DXVECTOR2(0, 0));
        explode(enemy);
    } else {
        enemy.setHit(true);
    }
}

void Level::ramming(float frameTime)
{
    hitTimer += frameTime;
    AxisBox shipBox = askerBox(*ship);
    // The data file puts an enemy in the list of its kind, so the list gives
    // its cooldown.
    forEachEnemyList([&]<typename Enemy>(std::vector<Enemy>& group) {
        const float cooldown =
            std::is_same_v<Enemy, EnemyShip> ? rules.enemyShipRamCooldown : rules.enemyShip1RamCooldown;
        if (cooldown < 0)
            return;  // this kind does no ramming
        for (Enemy& enemy : group) {
            if (cannotMeetBoxOf(shipBox, enemy) || !ship->testCollision(enemy, collisionVector))
                continue;
            rammed(enemy, cooldown);
            shipBox = askerBox(*ship);  // it gave way
        }
    });
}

void Level::rammed(EnemyBase& enemy, float cooldown)
{
    ship->bounce(collisionVector, enemy);
    if (hitTimer >= cooldown) {
        if (!ship->getHit()) {
            if (ship->getHealth() > 0) {
                ship->setHit(true);
            } else {
                playExplosion();
                explode(*ship);
            }
        }
        ship->takeDamage(ship->getHitDamage());
        hitTimer = 0;
    }
    healthBar.set(ship->getHealth());
    strike(enemy);
}

void Level::enemyFire()
{
    if (rules.enemyFireDamage <= 0)
        return;
    const AxisBox shipBox = askerBox(*ship);  // hits do not move the ship
    forEachEnemyList([&](auto& group) {
        for (EnemyBase& enemy : group) {
            Cannon& ball = *enemy.getCannon();  // always a plain Cannon
            if (cannotMeetBoxOf(shipBox, ball) || !ship->testCollision(ball, collisionVector))
                continue;
            ball.setActive(false);
            ball.setVisible(false);
            ship->takeDamage(rules.enemyFireDamage);
        }
    });
}

void Level::pickups()
{
    const AxisBox shipBox = askerBox(*ship);  // rewards do not move the ship
    auto take = [&](std::vector<Entity>& group, auto&& reward) {
        for (auto& p : group) {
            if (cannotMeetBoxOf(shipBox, p) || !ship->testCollision(p, collisionVector))
                continue;
            reward();
            p.setVisible(false);
            p.setActive(false);
        }
    };
    take(coins, [&] { ship->addGold(goldReward); });
    take(ammoPickups, [&] { ship->addAmmo(1); });
    take(healthPickups, [&] {
        ship->addHealth(healthBoost);
        healthBar.set(ship->getHealth());
    });
    take(treasures, [&] { ship->addGold(bonusReward); });
}

// Every enemy against every marker, in marker order. The markers stand still
// meanwhile, so their boxes are worked out and indexed once; an enemy is
// tested only against the markers it may meet.
void Level::turnAtMarkers()
{
    markerBoxes.clear();
    for (auto& marker : markers)
        markerBoxes.push_back(axisBoxOf(marker));
    const bool indexed = broadPhase && markerIndex.build(markerBoxes);
    forEachEnemyList([&]<typename Enemy>(std::vector<Enemy>& group) {
        for (Enemy& enemy : group) {
            AxisBox enemyBox = askerBox(enemy);
            if (!indexed) {
                for (size_t i = 0; i < markers.size(); ++i)
                    if (!cannotMeet(enemyBox, markerBoxes[i]) && turnAt(enemy, markers[i]))
                        enemyBox = askerBox(enemy);
                continue;
            }
            std::uint64_t candidates = markerIndex.mayMeet(enemyBox);
            while (candidates != 0) {
                const auto i = static_cast<size_t>(std::countr_zero(candidates));
                const std::uint64_t later = ~std::uint64_t{0} << i << 1;
                candidates &= later;
                if (cannotMeet(enemyBox, markerBoxes[i]) || !turnAt(enemy, markers[i]))
                    continue;
                // Pushed clear: the markers after this one, for where it is now.
                enemyBox = askerBox(enemy);
                candidates = markerIndex.mayMeet(enemyBox) & later;
            }
        }
    });
}

bool Level::turnAt(EnemyBase& enemy, InvisibleMarker& marker)
{
    if (!enemy.testCollision(marker, collisionVector))
        return false;
    enemy.bounceFromRest(collisionVector, marker);
    enemy.turnAround();
    return true;
}

void Level::markerTurns()
{
    auto turn = [](EnemyBase& enemy, Turn how) {
        switch (how) {
        case Turn::Around:
            enemy.turnAround();
            break;
        case Turn::Left:
            enemy.turnLeft();
            break;
        case Turn::Right:
            enemy.turnRight();
            break;
        }
    };
    if (layout.turns.empty()) {
        turnAtMarkers();
        return;
    }
    // Each rule's pair is ruled out by its boxes first, as everywhere else.
    auto apply = [&](auto& enemy, const TurnRule& rule) {
        InvisibleMarker& marker = markers[static_cast<size_t>(rule.marker)];
        if (cannotMeetBoxOf(askerBox(enemy), marker) || !enemy.testCollision(marker, collisionVector))
            return;
        enemy.bounceFromRest(collisionVector, marker);
        turn(enemy, rule.turn);
    };
    for (const TurnRule& rule : layout.turns) {
        if (rule.kind == EnemyKind::EnemyShip)
            apply(enemyShips[static_cast<size_t>(rule.enemy)], rule);
        else
            apply(enemyShip1s[static_cast<size_t>(rule.enemy)], rule);
    }
}

void Level::playerCannonball()
{
    Cannon& ball = *ship->getCannon();  // always a plain Cannon
    AxisBox ballBox = askerBox(ball);
    forEachEnemyList([&]<typename Enemy>(std::vector<Enemy>& group) {
        for (Enemy& enemy : group) {
            if (ballBox.kind == BoxKind::Inactive)
                return;  // not fired, or it has hit
            if (cannotMeetBoxOf(ballBox, enemy) || !ball.testCollision(enemy, collisionVector))
                continue;
            enemy.takeDamage(ship->getCannonDamage());
            ship->addGold(hitReward);
            strike(enemy);
            ball.setVisible(false);
            ball.setActive(false);
            ballBox = askerBox(ball);
            input->gamepadVibrateRight(levelNS::ENEMY_FIRE_RUMBLE_PAD, levelNS::RUMBLE_SPEED,
                                       levelNS::RUMBLE_SECONDS);
        }
    });
}
