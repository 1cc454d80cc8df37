// The bytes of the element file: each element as its 4-byte little-endian
// image, in position order, passed through the line-end translation of a
// text-mode stream on the system the file format comes from. That keeps files
// exchangeable with programs there: a written byte 0x0A is the pair 0x0D 0x0A.
#ifndef SQLIST_ELEMENT_FILE_CODING_H_
#define SQLIST_ELEMENT_FILE_CODING_H_

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// Copies src[0..n) to dst, writing each byte 0x0A as the pair 0x0D 0x0A.
// dst must have room for 2 * n bytes. Answers the number of bytes written.
std::size_t ExpandLineEnds(char* dst, const char* src, std::size_t n);

// Copies src[0..n) to dst, turning each pair 0x0D 0x0A into the single byte
// 0x0A; every other byte, a lone 0x0D included, stays. dst may be src itself
// (the copy never runs ahead of the reading). Answers the number of bytes
// written.
std::size_t CollapseLineEnds(char* dst, const char* src, std::size_t n);

}  // namespace element_file

#endif  // SQLIST_ELEMENT_FILE_CODING_H_
