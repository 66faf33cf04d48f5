#include "objects/object_kinds.h"

#include <memory>

#include "objects/ball_object.h"
#include "objects/frame_obstacle.h"
#include "objects/hunter_object.h"
#include "objects/player.h"
#include "objects/prize_object.h"
#include "objects/shuttle_object.h"
#include "objects/stamp_object.h"

namespace zelph::objects {

void RegisterObjectKinds(game::ObjectFactory& factory) {
  factory.Register(game::kTypeBall, [] { return std::make_unique<BallObject>(); });
  factory.Register(game::kTypeObstacle, [] { return std::make_unique<FrameObstacle>(); });
  factory.Register(game::kTypeHunter, [] { return std::make_unique<HunterObject>(); });
  factory.Register(game::kTypeShuttle, [] { return std::make_unique<ShuttleObject>(); });
  factory.Register(game::kTypeStamp, [] { return std::make_unique<StampObject>(); });
  factory.Register(game::kTypePrize, [] { return std::make_unique<PrizeObject>(); });
  factory.Register(game::kTypePlayer, [] { return std::make_unique<Player>(); });
}

}  // namespace zelph::objects
