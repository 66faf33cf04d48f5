#include "config/resource_pack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <new>
#include <thread>

#include "config/bytes.h"
#include "platform/messages.h"

namespace zelph::config {

namespace {

// A pack on a card that vanished, or is not readable yet after the device woke up, gets this many tries.
constexpr int kRetryBudget = 20;
constexpr int kRetryStep = 1;
constexpr auto kRetryDelay = std::chrono::milliseconds(100);
// Compressed bytes are read, and room for inflated ones is made, in steps: memory follows what the data
// really inflates to, not what its directory entry claims.
constexpr std::size_t kInflateStep = 64 * 1024;

// Makes room in `out` for the bytes after `produced`, up to `size` in all, doubling as it goes. False when
// memory runs out.
bool Grow(std::vector<std::uint8_t>& out, std::size_t produced, std::size_t size) {
  if (produced < out.size()) return true;
  const std::size_t next = std::min(size, std::max(kInflateStep, 2 * out.size()));
  try {
    out.reserve(next);  // exactly this much; resize alone may take twice as much
    out.resize(next);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

ResourcePack::~ResourcePack() { Close(); }

bool ResourcePack::Open(const std::filesystem::path& path) {
  std::lock_guard lock(mutex_);
  CloseLocked();
  path_ = path;
  if (OpenFile(true)) return true;
  CloseLocked();
  return false;
}

void ResourcePack::Close() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void ResourcePack::CloseLocked() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  directory_.clear();
}

bool ResourcePack::IsOpen() const {
  std::lock_guard lock(mutex_);
  return fd_ >= 0;
}

std::pair<std::uint32_t, std::uint32_t> ResourcePack::Range() const {
  std::lock_guard lock(mutex_);
  if (directory_.empty()) return {0, 0};
  return {directory_.front().id, directory_.back().id};
}

std::size_t ResourcePack::EntryCount() const {
  std::lock_guard lock(mutex_);
  return directory_.size();
}

const PackEntry* ResourcePack::FindLocked(std::uint32_t id) const {
  if (id == 0) return nullptr;
  std::size_t lo = 0, hi = directory_.size();
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (directory_[mid].id == id) return &directory_[mid];
    if (id < directory_[mid].id) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return nullptr;
}

std::optional<std::uint32_t> ResourcePack::SizeOf(std::uint32_t id) const {
  std::lock_guard lock(mutex_);
  const PackEntry* entry = FindLocked(id);
  if (!entry) return std::nullopt;
  return entry->size;
}

bool ResourcePack::ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) const {
  if (fd_ < 0) return false;
  while (size > 0) {
    ssize_t n = ::pread(fd_, buffer, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // an error, or the file became shorter than its directory says
    buffer += n;
    offset += static_cast<std::uint64_t>(n);
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool ResourcePack::OpenFile(bool retry) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto fileSize = static_cast<std::uint64_t>(st.st_size);
  auto read = [&](std::uint64_t offset, std::uint8_t* buffer, std::size_t size) {
    return retry ? ReadWithRetry(offset, buffer, size) : ReadAt(offset, buffer, size);
  };

  std::uint8_t countBytes[4];
  if (fileSize < kPackHeaderSize || !read(kPackCountOffset, countBytes, sizeof countBytes)) return false;
  const std::uint32_t count = ReadLe32(countBytes);
  // A directory the file cannot hold is corrupt; refuse it before allocating anything for it.
  if (count > MaxPackEntries(fileSize)) return false;
  std::vector<std::uint8_t> raw;
  std::vector<PackEntry> directory;
  try {
    raw.resize(std::size_t{count} * kPackEntrySize);
    directory.resize(count);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (count > 0 && !read(kPackHeaderSize, raw.data(), raw.size())) return false;
  for (std::size_t i = 0; i < count; ++i) directory[i] = DecodePackEntry(raw.data() + i * kPackEntrySize);
  if (!PackDirectoryIsSound(directory, fileSize)) return false;
  directory_ = std::move(directory);
  return true;
}

bool ResourcePack::ReadWithRetry(std::uint64_t offset, std::uint8_t* buffer, std::size_t size) {
  if (ReadAt(offset, buffer, size)) return true;
  for (int budget = kRetryBudget; budget > 0; budget -= kRetryStep) {
    std::this_thread::sleep_for(kRetryDelay);
    if (OpenFile(false) && ReadAt(offset, buffer, size)) return true;
  }
  // The data is gone for good (a removed card): the game cannot go on.
  platform::PostAbort(path_.string());
  return false;
}

bool ResourcePack::InflateLocked(const PackEntry& entry, std::vector<std::uint8_t>* grow,
                                 std::uint8_t* fixed) {
  std::vector<std::uint8_t> input;
  try {
    input.resize(std::min<std::size_t>(entry.compressedSize, kInflateStep));
  } catch (const std::bad_alloc&) {
    return false;
  }
  z_stream z{};
  if (::inflateInit(&z) != Z_OK) return false;
  struct End {
    z_stream& z;
    ~End() { ::inflateEnd(&z); }
  } end{z};

  std::uint64_t at = entry.offset;
  std::size_t unread = entry.compressedSize, produced = 0;
  std::uint8_t spare = 0;  // catches a stream that holds more than the entry claims
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    if (z.avail_in == 0) {
      if (unread == 0) return false;  // the stream is cut short
      const std::size_t n = std::min(unread, input.size());
      if (!ReadWithRetry(at, input.data(), n)) return false;
      at += n;
      unread -= n;
      z.next_in = input.data();
      z.avail_in = static_cast<uInt>(n);
    }
    if (produced < entry.size) {
      if (grow && !Grow(*grow, produced, entry.size)) return false;
      const std::size_t room = (grow ? grow->size() : entry.size) - produced;
      z.next_out = (grow ? grow->data() : fixed) + produced;
      z.avail_out = static_cast<uInt>(room);
    } else {
      z.next_out = &spare;
      z.avail_out = 1;
    }
    const uInt before = z.avail_out;
    status = ::inflate(&z, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) return false;
    const std::size_t wrote = before - z.avail_out;
    if (produced == entry.size && wrote > 0) return false;
    produced += wrote;
  }
  return produced == entry.size;
}

std::optional<std::vector<std::uint8_t>> ResourcePack::Extract(std::uint32_t id) {
  std::lock_guard lock(mutex_);
  const PackEntry* found = FindLocked(id);
  if (!found || found->size == 0 || found->compressedSize == 0) return std::nullopt;
  const PackEntry entry = *found;  // a retry may reread the directory
  std::vector<std::uint8_t> out;
  if (!InflateLocked(entry, &out, nullptr)) return std::nullopt;
  return out;
}

std::optional<std::size_t> ResourcePack::Extract(std::uint32_t id, std::span<std::uint8_t> into) {
  std::lock_guard lock(mutex_);
  const PackEntry* found = FindLocked(id);
  if (!found || found->size == 0 || found->compressedSize == 0 || into.size() < found->size) return std::nullopt;
  const PackEntry entry = *found;
  if (!InflateLocked(entry, nullptr, into.data())) return std::nullopt;
  return entry.size;
}

}  // namespace zelph::config
