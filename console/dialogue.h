// The dialogue steps every option is made of: asking for numbers until valid
// ones are typed, pausing for Enter, and filling numbers into message texts.
#ifndef SQLIST_CONSOLE_DIALOGUE_H_
#define SQLIST_CONSOLE_DIALOGUE_H_

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "console/console.h"

namespace console {

// Shown when a typed value is not a 32-bit integer.
inline constexpr std::string_view kInvalidNumber = "输入无效，请输入整数！";

// Writes prompt, then reads values.size() integers. When one of them is not a
// valid number, discards the rest of the line, writes kInvalidNumber as a
// line, and asks again for all of them. Answers false when input ends first.
bool AskNumbers(Console& con, std::string_view prompt, std::span<std::int32_t> values);

// Reads `chars` single characters: the line end left after a typed number,
// then normally the user's Enter. Answers false when input ends first.
bool Pause(Console& con, int chars);

// Answers pattern with each "%d" replaced by the next of values, in decimal.
std::string FormatInts(std::string_view pattern, std::initializer_list<long long> values);

}  // namespace console

#endif  // SQLIST_CONSOLE_DIALOGUE_H_
