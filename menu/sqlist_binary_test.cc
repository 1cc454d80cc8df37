// The real program, run as a user runs it: a script piped in, a fresh working
// folder, the exact bytes it writes and its exit status.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "test_support/menu_screen.h"
#include "test_support/run_program.h"

namespace {

using test_support::Gbk;
using test_support::ReadFile;
using test_support::Run;
using test_support::RunProgram;
using test_support::TempDir;

const std::string& kMenu = test_support::kMenuScreen;

test_support::Result Session(const TempDir& dir, const std::string& input) {
  Run run;
  run.path = SQLIST_BINARY;
  run.input = input;
  run.workdir = dir.path();
  run.env = {"LANG=C.UTF-8", "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
  return RunProgram(run);
}

TEST(PipedSession, WritesTheWholeDialogueInGbk) {
  TempDir dir;
  const auto r = Session(dir,
                         "1\n\n"
                         "10\n1 42\n\n"
                         "10\n2 -7\n\n"
                         "9\n42\n\n"
                         "12\n\n"
                         "99\n"
                         "0\n");
  const std::string expected = kMenu + "线性表创建成功！\n" +                              //
                               kMenu + "请输入要插入的位置和要插入的值：元素插入成功！" +  //
                               kMenu + "请输入要插入的位置和要插入的值：元素插入成功！" +  //
                               kMenu + "请输入要查找后继的元素值：数据元素42的后继是-7\n" + kMenu +
                               "\n-----------all elements -----------------------\n"
                               "42 -7 \n"
                               "------------------ end ------------------------\n" +
                               kMenu + kMenu + "欢迎下次再使用本系统！\n";
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.output, Gbk(expected));
}

TEST(PipedSession, EndOfInputEndsTheProgramWithStatusZero) {
  TempDir dir;
  // Ends while option 10 waits for its value.
  const auto r = Session(dir, "1\n\n10\n3");
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.output, Gbk(kMenu + "线性表创建成功！\n" + kMenu +
                          "请输入要插入的位置和要插入的值：\n欢迎下次再使用本系统！\n"));
}

TEST(PipedSession, ASavedListLoadsInTheNextRun) {
  TempDir dir;
  auto r = Session(dir, "1\n\n10\n1 10\n\n10\n2 26\n\n10\n3 -1\n\n14\n0\n");
  ASSERT_EQ(r.exit_status, 0);
  EXPECT_NE(r.output.find(Gbk("文件保存成功！\n") + Gbk(kMenu)), std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("data.dat")),
            std::string("\r\n\0\0\0\x1a\0\0\0\xff\xff\xff\xff", 13));
  EXPECT_EQ(test_support::ListDir(dir.path()), std::vector<std::string>{"data.dat"});

  r = Session(dir, "1\n\n13\n2\n\n12\n\n0\n");
  ASSERT_EQ(r.exit_status, 0);
  EXPECT_NE(r.output.find(Gbk("请选择赋值方法：\n1.手动赋值      2.从文件读取\n赋值成功\n")),
            std::string::npos);
  EXPECT_NE(r.output.find("\n10 26 -1 \n"), std::string::npos);
}

// Reads from fd until `want` has arrived; gives up after 20 s without output.
std::string ReadUntil(int fd, const std::string& want) {
  std::string got;
  char buf[4096];
  while (got.find(want) == std::string::npos) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20000) != 1) break;
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<std::size_t>(n));
  }
  return got;
}

TEST(PipedSession, EachPromptIsSentBeforeTheProgramWaits) {
  TempDir dir;
  int to_child[2];
  int from_child[2];
  ASSERT_EQ(pipe2(to_child, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(from_child, O_CLOEXEC), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(to_child[0], STDIN_FILENO);
    dup2(from_child[1], STDOUT_FILENO);
    if (chdir(dir.path().c_str()) != 0) _exit(126);
    execl(SQLIST_BINARY, SQLIST_BINARY, nullptr);
    _exit(127);
  }
  close(to_child[0]);
  close(from_child[1]);

  // The input stays open: each text must arrive while the program waits.
  EXPECT_EQ(ReadUntil(from_child[0], Gbk("请选择你的操作[0~14]:")), Gbk(kMenu));
  ASSERT_EQ(write(to_child[1], "10\n", 3), 3);
  EXPECT_EQ(ReadUntil(from_child[0], Gbk("值：")), Gbk("请输入要插入的位置和要插入的值："));
  ASSERT_EQ(write(to_child[1], "1 5\n", 4), 4);
  EXPECT_EQ(ReadUntil(from_child[0], Gbk("！")), Gbk("元素插入失败！"));
  ASSERT_EQ(write(to_child[1], "\n0\n", 3), 3);
  EXPECT_EQ(ReadUntil(from_child[0], "\n"), Gbk(kMenu + "欢迎下次再使用本系统！\n"));
  close(to_child[1]);
  close(from_child[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Runs the program in a pseudo-terminal, answers 0 at once, and answers all it
// wrote.
std::string TerminalSession() {
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    char* argv[] = {const_cast<char*>(SQLIST_BINARY), nullptr};
    char* envp[] = {const_cast<char*>("LANG=C.UTF-8"), const_cast<char*>("TERM=xterm"), nullptr};
    execve(SQLIST_BINARY, argv, envp);
    _exit(127);
  }
  EXPECT_GT(pid, 0);
  EXPECT_EQ(write(master, "0\n", 2), 2);  // waits in the terminal's input
  std::string out;
  char buf[4096];
  for (ssize_t got; (got = read(master, buf, sizeof buf)) > 0;)
    out.append(buf, static_cast<std::size_t>(got));
  close(master);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return out;
}

TEST(TerminalSession, ClearsTheScreenAndWritesUtf8) {
  const std::string out = TerminalSession();
  // The terminal echoes the typed "0" and turns line ends into CR LF.
  const std::string clear = "\x1b[H\x1b[2J\x1b[3J";
  const auto menu_at = out.find("Menu for Linear Table");
  ASSERT_NE(menu_at, std::string::npos) << out;
  const auto clear_at = out.find(clear);
  ASSERT_NE(clear_at, std::string::npos) << out;
  EXPECT_LT(clear_at, menu_at);
  EXPECT_NE(out.find("请选择你的操作[0~14]:"), std::string::npos);
  EXPECT_NE(out.find("欢迎下次再使用本系统！"), std::string::npos);
}

}  // namespace
