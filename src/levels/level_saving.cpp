// A level's part of a saved game: what it writes, and how a record read back
// is put into the ship and the level's objects.
#include "levels/level.h"

#include "entities/cannon.h"
#include "entities/ship.h"

#include <ostream>

namespace {

void moveTo(Entity& e, float x, float y)
{
    e.setX(x);
    e.setY(y);
    e.setBoxComputed(false);
}

}  // namespace

std::array<std::vector<Entity>*, 4> Level::pickupsInSaveOrder()
{
    return {&coins, &ammoPickups, &treasures, &healthPickups};
}

LevelSaveShape Level::saveShape() const
{
    LevelSaveShape shape;
    shape.wide = rules.wide;
    shape.enemies = enemyShips.size() + enemyShip1s.size();
    shape.markers = markers.size();
    shape.pickups = coins.size() + ammoPickups.size() + treasures.size() + healthPickups.size();
    return shape;
}

LevelSave Level::captureSave()
{
    LevelSave save;
    save.mapX = mapX;
    save.backgroundX = background.getX();
    SavedShip& s = save.ship;
    s.gold = ship->getGold();
    s.x = ship->getX();
    s.y = ship->getY();
    s.health = ship->getHealth();
    s.lives = ship->getLives();
    s.ammo = ship->getAmmo();
    s.speed = ship->getSpeed();
    s.cannonDamage = ship->getCannonDamage();
    s.hitDamage = ship->getHitDamage();
    save.endMarker = Placement{endMarker.getX(), endMarker.getY()};
    forEachEnemy([&](EnemyBase& enemy, const EnemyPlacement&) {
        SavedEnemy e;
        e.x = enemy.getX();
        e.y = enemy.getY();
        e.health = enemy.getHealth();
        e.visible = enemy.getVisible();
        e.active = enemy.getActive();
        e.frame = enemy.getCurrentFrame();
        e.vx = enemy.getVelocity().x;
        e.vy = enemy.getVelocity().y;
        save.enemies.push_back(e);
    });
    for (InvisibleMarker& m : markers)
        save.markers.push_back(Placement{m.getX(), m.getY()});
    for (std::vector<Entity>* group : pickupsInSaveOrder())
        for (Entity& p : *group)
            save.pickups.push_back(SavedPickup{p.getActive(), p.getVisible(), p.getX(), p.getY()});
    return save;
}

bool Level::saveState(std::ostream& out)
{
    if (!getInitialized())
        return false;
    out << levelSaveText(captureSave(), saveShape());
    return static_cast<bool>(out);
}

bool Level::loadState(std::istream& in, std::string& error)
{
    if (!getInitialized()) {
        error = name + " is not set up yet";
        return false;
    }
    LevelSave save;
    if (!readLevelSave(in, saveShape(), save, error)) {
        error = "The saved game does not fit " + name + ": " + error;
        return false;
    }
    applySave(save);
    return true;
}

void Level::applySave(const LevelSave& save)
{
    if (rules.wide) {
        mapX = save.mapX;
        background.setX(save.backgroundX);
    }
    const SavedShip& s = save.ship;
    ship->setGold(s.gold);
    moveTo(*ship, s.x, s.y);
    ship->setHealth(s.health);
    ship->setLives(s.lives);
    ship->setAmmo(s.ammo);
    ship->setSpeed(s.speed);
    ship->setCannonDamage(s.cannonDamage);
    ship->setHitDamage(s.hitDamage);
    // The record starts a ship that sails: one loaded after a lost game
    // would otherwise still be sinking, and could never sink again.
    ship->setActive(true);
    ship->setExploding(false);
    ship->setSunk(false);
    ship->setHit(false);
    ship->getCannon()->setActive(false);
    ship->getCannon()->setVisible(false);
    // Losing a ship goes back to the progress the game was loaded with.
    entryGold = s.gold;
    entryAmmo = s.ammo;

    if (rules.wide)
        moveTo(endMarker, save.endMarker.x, save.endMarker.y);
    size_t next = 0;
    forEachEnemy([&](EnemyBase& enemy, const EnemyPlacement&) {
        const SavedEnemy& e = save.enemies[next++];
        moveTo(enemy, e.x, e.y);
        enemy.setHealth(e.health);
        enemy.setVisible(e.visible);
        enemy.setActive(e.active);
        enemy.setCurrentFrame(e.frame);
        enemy.setVelocity(D3DXVECTOR2(e.vx, e.vy));
    });
    if (rules.wide)
        for (size_t i = 0; i < markers.size(); ++i)
            moveTo(markers[i], save.markers[i].x, save.markers[i].y);
    next = 0;
    for (std::vector<Entity>* group : pickupsInSaveOrder()) {
        for (Entity& p : *group) {
            const SavedPickup& saved = save.pickups[next++];
            p.setActive(saved.active);
            p.setVisible(saved.visible);
            if (rules.wide)
                moveTo(p, saved.x, saved.y);
        }
    }
    // The second whirlpool is not in the record: it goes where the saved
    // scroll puts it, so it stays on its own spot of the map.
    if (hasSecondExit)
        moveTo(secondEndMarker, layout.whirlpools[1].x + mapX, layout.whirlpools[1].y);
}
