// A game object with nothing but its input, for entities that read the keys
// and the first controller; and a virtual pad on that input.
#pragma once

#include "engine/game.h"
#include "entity_fixtures.h"
#include "testing.h"

namespace play_fixtures {

// No window, graphics or sound: initialising an entity on it only hands over
// the input. Nothing is drawn.
struct InputOnlyGame : Game {
    void update() override {}
    void ai() override {}
    void collisions() override {}
    void render() override {}
    Input& keys() { return *getInput(); }
};

// Sets an entity up as the game does: 64 x 64 frames, 4 columns.
template <class E>
void setUp(E& e, InputOnlyGame& game)
{
    e.initialize(game.services(), 64, 64, 4, &entity_fixtures::noTextures());
}

// Ends a frame as the game loop does: presses are forgotten, held keys stay.
inline void endFrame(InputOnlyGame& game)
{
    game.keys().clear(inputNS::KEYS_PRESSED);
}

// The first controller, plugged in for the life of the object.
class Pad {
public:
    explicit Pad(Input& in) : input(in), handle(platform::testing::attachPad()) { input.checkControllers(); }
    ~Pad()
    {
        platform::testing::detachPad(handle);
        input.readControllers();
    }
    bool plugged() const { return handle >= 0 && input.getGamepadConnected(0); }
    void hold(WORD buttons)
    {
        platform::testing::setPadButtons(handle, buttons);
        input.readControllers();
    }
    Pad(const Pad&) = delete;
    Pad& operator=(const Pad&) = delete;

private:
    Input& input;
    int handle;
};

}  // namespace play_fixtures
