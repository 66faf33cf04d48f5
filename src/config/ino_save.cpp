#include "config/ino_save.h"

#include <chrono>
#include <thread>

#include "config/config_document.h"
#include "platform/file_io.h"

namespace zelph::config {

namespace {

constexpr int kAttempts = 2;
constexpr auto kRetryDelay = std::chrono::milliseconds(1000);

}  // namespace

int WriteInoFile(const std::filesystem::path& path, std::span<const std::uint8_t> image) {
  for (int attempt = 1;; ++attempt) {
    switch (platform::TryWriteFileAtomically(path, image)) {
      case platform::AtomicWrite::kDone:
        return kSaveOk;
      case platform::AtomicWrite::kCannotReplace:
        return kSaveCannotReplace;
      case platform::AtomicWrite::kCannotCreate:
        if (attempt == kAttempts) return kSaveCannotCreate;
        break;
      case platform::AtomicWrite::kWriteFailed:
        if (attempt == kAttempts) return kSaveWriteFailed;
        break;
    }
    std::this_thread::sleep_for(kRetryDelay);
  }
}

}  // namespace zelph::config
