// Saving and loading the element file beside the same durable steps done with
// raw system calls. The files live in a temporary folder of their own.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "element_file/element_file.h"

namespace bench {
namespace {

// A new folder under the system's temporary folder, removed with what it
// holds when the object goes.
class TempFolder {
 public:
  TempFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "sqlist_bench.XXXXXX").string();
    if (::mkdtemp(name.data()) != nullptr) path_ = name;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  bool ok() const { return !path_.empty(); }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Saves a list of n to data.dat.
void SaveOurs(benchmark::State& state) {
  TempFolder folder;
  BenchList list(RandomValues(static_cast<std::size_t>(state.range(0))));
  const std::string path = folder.File(element_file::kElemFile);
  for (auto _ : state) {
    if (element_file::WriteElemFile(list.get(), path.c_str()) != OK) {
      state.SkipWithError("saving failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Writes the 4n bytes of the elements' images in one write to a new file,
// flushes it to disk and renames it over data.dat.
void SaveBaseline(benchmark::State& state) {
  TempFolder folder;
  const auto values = RandomValues(static_cast<std::size_t>(state.range(0)));
  const std::size_t bytes = values.size() * sizeof(ElemType);
  const std::string path = folder.File(element_file::kElemFile);
  const std::string temp = path + ".tmp";
  for (auto _ : state) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool ok = fd >= 0 && ::write(fd, values.data(), bytes) == static_cast<ssize_t>(bytes);
    ok = ok && ::fsync(fd) == 0;
    ok = fd >= 0 && ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
      state.SkipWithError("writing failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Loads data.dat holding n elements into a list.
void LoadOurs(benchmark::State& state) {
  TempFolder folder;
  const std::string path = folder.File(element_file::kElemFile);
  BenchList saved(RandomValues(static_cast<std::size_t>(state.range(0))));
  element_file::WriteElemFile(saved.get(), path.c_str());
  BenchList list({});
  for (auto _ : state) {
    if (element_file::ReadElemFile(list.get(), path.c_str()) != OK) {
      state.SkipWithError("loading failed");
      break;
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reads the same file with one read into a buffer of its size.
void LoadBaseline(benchmark::State& state) {
  TempFolder folder;
  const std::string path = folder.File(element_file::kElemFile);
  BenchList saved(RandomValues(static_cast<std::size_t>(state.range(0))));
  element_file::WriteElemFile(saved.get(), path.c_str());
  std::vector<char> buffer(std::filesystem::file_size(path));
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool ok =
        fd >= 0 && ::read(fd, buffer.data(), buffer.size()) == static_cast<ssize_t>(buffer.size());
    if (fd >= 0) ::close(fd);
    if (!ok) {
      state.SkipWithError("reading failed");
      break;
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

void RegisterFileBenchmarks() {
  const auto tune = [](benchmark::internal::Benchmark* b) {
    // Flushing to disk takes a varying time: more repetitions steady the median.
    b->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(0.2)->Repetitions(9);
  };
  RegisterPair("Save", 1.5, SaveOurs, SaveBaseline, tune);
  RegisterPair("Load", 2.0, LoadOurs, LoadBaseline, tune);
}

}  // namespace bench
