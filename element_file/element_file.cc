#include "element_file/element_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
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

// Saving writes the file a piece at a time, and loading grows the block by at
// least a piece when a file outgrows its size: neither needs a second copy of
// the whole file in memory.
constexpr std::size_t kPieceBytes = std::size_t{256} * 1024;
constexpr std::size_t kPieceElems = kPieceBytes / kImageSize;

// Reads up to n bytes. Answers the count (0 at the end of the file), or -1 on
// an error.
ssize_t ReadSome(int fd, char* buf, std::size_t n) {
  for (;;) {
    const ssize_t got = ::read(fd, buf, n);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool WriteAll(int fd, const char* data, std::size_t n) {
  while (n > 0) {
    const ssize_t put = ::write(fd, data, n);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += put;
    n -= static_cast<std::size_t>(put);
  }
  return true;
}

// Makes the block of L hold at least `bytes` bytes. Answers OK or OVERFLOW.
Status ReserveBytes(Sqlist* L, std::size_t bytes) {
  const std::size_t elems = (bytes + kImageSize - 1) / kImageSize;
  if (elems <= static_cast<std::size_t>(L->listsize)) return OK;
  if (elems > INT_MAX) return OVERFLOW;
  // At least double, so that a file that outgrows its first size costs few moves.
  const std::size_t doubled =
      std::min<std::size_t>(INT_MAX, 2 * static_cast<std::size_t>(L->listsize));
  return ListReserve(L, static_cast<int>(std::max(elems, doubled)));
}

// The bytes of L's block.
char* BlockBytes(Sqlist* L) { return reinterpret_cast<char*>(L->elem); }

// Reads the element file from fd into L, a new list with storage, straight
// into its block, undoing the line-end translation in place. Answers OK,
// ERROR on a read error, or OVERFLOW when there is no memory for it.
Status ReadInto(int fd, Sqlist* L) {
  // Room for the whole file and a byte more, so that the read that meets its
  // end needs no more room.
  struct stat st;
  const std::size_t size =
      ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  if (ReserveBytes(L, size + 1) != OK) return OVERFLOW;
  std::size_t out = 0;    // bytes of elements in the block
  bool cr_waits = false;  // a 0x0D at BlockBytes(L)[out] waits for the next byte
  for (;;) {
    std::size_t used = out + (cr_waits ? 1 : 0);
    if (used == static_cast<std::size_t>(L->listsize) * kImageSize &&
        ReserveBytes(L, used + kPieceBytes) != OK) {
      return OVERFLOW;  // the file grew since its size was taken
    }
    const std::size_t room = static_cast<std::size_t>(L->listsize) * kImageSize - used;
    const ssize_t got = ReadSome(fd, BlockBytes(L) + used, room);
    if (got < 0) return ERROR;
    used += static_cast<std::size_t>(got);
    // A 0x0D that ends what was read may pair with the next byte read.
    cr_waits = got > 0 && BlockBytes(L)[used - 1] == '\r';
    out +=
        CollapseLineEnds(BlockBytes(L) + out, BlockBytes(L) + out, used - out - (cr_waits ? 1 : 0));
    if (cr_waits) BlockBytes(L)[out] = '\r';
    if (got == 0) break;
  }
  L->length = static_cast<int>(out / kImageSize);  // a trailing fragment does not count
  if constexpr (std::endian::native != std::endian::little) {
    const char* images = BlockBytes(L);
    for (int i = 0; i < L->length; ++i) L->elem[i] = DecodeFixed32(images + i * kImageSize);
  }
  return OK;
}

// Writes the file bytes of L's elements to fd. Answers false on an error.
bool WriteElems(int fd, const Sqlist* L) {
  const auto length = static_cast<std::size_t>(L->length);
  const std::size_t piece = std::min(kPieceElems, length) * kImageSize;  // a small list, at once
  auto images = std::make_unique_for_overwrite<char[]>(piece);
  auto bytes = std::make_unique_for_overwrite<char[]>(2 * piece);
  for (std::size_t first = 0; first < length; first += kPieceElems) {
    const std::size_t n = std::min(kPieceElems, length - first);
    for (std::size_t i = 0; i < n; ++i) EncodeFixed32(&images[i * kImageSize], L->elem[first + i]);
    const std::size_t size = ExpandLineEnds(bytes.get(), images.get(), n * kImageSize);
    if (!WriteAll(fd, bytes.get(), size)) return false;
  }
  return true;
}

}  // namespace

Status ReadElemFile(Sqlist* L, const char* path) {
  if (L->elem == nullptr) return ERROR;
  Fd fd(::open(path, O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return ERROR;

  // The elements go to a new list first: a failure leaves L as it was.
  Sqlist loaded{nullptr, 0, 0};
  Status status = InitList(&loaded);
  try {
    if (status == OK) status = ReadInto(fd.get(), &loaded);
  } catch (const std::bad_alloc&) {
    status = OVERFLOW;
  }
  // Never less room than L had.
  if (status == OK) status = ListReserve(&loaded, L->listsize);
  if (status != OK) {
    DestroyList(&loaded);
    return status;
  }
  // The block may hold more than was read; the capacity is L's, or the
  // element count when that is larger.
  loaded.listsize = std::max(L->listsize, loaded.length);
  DestroyList(L);
  *L = loaded;
  return OK;
}

Status WriteElemFile(const Sqlist* L, const char* path) {
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
  try {
    ok = ok && WriteElems(fd.get(), L);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ok = ok && ::fsync(fd.get()) == 0;
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
