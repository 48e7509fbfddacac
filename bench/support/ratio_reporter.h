// The console reporter of the benchmarks that set our code beside the raw Win32 or library
// equivalent: it keeps each run's CPU time (nanoseconds an iteration) and counters by name so
// that main can print the ratios of the same run.
#pragma once
#include <benchmark/benchmark.h>

#include <stdio.h>

#include <map>
#include <string>
#include <vector>

namespace bench_support {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;  // CPU nanoseconds per iteration
  std::map<std::string, benchmark::UserCounters> counters;

  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& r : reports) {
      times[r.benchmark_name()] = r.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(r.time_unit);
      counters[r.benchmark_name()] = r.counters;
    }
    ConsoleReporter::ReportRuns(reports);
  }
  // Both ran, and the second took time: a ratio of them can be printed.
  bool Has(const std::string& a, const std::string& b) const {
    return times.count(a) && times.count(b) && times.at(b) > 0;
  }
  double Ratio(const std::string& a, const std::string& b) const { return times.at(a) / times.at(b); }
  // Prints "<what> = <ratio>x" when both ran.
  void PrintRatio(const char* what, const std::string& a, const std::string& b) const {
    if (Has(a, b)) printf("%s = %.2fx\n", what, Ratio(a, b));
  }
};

}  // namespace bench_support
