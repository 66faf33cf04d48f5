#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace zelph::platform {

namespace {

std::string SafeFileName(const std::string& name) {
  std::string out;
  for (char c : name) {
    bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    out += keep ? c : '_';
  }
  return out;
}

int ReadPid(int fd) {
  char buf[32] = {};
  ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
  if (n <= 0) return 0;
  return std::atoi(buf);
}

volatile std::sig_atomic_t g_raiseRequested = 0;

void OnRaiseSignal(int) { g_raiseRequested = 1; }

}  // namespace

InstanceLock::InstanceLock(const std::filesystem::path& dir, const std::string& name)
    : file_(dir / (SafeFileName(name) + ".lock")) {
  fd_ = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    state_ = State::HeldByOther;
    ownerPid_ = ReadPid(fd_);
    ::close(fd_);
    fd_ = -1;
    return;
  }
  char buf[32];
  int len = std::snprintf(buf, sizeof buf, "%d\n", static_cast<int>(::getpid()));
  // The lock is what counts; a pid that cannot be written only stops raise requests from reaching us.
  if (::ftruncate(fd_, 0) == 0) (void)!::pwrite(fd_, buf, static_cast<std::size_t>(len), 0);
  state_ = State::Acquired;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) {
    // The file stays: removing it would let a third start lock a fresh file while a second one still holds
    // the old one open.
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
  }
}

bool InstanceLock::AskOwnerToRaise() const {
  // Our own process holds it through another handle only in tests; it has nothing to raise.
  return state_ == State::HeldByOther && ownerPid_ > 0 && ownerPid_ != ::getpid() && ::kill(ownerPid_, SIGUSR1) == 0;
}

void InstallRaiseHandler() {
  struct sigaction sa {};
  sa.sa_handler = OnRaiseSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  ::sigaction(SIGUSR1, &sa, nullptr);
}

bool TakeRaiseRequest() {
  if (!g_raiseRequested) return false;
  g_raiseRequested = 0;
  return true;
}

}  // namespace zelph::platform
