#include "console/dialogue.h"

#include <charconv>

namespace console {

bool AskNumbers(Console& con, std::string_view prompt, std::span<std::int32_t> values) {
  for (;;) {
    con.Write(prompt);
    ReadResult result = ReadResult::kOk;
    for (std::int32_t& value : values) {
      result = con.ReadInt(&value);
      if (result != ReadResult::kOk) break;
    }
    if (result == ReadResult::kOk) return true;
    if (result == ReadResult::kEnd || con.DiscardLine() == ReadResult::kEnd) return false;
    con.WriteLine(kInvalidNumber);
  }
}

bool Pause(Console& con, int chars) {
  char c;
  for (int i = 0; i < chars; ++i) {
    if (con.ReadChar(&c) == ReadResult::kEnd) return false;
  }
  return true;
}

std::string FormatInts(std::string_view pattern, std::initializer_list<long long> values) {
  std::string out;
  const auto* value = values.begin();
  for (std::size_t at;
       (at = pattern.find("%d")) != std::string_view::npos && value != values.end();) {
    out.append(pattern.substr(0, at));
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, *value++).ptr);
    pattern.remove_prefix(at + 2);
  }
  out.append(pattern);
  return out;
}

}  // namespace console
