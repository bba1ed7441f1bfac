#include "catalogue/ado_reader.h"
#include "catalogue/row_scanner.h"

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
#include <optional>
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
// The head of a document (everything before its rows) is kept in memory while it is read, so
// that expat can be set back inside the data section; a head longer than this is read by
// expat alone.
constexpr std::size_t kMaxHead = 8 << 20;
// A token that the scanner has not seen the end of within this many bytes goes to expat.
constexpr std::size_t kMaxToken = 8 << 20;

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

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The document's bytes as they arrive: all at once from memory, or from a stream piece by
// piece. [data(), data() + size()) holds the bytes from document offset base() on.
class Input {
 public:
  explicit Input(std::string_view text) : data_(text.data()), size_(text.size()), last_(true) {}
  Input(std::istream& in, std::size_t piece) : in_(&in), piece_(std::max<std::size_t>(piece, 1)) {}

  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::uint64_t base() const { return base_; }
  std::uint64_t end() const { return base_ + size_; }
  bool last() const { return last_; }  // no bytes follow the ones held
  bool bad() const { return bad_; }

  // Drops the bytes before document offset `keep` and reads the next piece after the held ones.
  void Read(std::uint64_t keep) {
    if (last_) return;
    const auto drop = static_cast<std::size_t>(keep - base_);
    if (drop > 0) std::memmove(buffer_.data(), buffer_.data() + drop, size_ - drop);
    size_ -= drop;
    base_ = keep;
    if (buffer_.size() < size_ + piece_) buffer_.resize(size_ + piece_);
    in_->read(buffer_.data() + size_, static_cast<std::streamsize>(piece_));
    const auto got = static_cast<std::size_t>(in_->gcount());
    bad_ = in_->bad();
    size_ += got;
    last_ = got < piece_ || bad_;
    data_ = buffer_.data();
  }

 private:
  std::istream* in_ = nullptr;
  std::size_t piece_ = 0;
  std::vector<char> buffer_;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  std::uint64_t base_ = 0;
  bool last_ = false, bad_ = false;
};

struct Column {
  std::string attrName;  // the name the rows use
  std::string realName;  // rs:name when present, else the attribute name
  std::string dataType;  // dt:type
  int field = -1;        // index into kAllFields, -1 for a column the catalogue does not use
};

class Reader {
 public:
  // A row's values by field; a value without data was not given.
  using Values = std::array<std::string_view, kFieldCount>;

  // With `scan`, the rows are read by a RowScanner where the document allows it.
  Reader(std::string name, std::size_t sizeHint, bool scan)
      : name_(std::move(name)), sizeHint_(sizeHint), collecting_(scan) {
    parser_ = NewParser();
    if (parser_ && scan) {
      XML_SetXmlDeclHandler(parser_, &Reader::OnXmlDecl);
      XML_SetNamespaceDeclHandler(parser_, &Reader::OnNamespaceStart, &Reader::OnNamespaceEnd);
    }
    ReserveHint(
        [&] { table_.ReserveText(std::min<std::size_t>(sizeHint, std::numeric_limits<std::uint32_t>::max())); });
  }
  ~Reader() {
    if (parser_) XML_ParserFree(parser_);
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // Whether the scanner read any of the rows: a refusal then has to be read again by expat
  // alone to say what and where.
  bool scanned() const { return scanned_; }

  // Reads the whole input: expat up to the data section, the scanner for its rows as far as
  // they keep to its grammar, then expat again for the rest.
  bool Run(Input& in) {
    if (!parser_) return Fail("out of memory");
    std::uint64_t fed = 0;  // the bytes up to here are with expat
    for (;;) {
      if (fed == in.end() && !in.last()) {
        // The head is kept whole while the rows may yet be scanned.
        if (collecting_ && in.size() > kMaxHead) collecting_ = false;
        in.Read(collecting_ ? in.base() : fed);
        if (in.bad()) return Fail("the file cannot be read");
      }
      if (collecting_) head_ = in.data();  // the document from its first byte
      const bool last = in.last();
      if (!Feed(in.data() + (fed - in.base()), static_cast<std::size_t>(in.end() - fed), last)) {
        if (!handOver_) return false;
        break;
      }
      fed = in.end();
      if (last) return true;
    }
    XML_ParserFree(parser_);
    parser_ = nullptr;
    handOver_ = false;
    return ScanRows(in);
  }

  // Feeds the next piece of the document; false once the document is refused.
  bool Feed(const char* data, std::size_t len, bool last) {
    if (!parser_) return Fail("out of memory");
    while (len > 0 || last) {
      const int piece = static_cast<int>(std::min<std::size_t>(len, 1 << 30));
      const bool final = last && static_cast<std::size_t>(piece) == len;
      if (XML_Parse(parser_, data, piece, final) == XML_STATUS_ERROR) return handOver_ ? false : XmlFailed();
      data += piece;
      len -= static_cast<std::size_t>(piece);
      if (final) break;
    }
    return true;
  }

  // Reads straight into the parser's own buffer, so the file is never copied twice.
  bool FeedStream(std::istream& in, std::size_t piece) {
    if (!parser_) return Fail("out of memory");
    const int chunk = static_cast<int>(std::clamp<std::size_t>(piece, 1, 1 << 30));
    for (;;) {
      void* buf = XML_GetBuffer(parser_, chunk);
      if (!buf) return Fail("out of memory");
      in.read(static_cast<char*>(buf), chunk);
      const std::streamsize got = in.gcount();
      if (in.bad()) return Fail("the file cannot be read");
      const bool last = got < static_cast<std::streamsize>(chunk);
      if (XML_ParseBuffer(parser_, static_cast<int>(got), last) == XML_STATUS_ERROR) return XmlFailed();
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
  // Refuses the document at the parser's current position. Rows the scanner read have no
  // parser position: their refusal is said again by expat alone.
  void Refuse(const std::string& what) {
    if (!parser_) {
      Fail(what);
      return;
    }
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
  XML_Parser NewParser() {
    XML_Parser parser = XML_ParserCreateNS(nullptr, kNsSep);
    if (!parser) return nullptr;
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &Reader::OnStart, &Reader::OnEnd);
    XML_SetStartDoctypeDeclHandler(parser, &Reader::OnDoctype);
    XML_SetUnknownEncodingHandler(parser, &UnknownEncoding, nullptr);
    return parser;
  }

  static void XMLCALL OnXmlDecl(void* self, const XML_Char*, const XML_Char* encoding, int) {
    if (encoding && !EqualsIgnoreCase(encoding, "UTF-8")) static_cast<Reader*>(self)->utf8_ = false;
  }
  static void XMLCALL OnNamespaceStart(void* self, const XML_Char* prefix, const XML_Char* uri) {
    auto* reader = static_cast<Reader*>(self);
    if (!reader->collecting_) return;
    try {
      reader->namespaces_.emplace_back(prefix ? prefix : "", uri ? uri : "");
    } catch (const std::bad_alloc&) {
      reader->collecting_ = false;
    }
  }
  static void XMLCALL OnNamespaceEnd(void* self, const XML_Char* prefix) {
    auto* reader = static_cast<Reader*>(self);
    if (!reader->collecting_) return;
    const std::string_view p = prefix ? prefix : "";
    auto& ns = reader->namespaces_;
    for (auto it = ns.rbegin(); it != ns.rend(); ++it) {
      if (it->first == p) {
        ns.erase(std::next(it).base());
        break;
      }
    }
  }

  static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** atts) {
    auto* reader = static_cast<Reader*>(self);
    if (reader->replaying_) return;
    try {
      reader->Start(name, atts);
    } catch (const std::bad_alloc&) {
      reader->Refuse("out of memory");
    }
  }
  static void XMLCALL OnEnd(void* self, const XML_Char* name) {
    auto* reader = static_cast<Reader*>(self);
    if (reader->replaying_) return;
    try {
      reader->End(name);
    } catch (const std::bad_alloc&) {
      reader->Refuse("out of memory");
    }
  }

  void Start(const char* name, const char** atts) {
    if (++depth_ > kMaxDepth) return Refuse("elements are nested too deeply");
    if (collecting_) openTags_.emplace_back(XML_GetCurrentByteIndex(parser_), XML_GetCurrentByteCount(parser_));

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
      return PrepareScan();
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
    if (collecting_ && !openTags_.empty()) openTags_.pop_back();
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
      if (columnOf[fi] >= 0) return Refuse("the schema declares the field " + std::string(FieldName(*f)) + " twice");
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
    if (index < attrCache_.size() && attrCache_[index].first == attr) return attrCache_[index].second;
    auto it = byName_.find(attr);
    const int col = it == byName_.end() ? -1 : it->second;
    if (index >= attrCache_.size()) attrCache_.resize(index + 1);
    attrCache_[index] = {attr, col};
    return col;
  }

  void AddRow(const char** atts) {
    Values values{};
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
  // The columns its rs:forcenull names (separated by blanks) have become null.
  void UpdatedRow(const char** atts) {
    Values values{};
    // A value without data is a null.
    auto take = [&](std::string_view attr, std::string_view value) {
      auto it = byName_.find(std::string(attr));
      if (it != byName_.end() && columns_[it->second].field >= 0) values[columns_[it->second].field] = value;
    };
    for (auto& [a, v] : original_) take(a, v);
    std::string_view forceNull;
    for (; *atts; atts += 2) {
      if (Is(Split(atts[0]), kRowsetNs, "forcenull"))
        forceNull = atts[1];
      else
        take(atts[0], std::string_view(atts[1]));
    }
    for (std::size_t at = 0; at < forceNull.size();) {
      const std::size_t end = std::min(forceNull.find_first_of(" \t\r\n", at), forceNull.size());
      if (end > at) take(forceNull.substr(at, end - at), std::string_view());
      at = end + 1;
    }
    Store(values);
  }

  bool ParseInt(Field f, std::string_view v, std::int32_t& out) {
    const char* begin = v.data();
    const char* end = v.data() + v.size();
    if (begin != end && *begin == '+') ++begin;
    std::int64_t wide = 0;
    auto [p, ec] = std::from_chars(begin, end, wide);
    if (ec == std::errc() && p == end && begin != end && wide >= std::numeric_limits<std::int32_t>::min() &&
        wide <= std::numeric_limits<std::int32_t>::max()) {
      out = static_cast<std::int32_t>(wide);
      return true;
    }
    const bool tooLarge = ec == std::errc::result_out_of_range || (ec == std::errc() && p == end && begin != end);
    Refuse("row " + std::to_string(table_.size() + 1) + ": field " + std::string(FieldName(f)) + ": " + Quote(v) +
           (tooLarge ? " is out of the integer range" : " is not an integer"));
    return false;
  }

  bool ParseBool(Field f, std::string_view s, bool& out) {
    if (EqualsIgnoreCase(s, "True") || s == "1" || s == "-1") {
      out = true;
      return true;
    }
    if (EqualsIgnoreCase(s, "False") || s == "0") {
      out = false;
      return true;
    }
    Refuse("row " + std::to_string(table_.size() + 1) + ": field " + std::string(FieldName(f)) + ": " + Quote(s) +
           " is not a Boolean");
    return false;
  }

  // Adds a record; false when a value is refused.
  bool Store(const Values& values) {
    Table::Record r{};
    for (Field f : kAllFields) {
      const std::string_view v = values[static_cast<int>(f)];
      if (!v.data()) {
        r.nullMask = static_cast<std::uint16_t>(r.nullMask | (1u << static_cast<int>(f)));
        continue;
      }
      if (int s = IntSlot(f); s >= 0) {
        if (!ParseInt(f, v, r.ints[s])) return false;
      } else if (int b = BoolSlot(f); b >= 0) {
        bool on = false;
        if (!ParseBool(f, v, on)) return false;
        if (on) r.flags = static_cast<std::uint8_t>(r.flags | (1u << b));
      }
    }
    std::string& arena = table_.arena();
    r.textBegin = static_cast<std::uint32_t>(arena.size());
    for (Field f : {Field::Number, Field::Oboz, Field::Naim, Field::Massa, Field::Count, Field::Picture, Field::View,
                    Field::Descript}) {
      arena.append(values[static_cast<int>(f)]);
      if (arena.size() > std::numeric_limits<std::uint32_t>::max()) {
        Refuse("the catalogue's texts exceed 4 GiB");
        return false;
      }
      r.textEnd[TextSlot(f)] = static_cast<std::uint32_t>(arena.size());
    }
    auto& records = table_.records();
    if (records.size() == kEstimateAfter) EstimateRows();
    records.push_back(r);
    return true;
  }

  // Once some rows are in, the rest of the file tells roughly how many will follow;
  // reserving for them avoids copying the record array as it grows.
  void EstimateRows() {
    const auto consumed = static_cast<std::size_t>(parser_ ? XML_GetCurrentByteIndex(parser_) + byteShift_
                                                           : static_cast<XML_Index>(scannedTo_));
    if (consumed == 0 || sizeHint_ <= consumed) return;
    const double perRow = static_cast<double>(consumed) / static_cast<double>(kEstimateAfter);
    // Rows of a few bytes followed by a long tail (a comment, whitespace) would make the
    // estimate many times the file's size: a real row (sixteen attributes) is longer than
    // kMinRowBytes, so the estimate never reserves more record memory than the file's size.
    const auto expected =
        std::min(static_cast<std::size_t>(static_cast<double>(sizeHint_) / perRow * 1.1), sizeHint_ / kMinRowBytes);
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

  // Entering rs:data: when the document allows it, expat stops here and the scanner reads on.
  // It needs a UTF-8 document, an rs:data with content, names it can match byte for byte, and
  // room for an rs:insert and a row below the nesting limit.
  void PrepareScan() {
    if (!collecting_) return;
    collecting_ = false;
    const XML_Index index = XML_GetCurrentByteIndex(parser_);
    const int count = XML_GetCurrentByteCount(parser_);
    if (!error_.empty() || index < 0 || count < 3 || !utf8_ || depth_ + 2 > kMaxDepth) return;
    const unsigned char first = static_cast<unsigned char>(head_[0]), second = static_cast<unsigned char>(head_[1]);
    if (first == 0 || second == 0 || first >= 0xFE) return;  // UTF-16
    const char* tag = head_ + index;
    if (tag[0] != '<' || tag[count - 1] != '>' || tag[count - 2] == '/') return;
    if (!RowScanner::IsPlainName(rowName_)) return;

    std::size_t nameEnd = 1;
    while (nameEnd < static_cast<std::size_t>(count) && !IsSpace(tag[nameEnd]) && tag[nameEnd] != '>' &&
           tag[nameEnd] != '/')
      ++nameEnd;
    const std::string_view dataName(tag + 1, nameEnd - 1);
    const auto colon = dataName.find(':');
    const std::string_view rowsetPrefix =
        colon == std::string_view::npos ? std::string_view() : dataName.substr(0, colon);
    if (!rowsetPrefix.empty() && !RowScanner::IsPlainName(rowsetPrefix)) return;

    // The prefix the rows are written with: one whose innermost binding is the row namespace.
    std::optional<std::string_view> rowPrefix;
    std::vector<std::string_view> shadowed;
    for (auto it = namespaces_.rbegin(); it != namespaces_.rend() && !rowPrefix; ++it) {
      const std::string_view prefix = it->first;
      if (std::find(shadowed.begin(), shadowed.end(), prefix) != shadowed.end()) continue;
      shadowed.push_back(prefix);
      if (EqualsIgnoreCase(it->second, kRowNs) && (prefix.empty() || RowScanner::IsPlainName(prefix)))
        rowPrefix = prefix;
    }
    if (!rowPrefix) return;

    std::vector<std::string> names;
    names.reserve(columns_.size());
    for (const Column& c : columns_) names.push_back(c.attrName);
    const std::string rowTag = rowPrefix->empty() ? rowName_ : std::string(*rowPrefix) + ":" + rowName_;
    scanner_.emplace(rowTag, rowsetPrefix, names);
    insertTag_ = "<" + std::string(rowsetPrefix) + (rowsetPrefix.empty() ? "" : ":") + "insert>";
    for (const auto& [at, length] : openTags_) headTags_.append(head_ + at, static_cast<std::size_t>(length));
    resumeAt_ = static_cast<std::uint64_t>(index + count);
    handOver_ = true;
    XML_StopParser(parser_, XML_FALSE);
  }

  bool AddScannedRow(const std::vector<RowScanner::Attribute>& attributes) {
    Values values{};
    for (const auto& a : attributes)
      if (const int f = columns_[static_cast<std::size_t>(a.column)].field; f >= 0) values[f] = a.value;
    return Store(values);
  }

  // The scanner reads rows from resumeAt_ on until it meets a token outside its grammar;
  // expat then goes on from that token to the end.
  bool ScanRows(Input& in) {
    RowScanner& scanner = *scanner_;
    scanned_ = true;
    std::uint64_t at = resumeAt_;
    bool inInsert = false;
    for (;;) {
      const char* p = in.data() + (at - in.base());
      const char* end = in.data() + in.size();
      RowScanner::Token token;
      for (;;) {
        const char* before = p;
        token = scanner.Next(p, end, in.last());
        if (token == RowScanner::Token::Row) {
          scannedTo_ = in.base() + static_cast<std::uint64_t>(p - in.data());
          if (!AddScannedRow(scanner.attributes())) return false;
        } else if (token == RowScanner::Token::InsertStart && !inInsert) {
          inInsert = true;
          ++depth_;
        } else if (token == RowScanner::Token::InsertEnd && inInsert) {
          inInsert = false;
          --depth_;
        } else {
          // An rs:insert inside another or an end tag without a start: expat says what it is.
          if (token == RowScanner::Token::InsertStart || token == RowScanner::Token::InsertEnd) p = before;
          break;
        }
      }
      at = in.base() + static_cast<std::uint64_t>(p - in.data());
      if (token != RowScanner::Token::NeedMore || in.end() - at > kMaxToken) break;
      in.Read(at);
      if (in.bad()) return Fail("the file cannot be read");
    }

    // Expat is set inside the same open elements by their start tags, then reads on.
    parser_ = NewParser();
    if (!parser_) return Fail("out of memory");
    const std::string context = headTags_ + (inInsert ? insertTag_ : std::string());
    replaying_ = true;
    const bool set =
        XML_Parse(parser_, context.data(), static_cast<int>(context.size()), XML_FALSE) != XML_STATUS_ERROR;
    replaying_ = false;
    if (!set) return Fail("the data section cannot be taken up again");
    byteShift_ = static_cast<XML_Index>(at) - static_cast<XML_Index>(context.size());
    for (;;) {
      const bool last = in.last();
      if (!Feed(in.data() + (at - in.base()), static_cast<std::size_t>(in.end() - at), last)) return false;
      at = in.end();
      if (last) return true;
      in.Read(at);
      if (in.bad()) return Fail("the file cannot be read");
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

  // Reading the rows with the scanner.
  bool collecting_;         // the head's open tags and namespaces are being kept
  bool utf8_ = true;        // no other encoding is declared
  bool handOver_ = false;   // expat was stopped at rs:data for the scanner
  bool replaying_ = false;  // expat is being set back inside the data section
  bool scanned_ = false;
  const char* head_ = nullptr;                                   // the document from its first byte, while collecting
  std::vector<std::pair<XML_Index, int>> openTags_;              // start tags of the open elements
  std::vector<std::pair<std::string, std::string>> namespaces_;  // prefix and URI, in scope
  std::optional<RowScanner> scanner_;
  std::string headTags_;         // the start tags of rs:data and the elements around it
  std::string insertTag_;        // "<rs:insert>" with the document's prefix
  std::uint64_t resumeAt_ = 0;   // the first byte after rs:data's start tag
  std::uint64_t scannedTo_ = 0;  // the end of the last row the scanner read
  XML_Index byteShift_ = 0;      // document offset of expat's byte 0, less what it was set back with
};

}  // namespace

Result<Table> ReadAdoText(std::string_view xml, const std::string& name, RowReader rows) {
  if (rows == RowReader::Scanner) {
    Reader reader(name, xml.size(), true);
    Input in(xml);
    reader.Run(in);
    auto result = std::move(reader).Finish();
    if (result.ok() || !reader.scanned()) return result;
  }
  Reader reader(name, xml.size(), false);
  reader.Feed(xml.data(), xml.size(), true);
  return std::move(reader).Finish();
}

Result<Table> ReadAdoStream(std::istream& in, const std::string& name, std::size_t sizeHint, RowReader rows,
                            std::size_t piece) {
  if (rows == RowReader::Scanner) {
    {
      Reader reader(name, sizeHint, true);
      Input input(in, piece);
      reader.Run(input);
      auto result = std::move(reader).Finish();
      if (result.ok() || !reader.scanned()) return result;
    }
    in.clear();
    in.seekg(0);
    if (!in) return Result<Table>::Fail(name + ": the file cannot be read");
  }
  Reader reader(name, sizeHint, false);
  reader.FeedStream(in, piece);
  return std::move(reader).Finish();
}

Result<Table> ReadAdoFile(const std::string& path, RowReader rows) {
  namespace fs = std::filesystem;
  const fs::path p(std::u8string(path.begin(), path.end()));
  std::error_code ec;
  if (!fs::exists(p, ec)) return Result<Table>::Fail(path + ": the file does not exist");
  if (fs::is_directory(p, ec)) return Result<Table>::Fail(path + ": is a directory, not a file");
  const auto size = fs::file_size(p, ec);
  std::ifstream in(p, std::ios::binary);
  if (!in) return Result<Table>::Fail(path + ": the file cannot be opened");
  return ReadAdoStream(in, path, ec ? 0 : static_cast<std::size_t>(size), rows);
}

}  // namespace catalogue
