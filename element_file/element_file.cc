#include "element_file/element_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <new>
#include <span>
#include <string>

#include "console/dialogue.h"
#include "element_file/coding.h"

namespace element_file {
namespace {

// A file descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now. Answers false when closing reports an error.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Reads the whole file into bytes. Answers false on an error.
bool ReadAll(int fd, std::string& bytes) {
  struct stat st;
  std::size_t size =
      ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  bytes.resize(size + 1);  // one more, to see the end without a second pass
  std::size_t have = 0;
  for (;;) {
    if (have == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = ::read(fd, bytes.data() + have, bytes.size() - have);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    have += static_cast<std::size_t>(got);
  }
  bytes.resize(have);
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

}  // namespace

Status ReadElemFile(Sqlist* L, const char* path) {
  if (L->elem == nullptr) return ERROR;
  Fd fd(::open(path, O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return ERROR;
  std::string bytes;
  try {
    if (!ReadAll(fd.get(), bytes)) return ERROR;
  } catch (const std::bad_alloc&) {
    return OVERFLOW;
  }
  const std::size_t count = CollapseLineEnds(bytes.data(), bytes.size()) / kImageSize;
  if (count > INT_MAX) return OVERFLOW;
  const Status reserved = ListReserve(L, static_cast<int>(count));
  if (reserved != OK) return reserved;
  for (std::size_t i = 0; i < count; ++i) L->elem[i] = DecodeFixed32(&bytes[i * kImageSize]);
  L->length = static_cast<int>(count);
  return OK;
}

Status WriteElemFile(const Sqlist* L, const char* path) {
  std::string bytes;
  try {
    AppendFileBytes(std::span<const ElemType>(L->elem, static_cast<std::size_t>(L->length)), bytes);
  } catch (const std::bad_alloc&) {
    return ERROR;
  }

  // A file we may not write stays as it is, as if opened for writing.
  struct stat old;
  const bool exists = ::stat(path, &old) == 0;
  if (exists && ::access(path, W_OK) != 0) return ERROR;

  // The new file: named after the process, so no other saver uses it; one
  // left behind by a process that died keeps no one else from saving.
  const std::string temp = std::string(path) + "." + std::to_string(::getpid()) + ".tmp";
  ::unlink(temp.c_str());
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0) return ERROR;
  bool ok = !exists || ::fchmod(fd.get(), old.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && ::rename(temp.c_str(), path) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok ? OK : ERROR;
}

}  // namespace element_file

namespace {

constexpr std::string_view kMethodPrompt = "请选择赋值方法：\n1.手动赋值      2.从文件读取\n";
constexpr int kTypedValues = 4;

Status AssignTyped(Sqlist* L, console::Console& con) {
  std::array<ElemType, kTypedValues> values;
  for (int i = 0; i < kTypedValues; ++i) {
    const std::string prompt = console::FormatInts("请输入第%d个元素的值：\n", {i});
    if (!console::AskNumbers(con, prompt, std::span(&values[i], 1))) return ERROR;
  }
  if (ListReserve(L, kTypedValues) != OK) return ERROR;  // no storage, or no memory
  std::copy(values.begin(), values.end(), L->elem);
  L->length = kTypedValues;
  con.Write(console::FormatInts("已成功为%d个元素赋值", {kTypedValues}));
  return OK;
}

Status AssignFromFile(Sqlist* L, console::Console& con) {
  if (L->elem == nullptr) return ERROR;
  const Status loaded = element_file::ReadElemFile(L, element_file::kElemFile);
  if (loaded == ERROR) con.Write("File open erroe\n ");
  return loaded == OK ? OK : ERROR;
}

}  // namespace

Status AssignElem(Sqlist* L, console::Console& con) {
  ElemType ops = 0;
  if (!console::AskNumbers(con, kMethodPrompt, std::span(&ops, 1))) return ERROR;
  switch (ops) {
    case 1:
      return AssignTyped(L, con);
    case 2:
      return AssignFromFile(L, con);
    default:
      return ERROR;
  }
}

Status SaveFile(Sqlist* L, console::Console& con) {
  if (element_file::WriteElemFile(L, element_file::kElemFile) == OK) return OK;
  con.WriteLine("File open error");
  return ERROR;
}
