// Printing the list through the program's console beside a printf loop, both
// into /dev/null.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench/bench_util.h"
#include "console/console.h"

namespace bench {
namespace {

// Prints a list of n as option 12 does: ListTrabverse into a string, written
// through a console over /dev/null and flushed.
void PrintOurs(benchmark::State& state) {
  BenchList list(RandomValues(static_cast<std::size_t>(state.range(0))));
  const int fd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  {
    console::FdOutput out(fd);
    console::StringInput in("");
    console::Console con(in, out, console::Options{});
    for (auto _ : state) {
      std::string printout;
      ListTrabverse(*list.get(), printout);
      con.Write(printout);
      if (!con.Flush()) {
        state.SkipWithError("writing failed");
        break;
      }
    }
  }
  ::close(fd);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Prints the n values with printf("%d ", x) into /dev/null.
void PrintBaseline(benchmark::State& state) {
  const auto values = RandomValues(static_cast<std::size_t>(state.range(0)));
  std::FILE* null = std::fopen("/dev/null", "w");
  if (null == nullptr) {
    state.SkipWithError("/dev/null cannot be opened");
    return;
  }
  for (auto _ : state) {
    for (ElemType v : values) std::fprintf(null, "%d ", v);
    std::fflush(null);
  }
  std::fclose(null);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

void RegisterPrintBenchmarks() {
  RegisterPair("Print", 0.3, PrintOurs, PrintBaseline,
               [](benchmark::internal::Benchmark* b) { b->MinTime(0.1); });
}

}  // namespace bench
