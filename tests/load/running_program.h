// A copy of the game started for a test and watched while it runs: the frames it reports ("--heartbeat"
// lines on its standard output), the processor time it has used, its peak resident size, and how it ended.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelph::test {

class RunningProgram {
 public:
  // Starts `argv` (the program first) with its standard error going to `log`; `environment` entries
  // ("NAME=value") are added to the test's own.
  RunningProgram(const std::vector<std::string>& argv, const std::filesystem::path& log,
                 const std::vector<std::string>& environment = {});
  ~RunningProgram();  // kills a program still running
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool started() const { return pid_ > 0; }
  // Waits until the program reports drawn frame `frame` or a later one; false when it ended first or
  // `limit` passed.
  bool WaitForFrame(std::uint32_t frame, std::chrono::milliseconds limit);
  std::uint32_t lastFrame() const { return lastFrame_; }
  // Processor time of all its threads so far, user and system, in seconds (from /proc).
  std::optional<double> CpuSeconds() const;
  // Its peak resident size so far (VmHWM), in bytes; 0 when it cannot be read.
  std::size_t PeakResidentBytes() const;
  void Kill();
  // Waits for the end; the exit status, or -1 when a signal ended it.
  int Wait();
  int signal() const { return signal_; }

 private:
  pid_t pid_ = -1;
  int beats_ = -1;
  std::string pending_;
  std::uint32_t lastFrame_ = 0;
  bool reaped_ = false;
  int status_ = -1;
  int signal_ = 0;
};

}  // namespace zelph::test
