// The console table of Google Benchmark, plain (the output is read by scripts and kept in logs, where colour
// codes are noise), keeping the median CPU time of every case so that a program can print one
// "RATIO name value" line per target afterwards: ours over the peer's, from the same run, or ours over a fixed
// budget of time.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace zelph::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // CPU time: the machine is shared, and time spent preempted belongs to neither side.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
        times_[run.run_name.function_name] = run.GetAdjustedCPUTime() / perSecond;
        // Cases timed by hand (the time a process takes to start) report their time as real time.
        wallTimes_[run.run_name.function_name] = run.GetAdjustedRealTime() / perSecond;
      }
    }
  }

  // Nothing when either case was filtered out.
  void PrintRatio(const char* name, const std::string& ours, const std::string& peer) const {
    const auto a = times_.find(ours), b = times_.find(peer);
    if (a == times_.end() || b == times_.end() || b->second <= 0) return;
    std::printf("RATIO %s %.3f\n", name, a->second / b->second);
  }

  // Ours against a budget in seconds: CPU time, or the real time a case measured itself (UseManualTime).
  void PrintBudgetRatio(const char* name, const std::string& ours, double budgetSeconds, bool wallTime = false) const {
    const auto& times = wallTime ? wallTimes_ : times_;
    const auto a = times.find(ours);
    if (a == times.end() || budgetSeconds <= 0) return;
    std::printf("RATIO %s %.4f\n", name, a->second / budgetSeconds);
  }

 private:
  std::map<std::string, double> times_;      // seconds of CPU time
  std::map<std::string, double> wallTimes_;  // seconds of real time
};

}  // namespace zelph::bench
