#include "entities/plain_box.h"

#include "entities/axis_box.h"
#include "entities/cannon.h"
#include "entities/enemy_ship.h"
#include "entities/markers.h"
#include "entities/ship.h"

#include <typeinfo>

namespace {

// The box getters, and the position getters and setters a push uses.
template <typename T>
constexpr bool keepsPlainBox = keepsBoxGetters<T> && keepsPositionAccessors<T>;

template <typename... T>
bool isOneOf(const Entity& e)
{
    static_assert((keepsPlainBox<T> && ...), "a type here replaces a getter or setter of the box");
    // The same type_info object is the same type. Two copies of one type's
    // (which the linker normally merges) would only miss the quick way.
    const std::type_info* type = &typeid(e);
    return ((type == &typeid(T)) || ...);
}

}  // namespace

bool hasPlainBox(const Entity& e)
{
    return isOneOf<Ship, EnemyShip, EnemyShip1, Entity, InvisibleMarker, EndLevelMarker, Cannon>(e);
}
