// Runs every benchmark, then prints for each comparison and list size the
// ratio of our median time per item to the baseline's, against its target.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "bench/bench_util.h"

namespace {

// The usual console output, plus the ratio table once all runs are done.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours the output only on a terminal.
  RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) == 1 ? OO_Color : OO_None) {}

  // Prints the runs and remembers the median items per second of each.
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const auto rate = run.counters.find("items_per_second");
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" ||
          rate == run.counters.end()) {
        continue;
      }
      rates_[run.run_name.function_name + "/" + run.run_name.args] = rate->second.value;
    }
  }

  // Prints the ratio table.
  void Finalize() override {
    std::ostream& out = GetOutputStream();
    out << "\nRatio of median time per item, ours / baseline\n";
    Line(out, "%-14s %9s %12s %12s %7s %7s\n", "operation", "n", "ours ns", "baseline ns", "ratio",
         "target");
    for (const bench::Comparison& c : bench::Comparisons()) {
      for (std::int64_t n : bench::kSizes) {
        const std::string size = std::to_string(n);
        const auto ours = rates_.find(c.name + "/ours/" + size);
        const auto baseline = rates_.find(c.name + "/baseline/" + size);
        if (ours == rates_.end() || baseline == rates_.end()) continue;
        const double ratio = baseline->second / ours->second;
        Line(out, "%-14s %9lld %12.3f %12.3f %7.2f %7.2f%s\n", c.name.c_str(),
             static_cast<long long>(n), 1e9 / ours->second, 1e9 / baseline->second, ratio, c.target,
             ratio <= c.target ? "" : "  missed");
      }
    }
    out.flush();
  }

 private:
  // Writes one printf-formatted line of the table.
  template <typename... Args>
  static void Line(std::ostream& out, const char* format, Args... args) {
    char line[160];
    std::snprintf(line, sizeof line, format, args...);
    out << line;
  }

  std::map<std::string, double> rates_;
};

}  // namespace

// Registers the benchmarks, runs them and prints the ratios.
int main(int argc, char** argv) {
  bench::RegisterListBenchmarks();
  bench::RegisterFileBenchmarks();
  bench::RegisterPrintBenchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
