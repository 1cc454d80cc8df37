// Fuzz target for the element file "data.dat", in a private working folder.
//
// The input is used twice. As the bytes of a file: loading it gives the list a
// plain decoder finds in it, saving that list writes exactly the bytes a plain
// encoder makes, and loading those gives the same list again. As a list (its
// bytes read 4 at a time, little-endian): saving it and loading the file back
// gives that list.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "element_file/element_file.h"
#include "fuzz/fuzz_folder.h"
#include "list/adt_list.h"

namespace {

using element_file::kElemFile;

// Reports a broken promise and aborts, so that libFuzzer saves the input.
[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "element file fuzzer: %s\n", what);
  std::abort();
}

// The little-endian value of the 4 bytes at p.
ElemType Decode(const unsigned char* p) {
  return static_cast<ElemType>(p[0] | p[1] << 8 | p[2] << 16 |
                               static_cast<std::uint32_t>(p[3]) << 24);
}

// The list in a file's bytes: each 0x0D 0x0A read as 0x0A, then whole groups
// of 4 bytes as little-endian values; a shorter rest is ignored.
std::vector<ElemType> ExpectedList(std::string_view file) {
  std::vector<unsigned char> bytes;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') continue;
    bytes.push_back(static_cast<unsigned char>(file[i]));
  }
  std::vector<ElemType> values;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) values.push_back(Decode(&bytes[i]));
  return values;
}

// The file for a list: the 4 little-endian bytes of each value, each 0x0A
// written as 0x0D 0x0A.
std::string ExpectedFile(const std::vector<ElemType>& values) {
  std::string file;
  for (ElemType v : values) {
    for (int shift = 0; shift < 32; shift += 8) {
      const char byte = static_cast<char>(static_cast<std::uint32_t>(v) >> shift);
      if (byte == '\n') file += '\r';
      file += byte;
    }
  }
  return file;
}

// Replaces the element file by bytes.
void WriteFileBytes(std::string_view bytes) {
  const int fd = ::open(kElemFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      ::close(fd) != 0) {
    Fail("cannot write the element file");
  }
}

// The bytes of the element file.
std::string ReadFileBytes() {
  std::string bytes;
  const int fd = ::open(kElemFile, O_RDONLY);
  if (fd < 0) Fail("cannot open the saved element file");
  char buf[4096];
  for (ssize_t got; (got = ::read(fd, buf, sizeof buf)) > 0;)
    bytes.append(buf, static_cast<std::size_t>(got));
  ::close(fd);
  return bytes;
}

// A list with storage, released when it goes.
struct List {
  Sqlist L{nullptr, 0, 0};
  // Starts with a few elements, which a load must replace.
  List() {
    if (InitList(&L) != OK) Fail("no memory for a list");
    for (ElemType v : {7, 8, 9}) ListInsert(&L, L.length + 1, v);
  }
  ~List() { DestroyList(&L); }
  std::vector<ElemType> Elements() const { return {L.elem, L.elem + L.length}; }
  // Loads the element file, which must work.
  void Load() {
    if (element_file::ReadElemFile(&L, kElemFile) != OK) Fail("a readable file did not load");
    if (L.length < 0 || L.length > L.listsize) Fail("length outside 0 .. listsize");
  }
};

// Saves values, which must work and give the file ExpectedFile(values).
void Save(const std::vector<ElemType>& values) {
  const Sqlist L{const_cast<ElemType*>(values.data()), static_cast<int>(values.size()),
                 static_cast<int>(values.size())};
  if (element_file::WriteElemFile(&L, kElemFile) != OK) Fail("the save failed");
  if (ReadFileBytes() != ExpectedFile(values)) Fail("the saved bytes are wrong");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::EnterPrivateFolder(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // The input as a file: load, save, load again.
  WriteFileBytes(input);
  List loaded;
  loaded.Load();
  const std::vector<ElemType> values = loaded.Elements();
  if (values != ExpectedList(input)) Fail("the loaded list is not the one in the file");
  Save(values);
  List again;
  again.Load();
  if (again.Elements() != values) Fail("the list saved after a load came back different");

  // The input as a list: save, load.
  std::vector<ElemType> list;
  for (std::size_t i = 0; i + 4 <= size; i += 4) list.push_back(Decode(data + i));
  Save(list);
  List back;
  back.Load();
  if (back.Elements() != list) Fail("a saved list came back different");
  return 0;
}
