#include "catalogue/search.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "base/fold.h"
#include "base/utf8.h"

namespace catalogue {

namespace {

constexpr char kNameMark = '\x01';  // between a record's designation and its name
constexpr char kLineEnd = '\n';

// The Cyrillic letter a folded Latin letter looks like; 0 for the others.
char32_t CyrillicLookAlike(char c) {
  switch (c) {
    case 'a': return U'а';
    case 'b': return U'в';
    case 'c': return U'с';
    case 'e': return U'е';
    case 'h': return U'н';
    case 'k': return U'к';
    case 'm': return U'м';
    case 'o': return U'о';
    case 'p': return U'р';
    case 't': return U'т';
    case 'x': return U'х';
    case 'y': return U'у';
    default: return 0;
  }
}

// Folds into `out`; designation separators are dropped when `designation` is set.
void Fold(std::string_view utf8, bool designation, std::string& out) {
  const std::string folded = base::FoldCase(utf8);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const char c = folded[i];
    if (c == kNameMark || c == kLineEnd) continue;  // never inside a field's text
    if (designation && (c == ' ' || c == '.' || c == '-' || c == '/' || c == '\t')) continue;
    if (const char32_t cyrillic = CyrillicLookAlike(c)) {
      base::AppendUtf8(out, cyrillic);
    } else if (c == '\xD1' && i + 1 < folded.size() && folded[i + 1] == '\x91') {  // ё
      base::AppendUtf8(out, U'е');
      ++i;
    } else {
      out += c;
    }
  }
}

// The first occurrence of `needle` in [at, end); null when there is none.
const char* FindBytes(const char* at, const char* end, const std::string& needle) {
#ifdef _WIN32
  const std::string_view hay(at, static_cast<std::size_t>(end - at));
  const std::size_t found = hay.find(needle);
  return found == std::string_view::npos ? nullptr : at + found;
#else
  return static_cast<const char*>(::memmem(at, static_cast<std::size_t>(end - at), needle.data(), needle.size()));
#endif
}

std::vector<std::string_view> Words(std::string_view query) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < query.size()) {
    while (i < query.size() && (query[i] == ' ' || query[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < query.size() && query[i] != ' ' && query[i] != '\t') ++i;
    if (i > start) words.push_back(query.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::string SearchFold(std::string_view utf8) {
  std::string out;
  Fold(utf8, false, out);
  return out;
}

std::string DesignationFold(std::string_view utf8) {
  std::string out;
  Fold(utf8, true, out);
  return out;
}

PartSearch::PartSearch(const Table& t) {
  const std::size_t n = t.size();
  begin_.reserve(n + 1);
  hidden_.assign(n, false);
  std::unordered_map<std::int32_t, std::uint32_t> rowOf;
  rowOf.reserve(n);
  for (std::size_t r = 0; r < n; ++r) rowOf.emplace(t.Integer(r, Field::ID), static_cast<std::uint32_t>(r));
  for (std::size_t r = 0; r < n; ++r) {
    begin_.push_back(static_cast<std::uint32_t>(text_.size()));
    Fold(t.Text(r, Field::Oboz), true, text_);
    text_ += kNameMark;
    Fold(t.Text(r, Field::Naim), false, text_);
    text_ += kLineEnd;
    if (t.Text(r, Field::Number) == "0") {
      const auto parent = rowOf.find(t.Integer(r, Field::FID));
      hidden_[r] = parent != rowOf.end() && t.Text(parent->second, Field::Number) != "0" &&
                   t.Text(parent->second, Field::Oboz) == t.Text(r, Field::Oboz) &&
                   t.Text(parent->second, Field::Naim) == t.Text(r, Field::Naim);
    }
  }
  begin_.push_back(static_cast<std::uint32_t>(text_.size()));
}

std::size_t PartSearch::Bytes() const {
  return text_.capacity() + begin_.capacity() * sizeof(std::uint32_t) + hidden_.capacity() / 8;
}

PartSearch::Found PartSearch::Find(std::string_view query, std::size_t limit) const {
  struct Word {
    std::string designation;  // as it is looked for in a designation
    std::string text;         // as it is looked for in a name
  };
  std::vector<Word> words;
  for (std::string_view w : Words(query)) {
    Word word{DesignationFold(w), SearchFold(w)};
    // A word of separators alone occurs in every designation.
    if (!word.designation.empty()) words.push_back(std::move(word));
  }
  Found found;
  if (words.empty()) return found;
  const std::string exact = DesignationFold(query);

  // Whether the word occurs in the record's line: in its designation, or in its name.
  const auto contains = [](std::string_view where, const std::string& what) {
    return where.find(what) != std::string_view::npos;
  };
  const auto matches = [&](std::uint32_t r, const Word& w) {
    const std::string_view line(text_.data() + begin_[r], begin_[r + 1] - begin_[r] - 1);
    const std::size_t mark = line.find(kNameMark);
    return contains(line.substr(0, mark), w.designation) || contains(line.substr(mark + 1), w.text);
  };

  // The candidates: every line holding the first word in one of its forms, found by one scan
  // of the text (two when the forms differ); each line is visited once.
  std::vector<std::uint32_t> exactRows, otherRows;
  std::vector<bool> seen;
  const bool twoForms = words[0].designation != words[0].text;
  if (twoForms) seen.assign(hidden_.size(), false);
  for (const std::string* needle : {&words[0].designation, &words[0].text}) {
    if (needle == &words[0].text && !twoForms) break;
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    const char* at = begin;
    std::uint32_t r = 0;
    while (at < end) {
      const char* hit = FindBytes(at, end, *needle);
      if (!hit) break;
      const auto offset = static_cast<std::uint32_t>(hit - begin);
      while (begin_[r + 1] <= offset) ++r;
      at = begin + begin_[r + 1];  // on to the next line
      if (hidden_[r] || (twoForms && seen[r])) continue;
      bool all = true;
      for (const Word& w : words) all = all && matches(r, w);
      if (!all) continue;
      if (twoForms) seen[r] = true;
      const std::string_view line(begin + begin_[r], begin_[r + 1] - begin_[r]);
      (line.substr(0, line.find(kNameMark)) == exact ? exactRows : otherRows).push_back(r);
    }
  }
  if (twoForms) {
    std::sort(exactRows.begin(), exactRows.end());
    std::sort(otherRows.begin(), otherRows.end());
  }
  found.total = exactRows.size() + otherRows.size();
  for (const auto* rows : {&exactRows, &otherRows})
    for (std::uint32_t r : *rows) {
      if (found.rows.size() == limit) return found;
      found.rows.push_back(r);
    }
  return found;
}

}  // namespace catalogue
