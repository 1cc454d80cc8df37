#include <unistd.h>

#include <cstdlib>

#include "console/console.h"
#include "menu/menu.h"

int main() {
  console::FdInput in(STDIN_FILENO);
  console::FdOutput out(STDOUT_FILENO);
  console::Console con(in, out, console::OptionsForStdout());

  auto* L = static_cast<Sqlist*>(std::malloc(sizeof(Sqlist)));
  if (L == nullptr) return menu::kExitNoMemory;
  *L = Sqlist{nullptr, 0, 0};

  const int status = menu::RunMenu(con, L);
  DestroyList(L);
  std::free(L);
  return status;
}
