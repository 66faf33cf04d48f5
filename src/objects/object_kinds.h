// The object kinds a level can name by "type", made known to the world's factory once at start-up.
#pragma once

#include "game/object_factory.h"

namespace zelph::objects {

void RegisterObjectKinds(game::ObjectFactory& factory);

}  // namespace zelph::objects
