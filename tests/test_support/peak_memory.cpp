#include "test_support/peak_memory.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>

#if defined(__SANITIZE_ADDRESS__)
#define ZELPH_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELPH_TEST_ASAN 1
#endif
#endif

#ifdef ZELPH_TEST_ASAN
// From the sanitizer runtime's allocator interface (gcc installs no header for it).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                              void (*onFree)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* p);
}
#endif

namespace zelph::test {

namespace {

#ifdef ZELPH_TEST_ASAN
std::atomic<bool> g_counting{false};
std::atomic<std::int64_t> g_held{0};
std::atomic<std::int64_t> g_peak{0};

void OnMalloc(const volatile void*, std::size_t size) {
  if (!g_counting.load(std::memory_order_relaxed)) return;
  const std::int64_t now =
      g_held.fetch_add(static_cast<std::int64_t>(size)) + static_cast<std::int64_t>(size);
  std::int64_t peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
}

// Called before the block is released, so its size can still be asked for.
void OnFree(const volatile void* p) {
  if (!g_counting.load(std::memory_order_relaxed)) return;
  g_held.fetch_sub(static_cast<std::int64_t>(__sanitizer_get_allocated_size(p)));
}
#endif

#ifndef ZELPH_TEST_ASAN
long PeakResidentKiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}
#endif

}  // namespace

std::size_t PeakMemoryOf(const std::function<void()>& work) {
#ifdef ZELPH_TEST_ASAN
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
  if (!installed) return std::numeric_limits<std::size_t>::max();
  g_held = 0;
  g_peak = 0;
  g_counting = true;
  work();
  g_counting = false;
  return static_cast<std::size_t>(g_peak.load());
#else
  int fds[2];
  if (::pipe(fds) != 0) return std::numeric_limits<std::size_t>::max();
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    const long before = PeakResidentKiB();
    work();
    const long grown = PeakResidentKiB() - before;
    const bool sent = ::write(fds[1], &grown, sizeof grown) == static_cast<ssize_t>(sizeof grown);
    ::_exit(sent ? 0 : 1);
  }
  ::close(fds[1]);
  long grown = -1;
  const bool got = child > 0 && ::read(fds[0], &grown, sizeof grown) == static_cast<ssize_t>(sizeof grown);
  ::close(fds[0]);
  int status = 0;
  if (child > 0) ::waitpid(child, &status, 0);
  if (!got || grown < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return std::numeric_limits<std::size_t>::max();
  }
  return static_cast<std::size_t>(grown) * 1024;
#endif
}

ProgramRun RunProgram(const std::vector<std::string>& argv, const std::string& log) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::dup2(fd, 1);
      ::dup2(fd, 2);
    }
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ProgramRun run;
  if (child < 0) return run;
  // The peak the kernel reports after the program ends would include this process's, which the program
  // inherits through fork and exec; the program's own high-water mark is only in its status while it runs.
  const std::string name = std::filesystem::path(argv[0]).filename().string().substr(0, 15);
  const std::string status = "/proc/" + std::to_string(child) + "/status";
  int result = 0;
  while (::waitpid(child, &result, WNOHANG) == 0) {
    std::ifstream in(status);
    bool program = false;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("Name:", 0) == 0) program = line.substr(line.find_first_not_of(" \t", 5)) == name;
      if (program && line.rfind("VmHWM:", 0) == 0) {
        run.peakBytes = std::max<std::size_t>(run.peakBytes, std::stoull(line.substr(6)) * 1024);
      }
    }
    ::usleep(1000);
  }
  if (WIFEXITED(result)) run.exitCode = WEXITSTATUS(result);
  return run;
}

}  // namespace zelph::test
