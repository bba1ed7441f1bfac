#include "order_engine/docx_engine.h"

#include "base/file_lookup.h"
#include "base/utf8.h"
#include "base/write_file.h"

#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <string_view>
#include <system_error>
#include <unordered_map>

namespace order {

using base::AppendUtf8;
using base::DecodeUtf8At;

using base::PathFromUtf8;
using base::Result;
using base::Status;

namespace {

namespace fs = std::filesystem;

// Templates come from outside: bounds on what a package may make us inflate and walk.
constexpr std::uint64_t kMaxXmlPart = 64ull << 20;   // the main part and the XML read to find it
constexpr std::uint64_t kMaxPackage = 256ull << 20;  // all parts inflated together
constexpr std::int64_t kMaxEntries = 10000;
constexpr int kMaxDepth = 256;  // element nesting in the main part (the walks recurse)

const char* const kWordNamespaces[] = {
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main",
    "http://purl.oclc.org/ooxml/wordprocessingml/main",
};
const char* const kOfficeDocumentRelTypes[] = {
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument",
    "http://purl.oclc.org/ooxml/officeDocument/relationships/officeDocument",
};
constexpr std::string_view kDocumentMainType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
constexpr std::string_view kTemplateMainType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
constexpr std::string_view kMacroDocumentType = "application/vnd.ms-word.document.macroenabled.main+xml";
constexpr std::string_view kMacroTemplateType = "application/vnd.ms-word.template.macroenabledtemplate.main+xml";
constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view LocalName(const char* name) {
  std::string_view n(name);
  std::size_t colon = n.rfind(':');
  return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

// ---- UTF-8 ----------------------------------------------------------------------------

constexpr char32_t kReplacement = 0xFFFD;

std::u32string ToU32(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0, len = 0; i < s.size(); i += len) out += DecodeUtf8At(s, i, &len);
  return out;
}

std::string ToUtf8(std::u32string_view s) {
  std::string out;
  for (char32_t c : s) AppendUtf8(out, c);
  return out;
}

// Text to insert, cut into plain text, tabs and line breaks. Characters XML cannot carry are
// dropped or replaced so that the saved part stays well-formed.
struct Piece {
  enum Kind { kText, kTab, kBreak } kind;
  std::string text;
};

std::vector<Piece> ToPieces(std::string_view in, std::size_t* chars) {
  std::vector<Piece> out;
  *chars = 0;
  for (std::size_t i = 0, len = 0; i < in.size(); i += len) {
    char32_t c = DecodeUtf8At(in, i, &len);
    if (c == '\t') {
      out.push_back({Piece::kTab, {}});
    } else if (c == '\r' || c == '\n' || c == '\v' || c == '\f') {
      if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++len;
      out.push_back({Piece::kBreak, {}});
    } else if (c < 0x20) {
      continue;
    } else {
      if (c == 0xFFFE || c == 0xFFFF) c = kReplacement;
      if (out.empty() || out.back().kind != Piece::kText) out.push_back({Piece::kText, {}});
      AppendUtf8(out.back().text, c);
    }
    ++*chars;
  }
  return out;
}

// ---- The package -----------------------------------------------------------------------

struct Part {
  std::string name;  // the ZIP entry name, no leading '/'
  std::string data;
  bool directory = false;
};

// The first bytes of an OLE compound file: a Word 97-2003 document or template.
constexpr char kCompoundFileMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// A part name that stays inside the package: relative, without "..".
bool SafePartName(const std::string& name) {
  if (name.front() == '/' || name.front() == '\\' || name.find(':') != std::string::npos) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    if (name.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

// Why a file could not be written, in the user's words.
std::string WriteError(std::error_code error) {
  if (error == std::errc::no_space_on_device) return "на диске нет места.";
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
    return "нет прав на запись в эту папку.";
  if (error == std::errc::read_only_file_system) return "диск доступен только для чтения.";
  if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) return "папка не найдена.";
  return "ошибка записи.";
}

// Inflates one entry, stopping as soon as it yields more than it stated.
Status ReadEntry(zip_t* z, zip_uint64_t index, zip_uint64_t stated, std::string* out) {
  zip_file_t* f = zip_fopen_index(z, index, 0);
  if (!f) return Status::Fail("не читается");
  out->clear();
  out->reserve(static_cast<std::size_t>(std::min<zip_uint64_t>(stated, 16u << 20)));
  std::vector<char> buf(1 << 16);
  Status status = Status::Ok();
  for (;;) {
    const zip_int64_t n = zip_fread(f, buf.data(), buf.size());
    if (n < 0) {
      status = Status::Fail("не распаковывается");
      break;
    }
    if (n == 0) break;
    if (out->size() + static_cast<std::uint64_t>(n) > stated) {
      status = Status::Fail("распаковывается больше заявленного размера");
      break;
    }
    out->append(buf.data(), static_cast<std::size_t>(n));
  }
  zip_fclose(f);
  if (status && out->size() != stated) status = Status::Fail("короче заявленного размера");
  return status;
}

Status ParseXml(const std::string& data, const std::string& name, pugi::xml_document* doc) {
  // Whitespace-only text is kept wherever it stands: a w:t holding a space, also one beside
  // other content, must read back after saving as it was typed.
  const pugi::xml_parse_result r =
      doc->load_buffer(data.data(), data.size(), pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_doctype);
  if (!r) return Status::Fail("часть " + name + " содержит ошибку XML (байт " + std::to_string(r.offset) + ")");
  for (pugi::xml_node c = doc->first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_doctype)
      return Status::Fail("часть " + name + " содержит объявление DOCTYPE, которого в документах Word не бывает");
  if (!doc->document_element()) return Status::Fail("часть " + name + " не содержит XML");
  return Status::Ok();
}

// pugixml writes a carriage return of text (read from "&#13;") as it is, and a reader takes
// a bare one for a line end; written as a character reference it reads back unchanged. A bare
// one can come from nowhere else: line ends were normalised when the XML was read.
struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, std::size_t size) override {
    std::string_view chunk(static_cast<const char*>(data), size);
    for (std::size_t cr; (cr = chunk.find('\r')) != std::string_view::npos; chunk.remove_prefix(cr + 1))
      out.append(chunk.substr(0, cr)).append("&#13;");
    out.append(chunk);
  }
};

std::string Serialize(const pugi::xml_document& doc) {
  StringWriter w;
  w.out = kXmlDeclaration;
  doc.save(w, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return std::move(w.out);
}

// Resolves a relationship target of the package root to an entry name.
std::string ResolveRootTarget(std::string_view target) {
  std::vector<std::string> segments;
  std::size_t i = 0;
  while (i <= target.size()) {
    std::size_t slash = target.find('/', i);
    if (slash == std::string_view::npos) slash = target.size();
    std::string_view seg = target.substr(i, slash - i);
    if (seg == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!seg.empty() && seg != ".") {
      segments.emplace_back(seg);
    }
    i = slash + 1;
  }
  std::string out;
  for (const std::string& s : segments) out += (out.empty() ? "" : "/") + s;
  return out;
}

struct ContentTypes {
  std::map<std::string, std::string> defaults;   // extension, lower case
  std::map<std::string, std::string> overrides;  // "/part/name", lower case

  std::string TypeOf(const std::string& entryName) const {
    const std::string part = "/" + Lower(entryName);
    if (auto it = overrides.find(part); it != overrides.end()) return it->second;
    const std::size_t dot = part.rfind('.');
    const std::size_t slash = part.rfind('/');
    if (dot != std::string::npos && dot > slash)
      if (auto it = defaults.find(part.substr(dot + 1)); it != defaults.end()) return it->second;
    return {};
  }
};

ContentTypes ReadContentTypes(const pugi::xml_document& doc) {
  ContentTypes ct;
  for (pugi::xml_node n : doc.document_element().children()) {
    const std::string_view local = LocalName(n.name());
    if (local == "Default")
      ct.defaults[Lower(n.attribute("Extension").value())] = Lower(n.attribute("ContentType").value());
    else if (local == "Override")
      ct.overrides[Lower(n.attribute("PartName").value())] = Lower(n.attribute("ContentType").value());
  }
  return ct;
}

// Makes the content types name the main part a document instead of a template.
void RetypeMainPart(pugi::xml_document& doc, const std::string& mainEntry) {
  const std::string part = "/" + Lower(mainEntry);
  pugi::xml_node root = doc.document_element();
  for (pugi::xml_node n : root.children()) {
    if (LocalName(n.name()) == "Override" && Lower(n.attribute("PartName").value()) == part) {
      n.attribute("ContentType").set_value(std::string(kDocumentMainType).c_str());
      return;
    }
  }
  // The type came from a Default: an Override for the main part alone.
  std::string name = root.name();
  const std::size_t colon = name.rfind(':');
  name = (colon == std::string::npos ? "" : name.substr(0, colon + 1)) + "Override";
  pugi::xml_node o = root.append_child(name.c_str());
  o.append_attribute("PartName") = ("/" + mainEntry).c_str();
  o.append_attribute("ContentType") = std::string(kDocumentMainType).c_str();
}

struct Package {
  std::vector<Part> parts;
  std::size_t main = 0;
  bool isTemplate = false;
};

Status ReadPackage(const std::string& path, Package* pkg) {
  const fs::path fsPath = PathFromUtf8(path);
  std::error_code ec;
  const fs::file_status st = fs::status(fsPath, ec);
  if (ec || !fs::exists(st)) return Status::Fail("Файл шаблона " + path + " не найден.");
  if (!fs::is_regular_file(st)) return Status::Fail(path + " — не файл.");
  {
    std::ifstream in(fsPath, std::ios::binary);
    char magic[8] = {};
    in.read(magic, sizeof magic);
    if (!in && !in.eof()) return Status::Fail("Файл шаблона " + path + " не читается.");
    if (in.gcount() == 8 && std::memcmp(magic, kCompoundFileMagic, 8) == 0) return Status::Fail(kWord97Template);
  }

  int zerr = 0;
  std::unique_ptr<zip_t, void (*)(zip_t*)> z(zip_open(path.c_str(), ZIP_RDONLY, &zerr),
                                             [](zip_t* p) { zip_discard(p); });
  if (!z) {
    if (zerr == ZIP_ER_NOZIP) return Status::Fail("Шаблон не является документом Word (.dotx, .docx).");
    return Status::Fail("Шаблон не открывается: файл повреждён.");
  }
  const std::string damaged = "Шаблон повреждён: ";

  const zip_int64_t count = zip_get_num_entries(z.get(), 0);
  if (count < 0 || count > kMaxEntries) return Status::Fail(damaged + "в нём слишком много частей.");
  std::vector<zip_uint64_t> sizes;
  std::set<std::string> seen;
  std::uint64_t total = 0;
  std::size_t contentTypes = SIZE_MAX, rootRels = SIZE_MAX;
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t zs;
    zip_stat_init(&zs);
    if (zip_stat_index(z.get(), static_cast<zip_uint64_t>(i), 0, &zs) != 0 || !(zs.valid & ZIP_STAT_NAME) ||
        !(zs.valid & ZIP_STAT_SIZE) || !zs.name || !*zs.name)
      return Status::Fail(damaged + "одна из частей не читается.");
    if ((zs.valid & ZIP_STAT_ENCRYPTION_METHOD) && zs.encryption_method != ZIP_EM_NONE)
      return Status::Fail("Шаблон зашифрован.");
    Part part;
    part.name = zs.name;
    part.directory = part.name.back() == '/';
    // Names are written back as they are into the order: one that could name a place outside
    // the package is refused.
    if (!SafePartName(part.name))
      return Status::Fail("Шаблон содержит часть с недопустимым именем «" + part.name + "».");
    if (!seen.insert(Lower(part.name)).second)
      return Status::Fail(damaged + "часть " + part.name + " встречается дважды.");
    const zip_uint64_t size = part.directory ? 0 : zs.size;
    if (size > kMaxPackage || total + size > kMaxPackage)
      return Status::Fail("Шаблон слишком велик: его части занимают больше " + std::to_string(kMaxPackage >> 20) +
                          " МиБ.");
    total += size;
    const std::string lower = Lower(part.name);
    if (lower == "[content_types].xml") contentTypes = pkg->parts.size();
    if (lower == "_rels/.rels") rootRels = pkg->parts.size();
    pkg->parts.push_back(std::move(part));
    sizes.push_back(size);
  }
  if (contentTypes == SIZE_MAX)
    return Status::Fail("Шаблон не является документом Word: в нём нет части [Content_Types].xml.");
  if (rootRels == SIZE_MAX) return Status::Fail("Шаблон не является документом Word: в нём нет части _rels/.rels.");

  std::vector<bool> read(pkg->parts.size(), false);
  auto readPart = [&](std::size_t i, std::uint64_t limit) {
    if (sizes[i] > limit)
      return Status::Fail("Шаблон слишком велик: часть " + pkg->parts[i].name + " занимает больше " +
                          std::to_string(limit >> 20) + " МиБ.");
    if (auto entry = ReadEntry(z.get(), i, sizes[i], &pkg->parts[i].data); !entry)
      return Status::Fail(damaged + "часть " + pkg->parts[i].name + " " + entry.error() + ".");
    read[i] = true;
    return Status::Ok();
  };
  if (auto s = readPart(contentTypes, kMaxXmlPart); !s) return s;
  if (auto s = readPart(rootRels, kMaxXmlPart); !s) return s;

  pugi::xml_document typesXml, relsXml;
  if (auto s = ParseXml(pkg->parts[contentTypes].data, "[Content_Types].xml", &typesXml); !s)
    return Status::Fail(damaged + s.error() + ".");
  if (auto s = ParseXml(pkg->parts[rootRels].data, "_rels/.rels", &relsXml); !s)
    return Status::Fail(damaged + s.error() + ".");
  std::string mainName;
  for (pugi::xml_node rel : relsXml.document_element().children()) {
    if (LocalName(rel.name()) != "Relationship") continue;
    if (Lower(rel.attribute("TargetMode").value()) == "external") continue;
    const std::string type = rel.attribute("Type").value();
    if (std::find(std::begin(kOfficeDocumentRelTypes), std::end(kOfficeDocumentRelTypes), type) !=
        std::end(kOfficeDocumentRelTypes)) {
      mainName = ResolveRootTarget(rel.attribute("Target").value());
      break;
    }
  }
  if (mainName.empty()) return Status::Fail("Шаблон не является документом Word: в нём нет основной части документа.");
  std::size_t main = SIZE_MAX;
  for (std::size_t i = 0; i < pkg->parts.size(); ++i)
    if (!pkg->parts[i].directory && Lower(pkg->parts[i].name) == Lower(mainName)) main = i;
  if (main == SIZE_MAX) return Status::Fail(damaged + "нет основной части документа " + mainName + ".");

  const ContentTypes types = ReadContentTypes(typesXml);
  const std::string mainType = types.TypeOf(pkg->parts[main].name);
  if (mainType == kMacroDocumentType || mainType == kMacroTemplateType)
    return Status::Fail("Шаблон содержит макросы. Используйте шаблон без макросов (.dotx).");
  if (mainType != kDocumentMainType && mainType != kTemplateMainType)
    return Status::Fail("Шаблон не является документом Word (его основная часть — " +
                        (mainType.empty() ? std::string("без объявленного типа") : mainType) + ").");
  if (auto s = readPart(main, kMaxXmlPart); !s) return s;
  for (std::size_t i = 0; i < pkg->parts.size(); ++i) {
    if (read[i] || pkg->parts[i].directory) continue;
    if (auto s = readPart(i, kMaxPackage); !s) return s;
  }

  pkg->main = main;
  pkg->isTemplate = mainType == kTemplateMainType;
  if (pkg->isTemplate) {
    RetypeMainPart(typesXml, pkg->parts[main].name);
    pkg->parts[contentTypes].data = Serialize(typesXml);
  }
  return Status::Ok();
}

// ---- Writing ---------------------------------------------------------------------------

Status BuildZip(const std::vector<Part>& parts, std::size_t main, const std::string& mainXml, std::string* out) {
  zip_error_t ze;
  zip_error_init(&ze);
  zip_source_t* mem = zip_source_buffer_create(nullptr, 0, 0, &ze);
  if (!mem) {
    Status failed = Status::Fail("пакет не собирается");
    zip_error_fini(&ze);
    return failed;
  }
  zip_t* z = zip_open_from_source(mem, ZIP_TRUNCATE, &ze);
  if (!z) {
    Status failed = Status::Fail("пакет не собирается");
    zip_error_fini(&ze);
    zip_source_free(mem);
    return failed;
  }
  zip_error_fini(&ze);
  zip_source_keep(mem);
  std::unique_ptr<zip_source_t, void (*)(zip_source_t*)> memGuard(mem, [](zip_source_t* s) { zip_source_free(s); });

  // [Content_Types].xml first, as Office writes it; the rest in the template's order.
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < parts.size(); ++i)
    if (Lower(parts[i].name) == "[content_types].xml")
      order.insert(order.begin(), i);
    else
      order.push_back(i);
  for (std::size_t i : order) {
    const Part& part = parts[i];
    if (part.directory) {
      if (zip_dir_add(z, part.name.c_str(), ZIP_FL_ENC_UTF_8) < 0) {
        Status failed = Status::Fail("пакет не собирается");
        zip_discard(z);
        return failed;
      }
      continue;
    }
    const std::string& data = i == main ? mainXml : part.data;
    zip_source_t* s = zip_source_buffer(z, data.data(), data.size(), 0);
    if (!s || zip_file_add(z, part.name.c_str(), s, ZIP_FL_ENC_UTF_8) < 0) {
      Status failed = Status::Fail("пакет не собирается");
      if (s) zip_source_free(s);
      zip_discard(z);
      return failed;
    }
  }
  if (zip_close(z) != 0) {
    Status failed = Status::Fail("пакет не собирается");
    zip_discard(z);
    return failed;
  }
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_source_stat(mem, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(mem) != 0) {
    return Status::Fail("пакет не собирается");
  }
  out->resize(static_cast<std::size_t>(st.size));
  const zip_int64_t n = zip_source_read(mem, out->data(), st.size);
  zip_source_close(mem);
  if (n < 0 || static_cast<zip_uint64_t>(n) != st.size) {
    return Status::Fail("пакет не собирается");
  }
  return Status::Ok();
}

// ---- The document's text ---------------------------------------------------------------

// One character: a code point of a w:t (bytes [byte, byte+bytes) of its text) or a whole
// element (tab, break, hyphen).
struct Unit {
  pugi::xml_node run;
  pugi::xml_node node;
  std::uint32_t byte = 0;
  std::uint32_t bytes = 0;
};

struct Para {
  pugi::xml_node p;
  std::vector<Unit> units;
  std::vector<pugi::xml_node> runs;  // visible runs in order, also those without text
  std::u32string text;
};

struct Pos {
  std::size_t para = 0;
  std::size_t off = 0;
  bool operator==(const Pos&) const = default;
};

// Where to put new run content: before `before`, a child of `run`, or at its end when null.
struct Loc {
  pugi::xml_node run;
  pugi::xml_node before;
};

}  // namespace

struct DocxDocument::Impl {
  std::vector<Part> parts;
  std::size_t mainPart = 0;
  pugi::xml_document xml;
  pugi::xml_node body;
  std::string pfx;  // the WordprocessingML prefix with its colon, e.g. "w:"

  std::vector<Para> paras;
  std::vector<pugi::xml_node> tables;
  Pos start, end;
  // After a deletion: the run that held the first deleted character, whose formatting text
  // typed at that point takes.
  struct {
    bool valid = false;
    Pos at;
    pugi::xml_node run;
  } typed;

  // ---- names

  bool Is(pugi::xml_node n, const char* local) const {
    const char* name = n.name();
    return std::strncmp(name, pfx.c_str(), pfx.size()) == 0 && std::strcmp(name + pfx.size(), local) == 0;
  }
  bool IsAny(pugi::xml_node n, std::initializer_list<const char*> locals) const {
    for (const char* l : locals)
      if (Is(n, l)) return true;
    return false;
  }
  std::string W(const char* local) const { return pfx + local; }

  void RemoveChildren(pugi::xml_node n, std::initializer_list<const char*> locals) const {
    for (pugi::xml_node c = n.first_child(); c;) {
      pugi::xml_node next = c.next_sibling();
      if (c.type() == pugi::node_element && IsAny(c, locals)) n.remove_child(c);
      c = next;
    }
  }

  // ---- load-time checks

  // Walks the whole main part without recursion: bounds the nesting and leaves every w:t
  // with at most one text child, which the editing relies on.
  Status PrepareTree() {
    pugi::xml_node root = xml.document_element();
    pugi::xml_node n = root;
    int depth = 0;
    for (;;) {
      if (n.type() == pugi::node_element && Is(n, "t")) {
        std::string text;
        int pieces = 0;
        bool cdata = false;
        for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
          if (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata) continue;
          text += c.value();
          ++pieces;
          cdata = cdata || c.type() == pugi::node_cdata;
        }
        if (pieces > 1 || cdata) {
          for (pugi::xml_node c = n.first_child(); c;) {
            pugi::xml_node next = c.next_sibling();
            if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) n.remove_child(c);
            c = next;
          }
          n.prepend_child(pugi::node_pcdata).set_value(text.c_str());
        }
      }
      if (pugi::xml_node c = n.first_child()) {
        n = c;
        if (++depth > kMaxDepth)
          return Status::Fail("элементы документа вложены глубже " + std::to_string(kMaxDepth) + " уровней");
        continue;
      }
      while (n != root && !n.next_sibling()) {
        n = n.parent();
        --depth;
      }
      if (n == root) return Status::Ok();
      n = n.next_sibling();
    }
  }

  // ---- the index of paragraphs and characters

  void Rebuild() {
    paras.clear();
    tables.clear();
    CollectBlocks(body);
    if (paras.empty()) {
      start = end = {};
      return;
    }
    auto clamp = [this](Pos& p) {
      if (p.para >= paras.size()) p = {paras.size() - 1, paras.back().units.size()};
      p.off = std::min(p.off, paras[p.para].units.size());
    };
    clamp(start);
    clamp(end);
  }

  void CollectBlocks(pugi::xml_node parent) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      if (Is(c, "p")) {
        AddPara(c);
      } else if (Is(c, "tbl")) {
        tables.push_back(c);
        CollectBlocks(c);
      } else if (IsAny(c, {"tr", "tc", "sdt", "sdtContent", "customXml"})) {
        CollectBlocks(c);
      }
    }
  }

  void AddPara(pugi::xml_node p) {
    Para para;
    para.p = p;
    CollectRuns(p, para);
    paras.push_back(std::move(para));
  }

  // Runs inside links, content controls, simple fields and inserted text count; deleted and
  // moved-away text, math and alternate content do not.
  void CollectRuns(pugi::xml_node parent, Para& para) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      if (Is(c, "r"))
        AddRun(c, para);
      else if (IsAny(c, {"hyperlink", "sdt", "sdtContent", "smartTag", "customXml", "fldSimple", "ins", "moveTo", "dir",
                         "bdo"}))
        CollectRuns(c, para);
    }
  }

  void AddRun(pugi::xml_node r, Para& para) {
    para.runs.push_back(r);
    for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      char32_t single = 0;
      if (Is(c, "t")) {
        const std::string_view s = c.text().get();
        for (std::size_t i = 0, len = 0; i < s.size(); i += len) {
          const char32_t cp = DecodeUtf8At(s, i, &len);
          para.units.push_back({r, c, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(len)});
          para.text += cp;
        }
        continue;
      }
      if (IsAny(c, {"tab", "ptab"}))
        single = U'\t';
      else if (IsAny(c, {"br", "cr"}))
        single = U'\n';
      else if (Is(c, "noBreakHyphen"))
        single = 0x2011;
      else if (Is(c, "softHyphen"))
        single = 0xAD;
      if (single) {
        para.units.push_back({r, c, 0, 0});
        para.text += single;
      }
    }
  }

  std::size_t Len(std::size_t para) const { return paras[para].units.size(); }

  // A body without any paragraph gets one (before the body's section properties) to type into.
  void EnsureParagraph() {
    if (!paras.empty()) return;
    pugi::xml_node sect = body.last_child();
    while (sect && sect.type() != pugi::node_element) sect = sect.previous_sibling();
    if (sect && Is(sect, "sectPr"))
      body.insert_child_before(W("p").c_str(), sect);
    else
      body.append_child(W("p").c_str());
    start = end = {};
    Rebuild();
  }

  // ---- w:t text

  static std::string TextOf(pugi::xml_node t) { return t.text().get(); }

  void SetText(pugi::xml_node t, const std::string& s) const {
    t.text().set(s.c_str());
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    if (!s.empty() && (space(s.front()) || space(s.back()) || s.find("  ") != std::string::npos)) {
      pugi::xml_attribute a = t.attribute("xml:space");
      if (!a) a = t.append_attribute("xml:space");
      a.set_value("preserve");
    }
  }

  // Joins neighbouring w:t elements of a run.
  void MergeTexts(pugi::xml_node run) const {
    for (pugi::xml_node c = run.first_child(); c;) {
      pugi::xml_node next = c.next_sibling();
      if (next && Is(c, "t") && Is(next, "t")) {
        SetText(c, TextOf(c) + TextOf(next));
        run.remove_child(next);
        continue;
      }
      c = next;
    }
  }

  // ---- removing text

  void RemoveUnits(const Para& para, std::size_t from, std::size_t to) const {
    for (std::size_t i = to; i > from;) {
      --i;
      const Unit& u = para.units[i];
      if (Is(u.node, "t")) {
        std::size_t j = i;
        while (j > from && para.units[j - 1].node == u.node) --j;
        std::string s = TextOf(u.node);
        const std::size_t b = para.units[j].byte;
        s.erase(b, u.byte + u.bytes - b);
        SetText(u.node, s);
        i = j;
      } else {
        pugi::xml_node run = u.run;
        run.remove_child(u.node);
      }
    }
  }

  // Removes [a, b) and collapses the selection at a. A range over several paragraphs or cells
  // (a selected row) loses its text; paragraphs and cells stay. Whether text was removed.
  bool DeleteRange(Pos a, Pos b) {
    if (b.para < a.para || (b.para == a.para && b.off <= a.off)) return false;
    pugi::xml_node anchor;
    if (a.off < Len(a.para)) anchor = paras[a.para].units[a.off].run;
    bool removed = false;
    for (std::size_t i = b.para + 1; i-- > a.para;) {
      const std::size_t from = i == a.para ? a.off : 0;
      const std::size_t to = i == b.para ? b.off : Len(i);
      if (to <= from) continue;
      RemoveUnits(paras[i], from, to);
      removed = true;
    }
    start = end = a;
    Rebuild();
    typed.valid = static_cast<bool>(anchor);
    typed.at = a;
    typed.run = anchor;
    return removed;
  }

  // Removes up to `count` characters after a collapsed selection, within its paragraph;
  // whether there were any.
  bool DeleteForward(std::size_t count) {
    const Pos at = end;
    if (paras.empty() || count == 0 || at.off >= Len(at.para)) return false;
    return DeleteRange(at, {at.para, std::min(at.off + count, Len(at.para))});
  }

  // ---- inserting text

  Loc AfterUnit(const Unit& u) const {
    if (Is(u.node, "t")) {
      const std::string s = TextOf(u.node);
      const std::size_t cut = u.byte + u.bytes;
      if (cut < s.size()) return {u.run, SplitText(u.node, s, cut)};
    }
    return {u.run, u.node.next_sibling()};
  }

  Loc BeforeUnit(const Unit& u) const {
    if (Is(u.node, "t") && u.byte > 0) return {u.run, SplitText(u.node, TextOf(u.node), u.byte)};
    return {u.run, u.node};
  }

  // Cuts a w:t in two at a byte offset; returns the second half.
  pugi::xml_node SplitText(pugi::xml_node t, const std::string& s, std::size_t cut) const {
    pugi::xml_node rest = t.parent().insert_child_after(t.name(), t);
    SetText(rest, s.substr(cut));
    SetText(t, s.substr(0, cut));
    return rest;
  }

  void PutPieces(const Loc& loc, const std::vector<Piece>& pieces) const {
    pugi::xml_node run = loc.run;
    for (const Piece& piece : pieces) {
      const std::string name = W(piece.kind == Piece::kText ? "t" : piece.kind == Piece::kTab ? "tab" : "br");
      pugi::xml_node n =
          loc.before ? run.insert_child_before(name.c_str(), loc.before) : run.append_child(name.c_str());
      if (piece.kind == Piece::kText) SetText(n, piece.text);
    }
    MergeTexts(run);
  }

  // A new empty run at `loc`, splitting the run there when `loc` falls inside its content.
  pugi::xml_node NewRunAt(const Loc& loc) const {
    pugi::xml_node r = loc.run;
    pugi::xml_node parent = r.parent();
    if (!loc.before) return parent.insert_child_after(r.name(), r);
    bool atStart = true;
    for (pugi::xml_node c = r.first_child(); c != loc.before; c = c.next_sibling())
      if (c.type() == pugi::node_element && !Is(c, "rPr")) atStart = false;
    if (atStart) return parent.insert_child_before(r.name(), r);
    pugi::xml_node tail = parent.insert_child_after(r.name(), r);
    for (pugi::xml_attribute a : r.attributes()) tail.append_attribute(a.name()) = a.value();
    if (pugi::xml_node props = r.child(W("rPr").c_str())) tail.append_copy(props);
    for (pugi::xml_node c = loc.before; c;) {
      pugi::xml_node next = c.next_sibling();
      tail.append_move(c);
      c = next;
    }
    return parent.insert_child_after(r.name(), r);
  }

  // A run holding nothing but formatting (and empty text): new text can go straight in.
  bool IsEmptyRun(pugi::xml_node r) const {
    for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      if (Is(c, "rPr") || Is(c, "lastRenderedPageBreak")) continue;
      if (Is(c, "t") && TextOf(c).empty()) continue;
      return false;
    }
    return true;
  }

  void CopyRunProperties(pugi::xml_node from, pugi::xml_node run) const {
    if (!from) return;
    pugi::xml_node props = run.prepend_copy(from);
    props.set_name(W("rPr").c_str());
    RemoveChildren(props, {"ins", "del", "moveFrom", "moveTo", "rPrChange"});
  }

  // Inserts at `at` with the formatting of `format` or, when null, of the run before the
  // point, of the paragraph's first run, or of the paragraph mark.
  void InsertAt(const Pos& at, const std::vector<Piece>& pieces, pugi::xml_node format) {
    const Para& para = paras[at.para];
    const std::size_t len = para.units.size();
    if (!format) {
      if (at.off > 0)
        format = para.units[at.off - 1].run;
      else if (len > 0)
        format = para.units[0].run;
      else if (!para.runs.empty())
        format = para.runs.front();
    }
    const bool here = format && std::find(para.runs.begin(), para.runs.end(), format) != para.runs.end();
    if (here && IsEmptyRun(format)) return PutPieces({format, {}}, pieces);
    if (here && at.off > 0 && para.units[at.off - 1].run == format)
      return PutPieces(AfterUnit(para.units[at.off - 1]), pieces);
    if (here && at.off < len && para.units[at.off].run == format)
      return PutPieces(BeforeUnit(para.units[at.off]), pieces);

    pugi::xml_node run;
    if (at.off > 0)
      run = NewRunAt(AfterUnit(para.units[at.off - 1]));
    else if (len > 0)
      run = NewRunAt(BeforeUnit(para.units[0]));
    else if (!para.runs.empty())
      run = para.runs.back().parent().insert_child_after(W("r").c_str(), para.runs.back());
    else
      run = pugi::xml_node(para.p).append_child(W("r").c_str());
    CopyRunProperties(format ? format.child(W("rPr").c_str()) : para.p.child(W("pPr").c_str()).child(W("rPr").c_str()),
                      run);
    PutPieces({run, {}}, pieces);
  }

  // ---- tables

  pugi::xml_node Ancestor(pugi::xml_node n, const char* local, const char* stopAt = "body") const {
    for (n = n.parent(); n && n.type() == pugi::node_element; n = n.parent()) {
      if (Is(n, local)) return n;
      if (Is(n, stopAt)) break;
    }
    return {};
  }

  // Rows of a table, or cells of a row, also those wrapped in content controls.
  void Children(pugi::xml_node parent, const char* local, std::vector<pugi::xml_node>& out) const {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      if (Is(c, local))
        out.push_back(c);
      else if (IsAny(c, {"sdt", "sdtContent", "customXml"}))
        Children(c, local, out);
    }
  }

  std::vector<pugi::xml_node> Rows(pugi::xml_node tbl) const {
    std::vector<pugi::xml_node> out;
    Children(tbl, "tr", out);
    return out;
  }
  std::vector<pugi::xml_node> Cells(pugi::xml_node tr) const {
    std::vector<pugi::xml_node> out;
    Children(tr, "tc", out);
    return out;
  }

  static bool Contains(pugi::xml_node outer, pugi::xml_node n) {
    for (; n; n = n.parent())
      if (n == outer) return true;
    return false;
  }

  // The index of the first paragraph within a cell or row.
  std::optional<std::size_t> FirstParagraphIn(pugi::xml_node tc) const {
    for (std::size_t i = 0; i < paras.size(); ++i)
      if (Contains(tc, paras[i].p)) return i;
    return std::nullopt;
  }

  // For each paragraph in document order, every one of `nodes` that holds it: one walk up
  // from each paragraph, instead of a walk over all paragraphs for each node (rows may have
  // thousands of cells).
  template <class Fn>
  void ForEachHolder(const std::vector<pugi::xml_node>& nodes, Fn fn) const {
    std::unordered_map<pugi::xml_node_struct*, std::size_t> index;
    for (std::size_t k = 0; k < nodes.size(); ++k) index.emplace(nodes[k].internal_object(), k);
    for (std::size_t i = 0; i < paras.size(); ++i)
      for (pugi::xml_node n = paras[i].p.parent(); n; n = n.parent())
        if (auto it = index.find(n.internal_object()); it != index.end()) fn(it->second, i);
  }

  // The first paragraph in each of `nodes` (cells or rows), when it has one.
  std::vector<std::optional<std::size_t>> FirstParagraphs(const std::vector<pugi::xml_node>& nodes) const {
    std::vector<std::optional<std::size_t>> first(nodes.size());
    ForEachHolder(nodes, [&](std::size_t k, std::size_t para) {
      if (!first[k]) first[k] = para;
    });
    return first;
  }

  // Turns a copy of a cell into an empty one: its properties, one paragraph with the
  // properties of the source cell's first paragraph (`first`) and an empty run formatted like
  // that paragraph's first run.
  void EmptyCell(pugi::xml_node copy, std::optional<std::size_t> first) const {
    for (pugi::xml_node c = copy.first_child(); c;) {
      pugi::xml_node next = c.next_sibling();
      if (!(c.type() == pugi::node_element && Is(c, "tcPr"))) copy.remove_child(c);
      c = next;
    }
    if (pugi::xml_node props = copy.child(W("tcPr").c_str()))
      RemoveChildren(props, {"cellIns", "cellDel", "cellMerge", "tcPrChange"});
    pugi::xml_node p = copy.append_child(W("p").c_str());
    if (!first) return;
    const Para& src = paras[*first];
    if (pugi::xml_node props = src.p.child(W("pPr").c_str())) {
      pugi::xml_node pp = p.append_copy(props);
      RemoveChildren(pp, {"pPrChange", "sectPr"});
      RemoveChildren(pp.child(W("rPr").c_str()), {"ins", "del", "moveFrom", "moveTo", "rPrChange"});
    }
    if (!src.runs.empty()) {
      pugi::xml_node r = p.append_child(W("r").c_str());
      CopyRunProperties(src.runs.front().child(W("rPr").c_str()), r);
    }
  }

  // Leaves only structure and formatting in a copied row: no revision marks, no bookmarks or
  // other range marks, no identifiers that must stay unique.
  void CleanRowLevel(pugi::xml_node n) const {
    for (pugi::xml_attribute a = n.first_attribute(); a;) {
      pugi::xml_attribute next = a.next_attribute();
      const std::string_view local = LocalName(a.name());
      if (local == "paraId" || local == "textId") n.remove_attribute(a);
      a = next;
    }
    for (pugi::xml_node c = n.first_child(); c;) {
      pugi::xml_node next = c.next_sibling();
      if (c.type() != pugi::node_element) {
        c = next;
        continue;
      }
      if (Is(c, "trPr")) {
        RemoveChildren(c, {"ins", "del", "trPrChange"});
      } else if (Is(c, "sdtPr")) {
        RemoveChildren(c, {"id"});
      } else if (IsAny(c, {"sdt", "sdtContent", "customXml"})) {
        CleanRowLevel(c);
      } else if (!IsAny(c, {"tc", "tblPrEx", "sdtEndPr", "customXmlPr"})) {
        n.remove_child(c);
      }
      c = next;
    }
  }

  // ---- selection helpers

  std::string TextBetween(Pos a, Pos b) const {
    std::u32string out;
    for (std::size_t i = a.para; i <= b.para && i < paras.size(); ++i) {
      const std::u32string& t = paras[i].text;
      const std::size_t from = i == a.para ? a.off : 0;
      const std::size_t to = i == b.para ? b.off : t.size();
      if (i != a.para) out += U'\n';
      if (to > from) out.append(t, from, to - from);
    }
    return ToUtf8(out);
  }
};

bool IsWord97File(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  char magic[8] = {};
  in.read(magic, sizeof magic);
  return in.gcount() == 8 && std::memcmp(magic, kCompoundFileMagic, 8) == 0;
}

// ---- DocxDocument ----------------------------------------------------------------------

DocxDocument::DocxDocument(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
DocxDocument::~DocxDocument() = default;

Result<std::unique_ptr<DocxDocument>> DocxDocument::FromTemplate(const std::string& templatePath) {
  using Made = Result<std::unique_ptr<DocxDocument>>;
  Package pkg;
  if (auto read = ReadPackage(templatePath, &pkg); !read) return Made::Fail(read.error());

  auto impl = std::make_unique<Impl>();
  impl->parts = std::move(pkg.parts);
  impl->mainPart = pkg.main;
  Part& main = impl->parts[pkg.main];
  if (auto parsed = ParseXml(main.data, main.name, &impl->xml); !parsed)
    return Made::Fail("Шаблон повреждён: " + parsed.error() + ".");
  main.data.clear();
  main.data.shrink_to_fit();

  const pugi::xml_node root = impl->xml.document_element();
  const std::string rootName = root.name();
  const std::size_t colon = rootName.find(':');
  const std::string prefix = colon == std::string::npos ? "" : rootName.substr(0, colon);
  const std::string ns = root.attribute(prefix.empty() ? "xmlns" : ("xmlns:" + prefix).c_str()).value();
  const bool wordNs =
      std::find(std::begin(kWordNamespaces), std::end(kWordNamespaces), ns) != std::end(kWordNamespaces);
  impl->pfx = prefix.empty() ? "" : prefix + ":";
  if (LocalName(root.name()) != "document" || !wordNs)
    return Made::Fail("Шаблон не является документом Word: его основная часть — не текст документа.");
  impl->body = root.child(impl->W("body").c_str());
  if (!impl->body) return Made::Fail("Шаблон повреждён: в документе нет текста.");
  if (auto prepared = impl->PrepareTree(); !prepared)
    return Made::Fail("Шаблон нельзя использовать: " + prepared.error() + ".");
  impl->Rebuild();
  return std::unique_ptr<DocxDocument>(new DocxDocument(std::move(impl)));
}

bool DocxDocument::Find(const std::string& text) {
  Impl& d = *impl_;
  const std::u32string needle = ToU32(text);
  if (needle.empty()) return false;
  for (std::size_t i = d.end.para; i < d.paras.size(); ++i) {
    const std::size_t from = i == d.end.para ? d.end.off : 0;
    const std::size_t at = d.paras[i].text.find(needle, from);
    if (at == std::u32string::npos) continue;
    d.start = {i, at};
    d.end = {i, at + needle.size()};
    d.typed.valid = false;
    return true;
  }
  return false;
}

bool DocxDocument::Delete() {
  Impl& d = *impl_;
  if (d.paras.empty()) return false;
  if (d.start == d.end)
    d.DeleteForward(1);
  else
    d.DeleteRange(d.start, d.end);
  return true;
}

bool DocxDocument::DeleteChars(int count) {
  Impl& d = *impl_;
  if (count <= 0 || d.paras.empty()) return false;
  if (!(d.start == d.end)) {
    // The selection goes first, as one unit; text typed next takes its formatting.
    d.DeleteRange(d.start, d.end);
    const auto typed = d.typed;
    if (--count > 0 && d.DeleteForward(static_cast<std::size_t>(count)) && typed.valid) d.typed = typed;
    return true;
  }
  d.DeleteForward(static_cast<std::size_t>(count));
  return true;
}

bool DocxDocument::InsertAfter(const std::string& text) {
  Impl& d = *impl_;
  std::size_t chars = 0;
  const std::vector<Piece> pieces = ToPieces(text, &chars);
  if (chars == 0) return true;
  d.EnsureParagraph();
  const Pos at = d.end;
  const bool useTyped = d.typed.valid && d.start == d.end && d.typed.at == at;
  d.InsertAt(at, pieces, useTyped ? d.typed.run : pugi::xml_node());
  d.typed.valid = false;
  d.Rebuild();
  d.end = {at.para, std::min(at.off + chars, d.Len(at.para))};
  return true;
}

bool DocxDocument::MoveRight(int count) {
  Impl& d = *impl_;
  if (count <= 0 || d.paras.empty()) return false;
  d.typed.valid = false;
  std::size_t left = static_cast<std::size_t>(count);
  Pos p = d.end;
  if (!(d.start == d.end)) --left;  // collapsing is the first step
  while (left > 0) {
    const std::size_t len = d.Len(p.para);
    if (p.off < len) {
      const std::size_t step = std::min(left, len - p.off);
      p.off += step;
      left -= step;
    } else if (p.para + 1 < d.paras.size()) {
      p = {p.para + 1, 0};
      --left;
    } else {
      break;
    }
  }
  d.start = d.end = p;
  return left == 0;
}

bool DocxDocument::MoveLeft(int count) {
  Impl& d = *impl_;
  if (count <= 0 || d.paras.empty()) return false;
  d.typed.valid = false;
  std::size_t left = static_cast<std::size_t>(count);
  Pos p = d.start;
  if (!(d.start == d.end)) --left;
  while (left > 0) {
    if (p.off > 0) {
      const std::size_t step = std::min(left, p.off);
      p.off -= step;
      left -= step;
    } else if (p.para > 0) {
      p = {p.para - 1, d.Len(p.para - 1)};
      --left;
    } else {
      break;
    }
  }
  d.start = d.end = p;
  return left == 0;
}

bool DocxDocument::InsertRows(int count) {
  Impl& d = *impl_;
  if (count <= 0 || d.paras.empty()) return false;
  const pugi::xml_node tc = d.Ancestor(d.paras[d.start.para].p, "tc");
  if (!tc) return false;
  const pugi::xml_node tr = d.Ancestor(tc, "tr", "tbl");
  if (!tr) return false;
  const std::vector<pugi::xml_node> sourceCells = d.Cells(tr);
  const std::vector<std::optional<std::size_t>> sourceFirst = d.FirstParagraphs(sourceCells);
  std::vector<pugi::xml_node> added;
  for (int k = 0; k < count; ++k) {
    pugi::xml_node row = tr.parent().insert_copy_before(tr, tr);
    d.CleanRowLevel(row);
    const std::vector<pugi::xml_node> cells = d.Cells(row);
    for (std::size_t i = 0; i < cells.size() && i < sourceCells.size(); ++i) d.EmptyCell(cells[i], sourceFirst[i]);
    added.push_back(row);
  }
  d.typed.valid = false;
  d.Rebuild();
  // The selection takes in the rows' end as Word's does, so it ends at the start of the source
  // row and is never collapsed, even over a single empty cell.
  const std::optional<std::size_t> first = d.FirstParagraphIn(added.front());
  const std::optional<std::size_t> below = d.FirstParagraphIn(tr);
  if (first && below) {
    d.start = {*first, 0};
    d.end = {*below, 0};
  } else {  // rows without cells: the selection stays on the source row
    d.start = d.end = {below.value_or(0), 0};
  }
  return true;
}

Status DocxDocument::Save(const std::string& path) const {
  if (path.empty()) return Status::Fail("Не задано имя файла заявки.");
  std::error_code ec;
  if (fs::exists(fs::symlink_status(PathFromUtf8(path), ec))) return Status::Fail("Файл " + path + " уже существует.");
  const std::string mainXml = Serialize(impl_->xml);
  std::string bytes;
  if (auto built = BuildZip(impl_->parts, impl_->mainPart, mainXml, &bytes); !built)
    return Status::Fail("Не удалось собрать документ заявки: " + built.error() + ".");
  const std::error_code written = base::WriteWholeFile(PathFromUtf8(path), bytes, false);
  if (written == std::errc::file_exists) return Status::Fail("Файл " + path + " уже существует.");
  if (written) return Status::Fail("Не удалось записать файл " + path + ": " + WriteError(written));
  return Status::Ok();
}

std::string DocxDocument::SelectedText() const {
  if (impl_->paras.empty()) return {};
  return impl_->TextBetween(impl_->start, impl_->end);
}

bool DocxDocument::SelectionCollapsed() const { return impl_->start == impl_->end; }

bool DocxDocument::SelectionInTable() const {
  return !impl_->paras.empty() && impl_->Ancestor(impl_->paras[impl_->start.para].p, "tc");
}

std::string DocxDocument::Text() const {
  std::string out;
  for (const Para& p : impl_->paras) out += ToUtf8(p.text) + "\n";
  return out;
}

int DocxDocument::TableCount() const { return static_cast<int>(impl_->tables.size()); }

std::vector<std::vector<std::string>> DocxDocument::TableText(int tableIndex) const {
  const Impl& d = *impl_;
  std::vector<std::vector<std::string>> out;
  if (tableIndex < 0 || static_cast<std::size_t>(tableIndex) >= d.tables.size()) return out;
  std::vector<pugi::xml_node> cells;
  std::vector<std::size_t> rowOf;
  for (pugi::xml_node tr : d.Rows(d.tables[tableIndex])) {
    out.emplace_back();
    for (pugi::xml_node tc : d.Cells(tr)) {
      cells.push_back(tc);
      rowOf.push_back(out.size() - 1);
      out.back().emplace_back();
    }
  }
  std::vector<bool> started(cells.size(), false);
  std::vector<std::size_t> column(cells.size());
  for (std::size_t k = 0, c = 0; k < cells.size(); ++k, ++c) {
    if (k > 0 && rowOf[k] != rowOf[k - 1]) c = 0;
    column[k] = c;
  }
  d.ForEachHolder(cells, [&](std::size_t k, std::size_t para) {
    std::string& cell = out[rowOf[k]][column[k]];
    if (started[k]) cell += "\n";
    cell += ToUtf8(d.paras[para].text);
    started[k] = true;
  });
  return out;
}

}  // namespace order
