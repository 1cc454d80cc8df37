#include "element_file/coding.h"

namespace element_file {

std::size_t ExpandLineEnds(char* dst, const char* src, std::size_t n) {
  char* const start = dst;
  const char* const end = src + n;
  while (src != end) {
    const auto* lf =
        static_cast<const char*>(std::memchr(src, '\n', static_cast<std::size_t>(end - src)));
    const char* stop = lf == nullptr ? end : lf;
    std::memcpy(dst, src, static_cast<std::size_t>(stop - src));
    dst += stop - src;
    src = stop;
    if (src == end) break;
    *dst++ = '\r';
    *dst++ = *src++;
  }
  return static_cast<std::size_t>(dst - start);
}

std::size_t CollapseLineEnds(char* dst, const char* src, std::size_t n) {
  char* const start = dst;
  const char* const end = src + n;
  while (src != end) {
    const auto* cr =
        static_cast<const char*>(std::memchr(src, '\r', static_cast<std::size_t>(end - src)));
    const char* stop = cr == nullptr ? end : cr;
    if (dst != src) std::memmove(dst, src, static_cast<std::size_t>(stop - src));
    dst += stop - src;
    src = stop;
    if (src == end) break;
    if (src + 1 != end && src[1] == '\n') ++src;  // drop the 0x0D of a pair
    *dst++ = *src++;
  }
  return static_cast<std::size_t>(dst - start);
}

}  // namespace element_file
