// Base of every screen and level: the game object keeps all of them in one
// list and updates, collides and draws those that are active.
#pragma once

#include <iosfwd>
#include <string>

namespace gameStateNS {
// Gold and health the levels hand out.
constexpr int GOLD_REWARD = 50;
constexpr int BONUS_REWARD = 100;
constexpr int HEALTH_BOOST = 34;
constexpr int HIT_REWARD = 20;
constexpr int LEVEL_BONUS = 100;
}  // namespace gameStateNS

class GameState {
public:
    GameState() = default;
    virtual ~GameState() = default;

    virtual void initialize() {}
    virtual void reset() {}
    virtual void leave() {}
    virtual void update(float) {}
    virtual void render() {}
    virtual void resetAll() {}
    virtual void releaseAll() {}
    virtual void collisions(float) {}
    virtual void ai() {}
    virtual void setName(std::string n) { name = std::move(n); }
    virtual std::string getName() { return name; }
    virtual void setActive(bool a) { active = a; }
    virtual bool getActive() { return active; }
    virtual void setInitialized(bool i) { initialized = i; }
    virtual bool getInitialized() { return initialized; }
    // A level's part of a saved game. saveState writes it to `out`; loadState
    // reads a whole record and applies it only if all of it fits this state,
    // otherwise it changes nothing and says why. Screens keep no saved game.
    virtual bool saveState(std::ostream&) { return false; }
    virtual bool loadState(std::istream&, std::string& error)
    {
        error = name + " keeps no saved game";
        return false;
    }
    // Whether a record would load, without applying it: a save checks what
    // it is about to write, so every save reported as made can be loaded.
    virtual bool checkState(std::istream&, std::string& error)
    {
        error = name + " keeps no saved game";
        return false;
    }

    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

protected:
    int goldReward = gameStateNS::GOLD_REWARD;
    int bonusReward = gameStateNS::BONUS_REWARD;
    int healthBoost = gameStateNS::HEALTH_BOOST;
    int hitReward = gameStateNS::HIT_REWARD;
    int levelBonus = gameStateNS::LEVEL_BONUS;
    int entryGold = 0;  // a level's reset records the ship's progress here
    int entryAmmo = 0;
    std::string name;
    bool active = false;
    bool initialized = false;
};
