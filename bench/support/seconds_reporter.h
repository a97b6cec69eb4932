#pragma once
// The console reporter, keeping each run's mean wall time so a benchmark
// program can print its ratios against the peers it ran beside.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace vidodez::bench {

class SecondsReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (!run.error_occurred) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime() / 1000.0;
    ConsoleReporter::ReportRuns(runs);
  }

  // Seconds of the run whose name starts with `prefix`; -1 when none ran.
  double Seconds(const std::string& prefix) const {
    for (const auto& [name, seconds] : seconds_)
      if (name.rfind(prefix, 0) == 0) return seconds;
    return -1.0;
  }

  // With --benchmark_repetitions the median of the runs whose name starts
  // with `prefix`, else its one run.
  double MedianSeconds(const std::string& prefix) const {
    const std::string suffix = "_median";
    for (const auto& [name, seconds] : seconds_)
      if (name.rfind(prefix, 0) == 0 && name.size() >= suffix.size() &&
          name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
        return seconds;
    return Seconds(prefix);
  }

  // Prints "<what>: <ours / peer> (<target>)" from the two runs' median
  // seconds, when both ran.
  void PrintRatio(const char* what, const std::string& ours, const std::string& peer,
                  const char* target) const {
    const double a = MedianSeconds(ours);
    const double b = MedianSeconds(peer);
    if (a > 0 && b > 0) std::printf("%s: %.3f (%s)\n", what, a / b, target);
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace vidodez::bench
