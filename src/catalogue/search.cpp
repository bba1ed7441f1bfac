#include "catalogue/search.h"

#include <algorithm>
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

// The letters a folded text holds, a bit each: the 32 Cyrillic letters, the ten digits, the
// Latin letters (some sharing a bit) and one bit for everything else. A word is in a line only
// if the line's bits include the word's; a word of one letter with a bit of its own is in a
// line exactly when the bit is.
constexpr int kOtherBit = 63;
int BitOf(char32_t c) {
  if (c >= U'а' && c <= U'я') return static_cast<int>(c - U'а');
  if (c >= '0' && c <= '9') return 32 + static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'z') return 42 + static_cast<int>(c - 'a') % 21;
  return kOtherBit;
}
bool OwnBit(char32_t c) { return (c >= U'а' && c <= U'я') || (c >= '0' && c <= '9'); }

std::uint64_t LettersOf(std::string_view folded) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0, len = 0; i < folded.size(); i += len)
    bits |= std::uint64_t{1} << BitOf(base::DecodeUtf8At(folded, i, &len));
  return bits;
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
    lines->letters.reserve(n);
    for (std::uint32_t r = 0; r < n; ++r) lines->letters.push_back(LettersOf(lines->Line(r)));
  }
}

std::size_t PartSearch::Bytes() const {
  std::size_t bytes = hidden_.capacity() / 8;
  for (const Lines* lines : {&designations_, &names_})
    bytes += lines->text.capacity() + lines->begin.capacity() * sizeof(std::uint32_t) +
             lines->letters.capacity() * sizeof(std::uint64_t);
  return bytes;
}

PartSearch::Found PartSearch::Find(std::string_view query, std::size_t limit) const {
  struct Word {
    std::string designation;  // as it is looked for in a designation
    std::string text;         // as it is looked for in a name
    std::uint64_t designationLetters = 0, textLetters = 0;
    bool oneLetter = false;  // a letter with a bit of its own: the bits alone answer
  };
  Found found;
  std::vector<Word> words;
  for (std::string_view w : Words(query)) {
    Word word{DesignationFold(w), SearchFold(w)};
    // A word of separators alone occurs in every designation; a word typed twice asks nothing
    // more.
    if (word.designation.empty()) continue;
    if (std::any_of(words.begin(), words.end(), [&](const Word& o) { return o.text == word.text; })) continue;
    if (words.size() == kMaxWords) {
      ++found.wordsLeftOut;
      continue;
    }
    word.designationLetters = LettersOf(word.designation);
    word.textLetters = LettersOf(word.text);
    std::size_t len = 0;
    word.oneLetter =
        word.designation == word.text && OwnBit(base::DecodeUtf8At(word.text, 0, &len)) && len == word.text.size();
    words.push_back(std::move(word));
  }
  if (words.empty()) return found;
  // A word within another word is found wherever that one is; the longest words, which occur
  // the least, are looked for first.
  const auto within = [](const Word& a, const Word& b) {
    return &a != &b && b.designation.find(a.designation) != std::string::npos &&
           b.text.find(a.text) != std::string::npos;
  };
  std::vector<Word> needed;
  for (const Word& w : words)
    if (std::none_of(words.begin(), words.end(), [&](const Word& o) { return within(w, o); })) needed.push_back(w);
  std::stable_sort(needed.begin(), needed.end(),
                   [](const Word& a, const Word& b) { return a.text.size() > b.text.size(); });
  words = std::move(needed);
  const std::string exact = DesignationFold(query);

  // Whether record r holds every word in its designation or in its name: the letters of every
  // word first, which rule out most records at the cost of two masks a word, then the text.
  const auto mayHold = [](std::uint64_t line, std::uint64_t word) { return (line & word) == word; };
  const auto matches = [&](std::uint32_t r) {
    const std::uint64_t inDesignation = designations_.letters[r], inName = names_.letters[r];
    for (const Word& w : words)
      if (!mayHold(inDesignation, w.designationLetters) && !mayHold(inName, w.textLetters)) return false;
    for (const Word& w : words) {
      if (w.oneLetter) continue;
      if (!(mayHold(inDesignation, w.designationLetters) &&
            designations_.Line(r).find(w.designation) != std::string_view::npos) &&
          !(mayHold(inName, w.textLetters) && names_.Line(r).find(w.text) != std::string_view::npos))
        return false;
    }
    return true;
  };
  // Every record is tried, in file order: a scan of the text for the longest word would cost
  // as much for a common word, and more for one of one or two letters.
  std::vector<std::uint32_t> exactRows, otherRows;
  for (std::uint32_t r = 0; r < hidden_.size(); ++r)
    if (!hidden_[r] && matches(r)) (designations_.Line(r) == exact ? exactRows : otherRows).push_back(r);
  found.total = exactRows.size() + otherRows.size();
  for (const auto* rows : {&exactRows, &otherRows})
    for (std::uint32_t r : *rows) {
      if (found.rows.size() == limit) return found;
      found.rows.push_back(r);
    }
  return found;
}

}  // namespace catalogue
