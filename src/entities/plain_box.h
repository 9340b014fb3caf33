// Whether an entity's box and position are Entity's own: its type is one of
// the game's, none of which replaces a getter or setter the box test and the
// push out of a collision use. Such an entity's box can be worked out from
// its fields, with the same sums the getters would do, without a call.
#pragma once

class Entity;

// False for any type it does not know, which only means the slow way.
bool hasPlainBox(const Entity& e);
