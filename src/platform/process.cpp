#include "platform/process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

extern char** environ;

namespace zelph::platform {

ProcessId StartProcess(const std::filesystem::path& program, const std::string& commandLine) {
  if (::access(program.c_str(), X_OK) != 0) return kNoProcess;
  std::string path = program.string();
  std::string arg = commandLine;
  std::vector<char*> argv{path.data()};
  if (!arg.empty()) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return kNoProcess;
  return pid;
}

bool StartDetachedProcess(const std::filesystem::path& program, const std::string& commandLine) {
  ProcessId pid = StartProcess(program, commandLine);
  if (pid == kNoProcess) return false;
  std::thread([pid] { WaitProcess(pid); }).detach();
  return true;
}

std::optional<int> WaitProcess(ProcessId pid) {
  if (pid <= 0) return std::nullopt;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return std::nullopt;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return std::nullopt;
}

}  // namespace zelph::platform
