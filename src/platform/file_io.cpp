#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zelph::platform {

namespace {

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  ::close(fd);
  return bytes;
}

AtomicWrite TryWriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  // A read-only destination stays as it is, even though the rename itself would be allowed. The mode bits are
  // checked as well because root passes every access test, and a file marked read-only is meant to stay.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
    return AtomicWrite::kCannotReplace;
  }

  std::filesystem::path tmp = path;
  tmp += ".tmp";
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return AtomicWrite::kCannotCreate;
  bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return ok ? AtomicWrite::kCannotReplace : AtomicWrite::kWriteFailed;
  }
  // Make the rename itself durable.
  std::filesystem::path dir = path.parent_path();
  int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return AtomicWrite::kDone;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  return TryWriteFileAtomically(path, bytes) == AtomicWrite::kDone;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return WriteFileAtomically(
      path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool FileIsReadable(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

std::filesystem::path SetAsideUnreadable(const std::filesystem::path& path, std::string_view what,
                                         std::string_view why) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {};
  std::filesystem::path bad = path;
  bad += ".bad";
  std::filesystem::rename(path, bad, ec);
  const std::string said(why), role(what);
  if (ec) {
    std::fprintf(stderr, "The %s file %s could not be read (%s) and could not be set aside (%s); the defaults are used.\n",
                 role.c_str(), path.c_str(), said.c_str(), ec.message().c_str());
    return {};
  }
  std::fprintf(stderr, "The %s file %s could not be read (%s); it was set aside as %s and the defaults are used.\n",
               role.c_str(), path.c_str(), said.c_str(), bad.c_str());
  return bad;
}

}  // namespace zelph::platform
