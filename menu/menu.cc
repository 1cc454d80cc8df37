#include "menu/menu.h"

#include <span>
#include <string>
#include <string_view>

#include "console/dialogue.h"
#include "element_file/element_file.h"

namespace menu {
namespace {

using console::AskNumbers;
using console::Console;
using console::FormatInts;

constexpr std::string_view kMenu =
    "\n"
    "\n"
    "      Menu for Linear Table On Sequence Structure \n"
    "-------------------------------------------------\n"
    "    \t  1. IntiaList       8. PriorElem\n"
    "    \t  2. DestroyList     9. NextElem \n"
    "    \t  3. ClearList       10. ListInsert\n"
    "    \t  4. ListEmpty       11. ListDelete\n"
    "    \t  5. ListLength      12. ListTrabverse\n"
    "    \t  6. GetElem         13. AssignElem\n"
    "    \t  7. LocateElem      14. SaveFile\n"
    "    \t  0. Exit\n"
    "-------------------------------------------------\n"
    "    请选择你的操作[0~14]:";

constexpr std::string_view kFarewell = "欢迎下次再使用本系统！";

constexpr int kLastOption = 14;

// How an option ended.
enum class Outcome {
  kDone,      // carried out (or refused); pause, then show the menu again
  kEnded,     // input ended while it asked for a value
  kNoMemory,  // memory for the list ran out
};

// Reads one value after prompt into *value. Answers false when input ended.
bool AskOne(Console& con, std::string_view prompt, ElemType* value) {
  return AskNumbers(con, prompt, std::span(value, 1));
}

Outcome Create(Console& con, Sqlist* L) {
  if (InitList(L) != OK) return Outcome::kNoMemory;
  con.WriteLine("线性表创建成功！");
  return Outcome::kDone;
}

Outcome Destroy(Console& con, Sqlist* L) {
  con.WriteLine(DestroyList(L) == OK ? "线性表销毁成功！" : "线性表销毁失败！");
  return Outcome::kDone;
}

Outcome Clear(Console& con, Sqlist* L) {
  con.WriteLine(ClearList(L) == OK ? "线性表清空成功！" : "线性表清空失败！");
  return Outcome::kDone;
}

Outcome Empty(Console& con, Sqlist* L) {
  con.WriteLine(ListEmpty(*L) != FALSE ? "线性表是空的" : "线性表不是空的");
  return Outcome::kDone;
}

Outcome Length(Console& con, Sqlist* L) {
  con.Write(FormatInts("线性表长度为%d\n", {ListLength(*L)}));
  return Outcome::kDone;
}

Outcome Get(Console& con, Sqlist* L) {
  ElemType pos;
  if (!AskOne(con, "请输入要查找的位置:", &pos)) return Outcome::kEnded;
  ElemType e;
  if (GetElem(*L, pos, &e) == OK) con.Write(FormatInts("第%d位是%d", {pos, e}));
  return Outcome::kDone;
}

Outcome Locate(Console& con, Sqlist* L) {
  ElemType e;
  if (!AskOne(con, "请输入要查找的数据元素值:", &e)) return Outcome::kEnded;
  const int i = LocateElem(*L, e);
  con.Write(i != 0 ? FormatInts("数据元素%d在第%d位\n", {e, i})
                   : FormatInts("不存在数据元素%d\n", {e}));
  return Outcome::kDone;
}

Outcome Prior(Console& con, Sqlist* L) {
  ElemType pur_e;
  if (!AskOne(con, "请输入要查找前驱的元素值：", &pur_e)) return Outcome::kEnded;
  ElemType e;
  con.Write(PriorElem(*L, pur_e, &e) == OK ? FormatInts("数据元素%d的前驱是%d\n", {pur_e, e})
                                           : FormatInts("数据元素%d的前驱不存在\n", {pur_e}));
  return Outcome::kDone;
}

Outcome Next(Console& con, Sqlist* L) {
  ElemType pur_e;
  if (!AskOne(con, "请输入要查找后继的元素值：", &pur_e)) return Outcome::kEnded;
  ElemType e;
  con.Write(NextElem(*L, pur_e, &e) == OK ? FormatInts("数据元素%d的后继是%d\n", {pur_e, e})
                                          : FormatInts("数据元素%d的后继不存在\n", {pur_e}));
  return Outcome::kDone;
}

Outcome Insert(Console& con, Sqlist* L) {
  ElemType pos_el[2];  // the position, then the value
  if (!AskNumbers(con, "请输入要插入的位置和要插入的值：", pos_el)) return Outcome::kEnded;
  const Status inserted = ListInsert(L, pos_el[0], pos_el[1]);
  if (inserted == OVERFLOW) return Outcome::kNoMemory;
  con.Write(inserted == OK ? "元素插入成功！" : "元素插入失败！");
  return Outcome::kDone;
}

Outcome Delete(Console& con, Sqlist* L) {
  ElemType pos;
  if (!AskOne(con, "请输入要删除的位置", &pos)) return Outcome::kEnded;
  ElemType e;
  con.Write(ListDelet(L, pos, &e) == OK ? FormatInts("元素%d删除成功！", {e}) : "元素删除失败！");
  return Outcome::kDone;
}

Outcome Print(Console& con, Sqlist* L) {
  std::string printout;
  const Status printed = ListTrabverse(*L, printout);
  con.Write(printout);
  if (printed == 0) con.WriteLine("线性表是空表！");
  return Outcome::kDone;
}

Outcome Assign(Console& con, Sqlist* L) {
  const Status assigned = AssignElem(L, con);
  if (con.InputEnded()) return Outcome::kEnded;
  if (assigned != ERROR) {
    con.WriteLine("赋值成功");
  } else {
    con.Write("赋值失败");
  }
  return Outcome::kDone;
}

Outcome Save(Console& con, Sqlist* L) {
  if (SaveFile(L, con) != ERROR) {
    con.WriteLine("文件保存成功！");
  } else {
    con.Write("文件保存失败！");
  }
  return Outcome::kDone;
}

using Option = Outcome (*)(Console&, Sqlist*);

// Options 1 to 14, in menu order.
constexpr Option kOptions[kLastOption] = {Create, Destroy, Clear,  Empty,  Length, Get,    Locate,
                                          Prior,  Next,    Insert, Delete, Print,  Assign, Save};

// Characters the pause after an option reads. After saving, only the line end
// left after the choice is taken, so the menu comes back without a key press.
int PauseLength(int op) { return op == 14 ? 1 : 2; }

}  // namespace

int RunMenu(Console& con, Sqlist* L, const Observer& observe) {
  for (;;) {
    con.Clear();
    con.Write(kMenu);
    ElemType op;
    const console::ReadResult read = con.ReadInt(&op);
    if (read == console::ReadResult::kBad) {
      // Not a number: drop the line and show the menu again.
      if (con.DiscardLine() == console::ReadResult::kEnd) break;
      continue;
    }
    if (read == console::ReadResult::kEnd || op == 0) break;
    if (op < 0 || op > kLastOption) continue;

    const Outcome outcome = kOptions[op - 1](con, L);
    if (observe) observe(*L);
    if (outcome == Outcome::kNoMemory) {
      con.Flush();
      return kExitNoMemory;
    }
    if (outcome == Outcome::kEnded || !console::Pause(con, PauseLength(op))) break;
  }
  // Input that ended mid-line leaves the farewell on a line of its own.
  if (con.InputEnded() && !con.AtLineStart()) con.WriteLine("");
  con.WriteLine(kFarewell);
  return con.Flush() ? kExitOk : kExitOutputFailed;
}

}  // namespace menu
