// Not a harness: proves that the fuzz build stops at undefined behaviour. An input starting "overflow" adds
// past the largest int; the run must end with a finding, as it would for a memory error.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= 8 && std::memcmp(data, "overflow", 8) == 0) {
    volatile int largest = INT_MAX;
    volatile int sum = largest + static_cast<int>(size);
    (void)sum;
  }
  return 0;
}
