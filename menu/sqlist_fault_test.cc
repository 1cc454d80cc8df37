// The real program when things go wrong around it: a save that fails part way,
// output that is closed early, input that ends at any byte. It must end by
// itself, and keep the element file and the list whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "test_support/run_program.h"

namespace {

using test_support::Gbk;
using test_support::ListDir;
using test_support::ReadFile;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteFile;

// Far more than any of these sessions needs: reaching it means a hang.
constexpr int kHangSeconds = 60;

const std::string kFarewellLine = "欢迎下次再使用本系统！\n";

test_support::Run Session(const TempDir& dir, const std::string& input) {
  test_support::Run run;
  run.path = SQLIST_BINARY;
  run.input = input;
  run.workdir = dir.path();
  run.env = {"LANG=C.UTF-8", "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
  run.timeout_seconds = kHangSeconds;
  return run;
}

// Files may not grow past 1000 bytes in the program; saving the 601 loaded
// and inserted elements needs 2404.
TEST(FailedSave, KeepsTheOldFileAndTheList) {
  struct Case {
    const char* name;
    bool ignore_sigxfsz;  // else the signal ends the program in the middle of the save
  };
  for (const Case& c : {Case{"SIGXFSZ ignored", true}, Case{"SIGXFSZ kills", false}}) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string old(600 * 4, '\x5a');  // 600 elements 0x5a5a5a5a
    WriteFile(dir.File("data.dat"), old);
    test_support::Run run = Session(dir, "1\n\n13\n2\n\n10\n1 7\n\n14\n12\n\n0\n");
    run.in_child = [ignore = c.ignore_sigxfsz] {
      if (ignore) signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{1000, 1000};
      setrlimit(RLIMIT_FSIZE, &limit);
    };
    const auto r = RunProgram(run);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(ReadFile(dir.File("data.dat")), old);
    if (c.ignore_sigxfsz) {
      EXPECT_EQ(r.exit_status, 0);
      EXPECT_NE(r.output.find(Gbk("File open error\n文件保存失败！")), std::string::npos);
      // The list is still all there after the failed save.
      std::string printout = "\n7 ";
      for (int i = 0; i < 600; ++i) printout += "1515870810 ";
      EXPECT_NE(r.output.find(printout + "\n"), std::string::npos);
      EXPECT_TRUE(r.output.ends_with(Gbk(kFarewellLine)));
      EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"data.dat"});
    } else {
      EXPECT_EQ(r.signal, SIGXFSZ);
    }
  }
}

// As in `yes 5 | sqlist | head -c 100`: input never ends, the reader goes
// away after 100 bytes. The program must notice and stop; with SIGPIPE
// ignored it stops by itself with status 1. A program that runs on is killed
// by timeout after kHangSeconds (status 137), and yes ends with it.
TEST(OutputClosedEarly, EndsTheProgram) {
  struct Case {
    const char* setup;  // shell commands run before the pipeline
    int status;         // the program's status, as the shell reports it
  };
  for (const Case& c : {Case{"", 128 + SIGPIPE}, Case{"trap '' PIPE", 1}}) {
    SCOPED_TRACE(c.setup);
    TempDir dir;
    test_support::Run run;
    run.path = "/bin/bash";  // reads its commands from standard input
    const std::string pipeline = "yes 5 2>/dev/null | timeout -s KILL " +
                                 std::to_string(kHangSeconds) + " '" + SQLIST_BINARY +
                                 "' | head -c 100\n";
    run.input = std::string(c.setup) + "\n" + pipeline +
                "status=(\"${PIPESTATUS[@]}\")\necho\necho \"${status[1]}\"\n";
    run.workdir = dir.path();
    run.env = {"LANG=C.UTF-8", "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
    run.timeout_seconds = 2 * kHangSeconds;
    const auto r = RunProgram(run);
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0);
    const std::string menu_start = "\n\n      Menu for Linear Table On Sequence Structure \n";
    EXPECT_EQ(r.output.substr(0, menu_start.size()), menu_start);
    EXPECT_EQ(r.output.substr(100), "\n" + std::to_string(c.status) + "\n");
  }
}

// A scripted session that goes through every kind of step: options with and
// without values, a bad value, typed assignment, saving and loading, CR LF
// lines, and 0 at the end.
const std::string kScript =
    "1\n\n10\n1 42\n\n10\r\n2 -7\r\n\r\n9\n42\n\n13\n1\n5\nx\n6\n7\n8\n\n"
    "14\n13\n2\n\n12\n\n11\n1\n\n99\nq\n4\n\n0\n";

// Whatever byte input ends at, the program ends with status 0 and the
// farewell line is the last thing it writes, once.
TEST(InputEndsAnywhere, StatusZeroAndTheFarewellLast) {
  const std::string farewell = Gbk(kFarewellLine);
  for (std::size_t end = 0; end <= kScript.size(); ++end) {
    SCOPED_TRACE("input ends after " + std::to_string(end) +
                 " bytes: " + testing::PrintToString(kScript.substr(0, end)));
    TempDir dir;
    const auto r = RunProgram(Session(dir, kScript.substr(0, end)));
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_TRUE(r.output.ends_with(farewell));
    EXPECT_EQ(r.output.find(farewell), r.output.size() - farewell.size());
    const std::vector<std::string> files = ListDir(dir.path());
    EXPECT_TRUE(files.empty() || files == std::vector<std::string>{"data.dat"});
  }
}

}  // namespace
