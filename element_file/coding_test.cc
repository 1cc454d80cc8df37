#include "element_file/coding.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace element_file {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

// The file bytes of values: their images with the line ends expanded.
std::string FileBytes(const std::vector<std::int32_t>& values) {
  std::string images(values.size() * kImageSize, '\0');
  for (std::size_t i = 0; i < values.size(); ++i) EncodeFixed32(&images[i * kImageSize], values[i]);
  std::string file(2 * images.size(), '\0');
  file.resize(ExpandLineEnds(file.data(), images.data(), images.size()));
  return file;
}

// The values a file holds: its bytes with the line ends collapsed, in place,
// read as images; a trailing fragment is ignored.
std::vector<std::int32_t> Values(std::string file) {
  const std::size_t n = CollapseLineEnds(file.data(), file.data(), file.size());
  std::vector<std::int32_t> values;
  for (std::size_t i = 0; i + kImageSize <= n; i += kImageSize)
    values.push_back(DecodeFixed32(&file[i]));
  return values;
}

TEST(Fixed32, ImagesAreLittleEndianAndRoundTrip) {
  struct Case {
    std::int32_t value;
    std::string image;
  };
  const Case cases[] = {
      {0, Bytes({0, 0, 0, 0})},
      {10, Bytes({0x0A, 0, 0, 0})},
      {13, Bytes({0x0D, 0, 0, 0})},
      {26, Bytes({0x1A, 0, 0, 0})},
      {2570, Bytes({0x0A, 0x0A, 0, 0})},
      {0x0D0A, Bytes({0x0A, 0x0D, 0, 0})},
      {-1, Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
      {INT32_MAX, Bytes({0xFF, 0xFF, 0xFF, 0x7F})},
      {INT32_MIN, Bytes({0, 0, 0, 0x80})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    char image[kImageSize];
    EncodeFixed32(image, c.value);
    EXPECT_EQ(std::string(image, kImageSize), c.image);
    EXPECT_EQ(DecodeFixed32(c.image.data()), c.value);
    // Through the file translation and back.
    EXPECT_EQ(Values(FileBytes({c.value})), std::vector<std::int32_t>{c.value});
  }
}

TEST(FileBytes, EveryLineFeedIsWrittenAsCarriageReturnLineFeed) {
  struct Case {
    std::vector<std::int32_t> values;
    std::string file;
  };
  const std::vector<Case> cases = {
      {{}, ""},
      {{10}, Bytes({0x0D, 0x0A, 0, 0, 0})},
      {{2570}, Bytes({0x0D, 0x0A, 0x0D, 0x0A, 0, 0})},
      {{0x0D0A}, Bytes({0x0D, 0x0A, 0x0D, 0, 0})},
      {{13, 26}, Bytes({0x0D, 0, 0, 0, 0x1A, 0, 0, 0})},
      {{0x0A000000}, Bytes({0, 0, 0, 0x0D, 0x0A})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.values));
    EXPECT_EQ(FileBytes(c.values), c.file);
    EXPECT_EQ(Values(c.file), c.values);
  }
}

TEST(ExpandLineEnds, OnlyLineFeedsGrow) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", ""}, {"\n", "\r\n"}, {"\r", "\r"}, {"\n\n", "\r\n\r\n"}, {"a\r\nb", "a\r\r\nb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.in));
    std::string out(2 * c.in.size(), '\0');
    out.resize(ExpandLineEnds(out.data(), c.in.data(), c.in.size()));
    EXPECT_EQ(out, c.out);
  }
}

TEST(CollapseLineEnds, OnlyPairsCollapse) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::vector<Case> cases = {
      {"", ""},         {"\r", "\r"},       {"\n", "\n"},         {"\r\n", "\n"},
      {"\n\r", "\n\r"}, {"\r\r\n", "\r\n"}, {"\r\n\r\n", "\n\n"}, {"a\rb\r\nc\r", "a\rb\nc\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.in));
    std::string copy(c.in.size(), '\0');  // into another buffer
    copy.resize(CollapseLineEnds(copy.data(), c.in.data(), c.in.size()));
    EXPECT_EQ(copy, c.out);
    std::string data = c.in;  // in place
    data.resize(CollapseLineEnds(data.data(), data.data(), data.size()));
    EXPECT_EQ(data, c.out);
  }
}

TEST(Values, FilesAsWindowsWritesThem) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::int32_t> values;
  };
  const std::vector<Case> cases = {
      {"a lone 0x0D stays", Bytes({0x0D, 0, 0, 0, 0x0D, 0x0A, 0x0D, 0, 0}), {13, 0x0D0A}},
      {"a 10-byte file: the last 2 bytes are ignored",
       Bytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0}),
       {1, 2}},
      {"0x1A is an ordinary byte", Bytes({1, 0, 0, 0, 0x1A, 0, 0, 0, 3, 0, 0, 0}), {1, 26, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Values(c.file), c.values);
  }
}

}  // namespace
}  // namespace element_file
