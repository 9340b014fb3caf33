// Drawing a level: the sea, the tiles, the HUD, the pick-ups, the ships and
// the gold, in one sprite batch.
#include "levels/level.h"

#include "entities/ship.h"
#include "render/graphics.h"

#include <cstdio>

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
