// Scripted sessions of the menu loop, run in memory against the exact text.
#include "menu/menu.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support/menu_screen.h"
#include "test_support/run_program.h"

namespace menu {
namespace {

using test_support::ReadFile;
using test_support::TempDir;
using test_support::WriteFile;

const std::string& kMenu = test_support::kMenuScreen;
const std::string kBye = "欢迎下次再使用本系统！\n";
const std::string kInvalid = "输入无效，请输入整数！\n";
const std::string kInsertPrompt = "请输入要插入的位置和要插入的值：";
const std::string kMethods = "请选择赋值方法：\n1.手动赋值      2.从文件读取\n";
const std::string kTypedPrompts =
    "请输入第0个元素的值：\n请输入第1个元素的值：\n请输入第2个元素的值：\n请输入第3个元素的值：\n";
const std::string kHeader = "\n-----------all elements -----------------------\n";
const std::string kFooter = "\n------------------ end ------------------------\n";

// What the program writes: each piece comes after a menu.
std::string Screens(const std::vector<std::string>& pieces) {
  std::string out;
  for (const std::string& piece : pieces) out += kMenu + piece;
  return out;
}

// A session run in its own working folder, with a list that starts without
// storage.
class Session : public ::testing::Test {
 protected:
  Session() : old_dir_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.path());
  }
  ~Session() override {
    std::filesystem::current_path(old_dir_);
    DestroyList(&L_);
  }

  // Runs the menu on input; answers what it wrote (in UTF-8).
  std::string Run(const std::string& input) {
    std::string out;
    console::StringInput in(input);
    console::StringOutput sink(out);
    {
      console::Console con(in, sink, console::Options{console::Encoding::kUtf8, false});
      status_ = RunMenu(con, &L_, [this](const Sqlist& L) { after_.push_back(L.length); });
    }
    return out;
  }

  std::vector<ElemType> Elements() const { return {L_.elem, L_.elem + L_.length}; }

  TempDir dir_;
  std::filesystem::path old_dir_;
  Sqlist L_{nullptr, 0, 0};
  int status_ = -1;
  std::vector<int> after_;  // the length after each operation
};

struct Case {
  const char* what;
  std::string input;
  std::vector<std::string> screens;
};

// The list 10 20, made by options 1 and 10.
const std::string kTenTwenty = "1\n\n10\n1 10\n\n10\n2 20\n\n";
const std::vector<std::string> kTenTwentyScreens = {
    "线性表创建成功！\n", kInsertPrompt + "元素插入成功！", kInsertPrompt + "元素插入成功！"};

std::vector<std::string> After(std::vector<std::string> first,
                               const std::vector<std::string>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

class Options : public Session, public ::testing::WithParamInterface<Case> {};

TEST_P(Options, WriteTheirExactTexts) {
  const Case& c = GetParam();
  EXPECT_EQ(Run(c.input), Screens(c.screens));
  EXPECT_EQ(status_, kExitOk);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, Options,
    ::testing::Values(
        Case{"length at start", "5\n\n0\n", {"线性表长度为0\n", kBye}},
        Case{"no list to clear or destroy",
             "3\n\n2\n\n0\n",
             {"线性表清空失败！\n", "线性表销毁失败！\n", kBye}},
        Case{"insert 42 at position 1",
             "1\n\n4\n\n10\n1 42\n\n4\n\n5\n\n0\n",
             {"线性表创建成功！\n", "线性表是空的\n", kInsertPrompt + "元素插入成功！",
              "线性表不是空的\n", "线性表长度为1\n", kBye}},
        Case{"get by position", kTenTwenty + "6\n3\n\n6\n2\n\n6\n0\n\n0\n",
             After(kTenTwentyScreens, {"请输入要查找的位置:", "请输入要查找的位置:第2位是20",
                                       "请输入要查找的位置:", kBye})},
        Case{"locate", kTenTwenty + "7\n20\n\n7\n5\n\n0\n",
             After(kTenTwentyScreens, {"请输入要查找的数据元素值:数据元素20在第2位\n",
                                       "请输入要查找的数据元素值:不存在数据元素5\n", kBye})},
        Case{"predecessor and successor",
             kTenTwenty + "8\n10\n\n8\n20\n\n9\n10\n\n9\n20\n\n9\n7\n\n0\n",
             After(kTenTwentyScreens, {"请输入要查找前驱的元素值：数据元素10的前驱不存在\n",
                                       "请输入要查找前驱的元素值：数据元素20的前驱是10\n",
                                       "请输入要查找后继的元素值：数据元素10的后继是20\n",
                                       "请输入要查找后继的元素值：数据元素20的后继不存在\n",
                                       "请输入要查找后继的元素值：数据元素7的后继不存在\n", kBye})},
        Case{"insert at a bad position and without a list",
             "10\n1 5\n\n1\n\n10\n2 5\n\n10\n0 5\n\n0\n",
             {kInsertPrompt + "元素插入失败！", "线性表创建成功！\n",
              kInsertPrompt + "元素插入失败！", kInsertPrompt + "元素插入失败！", kBye}},
        Case{"delete", kTenTwenty + "11\n3\n\n11\n1\n\n12\n\n0\n",
             After(kTenTwentyScreens,
                   {"请输入要删除的位置元素删除失败！", "请输入要删除的位置元素10删除成功！",
                    kHeader + "20 " + kFooter, kBye})},
        Case{"print, clear, print, destroy, print", kTenTwenty + "12\n\n3\n\n12\n\n2\n\n12\n\n0\n",
             After(kTenTwentyScreens, {kHeader + "10 20 " + kFooter, "线性表清空成功！\n",
                                       kHeader + kFooter + "线性表是空表！\n", "线性表销毁成功！\n",
                                       kHeader + kFooter + "线性表是空表！\n", kBye})},
        Case{"create again starts an empty list", kTenTwenty + "1\n\n5\n\n0\n",
             After(kTenTwentyScreens, {"线性表创建成功！\n", "线性表长度为0\n", kBye})},
        Case{"the pause takes the first character of the next line",
             "1\n12\n\n0\n",
             {"线性表创建成功！\n", "线性表销毁成功！\n", kBye}},
        Case{"the pause takes what follows the number", "5x\n\n0\n", {"线性表长度为0\n", kBye}},
        Case{"choices outside 0..14 redraw at once", "15\n-1\n0\n", {"", "", kBye}},
        Case{"a choice that is not a number drops its line",
             "x\n5\n\n0\n",
             {"", "线性表长度为0\n", kBye}},
        Case{"no endless redraw after 15x", "15x\n0\n", {"", "", kBye}},
        Case{"a choice beyond 32 bits is not a number", "4294967301\n0\n", {"", kBye}},
        Case{"CR LF input",
             "1\r\n\r\n5\r\n\r\n0\r\n",
             {"线性表创建成功！\n", "线性表长度为0\n", kBye}},
        Case{"a value that is not a number is asked again",
             "1\n\n6\nabc\n+1\n\n10\n1 x\n1 -5\n\n11\n99999999999\n1\n\n0\n",
             {"线性表创建成功！\n", "请输入要查找的位置:" + kInvalid + "请输入要查找的位置:",
              kInsertPrompt + kInvalid + kInsertPrompt + "元素插入成功！",
              "请输入要删除的位置" + kInvalid + "请输入要删除的位置元素-5删除成功！", kBye}},
        Case{"end of input at the menu", "5\n\n", {"线性表长度为0\n", "\n" + kBye}},
        Case{"end of input in a pause", "5\n", {"线性表长度为0\n" + kBye}},
        Case{"end of input after a bad choice", "x", {"\n" + kBye}},
        Case{"end of input mid-option",
             "1\n\n10\n1",
             {"线性表创建成功！\n", kInsertPrompt + "\n" + kBye}},
        Case{"after saving the menu comes back without a key press",
             "1\n\n14\n",
             {"线性表创建成功！\n", "文件保存成功！\n", "\n" + kBye}},
        Case{"assign by hand",
             "1\n\n13\n1\n5\n6\n7\n8\n\n12\n\n0\n",
             {"线性表创建成功！\n", kMethods + kTypedPrompts + "已成功为4个元素赋值赋值成功\n",
              kHeader + "5 6 7 8 " + kFooter, kBye}},
        Case{"assign asks again for a bad method or value",
             "1\n\n13\nx\n1\n5\n6\n-\n7\n8\n9\n\n0\n",
             {"线性表创建成功！\n",
              kMethods + kInvalid + kMethods +
                  "请输入第0个元素的值：\n请输入第1个元素的值：\n请输入第2个元素的值：\n" +
                  kInvalid +
                  "请输入第2个元素的值：\n请输入第3个元素的值：\n已成功为4个元素赋值赋值成功\n",
              kBye}},
        Case{"assign with another method",
             "1\n\n13\n3\n\n13\n0\n\n0\n",
             {"线性表创建成功！\n", kMethods + "赋值失败", kMethods + "赋值失败", kBye}},
        Case{"assign without a list",
             "13\n1\n1\n2\n3\n4\n\n13\n2\n\n0\n",
             {kMethods + kTypedPrompts + "赋值失败", kMethods + "赋值失败", kBye}},
        Case{"load without a file",
             "1\n\n13\n2\n\n0\n",
             {"线性表创建成功！\n", kMethods + "File open erroe\n 赋值失败", kBye}},
        Case{"end of input while assigning",
             "1\n\n13\n1\n5\n6\n",
             {"线性表创建成功！\n",
              kMethods + "请输入第0个元素的值：\n请输入第1个元素的值：\n请输入第2个元素的值：\n" +
                  kBye}}),
    [](const ::testing::TestParamInfo<Case>& info) {
      std::string name;
      for (const char* p = info.param.what; *p != '\0'; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      }
      return name;
    });

TEST_F(Session, ValuesThatWereNotTypedAreNotUsed) {
  Run("1\n\n10\n1 1\n\n10\n2");  // the second insertion never gets its value
  EXPECT_EQ(Elements(), std::vector<ElemType>{1});
  EXPECT_EQ(after_, (std::vector<int>{0, 1, 1}));
}

TEST_F(Session, TypedValuesReplaceTheWholeList) {
  Run("1\n\n"
      "10\n1 1\n\n10\n1 2\n\n10\n1 3\n\n10\n1 4\n\n10\n1 5\n\n10\n1 6\n\n"
      "13\n1\n-1\n-2\n-3\n-4\n\n0\n");
  EXPECT_EQ(Elements(), (std::vector<ElemType>{-1, -2, -3, -4}));
  EXPECT_EQ(L_.listsize, LIST_INIT_SIZE);
}

TEST_F(Session, SaveAndLoadThroughTheMenu) {
  const std::string out = Run("1\n\n10\n1 10\n\n10\n2 26\n\n14\n1\n\n13\n2\n\n0\n");
  EXPECT_EQ(ReadFile("data.dat"), std::string("\r\n\0\0\0\x1a\0\0\0", 9));
  EXPECT_EQ(out, Screens({"线性表创建成功！\n", kInsertPrompt + "元素插入成功！",
                          kInsertPrompt + "元素插入成功！", "文件保存成功！\n",
                          "线性表创建成功！\n", kMethods + "赋值成功\n", kBye}));
  EXPECT_EQ(Elements(), (std::vector<ElemType>{10, 26}));
}

TEST_F(Session, AFailedLoadKeepsTheList) {
  std::filesystem::create_directory("data.dat");  // opens, then cannot be read
  Run("1\n\n10\n1 5\n\n13\n2\n\n0\n");
  EXPECT_EQ(Elements(), std::vector<ElemType>{5});
}

TEST_F(Session, AFailedSaveSaysSoAndRedrawsAtOnce) {
  std::filesystem::create_directory("data.dat");
  EXPECT_EQ(Run("14\n0\n"), Screens({"File open error\n文件保存失败！", kBye}));
}

TEST_F(Session, RunningOutOfMemoryEndsWithItsOwnStatus) {
  // A list whose capacity cannot grow any more.
  std::free(L_.elem);
  L_ = Sqlist{static_cast<ElemType*>(std::malloc(sizeof(ElemType))), INT_MAX, INT_MAX};
  EXPECT_EQ(Run("10\n1 5\n\n0\n"), Screens({kInsertPrompt}));
  EXPECT_EQ(status_, kExitNoMemory);
  std::free(L_.elem);
  L_ = Sqlist{nullptr, 0, 0};
}

TEST_F(Session, GbkOutput) {
  std::string out;
  console::StringInput in("5\n\n0\n");
  console::StringOutput sink(out);
  {
    console::Console con(in, sink, console::Options{console::Encoding::kGbk, false});
    EXPECT_EQ(RunMenu(con, &L_), kExitOk);
  }
  EXPECT_EQ(out, test_support::Gbk(Screens({"线性表长度为0\n", kBye})));
}

}  // namespace
}  // namespace menu
