// The console table of Google Benchmark, plain (the output is read by scripts and kept in logs, where colour
// codes are noise), keeping the median CPU time of every case so that a program can print one
// "RATIO name value" line per target afterwards: ours over the peer's, from the same run.
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
        times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
  }

  // Nothing when either case was filtered out.
  void PrintRatio(const char* name, const std::string& ours, const std::string& peer) const {
    const auto a = times_.find(ours), b = times_.find(peer);
    if (a == times_.end() || b == times_.end() || b->second <= 0) return;
    std::printf("RATIO %s %.3f\n", name, a->second / b->second);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace zelph::bench
