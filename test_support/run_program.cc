#include "test_support/run_program.h"

#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace test_support {

Result RunProgram(const Run& run) {
  // The input lives in an anonymous file, so the child reads it at its own pace.
  const int input_fd = memfd_create("input", MFD_CLOEXEC);
  if (input_fd < 0 ||
      write(input_fd, run.input.data(), run.input.size()) !=
          static_cast<ssize_t>(run.input.size()) ||
      lseek(input_fd, 0, SEEK_SET) != 0) {
    throw std::runtime_error("cannot prepare the input");
  }
  int out_pipe[2];
  if (pipe2(out_pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe");

  std::vector<char*> envp;
  for (const std::string& e : run.env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  char* argv[] = {const_cast<char*>(run.path.c_str()), nullptr};

  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    dup2(input_fd, STDIN_FILENO);
    dup2(out_pipe[1], STDOUT_FILENO);
    if (chdir(run.workdir.c_str()) != 0) _exit(126);
    signal(SIGPIPE, SIG_DFL);
    if (run.in_child) run.in_child();
    execve(run.path.c_str(), argv, envp.data());
    _exit(127);
  }
  close(input_fd);
  close(out_pipe[1]);

  Result result;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(run.timeout_seconds);
  char buf[65536];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{out_pipe[0], POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) == 0) {
      result.timed_out = true;
      kill(pid, SIGKILL);
      break;
    }
    const ssize_t got = read(out_pipe[0], buf, sizeof buf);
    if (got <= 0) break;
    result.output.append(buf, static_cast<std::size_t>(got));
  }
  close(out_pipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sqlist-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> ListDir(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Gbk(const std::string& utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* o = out.data();
  std::size_t out_left = out.size();
  const std::size_t done = iconv(cd, &in, &in_left, &o, &out_left);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) throw std::runtime_error("not convertible to GBK");
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace test_support
