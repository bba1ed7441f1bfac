#include "catalogue/row_scanner.h"

#include "base/utf8.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define CATALOGUE_ROW_SCANNER_SSE2 1
#endif

namespace catalogue {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// A byte that stands for itself in an attribute value: printable ASCII other than the
// closing quote, '&' and '<'.
bool IsPlainValueByte(unsigned char c, char quote) {
  return c >= 0x20 && c < 0x80 && c != static_cast<unsigned char>(quote) && c != '&' && c != '<';
}

// The first byte from p on that is not plain ASCII nor part of a well-formed two-byte UTF-8
// character lying wholly before it; the caller looks at that byte itself.
const char* SkipPlain(const char* p, const char* end, char quote) {
#ifdef CATALOGUE_ROW_SCANNER_SSE2
  const __m128i quoteV = _mm_set1_epi8(quote), ampV = _mm_set1_epi8('&'), ltV = _mm_set1_epi8('<');
  const __m128i spaceV = _mm_set1_epi8(0x20), zeroV = _mm_setzero_si128();
  // Signed bytes: 0x80..0xBF are -128..-65 (continuation bytes), 0xC2..0xDF are -62..-33
  // (leads of two-byte characters).
  const __m128i contTop = _mm_set1_epi8(-64), leadLow = _mm_set1_epi8(-63), leadTop = _mm_set1_epi8(-32);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i highV = _mm_cmplt_epi8(v, zeroV);
    const __m128i control = _mm_andnot_si128(highV, _mm_cmplt_epi8(v, spaceV));
    const unsigned special = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quoteV), _mm_cmpeq_epi8(v, ampV)),
                                       _mm_or_si128(_mm_cmpeq_epi8(v, ltV), control))));
    const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(highV));
    if ((special | high) == 0) {
      p += 16;
      continue;
    }
    const unsigned cont = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(v, contTop)));
    const unsigned lead =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpgt_epi8(v, leadLow), _mm_cmplt_epi8(v, leadTop))));
    // Trouble: a special byte, a lead whose next byte (in this block) is no continuation, a
    // continuation without a lead before it, or a byte of a longer character.
    const unsigned bad = special | (lead & ~(cont >> 1)) | (cont & ~(lead << 1)) | (high & ~(lead | cont));
    if (bad == 0) {
      p += 16;
      continue;
    }
    return p + std::countr_zero(bad);
  }
#endif
  while (p < end && IsPlainValueByte(static_cast<unsigned char>(*p), quote)) ++p;
  return p;
}

// Length of the UTF-8 character at p (a byte from 0x80 on): 0 when it is not valid UTF-8 or
// not a character XML allows (U+FFFE, U+FFFF), -1 when it is cut off by `end`.
int Utf8Length(const unsigned char* p, const unsigned char* end) {
  const unsigned c = p[0];
  auto isCont = [](unsigned b) { return (b & 0xC0) == 0x80; };
  const int n = c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
  if (n == 0) return 0;
  for (int i = 1; i < n; ++i) {
    if (p + i >= end) return -1;
    if (!isCont(p[i])) return 0;
  }
  const unsigned c1 = p[1];
  if (n == 3) {
    if (c == 0xE0 && c1 < 0xA0) return 0;                   // overlong
    if (c == 0xED && c1 >= 0xA0) return 0;                  // surrogate
    if (c == 0xEF && c1 == 0xBF && p[2] >= 0xBE) return 0;  // U+FFFE, U+FFFF
  } else if (n == 4) {
    if (c == 0xF0 && c1 < 0x90) return 0;   // overlong
    if (c == 0xF4 && c1 >= 0x90) return 0;  // past U+10FFFF
  }
  return n;
}

bool IsXmlChar(std::uint32_t v) {
  return v == 0x9 || v == 0xA || v == 0xD || (v >= 0x20 && v <= 0xD7FF) || (v >= 0xE000 && v <= 0xFFFD) ||
         (v >= 0x10000 && v <= 0x10FFFF);
}

enum class Match { Yes, No, CutOff };

// Whether the bytes at p begin with `text`; CutOff when they might but `end` comes first.
Match StartsWith(const char* p, const char* end, std::string_view text) {
  const auto have = static_cast<std::size_t>(end - p);
  if (have < text.size()) return std::memcmp(p, text.data(), have) == 0 ? Match::CutOff : Match::No;
  return std::memcmp(p, text.data(), text.size()) == 0 ? Match::Yes : Match::No;
}

}  // namespace

bool RowScanner::IsPlainName(std::string_view name) {
  if (name.empty() || !IsLetter(name[0])) return false;
  for (char c : name)
    if (!IsNameChar(c)) return false;
  auto lower = [](char c) { return static_cast<char>(c | 0x20); };
  return !(name.size() >= 3 && lower(name[0]) == 'x' && lower(name[1]) == 'm' && lower(name[2]) == 'l');
}

RowScanner::RowScanner(std::string_view rowTag, std::string_view rowsetPrefix, const std::vector<std::string>& columns)
    : rowOpen_("<" + std::string(rowTag)), seen_(columns.size(), 0) {
  const std::string insert = rowsetPrefix.empty() ? "insert" : std::string(rowsetPrefix) + ":insert";
  insertOpen_ = "<" + insert;
  insertClose_ = "</" + insert;
  columns_.reserve(columns.size());
  for (const std::string& c : columns) columns_.push_back(IsPlainName(c) ? c : std::string());
}

RowScanner::Token RowScanner::Next(const char*& p, const char* end, bool last) {
  while (p < end && IsSpace(*p)) ++p;
  const Token cutOff = last ? Token::Other : Token::NeedMore;
  if (p >= end) return cutOff;
  if (*p != '<') return Token::Other;

  switch (StartsWith(p, end, rowOpen_)) {
    case Match::CutOff:
      return cutOff;
    case Match::No:
      break;
    case Match::Yes: {
      if (p + rowOpen_.size() >= end) return cutOff;
      const char after = p[rowOpen_.size()];
      if (!IsSpace(after) && after != '/') return Token::Other;
      const char* q = p;
      switch (ReadRow(q, end, last)) {
        case Step::Done:
          p = q;
          return Token::Row;
        case Step::NeedMore:
          return Token::NeedMore;
        case Step::Other:
          return Token::Other;
      }
      return Token::Other;
    }
  }
  // "<rs:insert>" and "</rs:insert>", whitespace allowed before the '>'.
  for (const std::string* tag : {&insertOpen_, &insertClose_}) {
    const Match m = StartsWith(p, end, *tag);
    if (m == Match::CutOff) return cutOff;
    if (m == Match::No) continue;
    const char* q = p + tag->size();
    while (q < end && IsSpace(*q)) ++q;
    if (q >= end) return cutOff;
    if (*q != '>') return Token::Other;
    p = q + 1;
    return tag == &insertOpen_ ? Token::InsertStart : Token::InsertEnd;
  }
  return Token::Other;
}

int RowScanner::ColumnAt(const char* p, const char* end, std::size_t position, std::size_t& nameLength) {
  auto endsName = [](char c) { return c == '=' || IsSpace(c); };
  // Rows normally give their attributes in one order: the previous row's column at this
  // place is tried first.
  if (position < lastOrder_.size()) {
    const std::string& name = columns_[static_cast<std::size_t>(lastOrder_[position])];
    if (static_cast<std::size_t>(end - p) > name.size() && std::memcmp(p, name.data(), name.size()) == 0 &&
        endsName(p[name.size()])) {
      nameLength = name.size();
      return lastOrder_[position];
    }
  }
  const char* q = p;
  while (q < end && (IsNameChar(*q) || *q == ':')) ++q;
  if (q >= end) return -2;
  if (!endsName(*q) || q == p) return -1;
  const std::string_view name(p, static_cast<std::size_t>(q - p));
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    if (!columns_[c].empty() && columns_[c] == name) {
      nameLength = name.size();
      return static_cast<int>(c);
    }
  }
  return -1;
}

RowScanner::Step RowScanner::ReadRow(const char*& p, const char* end, bool last) {
  const Step cutOff = last ? Step::Other : Step::NeedMore;
  ++rowNumber_;
  scratch_.clear();
  pending_.clear();
  const char* q = p + rowOpen_.size();
  std::size_t position = 0;
  for (;; ++position) {
    const char* before = q;
    while (q < end && IsSpace(*q)) ++q;
    if (q >= end) return cutOff;
    if (*q == '/') {
      if (q + 1 >= end) return cutOff;
      if (q[1] != '>') return Step::Other;
      q += 2;
      break;
    }
    if (q == before) return Step::Other;  // attributes are separated by whitespace

    std::size_t nameLength = 0;
    const int column = ColumnAt(q, end, position, nameLength);
    if (column == -2) return cutOff;
    if (column < 0) return Step::Other;
    auto& seen = seen_[static_cast<std::size_t>(column)];
    if (seen == rowNumber_) return Step::Other;  // the same attribute twice
    seen = rowNumber_;
    q += nameLength;
    while (q < end && IsSpace(*q)) ++q;
    if (q >= end) return cutOff;
    if (*q++ != '=') return Step::Other;
    while (q < end && IsSpace(*q)) ++q;
    if (q >= end) return cutOff;
    const char quote = *q++;
    if (quote != '\'' && quote != '"') return Step::Other;

    Pending value{column, false, q, 0, 0};
    if (const Step s = ReadValue(q, end, last, quote, value.scratchAt, value.length, value.copied); s != Step::Done)
      return s;
    pending_.push_back(value);
    if (position < lastOrder_.size())
      lastOrder_[position] = column;
    else
      lastOrder_.push_back(column);
  }
  attributes_.clear();
  for (const Pending& v : pending_)
    attributes_.push_back({v.column, v.copied ? std::string_view(scratch_.data() + v.scratchAt, v.length)
                                              : std::string_view(v.at, v.length)});
  p = q;
  return Step::Done;
}

// Reads a value from just past its opening quote to just past its closing one. A value that
// its bytes spell out as they are is left in place; one with references or whitespace to
// normalise is built in scratch_.
RowScanner::Step RowScanner::ReadValue(const char*& p, const char* end, bool last, char quote, std::size_t& scratchAt,
                                       std::size_t& length, bool& copied) {
  const Step cutOff = last ? Step::Other : Step::NeedMore;
  const char* const begin = p;
  const char* run = p;  // first byte not yet copied
  const char* q = p;
  copied = false;
  for (;;) {
    q = SkipPlain(q, end, quote);
    if (q >= end) return cutOff;
    const auto c = static_cast<unsigned char>(*q);
    if (c >= 0x80) {
      const int n = Utf8Length(reinterpret_cast<const unsigned char*>(q), reinterpret_cast<const unsigned char*>(end));
      if (n < 0) return cutOff;
      if (n == 0) return Step::Other;
      q += n;
      continue;
    }
    if (c == static_cast<unsigned char>(quote)) break;
    if (c == '<') return Step::Other;
    if (!copied) {
      copied = true;
      scratchAt = scratch_.size();
    }
    scratch_.append(run, static_cast<std::size_t>(q - run));
    if (c == '\t' || c == '\n') {
      scratch_ += ' ';
      ++q;
    } else if (c == '\r') {
      // A line end written as CR LF is one line feed, and so one space.
      if (q + 1 >= end) return cutOff;
      scratch_ += ' ';
      q += q[1] == '\n' ? 2 : 1;
    } else if (c == '&') {
      const char* s = q + 1;
      if (s >= end) return cutOff;
      if (*s == '#') {
        ++s;
        const bool hex = s < end && *s == 'x';
        if (hex) ++s;
        const char* digits = s;
        std::uint32_t v = 0;
        for (; s < end && *s != ';'; ++s) {
          const char d = *s;
          std::uint32_t digit;
          if (d >= '0' && d <= '9')
            digit = static_cast<std::uint32_t>(d - '0');
          else if (hex && d >= 'a' && d <= 'f')
            digit = static_cast<std::uint32_t>(d - 'a' + 10);
          else if (hex && d >= 'A' && d <= 'F')
            digit = static_cast<std::uint32_t>(d - 'A' + 10);
          else
            return Step::Other;
          v = v * (hex ? 16 : 10) + digit;
          if (v > 0x10FFFF) return Step::Other;
        }
        if (s >= end) return cutOff;
        if (s == digits || !IsXmlChar(v)) return Step::Other;
        base::AppendUtf8(scratch_, v);
        q = s + 1;
      } else {
        static constexpr std::pair<std::string_view, char> kEntities[] = {
            {"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"apos;", '\''}, {"quot;", '"'}};
        bool found = false;
        for (const auto& [name, ch] : kEntities) {
          const Match m = StartsWith(s, end, name);
          if (m == Match::CutOff) return cutOff;
          if (m == Match::Yes) {
            scratch_ += ch;
            q = s + name.size();
            found = true;
            break;
          }
        }
        if (!found) return Step::Other;
      }
    } else {
      return Step::Other;  // a control character XML does not allow
    }
    run = q;
  }
  if (copied) {
    scratch_.append(run, static_cast<std::size_t>(q - run));
    length = scratch_.size() - scratchAt;
  } else {
    length = static_cast<std::size_t>(q - begin);
  }
  p = q + 1;
  return Step::Done;
}

}  // namespace catalogue
