// The object kinds a level can create, by their "type" code. The kinds live in a layer above the world,
// so they register themselves here at start-up and the world only ever asks the factory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "game/field_object.h"

namespace zelph::game {

inline constexpr std::int32_t kTypeBall = 100000;
inline constexpr std::int32_t kTypeObstacle = 200000;
inline constexpr std::int32_t kTypeHunter = 300000;
inline constexpr std::int32_t kTypeShuttle = 400000;
inline constexpr std::int32_t kTypeStamp = 500000;
inline constexpr std::int32_t kTypePrize = 600000;
inline constexpr std::int32_t kTypePlayer = 999999;

class ObjectFactory {
 public:
  using Maker = std::function<std::unique_ptr<FieldObject>()>;

  static ObjectFactory& Global();

  // A second registration of a type replaces the first.
  void Register(std::int32_t type, Maker maker);
  // A new, uninitialised object of the kind, or null for a type nobody registered.
  std::unique_ptr<FieldObject> Make(std::int32_t type) const;
  bool Knows(std::int32_t type) const;

 private:
  std::vector<std::pair<std::int32_t, Maker>> makers_;
};

}  // namespace zelph::game
