// The contact test of the kinds that meet others with their collision rectangle (obstacle, hunter,
// shuttle): a circle against that rectangle, a rectangle against it.
#pragma once

#include <cstdint>

#include "game/field_object.h"

namespace zelph::objects {

// No contact between the two (any more): neither keeps the other as its last hit, so that their next
// meeting counts, whichever of them asks then.
void EndContact(game::FieldObject& self, game::FieldObject& other);

// 1 on contact: with flag 0x2000 the other is asked to respond (its Collide with 0x1000), then, with flag
// 0x1000 and `ownResponse`, self's OnCollision runs with the contact's kind (0x100 circle, 0x200 rectangle).
// Without contact, EndContact. 0 for no other, self, or an other refusing contact.
int RectKindCollide(game::FieldObject& self, game::FieldObject* other, std::uint32_t flags, bool ownResponse);

}  // namespace zelph::objects
