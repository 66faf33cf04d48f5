// A resource pack built from resources in memory, written to a temporary file and registered with the game's
// pack list, for harnesses whose documents name pictures. The file goes again when the process exits; any
// failure aborts, as a harness without its pack would test nothing.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/pack_image.h"
#include "config/resources.h"
#include "platform/file_io.h"

namespace zelph::fuzzing {

inline std::vector<std::filesystem::path>& TempPacks() {
  static std::vector<std::filesystem::path> paths;
  return paths;
}

inline void RemoveTempPacks() {
  for (const auto& path : TempPacks()) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
}

// `name` tells the harnesses' files apart in the temporary folder.
inline void RegisterTempPack(std::vector<config::PackResource> resources, const std::string& name) {
  std::vector<std::uint8_t> image;
  std::string error;
  if (!config::BuildPack(std::move(resources), u"fuzz", image, error)) std::abort();
  const auto path = std::filesystem::temp_directory_path() /
                    ("zelph-fuzz-" + name + "-" + std::to_string(::getpid()) + ".pak");
  if (!platform::WriteFileAtomically(path, image)) std::abort();
  if (TempPacks().empty()) std::atexit(RemoveTempPacks);
  TempPacks().push_back(path);
  if (config::GlobalPackList().Add(path) != 0) std::abort();
}

// The pictures first .. first + count - 1, picture(i) giving the file image of number i, as "EBM" resources.
template <class MakePicture>
void RegisterPicturePack(std::uint32_t first, int count, MakePicture picture, const std::string& name) {
  std::vector<config::PackResource> resources;
  for (int i = 0; i < count; ++i) {
    resources.push_back({first + static_cast<std::uint32_t>(i), "p" + std::to_string(i), "EBM", picture(i)});
  }
  RegisterTempPack(std::move(resources), name);
}

}  // namespace zelph::fuzzing
