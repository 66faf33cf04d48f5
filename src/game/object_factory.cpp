#include "game/object_factory.h"

#include <algorithm>
#include <new>

namespace zelph::game {

ObjectFactory& ObjectFactory::Global() {
  static ObjectFactory factory;
  return factory;
}

void ObjectFactory::Register(std::int32_t type, Maker maker) {
  const auto it = std::find_if(makers_.begin(), makers_.end(), [type](const auto& m) { return m.first == type; });
  if (it != makers_.end()) {
    it->second = std::move(maker);
    return;
  }
  makers_.emplace_back(type, std::move(maker));
}

std::unique_ptr<FieldObject> ObjectFactory::Make(std::int32_t type) const {
  const auto it = std::find_if(makers_.begin(), makers_.end(), [type](const auto& m) { return m.first == type; });
  if (it == makers_.end() || !it->second) return nullptr;
  try {
    return it->second();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool ObjectFactory::Knows(std::int32_t type) const {
  return std::any_of(makers_.begin(), makers_.end(), [type](const auto& m) { return m.first == type; });
}

}  // namespace zelph::game
