#include "keelhaven/state_digest.h"

#include "engine/audio.h"
#include "entities/cannon.h"
#include "entities/ship.h"
#include "keelhaven/keelhaven.h"
#include "levels/level.h"

#include <bit>
#include <cinttypes>
#include <cstdio>

namespace {

// FNV-1a over the fields in a fixed order, each at a fixed width.
class Digest {
public:
    void add(std::uint64_t value, int bytes = 8)
    {
        for (int i = 0; i < bytes; ++i) {
            hash ^= (value >> (8 * i)) & 0xFF;
            hash *= 0x100000001b3ULL;
        }
    }
    void add(int value) { add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(value)), 4); }
    void add(bool value) { add(std::uint64_t{value ? 1u : 0u}, 1); }
    void add(float value) { add(static_cast<std::uint64_t>(std::bit_cast<std::uint32_t>(value)), 4); }
    void add(const std::string& text)
    {
        add(static_cast<int>(text.size()));
        for (char c : text)
            add(static_cast<std::uint64_t>(static_cast<unsigned char>(c)), 1);
    }
    std::uint64_t value() const { return hash; }

private:
    std::uint64_t hash = 0xcbf29ce484222325ULL;
};

void addObject(Digest& d, Entity& e)
{
    d.add(e.getX());
    d.add(e.getY());
    d.add(e.getActive());
    d.add(e.getVisible());
}

void addShip(Digest& d, Ship& ship)
{
    addObject(d, ship);
    d.add(ship.getDegrees());
    d.add(ship.getHealth());
    d.add(ship.getGold());
    d.add(ship.getLives());
    d.add(ship.getAmmo());
    d.add(ship.getSailsLevel());
    d.add(ship.getCannonLevel());
    d.add(ship.getHullLevel());
    addObject(d, *ship.getCannon());
}

}  // namespace

std::uint64_t stateDigest(Keelhaven& game)
{
    Digest d;
    std::string current = "FRONTEND";
    Level* played = nullptr;
    for (int i = 0; i < game.stateCount(); ++i) {
        GameState* state = game.stateAt(i);
        if (state == nullptr || !state->getActive())
            continue;
        current = state->getName();
        if (auto* level = dynamic_cast<Level*>(state))
            played = level;
    }
    // Under the pause screen or the table, the level it was opened from.
    if (played == nullptr)
        if (GameState* paused = game.findState(game.pausedStateName))
            played = dynamic_cast<Level*>(paused);
    d.add(current);
    d.add(game.nextLevel);
    d.add(game.easy);
    d.add(game.normal);
    d.add(game.hard);
    d.add(game.gauntlet);
    d.add(game.getAudio() != nullptr && game.getAudio()->getSoundOn());
    if (Ship* ship = game.getShip())
        addShip(d, *ship);
    if (played != nullptr && played->getInitialized()) {
        d.add(played->getName());
        for (auto& enemy : played->getEnemyShips()) {
            addObject(d, enemy);
            addObject(d, *enemy.getCannon());
        }
        for (auto& enemy : played->getEnemyShip1s()) {
            addObject(d, enemy);
            addObject(d, *enemy.getCannon());
        }
        for (auto* group : {&played->getCoins(), &played->getTreasures(), &played->getHealthPickups(),
                            &played->getAmmoPickups()})
            for (Entity& pickup : *group)
                addObject(d, pickup);
    }
    for (int score : game.highScores)
        d.add(score);
    for (const std::string& name : game.highScoreNames)
        d.add(name);
    return d.value();
}

std::string digestText(std::uint64_t digest)
{
    char text[17];
    std::snprintf(text, sizeof(text), "%016" PRIx64, digest);
    return text;
}
