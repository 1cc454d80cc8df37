// The bytes of the element file: each element as its 4-byte little-endian
// image, in position order, passed through the line-end translation of a
// text-mode stream on the system the file format comes from. That keeps files
// exchangeable with programs there: a written byte 0x0A is the pair 0x0D 0x0A.
#ifndef SQLIST_ELEMENT_FILE_CODING_H_
#define SQLIST_ELEMENT_FILE_CODING_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace element_file {

inline constexpr std::size_t kImageSize = 4;

// Stores the little-endian image of value in dst[0..3].
inline void EncodeFixed32(char* dst, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const unsigned char bytes[kImageSize] = {
      static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
      static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  std::memcpy(dst, bytes, kImageSize);
}

// Answers the value whose little-endian image is ptr[0..3].
inline std::int32_t DecodeFixed32(const char* ptr) {
  unsigned char b[kImageSize];
  std::memcpy(b, ptr, kImageSize);
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
      (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24));
}

// Appends the images of values to out, each byte 0x0A written as 0x0D 0x0A.
void AppendFileBytes(std::span<const std::int32_t> values, std::string& out);

// Turns every pair 0x0D 0x0A in data[0..n) into the single byte 0x0A, in
// place; every other byte, a lone 0x0D included, stays. Answers the new size.
std::size_t CollapseLineEnds(char* data, std::size_t n);

}  // namespace element_file

#endif  // SQLIST_ELEMENT_FILE_CODING_H_
