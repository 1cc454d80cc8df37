#include "console/console.h"

#include <langinfo.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <limits>

namespace console {
namespace {

constexpr std::size_t kInputChunk = std::size_t{64} * 1024;
constexpr std::size_t kOutputChunk = std::size_t{64} * 1024;  // flush when this much is buffered

// Cursor home, clear the screen, clear the scrollback.
constexpr std::string_view kClearSequence = "\x1b[H\x1b[2J\x1b[3J";

bool IsSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

std::size_t FdInput::Read(char* buf, std::size_t n) {
  for (;;) {
    const ssize_t got = ::read(fd_, buf, n);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) return 0;
  }
}

bool FdOutput::Write(const char* data, std::size_t n) {
  while (n > 0) {
    const ssize_t put = ::write(fd_, data, n);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += put;
    n -= static_cast<std::size_t>(put);
  }
  return true;
}

std::size_t StringInput::Read(char* buf, std::size_t n) {
  const std::size_t count = std::min({n, piece_, data_.size()});
  std::memcpy(buf, data_.data(), count);
  data_.remove_prefix(count);
  return count;
}

Options OptionsForStdout() {
  Options options;
  if (::isatty(STDOUT_FILENO) == 1) {
    options.clear_screen = true;
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) options.encoding = Encoding::kUtf8;
  }
  return options;
}

Console::Console(Input& in, Output& out, Options options)
    : in_(in), out_(out), options_(options), encoder_(options.encoding) {}

Console::~Console() { Flush(); }

void Console::Write(std::string_view text) {
  if (text.empty()) return;
  if (out_buf_.empty() && text.size() >= kOutputChunk && encoder_.Unchanged(text)) {
    // A long text that needs no conversion, with nothing buffered before it,
    // goes out as it is: the same single write that buffering it and
    // flushing would make, without copying it into the buffer first.
    last_byte_ = text.back();
    if (!output_failed_) output_failed_ = !out_.Write(text.data(), text.size());
    return;
  }
  encoder_.Append(text, out_buf_);
  last_byte_ = text.back();
  if (out_buf_.size() >= kOutputChunk) Flush();
}

void Console::WriteLine(std::string_view text) {
  Write(text);
  Write("\n");
}

void Console::Clear() {
  if (options_.clear_screen) out_buf_.append(kClearSequence);
}

bool Console::Flush() {
  if (!out_buf_.empty() && !output_failed_) {
    output_failed_ = !out_.Write(out_buf_.data(), out_buf_.size());
  }
  out_buf_.clear();
  return !output_failed_;
}

bool Console::Fill(std::size_t need) {
  while (in_end_ - in_pos_ < need) {
    if (input_ended_ || !Flush()) return false;
    // Keep the unread bytes (fewer than `need`), moved to the front.
    std::memmove(in_buf_.data(), in_buf_.data() + in_pos_, in_end_ - in_pos_);
    in_end_ -= in_pos_;
    in_pos_ = 0;
    if (in_buf_.empty()) in_buf_.resize(kInputChunk);
    const std::size_t got = in_.Read(in_buf_.data() + in_end_, in_buf_.size() - in_end_);
    if (got == 0) input_ended_ = true;
    in_end_ += got;
  }
  return true;
}

int Console::Peek() {
  if (!Fill(1)) return -1;
  if (in_buf_[in_pos_] == '\r' && Fill(2) && in_buf_[in_pos_ + 1] == '\n') ++in_pos_;
  return static_cast<unsigned char>(in_buf_[in_pos_]);
}

ReadResult Console::ReadInt(std::int32_t* value) {
  int c = Peek();
  while (IsSpace(c)) {
    ++in_pos_;
    c = Peek();
  }
  if (c < 0) {
    read_ended_ = true;
    return ReadResult::kEnd;
  }

  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    ++in_pos_;
    c = Peek();
  }
  if (!IsDigit(c)) return ReadResult::kBad;

  // Accumulate the magnitude, saturating far beyond the 32-bit range.
  constexpr long long kLimit = 1LL << 32;
  long long magnitude = 0;
  while (IsDigit(c)) {
    magnitude = std::min(kLimit, magnitude * 10 + (c - '0'));
    ++in_pos_;
    c = Peek();
  }
  const long long v = negative ? -magnitude : magnitude;
  if (v < std::numeric_limits<std::int32_t>::min() ||
      v > std::numeric_limits<std::int32_t>::max()) {
    return ReadResult::kBad;
  }
  *value = static_cast<std::int32_t>(v);
  return ReadResult::kOk;
}

ReadResult Console::ReadChar(char* c) {
  const int next = Peek();
  if (next < 0) {
    read_ended_ = true;
    return ReadResult::kEnd;
  }
  ++in_pos_;
  *c = static_cast<char>(next);
  return ReadResult::kOk;
}

ReadResult Console::DiscardLine() {
  char c = 0;
  while (c != '\n') {
    if (ReadChar(&c) == ReadResult::kEnd) return ReadResult::kEnd;
  }
  return ReadResult::kOk;
}

}  // namespace console
