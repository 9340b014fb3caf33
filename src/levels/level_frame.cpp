// A level's frame: reading the player's keys, the whirlpools that end the
// level, and the ship sinking.
#include "levels/level.h"

#include "engine/input.h"
#include "entities/cannon.h"
#include "entities/ship.h"
#include "voyage/voyage.h"

void Level::update(float frameTime)
{
    if (rules.wide)
        scrollMap(frameTime);

    whirlpools(frameTime);

    if (rules.hKeyShowsHighScores && input->isKeyDown('H'))
        voyage->lookAtHighScores(name);

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

    // A pad pulled out mid-level stops the play, as on a console: the
    // player may have been steering with it.
    if (input->getGamepadStart(0) || input->isActionDown(Action::Pause) || input->wasActionPressed(Action::Pause) ||
        input->padWasRemoved())
        voyage->switchState("PAUSESCREEN", name);

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
        voyage->switchState(exit, name);
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
        return voyage->gauntlet ? "UPGRADESCREEN" : "COMPLETE";
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
        voyage->switchState("GAMEOVER", name);
    }
    levelTimer = 0;
}
