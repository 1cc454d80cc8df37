#include "console/encoding.h"

#include <cstddef>

namespace console {
namespace {

// iconv_open answers (iconv_t)-1 on failure.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)

bool IsAscii(std::string_view text) {
  unsigned char bits = 0;
  for (char c : text) bits |= static_cast<unsigned char>(c);
  return bits < 0x80;
}

}  // namespace

Encoder::Encoder(Encoding target)
    : target_(target), cd_(target == Encoding::kGbk ? iconv_open("GBK", "UTF-8") : kNoConverter) {}

Encoder::~Encoder() {
  if (cd_ != kNoConverter) iconv_close(cd_);
}

bool Encoder::Unchanged(std::string_view text) const {
  return target_ == Encoding::kUtf8 || IsAscii(text);
}

void Encoder::Append(std::string_view text, std::string& out) {
  if (Unchanged(text)) {
    out.append(text);
    return;
  }
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t j = i;
    const bool ascii = static_cast<unsigned char>(text[i]) < 0x80;
    while (j < text.size() && (static_cast<unsigned char>(text[j]) < 0x80) == ascii) ++j;
    const std::string_view run = text.substr(i, j - i);
    if (ascii) {
      out.append(run);
    } else {
      out.append(Convert(run));
    }
    i = j;
  }
}

const std::string& Encoder::Convert(std::string_view run) {
  auto it = cache_.find(run);
  if (it != cache_.end()) return it->second;

  std::string converted(run.size() * 2, '\0');
  bool ok = cd_ != kNoConverter;
  if (ok) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    char* in = const_cast<char*>(run.data());
    std::size_t in_left = run.size();
    char* out = converted.data();
    std::size_t out_left = converted.size();
    ok = iconv(cd_, &in, &in_left, &out, &out_left) != static_cast<std::size_t>(-1);
    converted.resize(converted.size() - out_left);
  }
  if (!ok) converted.assign(run);
  return cache_.emplace(std::string(run), std::move(converted)).first->second;
}

}  // namespace console
