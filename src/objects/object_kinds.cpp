#include "objects/object_kinds.h"

#include <memory>

#include "objects/ball_object.h"
#include "objects/player.h"
#include "objects/prize_object.h"

namespace zelph::objects {

void RegisterObjectKinds(game::ObjectFactory& factory) {
  factory.Register(game::kTypeBall, [] { return std::make_unique<BallObject>(); });
  factory.Register(game::kTypePrize, [] { return std::make_unique<PrizeObject>(); });
  factory.Register(game::kTypePlayer, [] { return std::make_unique<Player>(); });
}

}  // namespace zelph::objects
