#include "catalogue/ado_reader.h"
#include "base/cp1251.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

namespace catalogue {

namespace {

// Expat reports a namespaced name as URI, this separator, local name.
constexpr char kNsSep = '\x01';

constexpr std::string_view kSchemaNs = "uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882";
constexpr std::string_view kDataTypeNs = "uuid:C2F41010-65B3-11d1-A29F-00AA00C14882";
constexpr std::string_view kRowsetNs = "urn:schemas-microsoft-com:rowset";
constexpr std::string_view kRowNs = "#RowsetSchema";

constexpr int kMaxDepth = 256;
constexpr std::size_t kReadChunk = 1 << 20;

struct QName {
  std::string_view ns;
  std::string_view local;
};

QName Split(const char* name) {
  const char* sep = std::strchr(name, kNsSep);
  if (!sep) return {{}, name};
  return {std::string_view(name, sep - name), sep + 1};
}

bool Is(const QName& q, std::string_view ns, std::string_view local) {
  return q.local == local && EqualsIgnoreCase(q.ns, ns);
}

std::string Quote(std::string_view v) {
  constexpr std::size_t kShown = 40;
  std::string s = "\"";
  s.append(v.substr(0, kShown));
  if (v.size() > kShown) s += "...";
  s += '"';
  return s;
}

int XMLCALL UnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
  std::string_view n(name);
  if (!EqualsIgnoreCase(n, "windows-1251") && !EqualsIgnoreCase(n, "cp1251")) return XML_STATUS_ERROR;
  for (int i = 0; i < 128; ++i) info->map[i] = i;
  for (int i = 0; i < 128; ++i) info->map[128 + i] = base::kCp1251High[i];
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

struct Column {
  std::string attrName;  // the name the rows use
  std::string realName;  // rs:name when present, else the attribute name
  std::string dataType;  // dt:type
  int field = -1;        // index into kAllFields, -1 for a column the catalogue does not use
};

class Reader {
 public:
  Reader(std::string name, std::size_t sizeHint) : name_(std::move(name)), sizeHint_(sizeHint) {
    parser_ = XML_ParserCreateNS(nullptr, kNsSep);
    if (!parser_) return;
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &Reader::OnStart, &Reader::OnEnd);
    XML_SetStartDoctypeDeclHandler(parser_, &Reader::OnDoctype);
    XML_SetUnknownEncodingHandler(parser_, &UnknownEncoding, nullptr);
    ReserveHint([&] {
      table_.ReserveText(std::min<std::size_t>(sizeHint, std::numeric_limits<std::uint32_t>::max()));
    });
  }
  ~Reader() {
    if (parser_) XML_ParserFree(parser_);
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // Feeds the next piece of the document; false once the document is refused.
  bool Feed(const char* data, std::size_t len, bool last) {
    if (!parser_) return Fail("out of memory");
    while (len > 0 || last) {
      const int piece = static_cast<int>(std::min<std::size_t>(len, 1 << 30));
      const bool final = last && static_cast<std::size_t>(piece) == len;
      if (XML_Parse(parser_, data, piece, final) == XML_STATUS_ERROR) return XmlFailed();
      data += piece;
      len -= static_cast<std::size_t>(piece);
      if (final) break;
    }
    return true;
  }

  // Reads straight into the parser's own buffer, so the file is never copied twice.
  bool FeedStream(std::istream& in) {
    if (!parser_) return Fail("out of memory");
    for (;;) {
      void* buf = XML_GetBuffer(parser_, kReadChunk);
      if (!buf) return Fail("out of memory");
      in.read(static_cast<char*>(buf), kReadChunk);
      const std::streamsize got = in.gcount();
      if (in.bad()) return Fail("the file cannot be read");
      const bool last = got < static_cast<std::streamsize>(kReadChunk);
      if (XML_ParseBuffer(parser_, static_cast<int>(got), last) == XML_STATUS_ERROR)
        return XmlFailed();
      if (last) return true;
    }
  }

  Result<Table> Finish() && {
    if (!error_.empty()) return Result<Table>::Fail(error_);
    if (!schemaDone_) return Result<Table>::Fail(name_ + ": the file holds no recordset schema");
    if (!sawData_) return Result<Table>::Fail(name_ + ": the file holds no rs:data section");
    return Result<Table>(std::move(table_));
  }

  const std::string& error() const { return error_; }

 private:
  bool Fail(const std::string& what) {
    if (error_.empty()) error_ = name_ + ": " + what;
    return false;
  }

  // Refuses the document at the parser's current position.
  void Refuse(const std::string& what) {
    if (error_.empty())
      error_ = name_ + ":" + std::to_string(XML_GetCurrentLineNumber(parser_)) + ":" +
               std::to_string(XML_GetCurrentColumnNumber(parser_) + 1) + ": " + what;
    XML_StopParser(parser_, XML_FALSE);
  }

  bool XmlFailed() {
    if (error_.empty()) {
      error_ = name_ + ":" + std::to_string(XML_GetCurrentLineNumber(parser_)) + ":" +
               std::to_string(XML_GetCurrentColumnNumber(parser_) + 1) +
               ": not well-formed XML: " + XML_ErrorString(XML_GetErrorCode(parser_));
    }
    return false;
  }

  static void XMLCALL OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<Reader*>(self)->Refuse("document type declarations are not accepted");
  }

  // No exception may cross expat's C frames: running out of memory refuses the document.
  static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** atts) {
    auto* reader = static_cast<Reader*>(self);
    try {
      reader->Start(name, atts);
    } catch (const std::bad_alloc&) {
      reader->Refuse("out of memory");
    }
  }
  static void XMLCALL OnEnd(void* self, const XML_Char* name) {
    auto* reader = static_cast<Reader*>(self);
    try {
      reader->End(name);
    } catch (const std::bad_alloc&) {
      reader->Refuse("out of memory");
    }
  }

  void Start(const char* name, const char** atts) {
    if (++depth_ > kMaxDepth) return Refuse("elements are nested too deeply");

    // The hot path: a row inside rs:data.
    if (dataDepth_ && !skipDepth_ && IsRowElement(name)) {
      if (updateDepth_ && !originalDepth_) return UpdatedRow(atts);
      if (originalDepth_) return RememberOriginal(atts);
      return AddRow(atts);
    }
    if (skipDepth_) return;

    const QName q = Split(name);
    if (dataDepth_) {
      if (Is(q, kRowsetNs, "delete")) {
        skipDepth_ = depth_;
      } else if (Is(q, kRowsetNs, "update")) {
        updateDepth_ = depth_;
        original_.clear();
      } else if (Is(q, kRowsetNs, "original") && updateDepth_) {
        originalDepth_ = depth_;
      }
      return;
    }
    if (Is(q, kRowsetNs, "data")) {
      if (!schemaDone_) return Refuse("rs:data comes before the recordset schema");
      dataDepth_ = depth_;
      sawData_ = true;
      return;
    }
    if (Is(q, kSchemaNs, "Schema")) {
      if (schemaDepth_ || schemaDone_) return Refuse("a second recordset schema");
      schemaDepth_ = depth_;
      return;
    }
    if (!schemaDepth_) return;
    if (Is(q, kSchemaNs, "ElementType")) {
      if (elementTypeDepth_ || haveElementType_) {
        skipSchemaDepth_ = skipSchemaDepth_ ? skipSchemaDepth_ : depth_;
        return;
      }
      elementTypeDepth_ = depth_;
      haveElementType_ = true;
      if (const char* n = Attr(atts, {}, "name")) rowName_ = n;
      return;
    }
    if (skipSchemaDepth_ || !elementTypeDepth_) return;
    if (Is(q, kSchemaNs, "AttributeType")) {
      Column c;
      if (const char* n = Attr(atts, {}, "name")) c.attrName = n;
      if (c.attrName.empty()) return Refuse("a column of the schema has no name");
      const char* real = Attr(atts, kRowsetNs, "name");
      c.realName = real ? real : c.attrName;
      if (const char* t = Attr(atts, kDataTypeNs, "type")) c.dataType = t;
      columns_.push_back(std::move(c));
      attributeTypeDepth_ = depth_;
      return;
    }
    if (Is(q, kSchemaNs, "datatype") && attributeTypeDepth_ && !columns_.empty()) {
      if (const char* t = Attr(atts, kDataTypeNs, "type")) columns_.back().dataType = t;
    }
  }

  void End(const char*) {
    if (depth_ == skipDepth_) skipDepth_ = 0;
    if (depth_ == originalDepth_) originalDepth_ = 0;
    if (depth_ == updateDepth_) updateDepth_ = 0;
    if (depth_ == dataDepth_) dataDepth_ = 0;
    if (depth_ == attributeTypeDepth_) attributeTypeDepth_ = 0;
    if (depth_ == skipSchemaDepth_) skipSchemaDepth_ = 0;
    if (depth_ == elementTypeDepth_) elementTypeDepth_ = 0;
    if (depth_ == schemaDepth_) {
      schemaDepth_ = 0;
      FinishSchema();
    }
    --depth_;
  }

  static const char* Attr(const char** atts, std::string_view ns, std::string_view local) {
    for (; *atts; atts += 2)
      if (Is(Split(atts[0]), ns, local)) return atts[1];
    return nullptr;
  }

  bool IsRowElement(const char* name) {
    if (rowExpanded_.empty()) return false;
    if (std::strcmp(name, rowExpanded_.c_str()) == 0) return true;
    const QName q = Split(name);
    return Is(q, kRowNs, rowName_);
  }

  void FinishSchema() {
    schemaDone_ = true;
    if (!haveElementType_) return Refuse("the recordset schema declares no row type");
    if (rowName_.empty()) rowName_ = "row";
    rowExpanded_ = std::string(kRowNs) + kNsSep + rowName_;

    std::array<int, kFieldCount> columnOf;
    columnOf.fill(-1);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      Column& c = columns_[i];
      auto f = FieldByName(c.realName);
      if (!f) continue;
      const int fi = static_cast<int>(*f);
      if (columnOf[fi] >= 0)
        return Refuse("the schema declares the field " + std::string(FieldName(*f)) + " twice");
      columnOf[fi] = static_cast<int>(i);
      c.field = fi;
    }
    std::string missing;
    for (Field f : kAllFields) {
      if (columnOf[static_cast<int>(f)] < 0) {
        if (!missing.empty()) missing += ", ";
        missing += FieldName(f);
      }
    }
    if (!missing.empty()) return Refuse("the schema lacks the field(s) " + missing);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (!byName_.emplace(columns_[i].attrName, static_cast<int>(i)).second)
        return Refuse("the schema declares the column " + Quote(columns_[i].attrName) + " twice");
    }
  }

  // Column of a row attribute. Rows normally list their attributes in one order, so the
  // column found at the same place in the previous row is tried first.
  int ColumnOf(std::size_t index, const char* attr) {
    if (index < attrCache_.size() && attrCache_[index].first == attr)
      return attrCache_[index].second;
    auto it = byName_.find(attr);
    const int col = it == byName_.end() ? -1 : it->second;
    if (index >= attrCache_.size()) attrCache_.resize(index + 1);
    attrCache_[index] = {attr, col};
    return col;
  }

  void AddRow(const char** atts) {
    std::array<const char*, kFieldCount> values{};
    for (std::size_t i = 0; atts[2 * i]; ++i) {
      const int col = ColumnOf(i, atts[2 * i]);
      if (col >= 0 && columns_[col].field >= 0) values[columns_[col].field] = atts[2 * i + 1];
    }
    Store(values);
  }

  void RememberOriginal(const char** atts) {
    original_.clear();
    for (; *atts; atts += 2) original_.emplace_back(atts[0], atts[1]);
  }

  // A row of rs:update lists only the changed columns; the others come from rs:original.
  void UpdatedRow(const char** atts) {
    std::array<const char*, kFieldCount> values{};
    auto take = [&](const char* attr, const char* value) {
      auto it = byName_.find(attr);
      if (it != byName_.end() && columns_[it->second].field >= 0)
        values[columns_[it->second].field] = value;
    };
    for (auto& [a, v] : original_) take(a.c_str(), v.c_str());
    for (; *atts; atts += 2) take(atts[0], atts[1]);
    Store(values);
  }

  bool ParseInt(Field f, const char* v, std::int32_t& out) {
    const char* begin = v;
    const char* end = v + std::strlen(v);
    if (begin != end && *begin == '+') ++begin;
    std::int64_t wide = 0;
    auto [p, ec] = std::from_chars(begin, end, wide);
    if (ec == std::errc() && p == end && begin != end &&
        wide >= std::numeric_limits<std::int32_t>::min() &&
        wide <= std::numeric_limits<std::int32_t>::max()) {
      out = static_cast<std::int32_t>(wide);
      return true;
    }
    const bool tooLarge = ec == std::errc::result_out_of_range ||
                          (ec == std::errc() && p == end && begin != end);
    Refuse("row " + std::to_string(table_.size() + 1) + ": field " + std::string(FieldName(f)) +
           ": " + Quote(v) + (tooLarge ? " is out of the integer range" : " is not an integer"));
    return false;
  }

  bool ParseBool(Field f, const char* v, bool& out) {
    std::string_view s(v);
    if (EqualsIgnoreCase(s, "True") || s == "1" || s == "-1") {
      out = true;
      return true;
    }
    if (EqualsIgnoreCase(s, "False") || s == "0") {
      out = false;
      return true;
    }
    Refuse("row " + std::to_string(table_.size() + 1) + ": field " + std::string(FieldName(f)) +
           ": " + Quote(v) + " is not a Boolean");
    return false;
  }

  void Store(const std::array<const char*, kFieldCount>& values) {
    Table::Record r{};
    for (Field f : kAllFields) {
      const char* v = values[static_cast<int>(f)];
      if (!v) {
        r.nullMask = static_cast<std::uint16_t>(r.nullMask | (1u << static_cast<int>(f)));
        continue;
      }
      if (int s = IntSlot(f); s >= 0) {
        if (!ParseInt(f, v, r.ints[s])) return;
      } else if (int b = BoolSlot(f); b >= 0) {
        bool on = false;
        if (!ParseBool(f, v, on)) return;
        if (on) r.flags = static_cast<std::uint8_t>(r.flags | (1u << b));
      }
    }
    std::string& arena = table_.arena();
    r.textBegin = static_cast<std::uint32_t>(arena.size());
    for (Field f : {Field::Number, Field::Oboz, Field::Naim, Field::Massa, Field::Count,
                    Field::Picture, Field::View, Field::Descript}) {
      if (const char* v = values[static_cast<int>(f)]) arena.append(v);
      if (arena.size() > std::numeric_limits<std::uint32_t>::max())
        return Refuse("the catalogue's texts exceed 4 GiB");
      r.textEnd[TextSlot(f)] = static_cast<std::uint32_t>(arena.size());
    }
    auto& records = table_.records();
    if (records.size() == kEstimateAfter) EstimateRows();
    records.push_back(r);
  }

  // Once some rows are in, the rest of the file tells roughly how many will follow;
  // reserving for them avoids copying the record array as it grows.
  void EstimateRows() {
    const auto consumed = static_cast<std::size_t>(XML_GetCurrentByteIndex(parser_));
    if (consumed == 0 || sizeHint_ <= consumed) return;
    const double perRow = static_cast<double>(consumed) / static_cast<double>(kEstimateAfter);
    // Rows of a few bytes followed by a long tail (a comment, whitespace) would make the
    // estimate many times the file's size: a real row (sixteen attributes) is longer than
    // kMinRowBytes, so the estimate never reserves more record memory than the file's size.
    const auto expected = std::min(static_cast<std::size_t>(static_cast<double>(sizeHint_) / perRow * 1.1),
                                   sizeHint_ / kMinRowBytes);
    ReserveHint([&] { table_.ReserveRecords(expected + kEstimateAfter); });
  }

  // A reservation only saves copying: when the memory is not there, the table grows as it goes.
  template <class Fn>
  static void ReserveHint(Fn reserve) {
    try {
      reserve();
    } catch (const std::bad_alloc&) {
    }
  }

  static constexpr std::size_t kEstimateAfter = 512;
  static constexpr std::size_t kMinRowBytes = 64;

  std::string name_;
  std::size_t sizeHint_;
  XML_Parser parser_ = nullptr;
  std::string error_;
  Table table_;

  int depth_ = 0;
  int schemaDepth_ = 0, elementTypeDepth_ = 0, attributeTypeDepth_ = 0, skipSchemaDepth_ = 0;
  int dataDepth_ = 0, skipDepth_ = 0, updateDepth_ = 0, originalDepth_ = 0;
  bool schemaDone_ = false, haveElementType_ = false, sawData_ = false;
  std::string rowName_;
  std::string rowExpanded_;
  std::vector<Column> columns_;
  std::unordered_map<std::string, int> byName_;
  std::vector<std::pair<std::string, int>> attrCache_;
  std::vector<std::pair<std::string, std::string>> original_;
};

}  // namespace

Result<Table> ReadAdoText(std::string_view xml, const std::string& name) {
  Reader reader(name, xml.size());
  reader.Feed(xml.data(), xml.size(), true);
  return std::move(reader).Finish();
}

Result<Table> ReadAdoFile(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path p(std::u8string(path.begin(), path.end()));
  std::error_code ec;
  if (!fs::exists(p, ec)) return Result<Table>::Fail(path + ": the file does not exist");
  if (fs::is_directory(p, ec)) return Result<Table>::Fail(path + ": is a directory, not a file");
  const auto size = fs::file_size(p, ec);
  std::ifstream in(p, std::ios::binary);
  if (!in) return Result<Table>::Fail(path + ": the file cannot be opened");
  Reader reader(path, ec ? 0 : static_cast<std::size_t>(size));
  reader.FeedStream(in);
  return std::move(reader).Finish();
}

}  // namespace catalogue
