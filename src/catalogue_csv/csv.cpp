#include "catalogue_csv/csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <unordered_map>

#include "base/utf8.h"

namespace catalogue {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char Separator(CsvStyle style) { return style == CsvStyle::Excel ? ';' : ','; }

bool NeedsQuotes(std::string_view v, char sep) {
  if (v.empty()) return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (blank(v.front()) || blank(v.back())) return true;
  for (char c : v)
    if (c == sep || c == '"' || c == '\r' || c == '\n') return true;
  return false;
}

void AppendField(std::string& out, std::string_view v, char sep) {
  if (!NeedsQuotes(v, sep)) {
    out += v;
    return;
  }
  out += '"';
  for (char c : v) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string Begin(CsvStyle style) {
  std::string out(style == CsvStyle::Excel ? kByteOrderMark : std::string_view());
  const char sep = Separator(style);
  for (Field f : kAllFields) {
    if (f != Field::ID) out += sep;
    out += FieldName(f);
  }
  out += "\r\n";
  return out;
}

void AppendRecord(std::string& out, const RecordTexts& r, char sep) {
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (i) out += sep;
    if (r[i]) AppendField(out, *r[i], sep);
  }
  out += "\r\n";
}

// A value shown in an error: at most 40 characters, never cut inside one.
std::string Quote(std::string_view v) {
  constexpr std::size_t kShown = 40;
  std::size_t end = 0;
  for (std::size_t chars = 0; end < v.size() && chars < kShown; ++chars) {
    ++end;
    while (end < v.size() && (static_cast<unsigned char>(v[end]) & 0xC0) == 0x80) ++end;
  }
  std::string s = "\"";
  s.append(v.substr(0, end));
  if (end < v.size()) s += "...";
  return s + '"';
}

// Where text cannot go into a table: bytes that are not UTF-8, or a character an XML document
// cannot hold (control characters other than tab, CR and LF; U+FFFE and U+FFFF). Empty: none.
std::string Unstorable(std::string_view v) {
  for (std::size_t i = 0, len = 0; i < v.size(); i += len) {
    const char32_t c = base::DecodeUtf8At(v, i, &len);
    if (c == 0xFFFD && len == 1) return "is not valid UTF-8";
    if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      return std::string("holds the control character U+00") + kHex[c >> 4] + kHex[c & 15];
    }
    if (c == 0xFFFE || c == 0xFFFF) return "holds a character a table cannot keep";
  }
  return {};
}

// One record of the file as its fields, with the line each field starts on.
struct Row {
  std::vector<std::string> fields;
  std::vector<int> lines;
};

// Splits the text into records (RFC 4180): fields in double quotes may hold the separator,
// line breaks and doubled quotes; a quote inside an unquoted field is taken as it is. CR LF,
// LF and CR each end a record.
class Splitter {
 public:
  Splitter(std::string_view text, char sep, std::string name) : s_(text), sep_(sep), name_(std::move(name)) {}

  // The next record; false at the end of the text or on an error (then error() says what).
  bool Next(Row& row) {
    row.fields.clear();
    row.lines.clear();
    while (pos_ < s_.size() && IsBreak(s_[pos_])) SkipBreak();  // empty lines
    if (pos_ >= s_.size()) return false;
    for (;;) {
      row.lines.push_back(line_);
      row.fields.emplace_back();
      std::string& field = row.fields.back();
      if (pos_ < s_.size() && s_[pos_] == '"') {
        if (!Quoted(field, row.fields.size())) return false;
      } else {
        const std::size_t end = s_.find_first_of(Stops(), pos_);
        const std::size_t stop = end == std::string_view::npos ? s_.size() : end;
        field.assign(s_.substr(pos_, stop - pos_));
        pos_ = stop;
      }
      if (pos_ >= s_.size()) return true;
      if (s_[pos_] == sep_) {
        ++pos_;
        continue;
      }
      SkipBreak();
      return true;
    }
  }

  const std::string& error() const { return error_; }

 private:
  static bool IsBreak(char c) { return c == '\r' || c == '\n'; }
  std::string_view Stops() const { return sep_ == ';' ? std::string_view(";\r\n") : std::string_view(",\r\n"); }

  void SkipBreak() {
    if (s_[pos_] == '\r' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
  }

  bool Quoted(std::string& field, std::size_t number) {
    const int start = line_;
    ++pos_;
    for (;;) {
      const std::size_t q = s_.find('"', pos_);
      if (q == std::string_view::npos) {
        error_ = name_ + ":" + std::to_string(start) + ": field " + std::to_string(number) +
                 ": the quoted text is not closed";
        return false;
      }
      const std::string_view part = s_.substr(pos_, q - pos_);
      for (std::size_t i = 0; i < part.size(); ++i)
        if (part[i] == '\n' || (part[i] == '\r' && (i + 1 == part.size() || part[i + 1] != '\n'))) ++line_;
      field += part;
      pos_ = q + 1;
      if (pos_ < s_.size() && s_[pos_] == '"') {
        field += '"';
        ++pos_;
        continue;
      }
      if (pos_ < s_.size() && s_[pos_] != sep_ && !IsBreak(s_[pos_])) {
        error_ = name_ + ":" + std::to_string(line_) + ": field " + std::to_string(number) +
                 ": text follows the closing quote";
        return false;
      }
      return true;
    }
  }

  std::string_view s_;
  char sep_;
  std::string name_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::string error_;
};

using Records = Result<std::vector<RecordTexts>>;

// The value in the table's form, or an error text.
struct Checked {
  std::optional<std::string> value;
  std::string error;
};

Checked CheckValue(Field f, std::string v) {
  if (v.empty()) return {};  // null
  if (std::string why = Unstorable(v); !why.empty()) return {std::nullopt, why};
  const FieldKind kind = KindOf(f);
  if (kind == FieldKind::Integer || kind == FieldKind::Number) {
    const char* begin = v.data() + (v.front() == '+' ? 1 : 0);
    const char* end = v.data() + v.size();
    std::int64_t wide = 0;
    const auto [p, ec] = std::from_chars(begin, end, wide);
    if (ec == std::errc::result_out_of_range ||
        (ec == std::errc() && p == end &&
         (wide < std::numeric_limits<std::int32_t>::min() || wide > std::numeric_limits<std::int32_t>::max())))
      return {std::nullopt, Quote(v) + " is out of the integer range"};
    if (ec != std::errc() || p != end || begin == end) return {std::nullopt, Quote(v) + " is not an integer"};
    // Number keeps its text as the table does; the integer fields are given in decimal.
    return {kind == FieldKind::Number ? std::move(v) : std::to_string(wide), {}};
  }
  if (kind == FieldKind::Boolean) {
    if (EqualsIgnoreCase(v, "True") || v == "1" || v == "-1") return {"True", {}};
    if (EqualsIgnoreCase(v, "False") || v == "0") return {"False", {}};
    return {std::nullopt, Quote(v) + " is not a Boolean (True or False)"};
  }
  return {std::move(v), {}};
}

}  // namespace

RecordTexts TextsOf(const Table& table, std::size_t row) {
  RecordTexts r;
  for (Field f : kAllFields)
    if (!table.IsNull(row, f)) r[static_cast<std::size_t>(f)] = table.Format(row, f);
  return r;
}

std::string WriteCsv(const Table& table, CsvStyle style) {
  std::string out = Begin(style);
  for (std::size_t row = 0; row < table.size(); ++row) AppendRecord(out, TextsOf(table, row), Separator(style));
  return out;
}

std::string WriteCsv(const std::vector<RecordTexts>& records, CsvStyle style) {
  std::string out = Begin(style);
  for (const RecordTexts& r : records) AppendRecord(out, r, Separator(style));
  return out;
}

Records ReadCsv(std::string_view text, const std::string& name) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  // The header line names fields only: the separator is the one it holds more of.
  const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
  const char sep =
      std::count(first.begin(), first.end(), ';') > std::count(first.begin(), first.end(), ',') ? ';' : ',';
  Splitter split(text, sep, name);
  auto at = [&](int line, const std::string& field, const std::string& what) {
    return Records::Fail(name + ":" + std::to_string(line) + ": field " + field + ": " + what);
  };

  Row row;
  if (!split.Next(row)) {
    if (!split.error().empty()) return Records::Fail(split.error());
    return Records::Fail(name + ":1: the header line naming the sixteen fields is missing");
  }
  // Column i of the file holds field columns[i].
  std::vector<Field> columns;
  std::array<bool, kFieldCount> seen{};
  for (std::size_t i = 0; i < row.fields.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    const auto f = FieldByName(row.fields[i]);
    if (!f) return at(row.lines[i], number, Quote(row.fields[i]) + " is not a field of the catalogue");
    if (seen[static_cast<std::size_t>(*f)]) return at(row.lines[i], number, Quote(row.fields[i]) + " is named twice");
    seen[static_cast<std::size_t>(*f)] = true;
    columns.push_back(*f);
  }
  for (Field f : kAllFields)
    if (!seen[static_cast<std::size_t>(f)]) return at(row.lines[0], std::string(FieldName(f)), "the header lacks it");

  std::vector<RecordTexts> records;
  std::unordered_map<std::string, int> lineOfId;
  while (split.Next(row)) {
    const std::size_t n = row.fields.size();
    if (n != columns.size()) {
      const std::size_t first = std::min(n, columns.size());  // the first missing or extra field
      const std::string field = first < columns.size()
                                    ? std::to_string(first + 1) + " (" + std::string(FieldName(columns[first])) + ")"
                                    : std::to_string(first + 1);
      return at(row.lines.front(), field,
                "the row has " + std::to_string(n) + " fields, the header " + std::to_string(columns.size()));
    }
    RecordTexts r;
    for (std::size_t i = 0; i < n; ++i) {
      Checked c = CheckValue(columns[i], std::move(row.fields[i]));
      if (!c.error.empty()) return at(row.lines[i], std::string(FieldName(columns[i])), c.error);
      r[static_cast<std::size_t>(columns[i])] = std::move(c.value);
    }
    if (const auto& id = r[static_cast<std::size_t>(Field::ID)]) {
      const std::size_t i =
          static_cast<std::size_t>(std::find(columns.begin(), columns.end(), Field::ID) - columns.begin());
      const auto [it, added] = lineOfId.emplace(*id, row.lines[i]);
      if (!added)
        return at(row.lines[i], "ID", *id + " is used twice (first on line " + std::to_string(it->second) + ")");
    }
    records.push_back(std::move(r));
  }
  if (!split.error().empty()) return Records::Fail(split.error());
  return records;
}

Records ReadCsvFile(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path p(std::u8string(path.begin(), path.end()));
  std::error_code ec;
  if (!fs::exists(p, ec)) return Records::Fail(path + ": the file does not exist");
  if (fs::is_directory(p, ec)) return Records::Fail(path + ": is a directory, not a file");
  std::ifstream in(p, std::ios::binary);
  if (!in) return Records::Fail(path + ": the file cannot be opened");
  std::string text;
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) text.append(chunk, static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return Records::Fail(path + ": the file cannot be read");
  return ReadCsv(text, path);
}

}  // namespace catalogue
