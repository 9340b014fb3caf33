#include "levels/level.h"

#include "app/audio.h"
#include "app/game.h"
#include "app/game_error.h"
#include "app/input.h"
#include "app/keelhaven.h"
#include "entities/cannon.h"
#include "entities/ship.h"
#include "render/graphics.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

constexpr const char* MUSIC = "KEELHAVENDARKTHEME";
constexpr const char* EXPLOSION = "SHIPEXPLOSION";

void fatal(const std::string& message) { throw GameError(FATAL_ERROR, message); }

// Moves an image across whose type is exactly T (an element of a container
// of T, or a member). T keeps Image's position accessors, so they are called
// without the virtual table: while the map scrolls this runs for every
// marker, pick-up and enemy each frame.
template <typename T>
void shiftAcross(T& image, float dx)
{
    static_assert(keepsPositionAccessors<T>, "this type moves its own way: shift it through setX");
    image.Image::setX(image.Image::getX() + dx);
}

void placeAt(Entity& e, const Placement& p)
{
    e.setX(p.x);
    e.setY(p.y);
}

// The picture an enemy shows when it faces `direction`.
int frameFacing(EnemyBase& enemy, int direction)
{
    switch (direction) {
    case entityNS::UP:
        return enemy.getUpFrame();
    case entityNS::DOWN:
        return enemy.getDownFrame();
    case entityNS::RIGHT:
        return enemy.getRightFrame();
    default:
        return enemy.getLeftFrame();
    }
}

void setMode(EnemyBase& enemy, int mode)
{
    switch (mode) {
    case enemyNS::HORIZONTAL_PATROL:
        enemy.patrolHorizontally();
        break;
    case enemyNS::VERTICAL_PATROL:
        enemy.patrolVertically();
        break;
    case enemyNS::CRUISE:
        enemy.cruise();
        break;
    case enemyNS::GUARD:
        enemy.standGuard();
        break;
    default:
        enemy.stopMoving();
        break;
    }
}

}  // namespace

Level::Level(int levelNumber, Graphics* g, Game* gm, Input* in, Audio* a, Ship* s, Keelhaven* k)
    : rules(rulesFor(levelNumber)), graphics(g), game(gm), input(in), audio(a), ship(s), keelhaven(k),
      tileMap(rulesFor(levelNumber).wide ? tileMapNS::WIDE_COLS : tileMapNS::NARROW_COLS),
      dxScore(std::make_unique<TextDX>())
{
    setName("LEVEL" + std::to_string(rules.number));
}

Level::~Level() = default;

std::string Level::mapFileName(int number) { return "levels\\map" + std::to_string(number) + ".txt"; }
std::string Level::dataFileName(int number) { return "levels\\level" + std::to_string(number) + ".txt"; }

// ---------------------------------------------------------------- set-up

// The layout is read on the first entry, before that entry's reset places
// the ship; a file that does not read stops the game there.
void Level::loadLayout()
{
    if (layoutLoaded)
        return;
    std::string error;
    if (!loadLevelData(dataFileName(rules.number), layout, error))
        fatal(error);
    layoutLoaded = true;
}

void Level::initialize()
{
    loadLayout();
    loadTextures();
    placeObjects();
}

void Level::loadTextures()
{
    if (!dxScore->initialize(graphics, 50, false, false, "Stencil"))
        fatal(rules.fontError);
    if (!backgroundTexture.initialize(graphics, "pictures\\ocean.jpg"))
        fatal("Error initializing background texture");
    if (!background.initialize(graphics, 0, 0, 0, &backgroundTexture))
        fatal("Error initializing menu");
    if (!hudTexture.initialize(graphics, "pictures\\HUD.png"))
        fatal("Error initializing hud texture");
    if (!hudPanel.initialize(graphics, 0, 0, 0, &hudTexture))
        fatal("Error initializing hud");
    hudPanel.setX(0);
    hudPanel.setY(levelNS::HUD_Y);
    if (!livesTexture.initialize(graphics, "pictures\\LIVESICON.png"))
        fatal("Error initializing lives icon textures");
    for (int i = 0; i < levelNS::MAX_LIVES_ICONS; ++i) {
        if (!livesIcons[i].initialize(graphics, 0, 0, 0, &livesTexture))
            fatal("Error initializing lives icon");
        livesIcons[i].setX(levelNS::ICONS_X + static_cast<float>(i * livesTexture.getWidth(0)));
        livesIcons[i].setY(levelNS::LIVES_ICONS_Y);
    }
    if (!barTexture.initialize(graphics, "pictures\\healthbar.png"))
        fatal("Error initializing bar textures");
    healthBar.initialize(graphics, &barTexture, 1.0f);
    if (!ammoTexture.initialize(graphics, "pictures\\Ammunition.png"))
        fatal("Error initializing icon textures");
    for (int i = 0; i < levelNS::MAX_AMMO_ICONS; ++i) {
        if (!ammoIcons[i].initialize(graphics, 0, 0, 0, &ammoTexture))
            fatal("Error initializing ammo icon");
        ammoIcons[i].setX(levelNS::ICONS_X + static_cast<float>(i * ammoTexture.getWidth(0)));
        ammoIcons[i].setY(levelNS::AMMO_ICONS_Y);
    }
    if (!gameTextures.initialize(graphics, "pictures\\textures4-3.png"))
        fatal("Error initializing game textures");
}

void Level::placeObjects()
{
    auto makePickups = [&](std::vector<Entity>& group, const std::vector<Placement>& where, int frame,
                           const char* message) {
        group = std::vector<Entity>(where.size());
        for (size_t i = 0; i < where.size(); ++i) {
            Entity& p = group[i];
            if (!p.initialize(game, 64, 64, 4, &gameTextures))
                fatal(message);
            p.setFrames(frame, frame);
            p.setCurrentFrame(frame);
            p.setCollisionType(entityNS::BOX);
            p.setEdge(RECT{-5, -5, 5, 5});
            placeAt(p, where[i]);
        }
    };
    makePickups(coins, layout.coins, levelNS::COIN_FRAME, "Error initializing gold");
    makePickups(ammoPickups, layout.ammoPickups, levelNS::AMMO_FRAME, "Error initializing cannonballs");
    for (auto& p : ammoPickups)
        p.setScale(levelNS::AMMO_PICKUP_SCALE);
    makePickups(treasures, layout.treasures, levelNS::TREASURE_FRAME, "Error initializing gold");
    makePickups(healthPickups, layout.healthPickups, levelNS::HEALTH_FRAME, "Error initializing healthpickup");

    enemyShips = std::vector<EnemyShip>(layout.enemyShips.size());
    enemyShip1s = std::vector<EnemyShip1>(layout.enemyShip1s.size());
    forEachEnemy([&](EnemyBase& enemy, const EnemyPlacement& where) {
        if (!enemy.initialize(game, 64, 64, 4, &gameTextures))
            fatal("Error initializing ship");
        placeAt(enemy, where.start);
        enemy.setCurrentFrame(frameFacing(enemy, where.facing));
        enemy.setDirection(where.direction);
        setMode(enemy, where.mode);
        enemy.setVelocity(D3DXVECTOR2(where.vx, where.vy));
    });

    if (!markerTexture.initialize(graphics, "pictures\\marker.png"))
        fatal("Error iniitialising invisible marker texture");
    markers = std::vector<InvisibleMarker>(layout.markers.size());
    markerBoxes.reserve(markers.size());
    for (size_t i = 0; i < markers.size(); ++i) {
        if (!markers[i].initialize(game, 0, 0, 0, &markerTexture))
            fatal("Error initialising invisible marker");
        placeAt(markers[i], layout.markers[i]);
    }

    if (!whirlpoolTexture.initialize(graphics, "pictures\\Whirlpool2.png"))
        fatal("Error iniitialising invisible marker texture");
    hasSecondExit = layout.whirlpools.size() > 1;
    for (int i = 0; i < (hasSecondExit ? 2 : 1); ++i) {
        EndLevelMarker& whirlpool = i == 0 ? endMarker : secondEndMarker;
        if (!whirlpool.initialize(game, 16, 16, 1, &whirlpoolTexture))
            fatal("Error initialising invisible level marker");
        whirlpool.setScale(2.0f);
        whirlpool.setFrames(0, 3);
        whirlpool.setCurrentFrame(1);
        placeAt(whirlpool, layout.whirlpools[static_cast<size_t>(i)]);
    }

    if (!tileTextures.initialize(graphics, "pictures\\Tiles.txt"))
        fatal("Error initializing tile textures");
    if (!tileImage.initialize(graphics, 0, 0, 0, &tileTextures))
        fatal("Error initializing tile");
    // A map that is missing, short or holds something that is no tile code
    // is refused: no cell may be left unknown.
    if (!tileMap.loadFile(mapFileName(rules.number)))
        fatal("Error loading tile map data");
    collisionTile.initialize(game, 65, 65, 1, &tileTextures);
    collisionTile.setEdge(RECT{-32, -32, 32, 32});
    collisionTile.setCollisionType(entityNS::BOX);
    collisionTile.setMass(1.0f);
    mapX = 0;
}

// ---------------------------------------------------------------- entering and restarting

void Level::reset()
{
    loadLayout();
    const bool gauntlet = keelhaven != nullptr && keelhaven->gauntlet;
    switch (rules.entry) {
    case LevelEntry::NewGame:
        ship->setDegrees(0);
        ship->setScale(1.0f);
        startFreshProgress(gauntlet ? 1 : 3);
        ship->setFireTimer(0);
        respawn();
        playMusic();
        return;
    case LevelEntry::StartingLevel:
        if (gauntlet) {
            // A gauntlet run passes through: progress and music carry on.
            entryGold = ship->getGold();
            entryAmmo = ship->getAmmo();
        } else {
            startFreshProgress(3);
            playMusic();
        }
        ship->setDegrees(0);
        ship->setScale(1.0f);
        ship->setFireTimer(0);
        respawn();
        return;
    case LevelEntry::Continue:
        playMusic();
        entryGold = ship->getGold();
        entryAmmo = ship->getAmmo();
        ship->setFireTimer(0);
        if (rules.resetsShipPose) {
            ship->setDegrees(0);
            ship->setScale(1.0f);
        }
        respawn();
        return;
    }
}

// A new run: no gold, no upgrades, the starting cannonballs and speed.
void Level::startFreshProgress(int lives)
{
    ship->setGold(0);
    ship->setLives(lives);
    ship->setAmmo(rules.startingAmmo);
    ship->setSpeed(150.0f);
    ship->setCannonDamage(10);
    ship->setHitDamage(34);
    ship->setSailsLevel(0);
    ship->setCannonLevel(0);
    ship->setHullLevel(0);
}

void Level::restoreProgressOnRespawn()
{
    const bool gauntlet = keelhaven != nullptr && keelhaven->gauntlet;
    const bool keepsEntry =
        rules.entry == LevelEntry::Continue || (rules.entry == LevelEntry::StartingLevel && gauntlet);
    if (keepsEntry) {
        // Gold and cannonballs gained in a failed attempt are lost.
        ship->setGold(entryGold);
        ship->setAmmo(entryAmmo);
    } else {
        ship->setGold(0);
        ship->setAmmo(rules.startingAmmo);
    }
}

void Level::respawn()
{
    restoreProgressOnRespawn();
    ship->setHealth(levelNS::SHIP_HEALTH);
    ship->setActive(true);
    ship->setExploding(false);
    ship->setSunk(false);
    placeAt(*ship, layout.ship);
    ship->setFrames(4, 7);
    ship->setCurrentFrame(4);

    forEachEnemy([&](EnemyBase& enemy, const EnemyPlacement& where) {
        placeAt(enemy, where.respawn);
        enemy.setHealth(levelNS::ENEMY_HEALTH);
        enemy.setActive(true);
        enemy.setVisible(true);
        enemy.setExploding(false);
        enemy.setSunk(false);
        enemy.setCurrentFrame(frameFacing(enemy, where.facing));
        enemy.setDirection(where.direction);
        enemy.setVelocity(D3DXVECTOR2(where.vx, where.vy));
    });

    forEachPickup([](Entity& p) {
        p.setVisible(true);
        p.setActive(true);
    });

    if (rules.wide) {
        // The map and everything on it go back to the left end.
        mapX = 0;
        background.setX(0);
        for (size_t i = 0; i < markers.size(); ++i)
            placeAt(markers[i], layout.markers[i]);
        auto putBack = [](std::vector<Entity>& group, const std::vector<Placement>& where) {
            for (size_t i = 0; i < group.size(); ++i)
                placeAt(group[i], where[i]);
        };
        putBack(coins, layout.coins);
        putBack(treasures, layout.treasures);
        putBack(healthPickups, layout.healthPickups);
        putBack(ammoPickups, layout.ammoPickups);
        if (!layout.whirlpools.empty())
            placeAt(endMarker, layout.whirlpools[0]);
        if (hasSecondExit)
            placeAt(secondEndMarker, layout.whirlpools[1]);
    }
}

void Level::playMusic()
{
    if (audio != nullptr && audio->getSoundOn())
        audio->playCue(MUSIC);
}

void Level::playExplosion()
{
    if (audio != nullptr && audio->getSoundOn())
        audio->playCue(EXPLOSION);
}

void Level::stopMusic()
{
    if (audio != nullptr && audio->getSoundOn())
        audio->stopCue(MUSIC);
}

// ---------------------------------------------------------------- each frame

void Level::update(float frameTime)
{
    if (rules.wide)
        scrollMap(frameTime);

    whirlpools(frameTime);

    if (rules.hKeyShowsHighScores && input->isKeyDown('H'))
        keelhaven->lookAtHighScores(name);

    healthBar.set(ship->getHealth());

    ship->update(frameTime);
    collisionTile.update(frameTime);
    background.update(frameTime);
    forEachEnemy([&](EnemyBase& enemy, const EnemyPlacement&) { enemy.update(frameTime); });
    for (auto& c : coins)
        c.update(frameTime);
    for (auto& h : healthPickups)
        h.update(frameTime);
    for (auto& t : treasures)
        t.update(frameTime);

    if (input->getGamepadStart(0) || input->isKeyDown(VK_ESCAPE) || input->wasKeyPressed('P'))
        keelhaven->switchState("PAUSESCREEN", name);

    sinking(frameTime);
}

void Level::whirlpools(float frameTime)
{
    const bool onFirst = sinkInto(endMarker, frameTime, exitName());
    const bool onSecond = !onFirst && hasSecondExit && sinkInto(secondEndMarker, frameTime, "LEVEL31");
    if (!onFirst && !onSecond) {
        ship->setDegrees(0);
        ship->setScale(1.0f);
    }
    endMarker.update(frameTime);
    if (hasSecondExit)
        secondEndMarker.update(frameTime);
}

// Time on a whirlpool adds up across visits; past three seconds the level is won.
bool Level::sinkInto(EndLevelMarker& whirlpool, float frameTime, const char* exit)
{
    if (!ship->testCollision(whirlpool, collisionVector))
        return false;
    levelTimer += frameTime;
    ship->sinkStep(frameTime);
    if (levelTimer > levelNS::WHIRLPOOL_SECONDS) {
        ship->addGold(levelBonus);
        if (std::strcmp(exit, "COMPLETE") == 0)
            stopMusic();
        keelhaven->switchState(exit, name);
        levelTimer = 0;
    }
    return true;
}

const char* Level::exitName()
{
    switch (rules.exit) {
    case LevelExit::Shop:
        return "UPGRADESCREEN";
    case LevelExit::CompleteUnlessGauntlet:
        return keelhaven->gauntlet ? "UPGRADESCREEN" : "COMPLETE";
    case LevelExit::Complete:
        return "COMPLETE";
    }
    return "UPGRADESCREEN";
}

void Level::sinking(float frameTime)
{
    if (ship->getSunk() || ship->getHealth() > 0)
        return;
    // One explosion per ship: the wait below runs for many frames.
    if (!ship->getExploding())
        playExplosion();
    explode(*ship);
    levelTimer += frameTime;
    if (levelTimer < levelNS::SINKING_SECONDS)
        return;
    ship->setSunk(true);
    if (ship->getLives() >= 1) {
        ship->setLives(ship->getLives() - 1);
        respawn();
    } else {
        stopMusic();
        keelhaven->switchState("GAMEOVER", name);
    }
    levelTimer = 0;
}

void Level::scrollMap(float frameTime)
{
    const float step = ship->getSpeed() * frameTime;
    const bool wantsLeft = input->isKeyDown(VK_LEFT) || input->getGamepadDPadLeft(0);
    const bool wantsRight = input->isKeyDown(VK_RIGHT) || input->getGamepadDPadRight(0);
    if (ship->getX() <= levelNS::SCROLL_LEFT_EDGE && wantsLeft && mapX < 0) {
        ship->setX(levelNS::SCROLL_LEFT_EDGE);
        mapX += step;
        shiftWorld(step);
    }
    if (ship->getX() + static_cast<float>(ship->getWidth()) >= levelNS::SCROLL_RIGHT_EDGE && wantsRight &&
        mapX >= levelNS::MAX_MAP_SCROLL) {
        ship->setX(levelNS::SCROLL_RIGHT_EDGE - static_cast<float>(ship->getWidth()));
        mapX -= step;
        shiftWorld(-step);
    }
}

void Level::shiftWorld(float dx)
{
    shiftAcross(background, dx);
    forEachEnemyList([&](auto& group) {
        for (auto& enemy : group) {
            shiftAcross(enemy, dx);
            Cannon& ball = *enemy.getCannon();  // exactly a Cannon
            if (ball.Entity::getActive())
                shiftAcross(ball, dx);
        }
    });
    for (auto& m : markers)
        shiftAcross(m, dx);
    forEachPickup([&](auto& p) { shiftAcross(p, dx); });
    shiftAcross(endMarker, dx);
    if (hasSecondExit)
        shiftAcross(secondEndMarker, dx);
    // The ship's cannonball may be of any type: through its own setX.
    if (Entity& ball = *ship->getCannon(); ball.getActive())
        ball.setX(ball.getX() + dx);
}

// ---------------------------------------------------------------- collisions

// Destroyed: switched off, and the explosion shown in place of the ship.
template <typename ShipKind>
void Level::explode(ShipKind& s)
{
    s.setActive(false);
    s.setHit(false);
    s.setExploding(true);
}

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

// ---------------------------------------------------------------- drawing

void Level::render()
{
    graphics->spriteBegin();
    background.draw(graphicsNS::WHITE);
    endMarker.draw(levelNS::WHIRLPOOL_COLOR);
    if (hasSecondExit)
        secondEndMarker.draw(levelNS::WHIRLPOOL_COLOR);
    drawTiles();
    hudPanel.draw(graphicsNS::WHITE);
    const int ammo = ship->getAmmo();
    if (ammo >= 1 && ammo <= levelNS::MAX_AMMO_ICONS)
        for (int i = 0; i < ammo; ++i)
            ammoIcons[i].draw(graphicsNS::WHITE);
    const int lives = ship->getLives();
    if (lives >= 1 && lives <= levelNS::MAX_LIVES_ICONS)
        for (int i = 0; i < lives; ++i)
            livesIcons[i].draw(graphicsNS::WHITE);
    healthBar.draw(graphicsNS::FILTER);
    for (auto* group : {&coins, &ammoPickups, &healthPickups, &treasures})
        for (auto& p : *group)
            p.draw(graphicsNS::WHITE);
    forEachEnemy([](EnemyBase& enemy, const EnemyPlacement&) { enemy.draw(); });
    ship->draw();

    dxScore->setFontColor(levelNS::GOLD_COLOR);
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%d", ship->getGold());
    dxScore->print(buffer, static_cast<int>(levelNS::GOLD_X), static_cast<int>(levelNS::GOLD_Y));
    graphics->spriteEnd();
}

void Level::drawTiles()
{
    for (int r = 0; r < tileMap.rows(); ++r) {
        for (int c = 0; c < tileMap.cols(); ++c) {
            const float x = static_cast<float>(c * tileMapNS::TILE_PITCH) + mapX;
            const float y = static_cast<float>(r * tileMapNS::TILE_PITCH) + mapY;
            if (!(x > -tileMapNS::TILE_PITCH && x < 800 && y > -tileMapNS::TILE_PITCH && y < 600))
                continue;
            tileImage.setX(x);
            tileImage.setY(y);
            tileImage.draw(TextureNumber(tileMap.code(r, c)));
        }
    }
}

std::array<TextureManager*, 9> Level::textureManagers()
{
    return {&backgroundTexture, &gameTextures, &tileTextures, &ammoTexture, &barTexture,
            &livesTexture,      &hudTexture,   &markerTexture, &whirlpoolTexture};
}

void Level::releaseAll()
{
    for (TextureManager* tm : textureManagers())
        tm->onLostDevice();
    dxScore->onLostDevice();
}

void Level::resetAll()
{
    for (TextureManager* tm : textureManagers())
        tm->onResetDevice();
    dxScore->onResetDevice();
}
