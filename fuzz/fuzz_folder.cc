#include "fuzz/fuzz_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {
namespace {

std::string folder;
std::vector<std::string> args;
std::vector<char*> arg_pointers;

// Removes the folder made by EnterPrivateFolder.
void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

// Answers arg with a relative path in it made absolute against start: a
// positional argument, or the value of a flag naming a file or a prefix.
std::string Absolute(std::string arg, const std::string& start) {
  const auto relative = [](std::string_view path) { return !path.empty() && path[0] != '/'; };
  if (arg.empty()) return arg;
  if (arg[0] != '-') return relative(arg) ? start + "/" + arg : arg;
  for (const std::string_view flag : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="}) {
    if (arg.starts_with(flag) && relative(std::string_view(arg).substr(flag.size()))) {
      arg.insert(flag.size(), start + "/");
    }
  }
  return arg;
}

}  // namespace

void EnterPrivateFolder(int* argc, char*** argv) {
  const std::string start = std::filesystem::current_path().string();
  bool has_artifact_prefix = false;
  for (int i = 0; i < *argc; ++i) {
    const std::string arg = (*argv)[i];
    has_artifact_prefix = has_artifact_prefix || arg.starts_with("-artifact_prefix=");
    args.push_back(i == 0 ? arg : Absolute(arg, start));
  }
  if (!has_artifact_prefix) args.push_back("-artifact_prefix=" + start + "/");
  for (std::string& arg : args) arg_pointers.push_back(arg.data());
  arg_pointers.push_back(nullptr);
  *argc = static_cast<int>(args.size());
  *argv = arg_pointers.data();

  std::error_code error;
  const bool in_memory =
      std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0;
  const std::filesystem::path parent =
      in_memory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
  std::string pattern = (parent / "sqlist-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr || ::chdir(pattern.c_str()) != 0) {
    std::perror("sqlist fuzz: cannot make a private working folder");
    std::abort();
  }
  folder = pattern;
  std::atexit(RemoveFolder);
}

}  // namespace fuzz
