#include "app/zelph_main.h"

namespace zelph::app {

// Start-up is being built; for now the programs only select their variant.
int ZelphMain(int, char**, const platform::BuildVariant& variant) {
  platform::SelectVariant(variant);
  return 0;
}

}  // namespace zelph::app
