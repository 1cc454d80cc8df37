// Runs a program the way a user runs it from a shell: input from a script,
// output captured, in a chosen working folder. For tests only.
#ifndef SQLIST_TEST_SUPPORT_RUN_PROGRAM_H_
#define SQLIST_TEST_SUPPORT_RUN_PROGRAM_H_

#include <functional>
#include <string>
#include <vector>

namespace test_support {

struct Run {
  std::string path;                // the program
  std::string input;               // becomes its standard input
  std::string workdir = ".";       // its working folder
  std::vector<std::string> env;    // its whole environment, NAME=value
  std::function<void()> in_child;  // runs in the child just before exec
  int timeout_seconds = 20;        // the program is killed after this long
};

struct Result {
  int exit_status = -1;  // the exit status, or -1 when a signal ended it
  int signal = 0;        // the signal that ended it, or 0
  bool timed_out = false;
  std::string output;  // all it wrote to standard output
};

Result RunProgram(const Run& run);

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whole-file helpers; ReadFile answers "" for a missing file.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// The names in a folder, sorted.
std::vector<std::string> ListDir(const std::string& path);

// Text in GBK, from UTF-8.
std::string Gbk(const std::string& utf8);

}  // namespace test_support

#endif  // SQLIST_TEST_SUPPORT_RUN_PROGRAM_H_
