#include "base/utf8.h"

namespace base {

char32_t DecodeUtf8At(std::string_view s, std::size_t i, std::size_t* len) {
  const auto c = static_cast<unsigned char>(s[i]);
  *len = 1;
  if (c < 0x80) return c;
  int more;
  char32_t cp;
  if (c >= 0xC2 && c <= 0xDF) {
    more = 1;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    more = 2;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    more = 3;
    cp = c & 0x07;
  } else {
    return 0xFFFD;
  }
  if (s.size() - i <= static_cast<std::size_t>(more)) return 0xFFFD;
  for (int k = 1; k <= more; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
    return 0xFFFD;
  *len = static_cast<std::size_t>(more) + 1;
  return cp;
}

}  // namespace base
