#pragma once
// Reading and writing UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// One code point at s[i] (i < s.size()); an invalid or truncated sequence reads as U+FFFD over
// one byte. *len is the number of bytes read.
char32_t DecodeUtf8At(std::string_view s, std::size_t i, std::size_t* len);

// Appends one code point, encoded.
inline void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace base
