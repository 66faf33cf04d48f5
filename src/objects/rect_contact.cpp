#include "objects/rect_contact.h"

namespace zelph::objects {

using game::FieldObject;

void EndContact(FieldObject& self, FieldObject& other) {
  if (self.lastHit == &other) self.lastHit = nullptr;
  if (other.lastHit == &self) other.lastHit = nullptr;
}

int RectKindCollide(FieldObject& self, FieldObject* other, std::uint32_t flags, bool ownResponse) {
  if (!other || other == &self || other->AcceptsContact(&self) != 1) return 0;
  const bool circle = other->figureKind == game::kFigureCircle;
  const bool hit =
      circle ? FieldObject::CircleHitsRect(*other, self, nullptr) : FieldObject::RectHitsRect(self, *other);
  if (!hit) {
    EndContact(self, *other);
    return 0;
  }
  if (flags & game::kCollideAskOther) other->Collide(&self, game::kCollideRespond);
  if (ownResponse && (flags & game::kCollideRespond)) {
    self.OnCollision(other, circle ? game::kContactCircle : game::kContactRect);
  }
  return 1;
}

}  // namespace zelph::objects
