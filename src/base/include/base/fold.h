#pragma once
// Letter case folded away, for names that must match whatever case they were written in
// (catalogues are authored on Windows, where file names ignore case).

#include <string>
#include <string_view>

namespace base {

// The UTF-8 text with every upper-case letter of the Latin, Greek and Cyrillic alphabets in
// lower case ("ÉTÉ.JPG" -> "été.jpg", "СТРЕЛА" -> "стрела", "Ёлка" -> "ёлка"). Other
// characters, and bytes that are not valid UTF-8, are kept as they are.
std::string FoldCase(std::string_view utf8);

// Calls `put` with each code point of the folded text (a byte that is not valid UTF-8 comes
// as itself, as a code point below 0x100 with `raw` set), without making the text.
template <class Put>
void ForEachFolded(std::string_view utf8, Put put);

// The lower-case letter of an upper-case one; any other code point unchanged.
char32_t LowerCase(char32_t c);

template <class Put>
void ForEachFolded(std::string_view s, Put put) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    // Every letter folded is below U+0800: one byte, or a lead byte 0xC2..0xDF and one
    // continuation byte. Anything else passes through byte by byte.
    if (b < 0x80) {
      put(LowerCase(b), false);
      ++i;
    } else if (b >= 0xC2 && b <= 0xDF && i + 1 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
      put(LowerCase(static_cast<char32_t>(((b & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu))), false);
      i += 2;
    } else {
      put(static_cast<char32_t>(b), true);
      ++i;
    }
  }
}

}  // namespace base
