#include "platform/home.h"

#include <cstdlib>
#include <mutex>
#include <system_error>

namespace zelph::platform {

std::filesystem::path DefaultHomeDir(const char* folderName) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return std::filesystem::path(xdg) / folderName;
  const char* home = std::getenv("HOME");
  std::filesystem::path base = (home && home[0]) ? std::filesystem::path(home) : std::filesystem::path("/tmp");
  return base / ".local" / "share" / folderName;
}

bool EnsureDir(const std::filesystem::path& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return std::filesystem::is_directory(dir, ec);
}

namespace {
std::mutex g_homeMutex;
std::filesystem::path g_home;
}  // namespace

std::filesystem::path HomeDir() {
  std::lock_guard lock(g_homeMutex);
  return g_home;
}

void SetHomeDir(const std::filesystem::path& dir) {
  std::lock_guard lock(g_homeMutex);
  g_home = dir;
  // The game joins file names directly to the folder, as it did with its program folder.
  if (!g_home.empty() && !g_home.string().ends_with('/')) g_home += "/";
}

}  // namespace zelph::platform
