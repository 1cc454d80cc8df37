#include "console/console.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "console/dialogue.h"

namespace console {
namespace {

// A console over a script of input; what it writes collects in `out`.
struct Script {
  explicit Script(std::string_view input, std::size_t piece = SIZE_MAX,
                  Options options = Options{Encoding::kUtf8, false})
      : in(input, piece), sink(out), con(in, sink, options) {}
  std::string out;
  StringInput in;
  StringOutput sink;
  Console con;
};

// Reads one number and the character after it, if any.
struct Token {
  ReadResult result;
  std::int32_t value;
  int next;  // the character left waiting, or -1 at end
};

Token ReadOne(std::string_view input, std::size_t piece) {
  Script s(input, piece);
  Token t{ReadResult::kEnd, -99, -1};
  t.result = s.con.ReadInt(&t.value);
  char c;
  if (s.con.ReadChar(&c) == ReadResult::kOk) t.next = static_cast<unsigned char>(c);
  return t;
}

TEST(ReadInt, ReadsSignedDecimalsAndLeavesTheNextCharacter) {
  struct Case {
    std::string input;
    ReadResult result;
    std::int32_t value;  // -99: not written
    int next;
  };
  const std::vector<Case> cases = {
      {"42\n", ReadResult::kOk, 42, '\n'},
      {"  \t\n\v\f\r-17 x", ReadResult::kOk, -17, ' '},
      {"+8x", ReadResult::kOk, 8, 'x'},
      {"007", ReadResult::kOk, 7, -1},
      {"2147483647\n", ReadResult::kOk, INT_MAX, '\n'},
      {"-2147483648\n", ReadResult::kOk, INT_MIN, '\n'},
      {"2147483648\n", ReadResult::kBad, -99, '\n'},
      {"-2147483649\n", ReadResult::kBad, -99, '\n'},
      {"99999999999999999999999;", ReadResult::kBad, -99, ';'},
      {"x1\n", ReadResult::kBad, -99, 'x'},
      {"-x", ReadResult::kBad, -99, 'x'},
      {"- 5", ReadResult::kBad, -99, ' '},
      {"--5", ReadResult::kBad, -99, '-'},
      {"", ReadResult::kEnd, -99, -1},
      {" \n \n", ReadResult::kEnd, -99, -1},
      {"12\r\n", ReadResult::kOk, 12, '\n'},  // CRLF reads as LF
      {"12\rx", ReadResult::kOk, 12, '\r'},   // a lone CR stays
  };
  for (const Case& c : cases) {
    // Whole, and one byte at a time, so that every read crosses a refill.
    for (std::size_t piece : {SIZE_MAX, std::size_t{1}}) {
      SCOPED_TRACE(::testing::PrintToString(c.input) + " piece " + std::to_string(piece));
      const Token t = ReadOne(c.input, piece);
      EXPECT_EQ(t.result, c.result);
      EXPECT_EQ(t.value, c.value);
      EXPECT_EQ(t.next, c.next);
    }
  }
}

TEST(ReadChar, PauseTakesTheLineEndThenTheNextCharacter) {
  Script s("5\r\n12\n");
  std::int32_t v;
  ASSERT_EQ(s.con.ReadInt(&v), ReadResult::kOk);
  EXPECT_TRUE(Pause(s.con, 2));  // takes "\r\n" as one line end, then '1'
  ASSERT_EQ(s.con.ReadInt(&v), ReadResult::kOk);
  EXPECT_EQ(v, 2);
  EXPECT_FALSE(s.con.InputEnded());
  EXPECT_FALSE(Pause(s.con, 2));  // '\n', then end of input
  EXPECT_TRUE(s.con.InputEnded());
}

TEST(DiscardLine, DropsThroughTheLineEnd) {
  Script s("abc def\r\n7");
  EXPECT_EQ(s.con.DiscardLine(), ReadResult::kOk);
  std::int32_t v;
  ASSERT_EQ(s.con.ReadInt(&v), ReadResult::kOk);
  EXPECT_EQ(v, 7);
  EXPECT_FALSE(s.con.InputEnded());  // reading 7 up to the end is not a failed read
  EXPECT_EQ(s.con.DiscardLine(), ReadResult::kEnd);
  EXPECT_TRUE(s.con.InputEnded());
}

TEST(AskNumbers, AsksAgainUntilEveryNumberIsValid) {
  Script s("x\n1 y\n99999999999\n3 4\n");
  std::int32_t values[2] = {0, 0};
  EXPECT_TRUE(AskNumbers(s.con, "P:", values));
  EXPECT_EQ(values[0], 3);
  EXPECT_EQ(values[1], 4);
  s.con.Flush();
  EXPECT_EQ(s.out,
            "P:输入无效，请输入整数！\n"
            "P:输入无效，请输入整数！\n"
            "P:输入无效，请输入整数！\n"
            "P:");
}

TEST(AskNumbers, EndOfInputStopsTheQuestion) {
  for (std::string_view input : {"", "x", "x\n", "5 "}) {
    SCOPED_TRACE(input);
    Script s(input);
    std::int32_t values[2];
    EXPECT_FALSE(AskNumbers(s.con, "P:", values));
    EXPECT_TRUE(s.con.InputEnded());
  }
}

TEST(Output, WritesAreBufferedUntilInputIsAwaited) {
  // The input hands out one byte per read: each refill must find the prompt
  // written already.
  std::string seen_at_read;
  struct WatchingInput : Input {
    std::string& out;
    std::string& seen;
    std::string_view data = "1\n";
    WatchingInput(std::string& o, std::string& s) : out(o), seen(s) {}
    std::size_t Read(char* buf, std::size_t) override {
      seen = out;
      if (data.empty()) return 0;
      buf[0] = data[0];
      data.remove_prefix(1);
      return 1;
    }
  };
  std::string out;
  WatchingInput in(out, seen_at_read);
  StringOutput sink(out);
  Console con(in, sink, Options{});
  con.Write("prompt:");
  EXPECT_EQ(out, "");  // still buffered
  std::int32_t v;
  ASSERT_EQ(con.ReadInt(&v), ReadResult::kOk);
  EXPECT_EQ(seen_at_read, "prompt:");
}

TEST(Output, EncodesChineseAsGbkAndKeepsAscii) {
  Script s("", SIZE_MAX, Options{Encoding::kGbk, false});
  s.con.Write("ab线性表！:\t1 ");
  s.con.WriteLine("：，");
  s.con.Flush();
  EXPECT_EQ(s.out, "ab\xCF\xDF\xD0\xD4\xB1\xED\xA3\xA1:\t1 \xA3\xBA\xA3\xAC\n");
}

TEST(Output, ClearsOnlyWhenAskedTo) {
  Script plain("", SIZE_MAX, Options{Encoding::kUtf8, false});
  plain.con.Clear();
  plain.con.Flush();
  EXPECT_EQ(plain.out, "");

  Script terminal("", SIZE_MAX, Options{Encoding::kUtf8, true});
  terminal.con.Clear();
  terminal.con.Write("菜单");
  terminal.con.Flush();
  EXPECT_EQ(terminal.out, "\x1b[H\x1b[2J\x1b[3J菜单");
}

TEST(Output, RemembersWhetherTheLastByteEndedALine) {
  Script s("");
  EXPECT_TRUE(s.con.AtLineStart());
  s.con.Write("a");
  EXPECT_FALSE(s.con.AtLineStart());
  s.con.Write("b\n");
  EXPECT_TRUE(s.con.AtLineStart());
}

TEST(Output, AFailedWriteEndsTheInputToo) {
  struct FailingOutput : Output {
    bool Write(const char*, std::size_t) override { return false; }
  };
  StringInput in("1\n2\n");
  FailingOutput sink;
  Console con(in, sink, Options{});
  con.Write("prompt");
  std::int32_t v;
  EXPECT_EQ(con.ReadInt(&v), ReadResult::kEnd);
  EXPECT_TRUE(con.OutputFailed());
}

TEST(FormatInts, FillsEachPlaceholderInTurn) {
  EXPECT_EQ(FormatInts("数据元素%d在第%d位\n", {-5, 3}), "数据元素-5在第3位\n");
  EXPECT_EQ(FormatInts("%d%d", {INT_MIN, INT_MAX}), "-21474836482147483647");
  EXPECT_EQ(FormatInts("no numbers", {}), "no numbers");
}

}  // namespace
}  // namespace console
