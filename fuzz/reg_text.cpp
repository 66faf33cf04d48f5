// Feeds arbitrary text to the registry file parser and checks that what it accepts survives a round trip.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/reg_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto parsed = zelph::platform::ParseRegText(text);
  if (parsed) {
    auto again = zelph::platform::ParseRegText(zelph::platform::FormatRegText(*parsed));
    if (!again || again->size() != parsed->size()) std::abort();
  }
  return 0;
}
