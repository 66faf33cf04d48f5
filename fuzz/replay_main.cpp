// Runs a fuzz harness over stored inputs without libFuzzer, so that the normal (gcc, sanitizer) build replays
// every corpus: each argument is a file or a folder of files. Exits non-zero when an input cannot be read;
// a finding aborts as it would under the fuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/file_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path arg = argv[i];
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::directory_iterator(arg)) inputs.push_back(entry.path());
    } else {
      inputs.push_back(arg);
    }
  }
  for (const auto& path : inputs) {
    auto bytes = zelph::platform::ReadWholeFile(path);
    if (!bytes) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 1;
    }
    LLVMFuzzerTestOneInput(bytes->data(), bytes->size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
