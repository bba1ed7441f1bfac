#pragma once
// Finding a part by its designation or its name, as a user types them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/table.h"

namespace catalogue {

// Text as the search compares it: letter case folded (Cyrillic too), "ё" read as "е", and the
// Latin letters that look like Cyrillic ones (A B C E H K M O P T X Y) read as those, so that
// "KM-120" typed on a Latin keyboard finds "КМ-120".
std::string SearchFold(std::string_view utf8);
// A designation as the search compares it: folded, without spaces, dots, hyphens and slashes,
// so that "01 05 003" finds "КМ-120.01.05.003".
std::string DesignationFold(std::string_view utf8);

// The parts of a table, folded once for searching: the designations in one block of text and
// the names in another, a line per record in each. A record matches a query when every word of
// the query occurs in its designation or in its name. A numbered record and its own item
// record (the same designation and name, Number "0", FID the numbered record's ID) are one
// part: only the numbered record is found.
class PartSearch {
 public:
  // The table must outlive the search and stay unchanged but for its Boolean fields.
  explicit PartSearch(const Table& table);

  struct Found {
    std::vector<std::uint32_t> rows;  // exact designations first, then in file order; at most the limit
    std::size_t total = 0;            // every matching part
    std::size_t wordsLeftOut = 0;     // different words of the query past kMaxWords, not looked for
  };
  // The words looked for: the first this many different ones of the query. Each costs a look
  // into every candidate's lines, so a pasted text costs no more than a short query.
  static constexpr std::size_t kMaxWords = 8;
  Found Find(std::string_view query, std::size_t limit) const;

  // The memory the search holds.
  std::size_t Bytes() const;
  // The folded designations and names, a line each (for measuring a bare scan of them).
  const std::string& Designations() const { return designations_.text; }
  const std::string& Names() const { return names_.text; }

 private:
  // Record r's line of a text: text[begin[r], begin[r + 1] - 1), then a line end.
  struct Lines {
    std::string text;
    std::vector<std::uint32_t> begin;
    std::vector<std::uint64_t> letters;  // of each line, a bit for each letter it holds
    std::string_view Line(std::uint32_t r) const {
      return std::string_view(text.data() + begin[r], begin[r + 1] - begin[r] - 1);
    }
  };
  Lines designations_;
  Lines names_;
  std::vector<bool> hidden_;  // an item record shown with its numbered record
};

}  // namespace catalogue
