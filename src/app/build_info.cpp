#include "app/build_info.h"

#ifndef ZELPH_BUILD_REVISION
#define ZELPH_BUILD_REVISION "unknown revision"
#endif
#ifndef ZELPH_BUILD_TYPE
#define ZELPH_BUILD_TYPE "unknown type"
#endif

namespace zelph::app {

std::string BuildId() {
  return std::string(ZELPH_BUILD_REVISION) + " " + ZELPH_BUILD_TYPE + ", " + __DATE__ + " " + __TIME__;
}

}  // namespace zelph::app
