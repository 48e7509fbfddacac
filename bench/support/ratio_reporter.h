// The console reporter of the benchmarks that set our code beside the raw Win32 or library
// equivalent: it keeps each run's real time and CPU time (nanoseconds an iteration) and
// counters by name so that main can print the ratios of the same run.
//
// Ratios are decided on real time: window-heavy work runs partly in the window server, which
// the process's CPU time leaves out. CPU time is printed beside it.
//
// With --benchmark_repetitions=N each name keeps its fastest repetition (disturbance only
// adds time); with --benchmark_enable_random_interleaving=true the repetitions of ours and of
// the reference alternate, so that both meet the same machine.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench_support {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;  // real nanoseconds per iteration
  std::map<std::string, double> cpu;    // CPU nanoseconds per iteration
  std::map<std::string, benchmark::UserCounters> counters;

  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& r : reports) {
      if (r.error_occurred || r.run_type == Run::RT_Aggregate) continue;
      const double unit = benchmark::GetTimeUnitMultiplier(r.time_unit);
      const std::string name = PlainName(r.benchmark_name());
      const double real = r.GetAdjustedRealTime() * 1e9 / unit;
      if (times.count(name) && times[name] <= real) continue;  // an earlier repetition was faster
      times[name] = real;
      cpu[name] = r.GetAdjustedCPUTime() * 1e9 / unit;
      counters[name] = r.counters;
    }
    ConsoleReporter::ReportRuns(reports);
  }
  // Both ran, and the second took time: a ratio of them can be printed.
  bool Has(const std::string& a, const std::string& b) const {
    return times.count(a) && times.count(b) && times.at(b) > 0 && cpu.at(b) > 0;
  }
  // On real time. The pair is remembered: the reporter lists each such pair with both times
  // when it goes, so that a printout of the ratio alone still shows what it was made of.
  double Ratio(const std::string& a, const std::string& b) const {
    m_asked.emplace_back(a, b);
    return times.at(a) / times.at(b);
  }
  double CpuRatio(const std::string& a, const std::string& b) const { return cpu.at(a) / cpu.at(b); }

  // One line for a pair that ran: ours, the reference and the ratio on real time, then the
  // same on CPU time. Prints nothing when either is missing.
  void Print(const std::string& what, const std::string& ours, const std::string& reference) const {
    if (!Has(ours, reference)) return;
    printf("%s: %s against %s = %.2fx real time (CPU %s against %s = %.2fx)\n", what.c_str(),
           Time(times.at(ours)).c_str(), Time(times.at(reference)).c_str(), times.at(ours) / times.at(reference),
           Time(cpu.at(ours)).c_str(), Time(cpu.at(reference)).c_str(), CpuRatio(ours, reference));
  }

  // Same as Print, for callers that name it by what it prints.
  void PrintRatio(const char* what, const std::string& ours, const std::string& reference) const {
    Print(what, ours, reference);
  }

  ~RatioReporter() override {
    bool first = true;
    for (const auto& pair : m_asked) {
      if (!Has(pair.first, pair.second)) continue;
      if (first) printf("The ratios above, on real time, with CPU time beside:\n");
      first = false;
      Print("  " + pair.first + " / " + pair.second, pair.first, pair.second);
    }
  }

  // The name without the run settings the library adds to it ("/min_time:3.000",
  // "/min_warmup_time:0.200"): the benchmark as its program names it.
  static std::string PlainName(std::string name) {
    for (const char* setting : {"/min_time:", "/min_warmup_time:"}) {
      const size_t at = name.find(setting);
      if (at == std::string::npos) continue;
      const size_t end = name.find('/', at + 1);
      name.erase(at, end == std::string::npos ? std::string::npos : end - at);
    }
    return name;
  }

  // Nanoseconds in a readable unit.
  static std::string Time(double ns) {
    char text[32];
    if (ns >= 1e6)
      snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
    else if (ns >= 1e3)
      snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    else
      snprintf(text, sizeof text, "%.1f ns", ns);
    return text;
  }

 private:
  mutable std::vector<std::pair<std::string, std::string>> m_asked;  // pairs whose ratio was asked
};

// The main of a benchmark program: runs the benchmarks the command line selects with the
// reporter, then lets `print` print the ratios of the run.
template <class Print>
int RunWithRatios(int argc, char** argv, Print print) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  print(reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench_support
