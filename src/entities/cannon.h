// A cannonball: flies in a straight line at a fixed speed in one of the four
// screen directions until it leaves the play area or a level switches it off
// on a hit. Every ship owns exactly one, so each has one shot in the air at a
// time.
#pragma once

#include "entities/entity.h"

#include <type_traits>

namespace cannonNS {
constexpr int WIDTH = 64;  // frame on the shared sprite sheet
constexpr int HEIGHT = 64;
constexpr int TEXTURE_COLS = 4;
constexpr int FRAME = 33;
constexpr float ANIMATION_DELAY = 0.1f;
constexpr float RADIUS = 4.0f;
constexpr float MASS = 0.1f;     // also what getMass always reports
constexpr float SPEED = 600.0f;  // pixels per second
// How the owner shows the ball: frame 33 of the ship sheet, tinted, a
// quarter size (16 x 16 on screen).
constexpr COLOR_ARGB COLOR_FILTER = 0xFF8080FF;
constexpr float SCALE = 0.25f;
// The play area above the HUD; a ball whose top-left leaves it is spent.
constexpr float PLAY_LEFT = 0;
constexpr float PLAY_TOP = 0;
constexpr float PLAY_RIGHT = 800;
constexpr float PLAY_BOTTOM = 460;
constexpr const char* LAUNCH_CUE = "CANNONALTERED1";
}  // namespace cannonNS

class Cannon : public Entity {
public:
    Cannon();

    // Moves the ball while it is visible; a ball that is active but was never
    // launched stays where it is.
    void update(float frameTime) override;
    float getMass() override { return cannonNS::MASS; }

    // The owner calls setActive(true) and then one of these; the ball starts
    // at the source's centre and is shown.
    void launchUp(Entity& source);
    void launchDown(Entity& source);
    void launchLeft(Entity& source);
    void launchRight(Entity& source);
    // Launches along an entity direction (1 up .. 4 right); false, and
    // nothing changed, for any other value.
    bool launchToward(int direction, Entity& source);

    // The owners' set-up of their ball: initialise on the shared sheet, then
    // frame 33, tint and quarter scale. Throws the fatal "Error initializing
    // cannon" when initialisation fails.
    void prepare(const EngineServices& engine, int width, int height, int ncols, TextureManager* textureM);

private:
    void launch(Entity& source, D3DXVECTOR2 v);
};

// An enemy's cannon is exactly a Cannon, so enemies and levels, which ask it
// every frame whether it is in flight, can call Entity's getActive directly.
static_assert(std::is_same_v<decltype(&Cannon::getActive), bool (Entity::*)()>,
              "Cannon has its own getActive: call it through the virtual table");
