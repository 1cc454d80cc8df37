// Fuzz target for the whole dialogue: the input bytes are what the user types
// or pipes in, and the menu loop runs on them in memory until they end. Options
// 13 and 14 read and write the element file in a private working folder.
//
// It stops (and libFuzzer keeps the input) when an operation leaves the list
// broken, when the loop carries out more operations than there are input bytes
// (a loop that runs on without reading), when the dialogue does not end with
// status 0 and the farewell line, or when the output depends on how the input
// arrives: all at once, or a few bytes per read as from a slow pipe.
#include <sanitizer/asan_interface.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/console.h"
#include "element_file/element_file.h"
#include "fuzz/fuzz_folder.h"
#include "list/adt_list.h"
#include "menu/menu.h"

namespace {

constexpr std::string_view kFarewellLine = "欢迎下次再使用本系统！\n";

// Reports a broken promise and aborts, so that libFuzzer saves the input.
[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "dialogue fuzzer: %s\n", what);
  std::abort();
}

// Checks what every operation must leave behind: 0 <= length <= listsize,
// storage exactly when listsize is not 0, and a block that really holds
// listsize elements.
void CheckList(const Sqlist& L) {
  if (L.length < 0 || L.length > L.listsize) Fail("length outside 0 .. listsize");
  if ((L.elem == nullptr) != (L.listsize == 0)) Fail("storage and listsize disagree");
  const std::size_t bytes = static_cast<std::size_t>(L.listsize) * sizeof(ElemType);
  if (bytes > 0 && __asan_region_is_poisoned(L.elem, bytes) != nullptr) {
    Fail("the block is smaller than listsize");
  }
}

// Runs the dialogue on input handed out `piece` bytes per read, starting
// without an element file, and puts all it wrote into output. The caller
// keeps output between inputs: reusing its memory keeps the runs fast.
void RunDialogue(std::string_view input, std::size_t piece, std::string& output) {
  ::unlink(element_file::kElemFile);
  output.clear();
  console::StringInput in(input, piece);
  console::StringOutput out(output);
  Sqlist L{nullptr, 0, 0};
  std::size_t operations = 0;
  int status;
  {
    console::Console con(in, out, console::Options{console::Encoding::kUtf8, false});
    status = menu::RunMenu(con, &L, [&](const Sqlist& list) {
      CheckList(list);
      if (++operations > input.size()) Fail("more operations than input bytes");
    });
  }
  DestroyList(&L);
  if (status != menu::kExitOk) Fail("the dialogue did not end with status 0");
  if (!output.ends_with(kFarewellLine)) Fail("the farewell line is not the last");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::EnterPrivateFolder(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  static std::string whole;
  static std::string in_pieces;
  RunDialogue(input, SIZE_MAX, whole);
  // Pieces of 1 to 3 bytes split CR LF pairs and numbers at every place.
  RunDialogue(input, 1 + size % 3, in_pieces);
  if (in_pieces != whole) Fail("the output depends on the input's pieces");
  return 0;
}
