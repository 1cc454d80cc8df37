// The program's console: decimal numbers and single characters read from an
// input, texts written to an output in the console's encoding, and clearing.
// Input and output are small interfaces, so the same console runs on the
// process's standard streams and, in tests, on strings in memory.
#ifndef SQLIST_CONSOLE_CONSOLE_H_
#define SQLIST_CONSOLE_CONSOLE_H_

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/encoding.h"

namespace console {

// A source of input bytes.
class Input {
 public:
  virtual ~Input() = default;
  // Reads up to n bytes into buf, waiting for at least one. Answers the count,
  // or 0 at end of input or on an error.
  virtual std::size_t Read(char* buf, std::size_t n) = 0;
};

// A destination for output bytes.
class Output {
 public:
  virtual ~Output() = default;
  // Writes all n bytes. Answers false on an error.
  virtual bool Write(const char* data, std::size_t n) = 0;
};

// Input from a file descriptor.
class FdInput : public Input {
 public:
  explicit FdInput(int fd) : fd_(fd) {}
  std::size_t Read(char* buf, std::size_t n) override;

 private:
  int fd_;
};

// Output to a file descriptor.
class FdOutput : public Output {
 public:
  explicit FdOutput(int fd) : fd_(fd) {}
  bool Write(const char* data, std::size_t n) override;

 private:
  int fd_;
};

// Input from a string, handed out in pieces of at most `piece` bytes.
class StringInput : public Input {
 public:
  explicit StringInput(std::string_view data, std::size_t piece = SIZE_MAX)
      : data_(data), piece_(piece) {}
  std::size_t Read(char* buf, std::size_t n) override;

 private:
  std::string_view data_;
  std::size_t piece_;
};

// Output appended to a string.
class StringOutput : public Output {
 public:
  explicit StringOutput(std::string& out) : out_(out) {}
  bool Write(const char* data, std::size_t n) override {
    out_.append(data, n);
    return true;
  }

 private:
  std::string& out_;
};

struct Options {
  Encoding encoding = Encoding::kGbk;
  bool clear_screen = false;  // write the clearing sequence in Clear()
};

// Options for the process's standard output: clearing and UTF-8 on a terminal
// whose locale uses UTF-8, GBK everywhere else.
Options OptionsForStdout();

enum class ReadResult {
  kOk,   // a value was read
  kBad,  // no number: the offending character is still waiting
  kEnd,  // input ended (or failed) before a value could be read
};

class Console {
 public:
  Console(Input& in, Output& out, Options options);
  ~Console();  // flushes
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Writes text, given in UTF-8, in the console's encoding.
  void Write(std::string_view text);
  // Writes text and a line end.
  void WriteLine(std::string_view text);
  // Clears the screen (a few escape bytes on a terminal, nothing elsewhere).
  void Clear();
  // Sends what is buffered to the output. Answers false once a write failed.
  bool Flush();
  // True when nothing was written yet or the last byte written ends a line.
  bool AtLineStart() const { return last_byte_ == '\n'; }
  // True once a write to the output failed; input then counts as ended too,
  // so that a program whose user cannot see it stops.
  bool OutputFailed() const { return output_failed_; }
  // True once a read answered kEnd: the dialogue cannot go on.
  bool InputEnded() const { return read_ended_; }

  // Skips white space, then reads an optionally signed decimal integer.
  // No digit, or a value outside 32 bits, is kBad; the first character after
  // the number stays unread.
  ReadResult ReadInt(std::int32_t* value);
  // Reads one character.
  ReadResult ReadChar(char* c);
  // Discards input through the next line end. Answers kEnd when input ends
  // before one.
  ReadResult DiscardLine();

 private:
  // The next input character, or -1 at end of input. A \r directly before a
  // \n is dropped, so CRLF input reads as LF input.
  int Peek();
  // Makes at least `need` bytes available unless input ends first; flushes
  // the output before waiting for more. Answers whether they are there.
  bool Fill(std::size_t need);

  Input& in_;
  Output& out_;
  Options options_;
  Encoder encoder_;

  std::string out_buf_;
  char last_byte_ = '\n';
  bool output_failed_ = false;

  std::string in_buf_;
  std::size_t in_pos_ = 0;    // next unread byte
  std::size_t in_end_ = 0;    // end of the bytes read so far
  bool input_ended_ = false;  // the input has no more bytes to give
  bool read_ended_ = false;   // a read answered kEnd
};

}  // namespace console

#endif  // SQLIST_CONSOLE_CONSOLE_H_
