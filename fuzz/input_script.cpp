// Feeds arbitrary text to the input-script parser: it must answer with events or a line-numbered error.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto script = zelph::app::ParseInputScript(std::string_view(reinterpret_cast<const char*>(data), size), false);
  if (!script.error.empty() && !script.events.empty()) std::abort();
  for (std::size_t i = 1; i < script.events.size(); ++i) {
    if (script.events[i].step < script.events[i - 1].step) std::abort();
  }
  return 0;
}
