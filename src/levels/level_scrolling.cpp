// Scrolling a wide map: the ship held at the edges while everything else
// moves across by the same step.
#include "levels/level.h"

#include "engine/input.h"
#include "entities/cannon.h"
#include "entities/ship.h"

namespace {

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

}  // namespace

void Level::scrollMap(float frameTime)
{
    const float step = ship->getSpeed() * frameTime;
    const bool wantsLeft = input->isActionDown(Action::SteerLeft) || input->getGamepadDPadLeft(0);
    const bool wantsRight = input->isActionDown(Action::SteerRight) || input->getGamepadDPadRight(0);
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
