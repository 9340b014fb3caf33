// A level's set-up and files: its layout and pictures loaded once, the
// objects placed, the progress kept for each attempt, its music, and its
// pictures through a device reset. The frame's rules, collisions,
// scrolling and drawing each have a file of their own.
#include "levels/level.h"

#include "base/game_error.h"
#include "engine/audio.h"
#include "engine/game.h"
#include "engine/input.h"
#include "entities/cannon.h"
#include "entities/ship.h"
#include "render/graphics.h"
#include "voyage/voyage.h"

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

Level::Level(int levelNumber, Voyage& v)
    : rules(rulesFor(levelNumber)), voyage(&v), engine(v.engine().services()), graphics(engine.graphics),
      input(engine.input), audio(engine.audio), ship(v.getShip()),
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
            if (!p.initialize(engine, 64, 64, 4, &gameTextures))
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
        if (!enemy.initialize(engine, 64, 64, 4, &gameTextures))
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
        if (!markers[i].initialize(engine, 0, 0, 0, &markerTexture))
            fatal("Error initialising invisible marker");
        placeAt(markers[i], layout.markers[i]);
    }

    if (!whirlpoolTexture.initialize(graphics, "pictures\\Whirlpool2.png"))
        fatal("Error iniitialising invisible marker texture");
    hasSecondExit = layout.whirlpools.size() > 1;
    for (int i = 0; i < (hasSecondExit ? 2 : 1); ++i) {
        EndLevelMarker& whirlpool = i == 0 ? endMarker : secondEndMarker;
        if (!whirlpool.initialize(engine, 16, 16, 1, &whirlpoolTexture))
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
    collisionTile.initialize(engine, 65, 65, 1, &tileTextures);
    collisionTile.setEdge(RECT{-32, -32, 32, 32});
    collisionTile.setCollisionType(entityNS::BOX);
    collisionTile.setMass(1.0f);
    mapX = 0;
}

// ---------------------------------------------------------------- entering and restarting

void Level::reset()
{
    loadLayout();
    const bool gauntlet = voyage->gauntlet;
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
    const bool gauntlet = voyage->gauntlet;
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
