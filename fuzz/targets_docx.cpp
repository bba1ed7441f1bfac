// The order-template engine, driven the way the order export drives it.

#include <unistd.h>
#include <zlib.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf8.h"
#include "order_engine/docx_engine.h"
#include "scratch.h"
#include "targets.h"

namespace {

// The text a selection reads after typing `in`: a tab stays, every kind of line end is one
// break ("\n"), other control characters go, and what XML cannot carry becomes U+FFFD.
std::string AsTyped(std::string_view in) {
  std::string out;
  for (std::size_t i = 0, len = 0; i < in.size(); i += len) {
    char32_t c = base::DecodeUtf8At(in, i, &len);
    if (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++len;
    if (c == '\r' || c == '\v' || c == '\f') c = '\n';
    if (c < 0x20 && c != '\t' && c != '\n') continue;
    if (c == 0xFFFE || c == 0xFFFF) c = 0xFFFD;
    base::AppendUtf8(out, c);
  }
  return out;
}

// Selection.Delete, then InsertAfter, as the export types a value: the selection then reads
// the text as typed.
void Type(order::DocxDocument& doc, const std::string& text) {
  FuzzCheck(doc.Delete(), "Delete succeeds in a document with paragraphs");
  FuzzCheck(doc.SelectionCollapsed(), "Delete collapses the selection");
  FuzzCheck(doc.InsertAfter(text), "InsertAfter succeeds");
  FuzzCheck(doc.SelectedText() == AsTyped(text), "the selection covers exactly the text typed");
}

// The texts typed for three records: from the input where it has them.
std::array<std::string, 9> Texts(std::string_view given) {
  std::array<std::string, 9> texts = {
      "КМ-10.01.000", "Стрела основная", "1", "КМ-10.02.001", "Втулка\tØ40", "2", "", "Палец & <ось>", "10"};
  std::size_t k = 0;
  while (!given.empty() && k < texts.size()) {
    const std::size_t nul = given.find('\0');
    texts[k++] = std::string(given.substr(0, nul));
    given = nul == std::string_view::npos ? std::string_view() : given.substr(nul + 1);
  }
  return texts;
}

void PutLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xff);
}

// A ZIP archive of stored entries with true sizes and checksums, from "name\0content\0..."
// pairs: the form in which the fuzzer can change the parts' XML without breaking the archive.
std::string ZipOfParts(std::string_view parts) {
  std::string out, central;
  int count = 0;
  while (!parts.empty() && count < 64) {
    const std::size_t nameEnd = parts.find('\0');
    const std::string_view name = parts.substr(0, nameEnd);
    parts = nameEnd == std::string_view::npos ? std::string_view() : parts.substr(nameEnd + 1);
    const std::size_t dataEnd = parts.find('\0');
    const std::string_view content = parts.substr(0, dataEnd);
    parts = dataEnd == std::string_view::npos ? std::string_view() : parts.substr(dataEnd + 1);
    if (name.empty() || name.size() > 0xffff) continue;
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
    const auto offset = static_cast<std::uint32_t>(out.size());
    auto common = [&](std::string& to) {
      PutLe(to, 20, 2), PutLe(to, 0x0800, 2), PutLe(to, 0, 2), PutLe(to, 0, 2), PutLe(to, 0x21, 2);
      PutLe(to, crc, 4), PutLe(to, static_cast<std::uint32_t>(content.size()), 4);
      PutLe(to, static_cast<std::uint32_t>(content.size()), 4), PutLe(to, static_cast<std::uint32_t>(name.size()), 2);
      PutLe(to, 0, 2);
    };
    PutLe(out, 0x04034b50, 4);
    common(out);
    out.append(name).append(content);
    PutLe(central, 0x02014b50, 4);
    PutLe(central, 20, 2);
    common(central);
    PutLe(central, 0, 2), PutLe(central, 0, 2), PutLe(central, 0, 2), PutLe(central, 0, 4), PutLe(central, offset, 4);
    central.append(name);
    ++count;
  }
  const auto centralOffset = static_cast<std::uint32_t>(out.size());
  out += central;
  PutLe(out, 0x06054b50, 4);
  PutLe(out, 0, 2), PutLe(out, 0, 2), PutLe(out, static_cast<std::uint32_t>(count), 2);
  PutLe(out, static_cast<std::uint32_t>(count), 2), PutLe(out, static_cast<std::uint32_t>(central.size()), 4);
  PutLe(out, centralOffset, 4), PutLe(out, 0, 2);
  return out;
}

}  // namespace

int FuzzDocx(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t textBytes = std::min<std::size_t>(data[0], size - 1);
  const auto texts = Texts(std::string_view(reinterpret_cast<const char*>(data) + 1, textBytes));
  const std::uint8_t* package = data + 1 + textBytes;
  const std::size_t packageSize = size - 1 - textBytes;

  static const std::string templatePath = ScratchPath("template.dotx");
  static const std::string orderPath = ScratchPath("order.docx");
  // A package is taken as it is; anything else is a list of parts to pack.
  const std::string_view packageBytes(reinterpret_cast<const char*>(package), packageSize);
  if (packageBytes.substr(0, 2) == "PK") {
    if (!WriteScratch(templatePath, package, packageSize)) return 0;
  } else {
    const std::string zip = ZipOfParts(packageBytes);
    if (!WriteScratch(templatePath, reinterpret_cast<const std::uint8_t*>(zip.data()), zip.size())) return 0;
  }

  auto opened = order::DocxDocument::FromTemplate(templatePath);
  if (!opened) {
    FuzzCheck(!opened.error().empty(), "a refused template has a reason");
    return 0;
  }
  const auto& doc = opened.value();
  (void)doc->Text();
  (void)doc->TableCount();
  if (!doc->Find("#1")) return 0;

  // The export: the first record fills the marked row, each further one a row inserted above.
  constexpr int kRecords = 3;
  for (int k = 0; k < kRecords; ++k) {
    const bool first = k == 0;
    if (!first) {
      doc->InsertRows(1);
      doc->MoveLeft(1);
    }
    Type(*doc, std::to_string(kRecords - k));
    for (int column = 0; column < 3; ++column) {
      doc->MoveRight(2);
      if (first) doc->DeleteChars(2);
      Type(*doc, texts[static_cast<std::size_t>(k * 3 + column)]);
    }
  }
  const std::string text = doc->Text();
  const int tables = doc->TableCount();
  for (int t = 0; t < tables && t < 8; ++t) (void)doc->TableText(t);

  ::unlink(orderPath.c_str());
  if (doc->Save(orderPath)) {
    const auto reopened = order::DocxDocument::FromTemplate(orderPath);
    FuzzCheck(reopened.ok(), "a saved order reopens");
    FuzzCheck(reopened.value()->Text() == text, "a saved order reopens with the same text");
    FuzzCheck(reopened.value()->TableCount() == tables, "a saved order reopens with the same tables");
    FuzzCheck(!doc->Save(orderPath), "saving never replaces a file");
    ::unlink(orderPath.c_str());
  }
  return 0;
}
