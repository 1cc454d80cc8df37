// What the benchmarks share: values from a generator with a fixed state, lists
// built from them, and the registration of each operation beside its baseline
// so that the ratio between the two can be printed at the end of the run.
#ifndef SQLIST_BENCH_BENCH_UTIL_H_
#define SQLIST_BENCH_BENCH_UTIL_H_

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "list/adt_list.h"

namespace bench {

// The list sizes every comparison runs at.
inline const std::vector<std::int64_t> kSizes = {1'000, 100'000, 1'000'000};

// One comparison: our operation against its baseline, and the highest ratio
// (our time per item / the baseline's) we aim for.
struct Comparison {
  std::string name;
  double target;
};

using BenchmarkFn = void (*)(benchmark::State&);
using Tuning = std::function<void(benchmark::internal::Benchmark*)>;

// Answers n values spread over the whole ElemType range. The generator starts
// from the same fixed state each time, so every run sees the same values.
std::vector<ElemType> RandomValues(std::size_t n);

// A list holding given values, destroyed with the object.
class BenchList {
 public:
  explicit BenchList(const std::vector<ElemType>& values);
  ~BenchList();
  BenchList(const BenchList&) = delete;
  BenchList& operator=(const BenchList&) = delete;
  Sqlist* get() { return &list_; }

 private:
  Sqlist list_{nullptr, 0, 0};
};

// Registers "name/ours" and "name/baseline" at every size of kSizes, with five
// repetitions shown by their aggregates unless tune sets them otherwise, and
// adds the comparison to the ratio table.
void RegisterPair(const std::string& name, double target, BenchmarkFn ours, BenchmarkFn baseline,
                  const Tuning& tune = {});

// Answers the comparisons registered so far, in order.
const std::vector<Comparison>& Comparisons();

// Register the benchmarks of each group.
void RegisterListBenchmarks();
void RegisterFileBenchmarks();
void RegisterPrintBenchmarks();

}  // namespace bench

#endif  // SQLIST_BENCH_BENCH_UTIL_H_
