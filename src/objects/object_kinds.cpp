#include "objects/object_kinds.h"

#include <memory>

#include "objects/ball_object.h"

namespace zelph::objects {

void RegisterObjectKinds(game::ObjectFactory& factory) {
  factory.Register(game::kTypeBall, [] { return std::make_unique<BallObject>(); });
}

}  // namespace zelph::objects
