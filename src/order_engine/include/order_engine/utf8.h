#pragma once
// UTF-8 as the order engine reads and writes it: invalid input is never an error, only U+FFFD.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/utf8.h"

namespace order {

// One code point at s[i] (i < s.size()); an invalid or truncated sequence reads as U+FFFD over
// one byte. *len is the number of bytes read.
char32_t DecodeUtf8At(std::string_view s, std::size_t i, std::size_t* len);

// Appends one code point, encoded.
using base::AppendUtf8;

}  // namespace order
