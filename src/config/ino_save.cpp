#include "config/ino_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "config/config_document.h"

namespace zelph::config {

namespace {

constexpr int kAttempts = 2;
constexpr auto kRetryDelay = std::chrono::milliseconds(1000);

bool WriteFully(int fd, std::span<const std::uint8_t> image) {
  if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) return false;
  const std::uint8_t* data = image.data();
  std::size_t left = image.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return ::fsync(fd) == 0;
}

// A destination marked read-only is not replaced, as the platform the files come from refuses to rename over
// one. The mode bits are checked too because root passes every access test.
bool IsReadOnly(const std::filesystem::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0);
}

void SyncDirectory(const std::filesystem::path& path) {
  std::filesystem::path dir = path.parent_path();
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

int WriteInoFile(const std::filesystem::path& path, std::span<const std::uint8_t> image) {
  std::filesystem::path tmp = path;
  tmp += ".tmp";

  int attempts = kAttempts;
  int fd = -1;
  while (fd < 0) {
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) break;
    if (--attempts == 0) return kSaveCannotCreate;
    std::this_thread::sleep_for(kRetryDelay);
  }
  while (!WriteFully(fd, image)) {
    if (--attempts <= 0) {
      ::close(fd);
      return kSaveWriteFailed;
    }
    std::this_thread::sleep_for(kRetryDelay);
  }
  if (::close(fd) != 0) return kSaveWriteFailed;

  if (IsReadOnly(path) || std::rename(tmp.c_str(), path.c_str()) != 0) return kSaveCannotReplace;
  SyncDirectory(path);
  return kSaveOk;
}

}  // namespace zelph::config
