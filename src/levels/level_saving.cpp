// A level's part of a saved game: what it writes, and how a record read back
// is put into the ship and the level's objects.
#include "levels/level.h"

#include "entities/cannon.h"
#include "entities/ship.h"

#include <ostream>
#include <string>

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

bool Level::readSave(std::istream& in, LevelSave& save, std::string& error)
{
    if (!getInitialized()) {
        error = name + " is not set up yet";
        return false;
    }
    if (!readLevelSave(in, saveShape(), save, error) || !fitsThisLevel(save, error)) {
        error = "The saved game does not fit " + name + ": " + error;
        return false;
    }
    return true;
}

bool Level::loadState(std::istream& in, std::string& error)
{
    LevelSave save;
    if (!readSave(in, save, error))
        return false;
    applySave(save);
    return true;
}

bool Level::checkState(std::istream& in, std::string& error)
{
    LevelSave save;
    return readSave(in, save, error);
}

// What play can never make: a record with such values is damage, and is
// refused rather than loaded into a ship or a level that then misbehaves.
bool Level::fitsThisLevel(const LevelSave& save, std::string& error)
{
    const SavedShip& s = save.ship;
    if (s.gold < 0 || s.lives < 0 || s.ammo < 0) {
        error = "the ship's gold, lives or cannonballs are below nothing";
        return false;
    }
    const float mapLeft = rules.wide ? save.mapX : 0.0f;
    if (rules.wide && (save.mapX > 0.5f || save.mapX < levelNS::MAX_MAP_SCROLL - 0.5f)) {
        error = "the map is scrolled past its end";
        return false;
    }
    // A sprite may hang over the edge by its size, never lie beyond it.
    const float cols = static_cast<float>(rules.wide ? tileMapNS::WIDE_COLS : tileMapNS::NARROW_COLS);
    const float pitch = static_cast<float>(tileMapNS::TILE_PITCH);
    const float left = mapLeft - pitch, right = mapLeft + cols * pitch;
    const float top = -pitch, bottom = static_cast<float>(tileMapNS::MAP_ROWS) * pitch;
    auto onMap = [&](float x, float y) { return x >= left && x <= right && y >= top && y <= bottom; };
    if (!onMap(s.x, s.y)) {
        error = "the ship is off the map";
        return false;
    }
    const int frames = gameTextures.getWidth(0) / levelNS::SPRITE_SIZE * (gameTextures.getHeight(0) / levelNS::SPRITE_SIZE);
    for (size_t i = 0; i < save.enemies.size(); ++i) {
        const SavedEnemy& e = save.enemies[i];
        if (e.active && !onMap(e.x, e.y)) {
            error = "enemy ship " + std::to_string(i + 1) + " is off the map";
            return false;
        }
        if (e.frame >= frames) {
            error = "enemy ship " + std::to_string(i + 1) + " shows a picture the sprite sheet does not have";
            return false;
        }
    }
    for (size_t i = 0; i < save.pickups.size(); ++i)
        if (rules.wide && save.pickups[i].active && !onMap(save.pickups[i].x, save.pickups[i].y)) {
            error = "pick-up " + std::to_string(i + 1) + " is off the map";
            return false;
        }
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
