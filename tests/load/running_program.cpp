#include "load/running_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zelph::test {

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const std::filesystem::path& log,
                               const std::vector<std::string>& environment) {
  int fds[2];
  if (argv.empty() || ::pipe2(fds, O_CLOEXEC) != 0) return;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    const int err = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ::dup2(fds[1], 1);
    if (err >= 0) ::dup2(err, 2);
    for (const std::string& e : environment) ::putenv(const_cast<char*>(e.c_str()));
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  beats_ = fds[0];
}

RunningProgram::~RunningProgram() {
  if (pid_ > 0 && !reaped_) {
    Kill();
    Wait();
  }
  if (beats_ >= 0) ::close(beats_);
}

bool RunningProgram::WaitForFrame(std::uint32_t frame, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (lastFrame_ < frame) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (beats_ < 0 || left.count() <= 0) return false;
    pollfd p{beats_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    char buffer[4096];
    const ssize_t n = ::read(beats_, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EINTR)) {
      ::close(beats_);
      beats_ = -1;
      return false;
    }
    if (n < 0) continue;
    pending_.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t nl; (nl = pending_.find('\n')) != std::string::npos; pending_.erase(0, nl + 1)) {
      unsigned f = 0;
      if (std::sscanf(pending_.c_str(), "frame %u", &f) == 1) lastFrame_ = f;
    }
  }
  return true;
}

std::optional<double> RunningProgram::CpuSeconds() const {
  std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
  std::string text;
  if (pid_ <= 0 || !std::getline(in, text)) return std::nullopt;
  // The fields after the command name, which is in parentheses and may hold spaces.
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  unsigned long long user = 0, system = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) user = std::stoull(field);
    if (i == 15) system = std::stoull(field);
  }
  return static_cast<double>(user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::size_t RunningProgram::PeakResidentBytes() const {
  std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
  }
  return 0;
}

void RunningProgram::Kill() {
  if (pid_ > 0 && !reaped_) ::kill(pid_, SIGKILL);
}

int RunningProgram::Wait() {
  if (pid_ <= 0) return -1;
  if (!reaped_) {
    // Read what it still writes, so that a full pipe never holds it up.
    while (beats_ >= 0) WaitForFrame(0xFFFFFFFFu, std::chrono::hours(1));
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    signal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  }
  return status_;
}

}  // namespace zelph::test
