#include "bench/bench_util.h"

#include <limits>
#include <random>

namespace bench {
namespace {

// The comparisons registered so far, in order.
std::vector<Comparison>& MutableComparisons() {
  static std::vector<Comparison> comparisons;
  return comparisons;
}

}  // namespace

std::vector<ElemType> RandomValues(std::size_t n) {
  std::mt19937 generator(20240601u);  // fixed state: the same values on every run
  std::uniform_int_distribution<ElemType> dist(std::numeric_limits<ElemType>::min(),
                                               std::numeric_limits<ElemType>::max());
  std::vector<ElemType> values(n);
  for (ElemType& v : values) v = dist(generator);
  return values;
}

BenchList::BenchList(const std::vector<ElemType>& values) {
  InitList(&list_);
  ListReserve(&list_, static_cast<int>(values.size()));
  for (ElemType v : values) ListInsert(&list_, list_.length + 1, v);
}

BenchList::~BenchList() { DestroyList(&list_); }

void RegisterPair(const std::string& name, double target, BenchmarkFn ours, BenchmarkFn baseline,
                  const Tuning& tune) {
  for (const auto& [side, fn] : {std::pair{"/ours", ours}, std::pair{"/baseline", baseline}}) {
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark((name + side).c_str(), fn);
    for (std::int64_t n : kSizes) b->Arg(n);
    b->Repetitions(5)->DisplayAggregatesOnly(true);
    if (tune) tune(b);
  }
  MutableComparisons().push_back({name, target});
}

const std::vector<Comparison>& Comparisons() { return MutableComparisons(); }

}  // namespace bench
