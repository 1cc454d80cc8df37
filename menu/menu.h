// The menu loop: shows the menu, reads the user's choice, carries out the
// chosen operation on the one list and reports its outcome.
#ifndef SQLIST_MENU_MENU_H_
#define SQLIST_MENU_MENU_H_

#include <functional>

#include "console/console.h"
#include "list/adt_list.h"

namespace menu {

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;
inline constexpr int kExitNoMemory = 254;  // OVERFLOW as an exit code

// Called after each operation the menu carried out, with the list as it is.
using Observer = std::function<void(const Sqlist&)>;

// Runs the menu on L until the user chooses 0 or input ends, then writes the
// farewell line. Answers the exit status: kExitOk; kExitNoMemory when memory
// for the list ran out (nothing more is written); kExitOutputFailed when the
// output could not be written.
int RunMenu(console::Console& con, Sqlist* L, const Observer& observe = nullptr);

}  // namespace menu

#endif  // SQLIST_MENU_MENU_H_
