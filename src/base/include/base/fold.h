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

}  // namespace base
