// Runs a test body once with every build of the field's cell loops this processor can run, the widest last
// (which is where the game leaves them).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/cell_kernels.h"

namespace zelph::game::testing {

template <class Body>
void ForEachCellWidth(Body body) {
  static const char* const kNames[] = {"bytes", "128-bit", "256-bit"};
  for (kernels::Width w : kernels::AvailableWidths()) {
    kernels::UseWidth(w);
    SCOPED_TRACE(std::string("cell loops: ") + kNames[static_cast<int>(w)]);
    body();
  }
}

}  // namespace zelph::game::testing
