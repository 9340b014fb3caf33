// One level of play: the ship on a tile map with pick-ups, enemy ships,
// turning markers and a whirlpool that ends the level. All 31 levels run
// this code; each brings its own map, data file and rules.
#pragma once

#include "engine/engine_services.h"
#include "engine/game_state.h"
#include "entities/axis_box.h"
#include "entities/enemy_ship.h"
#include "entities/entity.h"
#include "entities/markers.h"
#include "levels/box_index.h"
#include "levels/level_data.h"
#include "levels/level_rules.h"
#include "levels/level_save.h"
#include "levels/tile_map.h"
#include "render/bar.h"
#include "render/image.h"
#include "render/text_dx.h"
#include "render/texture_manager.h"

#include <array>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class Audio;
class Graphics;
class Input;
class Voyage;
class Ship;

namespace levelNS {
constexpr int MAX_AMMO_ICONS = 9;
constexpr int MAX_LIVES_ICONS = 3;
constexpr float ICONS_X = 490;
constexpr float AMMO_ICONS_Y = 510;
constexpr float LIVES_ICONS_Y = 560;
constexpr float HUD_Y = 465;
constexpr float WHIRLPOOL_SECONDS = 3.0f;  // on the whirlpool to finish
constexpr float SINKING_SECONDS = 1.5f;    // from the explosion to the next ship
constexpr float ENEMY_HEALTH = 20.0f;
constexpr float SHIP_HEALTH = 100.0f;
constexpr int ENEMY_FIRE_RUMBLE_PAD = 1;
constexpr WORD RUMBLE_SPEED = 20000;
constexpr float RUMBLE_SECONDS = 0.5f;
constexpr float GOLD_X = 660;
constexpr float GOLD_Y = 545;
constexpr COLOR_ARGB GOLD_COLOR = 0xFF000000;
constexpr COLOR_ARGB WHIRLPOOL_COLOR = 0x80FFFFFF;  // half transparent
constexpr int COIN_FRAME = 29, TREASURE_FRAME = 30, HEALTH_FRAME = 28, AMMO_FRAME = 32;
constexpr float AMMO_PICKUP_SCALE = 0.6f;
constexpr float MAX_MAP_SCROLL = -780.0f;  // the right end of a wide map
constexpr int SPRITE_SIZE = 64;            // a frame of the sprite sheet, both ways
constexpr float SCROLL_LEFT_EDGE = 200.0f;
constexpr float SCROLL_RIGHT_EDGE = 600.0f;
}  // namespace levelNS

class Level : public GameState {
public:
    // Draws, reads and plays through the voyage's engine, and sails its ship.
    Level(int number, Voyage& voyage);
    ~Level() override;

    void initialize() override;
    void reset() override;
    void update(float frameTime) override;
    void render() override;
    void resetAll() override;
    void releaseAll() override;
    void collisions(float frameTime) override;

    // Puts everything that moves back to its start for another attempt.
    void respawn();

    // The saved-game record of the player's progress and this level's objects.
    bool saveState(std::ostream& out) override;
    bool loadState(std::istream& in, std::string& error) override;
    bool checkState(std::istream& in, std::string& error) override;
    LevelSaveShape saveShape() const;

    int getNumber() const { return rules.number; }
    const LevelRules& getRules() const { return rules; }
    static std::string mapFileName(int number);
    static std::string dataFileName(int number);

    // For tests and tools.
    float getLevelTimer() const { return levelTimer; }
    float getHitTimer() const { return hitTimer; }
    float getMapX() const { return mapX; }
    const TileGrid& getTileMap() const { return tileMap; }
    std::vector<Entity>& getCoins() { return coins; }
    std::vector<Entity>& getTreasures() { return treasures; }
    std::vector<Entity>& getHealthPickups() { return healthPickups; }
    std::vector<Entity>& getAmmoPickups() { return ammoPickups; }
    std::vector<EnemyShip>& getEnemyShips() { return enemyShips; }
    std::vector<EnemyShip1>& getEnemyShip1s() { return enemyShip1s; }
    std::vector<InvisibleMarker>& getMarkers() { return markers; }
    EndLevelMarker& getEndMarker() { return endMarker; }
    EndLevelMarker* getSecondEndMarker() { return hasSecondExit ? &secondEndMarker : nullptr; }
    // Off, every pair of things goes to its full collision test, none is
    // ruled out first by its box: the game must play exactly the same.
    void setBroadPhase(bool on) { broadPhase = on; }

protected:
    // Every enemy, EnemyShips first, with where the data file puts it. A
    // generic f is given each enemy as its own type.
    template <typename F>
    void forEachEnemy(F&& f)
    {
        for (size_t i = 0; i < enemyShips.size(); ++i)
            f(enemyShips[i], layout.enemyShips[i]);
        for (size_t i = 0; i < enemyShip1s.size(); ++i)
            f(enemyShip1s[i], layout.enemyShip1s[i]);
    }
    // The enemies a list at a time, in forEachEnemy's order, for loops the
    // compiler can keep tight over each kind: f(enemyShips), f(enemyShip1s).
    template <typename F>
    void forEachEnemyList(F&& f)
    {
        f(enemyShips);
        f(enemyShip1s);
    }
    template <typename F>
    void forEachPickup(F&& f)
    {
        for (auto* group : {&coins, &treasures, &healthPickups, &ammoPickups})
            for (auto& p : *group)
                f(p);
    }

private:
    void loadLayout();
    void loadTextures();
    void placeObjects();
    void startFreshProgress(int lives);
    void restoreProgressOnRespawn();
    void playMusic();
    void stopMusic();
    void playExplosion();
    // Destroyed: switched off, and the explosion shown in place of the ship.
    template <typename ShipKind>
    static void explode(ShipKind& s)
    {
        s.setActive(false);
        s.setHit(false);
        s.setExploding(true);
    }
    std::array<TextureManager*, 9> textureManagers();
    void whirlpools(float frameTime);
    bool sinkInto(EndLevelMarker& whirlpool, float frameTime, const char* exit);
    const char* exitName();
    void sinking(float frameTime);
    void scrollMap(float frameTime);
    void shiftWorld(float dx);
    // The box of the one of a pair that is tested against the others; with
    // the broad phase off, a box that rules nothing out. T is the entity's
    // exact type, whose fields are read; the ship (made outside the level,
    // perhaps of a derived type) and a plain Entity& go through the getters.
    template <typename T>
    AxisBox askerBox(T& e) const
    {
        if (!broadPhase)
            return AxisBox{};
        if constexpr (std::is_same_v<T, Entity> || std::is_same_v<T, Ship>)
            return anyAxisBoxOf(e);
        else
            return axisBoxOf(e);
    }
    // box: entity's, from askerBox.
    void collideWithTiles(Entity& entity, AxisBox box, bool isShip);
    void ramming(float frameTime);
    // The ship met enemy: it gives way, and takes damage once the cooldown
    // since the last ramming has passed.
    void rammed(EnemyBase& enemy, float cooldown);
    // An enemy that has run into a marker bounces off it and turns round.
    bool turnAt(EnemyBase& enemy, InvisibleMarker& marker);
    void enemyFire();
    void pickups();
    void markerTurns();
    void turnAtMarkers();
    void playerCannonball();
    void strike(EnemyBase& enemy);
    void drawTiles();
    std::array<std::vector<Entity>*, 4> pickupsInSaveOrder();
    LevelSave captureSave();
    void applySave(const LevelSave& save);
    // Reads a record and checks that it could have come from this level:
    // progress never negative, everything on the map, pictures that exist.
    bool readSave(std::istream& in, LevelSave& save, std::string& error);
    bool fitsThisLevel(const LevelSave& save, std::string& error);

    const LevelRules& rules;
    Voyage* voyage;  // none of these is owned
    EngineServices engine;
    Graphics* graphics;
    Input* input;
    Audio* audio;
    Ship* ship;

    float levelTimer = 0;  // on the whirlpool, or since the ship sank
    float hitTimer = 0;    // since ramming last did damage
    D3DXVECTOR2 collisionVector;
    float mapX = 0;
    float mapY = 0;
    TileGrid tileMap;
    LevelData layout;
    bool layoutLoaded = false;

    TextureManager backgroundTexture;
    TextureManager gameTextures;
    TextureManager tileTextures;
    TextureManager ammoTexture;
    TextureManager barTexture;
    TextureManager livesTexture;
    TextureManager hudTexture;
    TextureManager markerTexture;
    TextureManager whirlpoolTexture;
    Image background;
    Image ammoIcons[levelNS::MAX_AMMO_ICONS];
    Image livesIcons[levelNS::MAX_LIVES_ICONS];
    Image hudPanel;
    Image tileImage;
    Entity collisionTile;
    std::unique_ptr<TextDX> dxScore;
    std::vector<Entity> coins;
    std::vector<Entity> treasures;
    std::vector<Entity> healthPickups;
    std::vector<Entity> ammoPickups;
    Bar healthBar;
    std::vector<EnemyShip> enemyShips;
    std::vector<EnemyShip1> enemyShip1s;
    std::vector<InvisibleMarker> markers;
    std::vector<AxisBox> markerBoxes;  // this frame's, kept to allocate nothing
    BoxIndex markerIndex;              // of markerBoxes
    bool broadPhase = true;
    EndLevelMarker endMarker;
    EndLevelMarker secondEndMarker;  // only where the data file has a second whirlpool
    bool hasSecondExit = false;
};
