#include "soak_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace zelph::soak {

namespace {

using Clock = std::chrono::steady_clock;

// The beginnings of what AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer and ThreadSanitizer
// print when they find something.
constexpr std::array<const char*, 5> kReportMarks = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer",
                                                     "runtime error:", "WARNING: ThreadSanitizer",
                                                     "ERROR: UndefinedBehaviorSanitizer"};

// Reads what the pipe holds and counts the heartbeat lines in it; false at the end of the stream.
bool ReadBeats(int fd, std::string& pending, std::uint32_t& frames) {
  char buffer[4096];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  if (n < 0) return errno == EINTR || errno == EAGAIN;
  if (n == 0) return false;
  pending.append(buffer, static_cast<std::size_t>(n));
  for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
    unsigned frame = 0;
    if (std::sscanf(pending.c_str(), "frame %u", &frame) == 1) frames = frame;
  }
  // A program that writes endlessly without line ends must not grow this without bound.
  if (pending.size() > 65536) pending.clear();
  return true;
}

}  // namespace

const char* OutcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::kPassed: return "passed";
    case Outcome::kCrashed: return "crashed";
    case Outcome::kSanitizer: return "sanitizer report";
    case Outcome::kBadExit: return "failed exit status";
    case Outcome::kHung: return "hung";
    case Outcome::kNotStarted: return "could not start";
  }
  return "?";
}

std::string FindSanitizerReport(const std::filesystem::path& log) {
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) {
    for (const char* mark : kReportMarks) {
      if (line.find(mark) != std::string::npos) return line;
    }
  }
  return {};
}

SessionResult RunSession(const std::vector<std::string>& argv, const std::filesystem::path& errorLog,
                         std::chrono::milliseconds hangLimit) {
  SessionResult result;
  int beat[2];
  if (argv.empty() || ::pipe2(beat, O_CLOEXEC) != 0) {
    result.detail = "cannot make a pipe";
    return result;
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    const int log = ::open(errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ::dup2(beat[1], 1);
    if (log >= 0) ::dup2(log, 2);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(beat[1]);
  if (child < 0) {
    ::close(beat[0]);
    result.detail = "cannot start " + argv[0];
    return result;
  }

  std::string pending;
  bool hung = false;
  Clock::time_point lastBeat = Clock::now();
  for (bool open = true; open;) {
    const auto left = hangLimit - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastBeat);
    if (left.count() <= 0) {
      hung = true;
      break;
    }
    pollfd p{beat[0], POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    const std::uint32_t before = result.frames;
    open = ReadBeats(beat[0], pending, result.frames);
    if (result.frames != before) lastBeat = Clock::now();
  }
  ::close(beat[0]);
  if (hung) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }

  if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  const std::string report = FindSanitizerReport(errorLog);
  if (hung) {
    result.outcome = Outcome::kHung;
    result.detail = "no frame for " + std::to_string(hangLimit.count()) + " ms after frame " +
                    std::to_string(result.frames);
  } else if (!report.empty()) {
    result.outcome = Outcome::kSanitizer;
    result.detail = report;
  } else if (result.signal != 0) {
    result.outcome = Outcome::kCrashed;
    result.detail = std::string("ended by signal ") + std::to_string(result.signal) + " (" +
                    ::strsignal(result.signal) + ")";
  } else if (result.exitStatus != 0) {
    result.outcome = Outcome::kBadExit;
    result.detail = "exit status " + std::to_string(result.exitStatus);
  } else {
    result.outcome = Outcome::kPassed;
  }
  return result;
}

}  // namespace zelph::soak
