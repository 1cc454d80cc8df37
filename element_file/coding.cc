#include "element_file/coding.h"

#include <algorithm>

namespace element_file {

void AppendFileBytes(std::span<const std::int32_t> values, std::string& out) {
  std::string images(values.size() * kImageSize, '\0');
  for (std::size_t i = 0; i < values.size(); ++i) EncodeFixed32(&images[i * kImageSize], values[i]);

  const auto line_ends = static_cast<std::size_t>(std::count(images.begin(), images.end(), '\n'));
  if (line_ends == 0 && out.empty()) {
    out = std::move(images);
    return;
  }
  out.reserve(out.size() + images.size() + line_ends);
  std::string_view rest = images;
  for (std::size_t at; (at = rest.find('\n')) != std::string_view::npos;) {
    out.append(rest.substr(0, at));
    out.append("\r\n");
    rest.remove_prefix(at + 1);
  }
  out.append(rest);
}

std::size_t CollapseLineEnds(char* data, std::size_t n) {
  const char* const end = data + n;
  const char* read = static_cast<const char*>(std::memchr(data, '\r', n));
  if (read == nullptr) return n;
  char* write = const_cast<char*>(read);
  // Copy the stretches between pairs down over the dropped 0x0D bytes.
  while (read != end) {
    const char* cr =
        static_cast<const char*>(std::memchr(read, '\r', static_cast<std::size_t>(end - read)));
    const char* stop = cr == nullptr ? end : cr;
    std::memmove(write, read, static_cast<std::size_t>(stop - read));
    write += stop - read;
    read = stop;
    if (read == end) break;
    if (read + 1 != end && read[1] == '\n') ++read;  // drop the 0x0D of a pair
    *write++ = *read++;
  }
  return static_cast<std::size_t>(write - data);
}

}  // namespace element_file
