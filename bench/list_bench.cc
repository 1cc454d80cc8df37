// The list operations beside the same work done on a std::vector.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "bench/bench_util.h"
#include "list/adt_list.h"

namespace bench {
namespace {

// How many positions GetElem and its baseline visit per iteration.
constexpr std::size_t kLookups = 1'000;

// Answers the list size the benchmark runs at.
std::size_t Size(const benchmark::State& state) { return static_cast<std::size_t>(state.range(0)); }

// Answers kLookups positions spread at random over 1 .. n.
std::vector<int> RandomPositions(std::size_t n) {
  std::vector<int> positions;
  for (ElemType v : RandomValues(kLookups)) {
    positions.push_back(static_cast<int>(static_cast<std::uint32_t>(v) % n) + 1);
  }
  return positions;
}

// Answers a value that is not among values.
ElemType AbsentValue(const std::vector<ElemType>& values) {
  ElemType absent = 0;
  while (std::find(values.begin(), values.end(), absent) != values.end()) ++absent;
  return absent;
}

// Inserts at position 1 of a list of n, then deletes the last element so the
// length stays n.
void InsertFrontOurs(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  BenchList list(values);
  Sqlist* L = list.get();
  ElemType removed = 0;
  for (auto _ : state) {
    ListInsert(L, 1, values[0]);
    ListDelet(L, L->length, &removed);
    benchmark::DoNotOptimize(removed);
  }
  state.SetItemsProcessed(state.iterations());
}

// The same on a vector: insert at begin(), then pop_back().
void InsertFrontBaseline(benchmark::State& state) {
  std::vector<ElemType> v = RandomValues(Size(state));
  const ElemType first = v[0];
  for (auto _ : state) {
    v.insert(v.begin(), first);
    benchmark::DoNotOptimize(v.data());
    v.pop_back();
  }
  state.SetItemsProcessed(state.iterations());
}

// Deletes position 1 of a list of n, then appends the element so the length
// stays n.
void DeleteFrontOurs(benchmark::State& state) {
  BenchList list(RandomValues(Size(state)));
  Sqlist* L = list.get();
  ElemType removed = 0;
  for (auto _ : state) {
    ListDelet(L, 1, &removed);
    ListInsert(L, L->length + 1, removed);
  }
  benchmark::DoNotOptimize(L->elem);
  state.SetItemsProcessed(state.iterations());
}

// The same on a vector: erase(begin()), then push_back().
void DeleteFrontBaseline(benchmark::State& state) {
  std::vector<ElemType> v = RandomValues(Size(state));
  for (auto _ : state) {
    const ElemType removed = v.front();
    v.erase(v.begin());
    benchmark::DoNotOptimize(v.data());
    v.push_back(removed);
  }
  state.SetItemsProcessed(state.iterations());
}

// Fills a fresh list with n appends, so the block grows past its first 100
// elements one element at a time.
void AppendOurs(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  for (auto _ : state) {
    Sqlist L{nullptr, 0, 0};
    InitList(&L);
    for (ElemType v : values) ListInsert(&L, L.length + 1, v);
    benchmark::DoNotOptimize(L.elem);
    benchmark::ClobberMemory();
    DestroyList(&L);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

// Fills a fresh vector with n push_back calls.
void AppendBaseline(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  for (auto _ : state) {
    std::vector<ElemType> v;
    for (ElemType x : values) v.push_back(x);
    benchmark::DoNotOptimize(v.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

// Looks for a value the list does not hold: a scan of all n elements.
void LocateAbsentOurs(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  const ElemType absent = AbsentValue(values);
  BenchList list(values);
  for (auto _ : state) benchmark::DoNotOptimize(LocateElem(*list.get(), absent));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same with std::find.
void LocateAbsentBaseline(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  const ElemType absent = AbsentValue(values);
  for (auto _ : state) benchmark::DoNotOptimize(std::find(values.begin(), values.end(), absent));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reads the elements at kLookups random positions.
void GetElemOurs(benchmark::State& state) {
  BenchList list(RandomValues(Size(state)));
  const auto positions = RandomPositions(Size(state));
  for (auto _ : state) {
    for (int i : positions) {
      ElemType e = 0;
      GetElem(*list.get(), i, &e);
      benchmark::DoNotOptimize(e);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
}

// The same by indexing a vector.
void GetElemBaseline(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  const auto positions = RandomPositions(Size(state));
  for (auto _ : state) {
    for (int i : positions) {
      ElemType e = values[static_cast<std::size_t>(i) - 1];
      benchmark::DoNotOptimize(e);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
}

// The value PriorElem and NextElem look for, in the middle of the list, and
// the number of elements a scan for it passes.
struct Middle {
  ElemType value;
  std::int64_t scanned;
};

// Answers the middle element of values and how far a scan for it goes.
Middle MiddleOf(const std::vector<ElemType>& values) {
  const ElemType value = values[values.size() / 2];
  const auto at = std::find(values.begin(), values.end(), value) - values.begin();
  return {value, at + 1};
}

// Finds the element before the one in the middle of the list.
void PriorElemOurs(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  const Middle middle = MiddleOf(values);
  BenchList list(values);
  for (auto _ : state) {
    ElemType e = 0;
    PriorElem(*list.get(), middle.value, &e);
    benchmark::DoNotOptimize(e);
  }
  state.SetItemsProcessed(state.iterations() * middle.scanned);
}

// The same with std::find and the element before the one found.
void PriorElemBaseline(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  const Middle middle = MiddleOf(values);
  for (auto _ : state) {
    ElemType e = 0;
    const auto it = std::find(values.begin(), values.end(), middle.value);
    if (it != values.begin() && it != values.end()) e = it[-1];
    benchmark::DoNotOptimize(e);
  }
  state.SetItemsProcessed(state.iterations() * middle.scanned);
}

// Finds the element after the one in the middle of the list.
void NextElemOurs(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  const Middle middle = MiddleOf(values);
  BenchList list(values);
  for (auto _ : state) {
    ElemType e = 0;
    NextElem(*list.get(), middle.value, &e);
    benchmark::DoNotOptimize(e);
  }
  state.SetItemsProcessed(state.iterations() * middle.scanned);
}

// The same with std::find and the element after the one found.
void NextElemBaseline(benchmark::State& state) {
  const auto values = RandomValues(Size(state));
  const Middle middle = MiddleOf(values);
  for (auto _ : state) {
    ElemType e = 0;
    const auto it = std::find(values.begin(), values.end(), middle.value);
    if (it != values.end() && it + 1 != values.end()) e = it[1];
    benchmark::DoNotOptimize(e);
  }
  state.SetItemsProcessed(state.iterations() * middle.scanned);
}

}  // namespace

void RegisterListBenchmarks() {
  const auto quick = [](benchmark::internal::Benchmark* b) { b->MinTime(0.1); };
  RegisterPair("InsertFront", 1.2, InsertFrontOurs, InsertFrontBaseline, quick);
  // The fit to O(n) shows that n appends cost O(n) in all.
  RegisterPair("Append", 2.0, AppendOurs, AppendBaseline, [](benchmark::internal::Benchmark* b) {
    b->MinTime(0.1)->Complexity(benchmark::oN);
  });
  RegisterPair("DeleteFront", 1.2, DeleteFrontOurs, DeleteFrontBaseline, quick);
  RegisterPair("LocateAbsent", 1.2, LocateAbsentOurs, LocateAbsentBaseline, quick);
  RegisterPair("GetElem", 1.5, GetElemOurs, GetElemBaseline, quick);
  RegisterPair("PriorElem", 1.5, PriorElemOurs, PriorElemBaseline, quick);
  RegisterPair("NextElem", 1.5, NextElemOurs, NextElemBaseline, quick);
}

}  // namespace bench
