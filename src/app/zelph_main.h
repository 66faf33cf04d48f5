// The programs' common entry point: desktop options, then the game's start-up.
#pragma once

#include "platform/build_variant.h"

namespace zelph::app {

int ZelphMain(int argc, char** argv, const platform::BuildVariant& variant);

}  // namespace zelph::app
