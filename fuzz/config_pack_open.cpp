// Opens arbitrary bytes as a resource pack, as the game does from its registered files, and extracts every
// resource its directory names; the tools' reading of the same bytes must agree on whether it is a pack.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/pack_image.h"
#include "config/pack_list.h"
#include "platform/file_io.h"

namespace {

std::filesystem::path ScratchFile() {
  static const std::filesystem::path path = [] {
    std::filesystem::path dir = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    return dir / ("zelph-fuzz-pack-" + std::to_string(::getpid()) + ".pak");
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelph::config;
  const std::filesystem::path path = ScratchFile();
  if (!zelph::platform::WriteFileAtomically(path, std::span(data, size))) return 0;

  std::string error;
  auto image = ReadPackImage(std::span(data, size), error);
  PackList packs;
  int index = packs.Add(path);
  std::filesystem::remove(path);  // the open pack keeps its file; nothing is left behind
  if ((index >= 0) != image.has_value()) std::abort();
  if (index < 0) return 0;

  ResourcePack* pack = packs.At(index);
  for (const auto& e : image->entries) {
    auto bytes = packs.Extract(e.entry.id);
    if (bytes && bytes->size() != e.entry.size) std::abort();
    std::vector<std::uint8_t> into(std::min<std::size_t>(e.entry.size, 1 << 16));
    auto written = pack->Extract(e.entry.id, into);
    if (written && *written != e.entry.size) std::abort();
  }
  pack->Extract(pack->Range().second + 1);
  if (auto description = pack->Extract(pack->Range().first)) {
    ConfigDocument about;
    about.LoadMemory(std::move(*description));
  }
  return 0;
}
