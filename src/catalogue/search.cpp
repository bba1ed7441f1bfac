#include "catalogue/search.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "base/fold.h"
#include "base/utf8.h"

namespace catalogue {

namespace {

constexpr char kLineEnd = '\n';

// The Cyrillic letter a folded Latin letter looks like; 0 for the others.
char32_t CyrillicLookAlike(char32_t c) {
  switch (c) {
    case 'a':
      return U'а';
    case 'b':
      return U'в';
    case 'c':
      return U'с';
    case 'e':
      return U'е';
    case 'h':
      return U'н';
    case 'k':
      return U'к';
    case 'm':
      return U'м';
    case 'o':
      return U'о';
    case 'p':
      return U'р';
    case 't':
      return U'т';
    case 'x':
      return U'х';
    case 'y':
      return U'у';
    default:
      return 0;
  }
}

// Folds into `out`; designation separators are dropped when `designation` is set.
void Fold(std::string_view utf8, bool designation, std::string& out) {
  base::ForEachFolded(utf8, [&](char32_t c, bool raw) {
    if (raw) {
      out += static_cast<char>(c);
      return;
    }
    if (c == kLineEnd) return;  // never inside a line of the text
    if (designation && (c == ' ' || c == '.' || c == '-' || c == '/' || c == '\t')) return;
    if (const char32_t cyrillic = CyrillicLookAlike(c)) c = cyrillic;
    if (c == U'ё') c = U'е';
    base::AppendUtf8(out, c);
  });
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
  for (Lines* lines : {&designations_, &names_}) lines->begin.reserve(n + 1);
  hidden_.assign(n, false);
  std::unordered_map<std::int32_t, std::uint32_t> rowOf;
  rowOf.reserve(n);
  for (std::size_t r = 0; r < n; ++r) rowOf.emplace(t.Integer(r, Field::ID), static_cast<std::uint32_t>(r));
  for (std::size_t r = 0; r < n; ++r) {
    designations_.begin.push_back(static_cast<std::uint32_t>(designations_.text.size()));
    Fold(t.Text(r, Field::Oboz), true, designations_.text);
    designations_.text += kLineEnd;
    names_.begin.push_back(static_cast<std::uint32_t>(names_.text.size()));
    Fold(t.Text(r, Field::Naim), false, names_.text);
    names_.text += kLineEnd;
    if (t.Text(r, Field::Number) == "0") {
      const auto parent = rowOf.find(t.Integer(r, Field::FID));
      hidden_[r] = parent != rowOf.end() && t.Text(parent->second, Field::Number) != "0" &&
                   t.Text(parent->second, Field::Oboz) == t.Text(r, Field::Oboz) &&
                   t.Text(parent->second, Field::Naim) == t.Text(r, Field::Naim);
    }
  }
  for (Lines* lines : {&designations_, &names_}) {
    lines->begin.push_back(static_cast<std::uint32_t>(lines->text.size()));
    lines->text.shrink_to_fit();
  }
}

std::size_t PartSearch::Bytes() const {
  std::size_t bytes = hidden_.capacity() / 8;
  for (const Lines* lines : {&designations_, &names_})
    bytes += lines->text.capacity() + lines->begin.capacity() * sizeof(std::uint32_t);
  return bytes;
}

template <class Visit>
void PartSearch::Scan(const Lines& lines, const std::string& needle, Visit visit) {
  const char* const begin = lines.text.data();
  const char* const end = begin + lines.text.size();
  const char* at = begin;
  std::uint32_t r = 0;
  while (at < end) {
    const char* hit = FindBytes(at, end, needle);
    if (!hit) break;
    const auto offset = static_cast<std::uint32_t>(hit - begin);
    while (lines.begin[r + 1] <= offset) ++r;
    visit(r);
    at = begin + lines.begin[r + 1];  // each line once: on to the next
  }
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

  // The candidates are the records holding the first word, in their designation or in their
  // name: one scan over each text, together one pass over all the folded text. The other
  // words are looked for in each candidate's lines.
  const auto matches = [&](std::uint32_t r, const Word& w) {
    return designations_.Line(r).find(w.designation) != std::string_view::npos ||
           names_.Line(r).find(w.text) != std::string_view::npos;
  };
  std::vector<bool> seen(hidden_.size(), false);
  std::vector<std::uint32_t> exactRows, otherRows;
  const auto visit = [&](std::uint32_t r) {
    if (hidden_[r] || seen[r]) return;
    seen[r] = true;
    for (std::size_t i = 1; i < words.size(); ++i)
      if (!matches(r, words[i])) return;
    (designations_.Line(r) == exact ? exactRows : otherRows).push_back(r);
  };
  Scan(designations_, words[0].designation, visit);
  Scan(names_, words[0].text, visit);
  std::sort(exactRows.begin(), exactRows.end());
  std::sort(otherRows.begin(), otherRows.end());
  found.total = exactRows.size() + otherRows.size();
  for (const auto* rows : {&exactRows, &otherRows})
    for (std::uint32_t r : *rows) {
      if (found.rows.size() == limit) return found;
      found.rows.push_back(r);
    }
  return found;
}

}  // namespace catalogue
