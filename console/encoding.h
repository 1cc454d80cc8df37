// Conversion of the program's UTF-8 texts to the console's character set.
#ifndef SQLIST_CONSOLE_ENCODING_H_
#define SQLIST_CONSOLE_ENCODING_H_

#include <iconv.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace console {

enum class Encoding { kGbk, kUtf8 };

// Turns UTF-8 text into the target encoding and appends it to a string.
// ASCII passes through unchanged. Each run of non-ASCII characters is
// converted once with iconv and remembered: the program prints a small, fixed
// set of Chinese texts, so after the first screen no conversion is repeated.
class Encoder {
 public:
  explicit Encoder(Encoding target);
  ~Encoder();
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  // Appends text, converted, to out.
  void Append(std::string_view text, std::string& out);
  // True when text converts to itself: it is all ASCII, or the target is UTF-8.
  bool Unchanged(std::string_view text) const;

 private:
  // Answers the converted form of a run of non-ASCII UTF-8 characters; a run
  // iconv cannot convert is kept as it is.
  const std::string& Convert(std::string_view run);

  Encoding target_;
  iconv_t cd_;
  std::map<std::string, std::string, std::less<>> cache_;
};

}  // namespace console

#endif  // SQLIST_CONSOLE_ENCODING_H_
