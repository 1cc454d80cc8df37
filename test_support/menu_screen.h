// The menu as the program must write it, written out independently of the
// program's own text, for tests that check whole sessions.
#ifndef SQLIST_TEST_SUPPORT_MENU_SCREEN_H_
#define SQLIST_TEST_SUPPORT_MENU_SCREEN_H_

#include <string>

namespace test_support {

// The menu and the choice prompt, in UTF-8.
inline const std::string kMenuScreen =
    "\n\n"
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

}  // namespace test_support

#endif  // SQLIST_TEST_SUPPORT_MENU_SCREEN_H_
