#include "element_file/element_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "element_file/coding.h"
#include "test_support/run_program.h"

namespace element_file {
namespace {

using test_support::ListDir;
using test_support::ReadFile;
using test_support::TempDir;
using test_support::WriteFile;

// A list with storage holding values; released at the end of the test.
struct TestList {
  Sqlist L{nullptr, 0, 0};
  explicit TestList(const std::vector<ElemType>& values = {}) {
    EXPECT_EQ(InitList(&L), OK);
    for (ElemType v : values) EXPECT_EQ(ListInsert(&L, L.length + 1, v), OK);
  }
  ~TestList() { DestroyList(&L); }
  std::vector<ElemType> Elements() const { return {L.elem, L.elem + L.length}; }
};

// The list of one_fifty.dat: i * 7 - 500 for i = 0 .. 149.
std::vector<ElemType> OneFifty() {
  std::vector<ElemType> v(150);
  for (int i = 0; i < 150; ++i) v[i] = i * 7 - 500;
  return v;
}

// Files written on Windows through a text-mode stream, and the lists they hold.
TEST(Fixtures, LoadAsWrittenAndSaveToTheSameBytes) {
  struct Case {
    const char* file;
    std::vector<ElemType> values;
  };
  const std::vector<Case> cases = {
      {"ten.dat", {10}},
      {"ctrl_z_inside.dat", {1, 26, 3}},
      {"cr_lf_images.dat", {13, 3338, 2570, -1}},
      {"extremes.dat", {INT32_MAX, INT32_MIN, 0}},
      {"one_fifty.dat", OneFifty()},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = std::string(FIXTURES_DIR) + "/" + c.file;
    TestList t;
    ASSERT_EQ(ReadElemFile(&t.L, path.c_str()), OK);
    EXPECT_EQ(t.Elements(), c.values);
    EXPECT_GE(t.L.listsize, t.L.length);

    const std::string saved = dir.File("data.dat");
    ASSERT_EQ(WriteElemFile(&t.L, saved.c_str()), OK);
    EXPECT_EQ(ReadFile(saved), ReadFile(path));
  }
}

TEST(Load, MoreElementsThanTheCapacityGrowTheBlock) {
  TestList t({1, 2});
  ASSERT_EQ(ReadElemFile(&t.L, FIXTURES_DIR "/one_fifty.dat"), OK);
  EXPECT_EQ(t.L.listsize, 150);
  EXPECT_EQ(t.Elements(), OneFifty());
  EXPECT_EQ(ListInsert(&t.L, 151, 5), OK);
  EXPECT_EQ(t.L.listsize, 151);
}

TEST(Load, FewerElementsKeepTheCapacity) {
  TestList t({1, 2, 3, 4, 5});
  ASSERT_EQ(ReadElemFile(&t.L, FIXTURES_DIR "/ten.dat"), OK);
  EXPECT_EQ(t.Elements(), std::vector<ElemType>{10});
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);
}

TEST(Load, LineEndPairsAnywhereInALargeFile) {
  // Files far larger than one read, with a pair 0x0D 0x0A or a lone 0x0D at
  // every other offset: some fall on the border between two reads.
  TempDir dir;
  const std::string path = dir.File("data.dat");
  for (const std::string pattern : {"\r\n", "\ra"}) {
    for (const std::size_t shift : {0, 1}) {
      SCOPED_TRACE(::testing::PrintToString(pattern) + " shifted " + std::to_string(shift));
      std::string file(shift, 'a');
      while (file.size() < (std::size_t{1} << 20)) file += pattern;
      WriteFile(path, file);

      std::string collapsed = file;
      collapsed.resize(CollapseLineEnds(collapsed.data(), collapsed.data(), collapsed.size()));
      std::vector<ElemType> expected(collapsed.size() / kImageSize);
      for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = DecodeFixed32(&collapsed[i * kImageSize]);

      TestList t;
      ASSERT_EQ(ReadElemFile(&t.L, path.c_str()), OK);
      EXPECT_EQ(t.Elements(), expected);
      EXPECT_EQ(t.L.listsize, static_cast<int>(expected.size()));
    }
  }
}

TEST(Load, AnEmptyFileGivesAnEmptyList) {
  TempDir dir;
  WriteFile(dir.File("data.dat"), "");
  TestList t({4, 5});
  EXPECT_EQ(ReadElemFile(&t.L, dir.File("data.dat").c_str()), OK);
  EXPECT_EQ(t.L.length, 0);
}

TEST(Load, AFailedLoadLeavesTheListAsItWas) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.dat"));
  struct Case {
    const char* what;
    std::string path;
  };
  const std::vector<Case> cases = {
      {"missing file", dir.File("missing.dat")},
      {"a folder", dir.File("folder.dat")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestList t({7, 8, 9});
    EXPECT_EQ(ReadElemFile(&t.L, c.path.c_str()), ERROR);
    EXPECT_EQ(t.Elements(), (std::vector<ElemType>{7, 8, 9}));
    EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);
  }
}

// The address space the process uses now, in bytes.
std::size_t AddressSpaceInUse() {
  std::size_t pages = 0;
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f != nullptr) {
    if (std::fscanf(f, "%zu", &pages) != 1) pages = 0;
    std::fclose(f);
  }
  return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

TEST(Load, NoMemoryForTheFileLeavesTheListAsItWas) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
  // 40 MB of elements: the block for their 10 million elements (rounded up
  // to 64 MB) cannot be had with 60 MB to spare, nor with 20 MB.
  TempDir dir;
  const std::string path = dir.File("data.dat");
  WriteFile(path, std::string(std::size_t{40} << 20, '\x11'));
  for (const std::size_t spare : {std::size_t{60} << 20, std::size_t{20} << 20}) {
    SCOPED_TRACE(spare);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      TestList t({7, 8, 9});
      const rlimit limit{AddressSpaceInUse() + spare, RLIM_INFINITY};
      if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
      const Status loaded = ReadElemFile(&t.L, path.c_str());
      const bool unchanged =
          t.Elements() == std::vector<ElemType>{7, 8, 9} && t.L.listsize == LIST_INIT_SIZE;
      _exit(loaded == OVERFLOW && unchanged ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
}

TEST(Load, AListWithoutStorageIsRefused) {
  Sqlist L{nullptr, 0, 0};
  EXPECT_EQ(ReadElemFile(&L, FIXTURES_DIR "/ten.dat"), ERROR);
  EXPECT_EQ(L.elem, nullptr);
  EXPECT_EQ(L.listsize, 0);
}

TEST(Save, EmptyListsGiveAnEmptyFile) {
  TempDir dir;
  const std::string path = dir.File("data.dat");
  WriteFile(path, "old contents");
  Sqlist none{nullptr, 0, 0};
  EXPECT_EQ(WriteElemFile(&none, path.c_str()), OK);
  EXPECT_EQ(ReadFile(path), "");

  WriteFile(path, "old contents");
  TestList empty;
  EXPECT_EQ(WriteElemFile(&empty.L, path.c_str()), OK);
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"data.dat"});
}

TEST(Save, AWriteThatFailsPartWayKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("data.dat");
  const std::string old(3000, '\x5a');
  WriteFile(path, old);

  // In a child: files may not grow past 1000 bytes, and going past it is an
  // error instead of a signal.
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    TestList t(std::vector<ElemType>(1000, 1));
    _exit(WriteElemFile(&t.L, path.c_str()) == ERROR ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed save was reported as done";
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"data.dat"});
}

TEST(Save, ARenameThatFailsLeavesNoTemporaryFile) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("data.dat"));
  TestList t({1, 2});
  EXPECT_EQ(WriteElemFile(&t.L, dir.File("data.dat").c_str()), ERROR);
  EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"data.dat"});
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("data.dat")));
}

TEST(Save, PermissionsAreThoseOfANewFileOrKeptFromTheOldOne) {
  TempDir dir;
  const std::string path = dir.File("data.dat");
  TestList t({1});
  const mode_t mask = umask(027);
  ASSERT_EQ(WriteElemFile(&t.L, path.c_str()), OK);
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  ASSERT_EQ(chmod(path.c_str(), 0604), 0);
  ASSERT_EQ(WriteElemFile(&t.L, path.c_str()), OK);
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0604u);
  umask(mask);
}

TEST(Save, AFileWeMayNotWriteIsNotReplaced) {
  TempDir dir;
  const std::string path = dir.File("data.dat");
  WriteFile(path, "keep");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);  // the folder itself is open to all

  // In a child, which gives up root (who may write any file) for "nobody".
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
    TestList t({1});
    _exit(WriteElemFile(&t.L, path.c_str()) == ERROR ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(path), "keep");
  EXPECT_EQ(ListDir(dir.path()), std::vector<std::string>{"data.dat"});
}

TEST(SaveAndLoad, EveryListComesBackWhole) {
  TempDir dir;
  const std::string path = dir.File("data.dat");
  std::vector<ElemType> values;
  for (std::uint32_t byte = 0; byte < 256; ++byte) {  // every byte value, in every place
    values.push_back(static_cast<ElemType>(byte * 0x01010101u));
    values.push_back(static_cast<ElemType>(byte << 8 | 0x0D));
  }
  values.push_back(26);
  values.push_back(6656);  // 0x1A00
  TestList saved(values);
  ASSERT_EQ(WriteElemFile(&saved.L, path.c_str()), OK);
  TestList loaded;
  ASSERT_EQ(ReadElemFile(&loaded.L, path.c_str()), OK);
  EXPECT_EQ(loaded.Elements(), values);
}

}  // namespace
}  // namespace element_file
