#include "base/fold.h"
#include "base/utf8.h"

namespace base {

char32_t LowerCase(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) ||     // À..Þ but ×
      (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||  // Α..Ϋ
      (c >= 0x410 && c <= 0x42F))                  // А..Я
    return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;  // Ѐ..Џ, Ё among them
  if (c == 0x178) return 0xFF;                    // Ÿ
  if (c == 0x130) return 'i';                     // İ
  // Pairs of an upper-case letter and its lower-case one right after it.
  const bool evenPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x481) ||
                         (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F);
  if (evenPairs) return c % 2 == 0 ? c + 1 : c;
  const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
  if (oddPairs) return c % 2 == 1 ? c + 1 : c;
  return c;
}

std::string FoldCase(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  ForEachFolded(s, [&out](char32_t c, bool raw) {
    if (raw)
      out += static_cast<char>(c);
    else
      AppendUtf8(out, c);
  });
  return out;
}

}  // namespace base
