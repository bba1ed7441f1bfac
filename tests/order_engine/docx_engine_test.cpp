#include "order_engine/docx_engine.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <pugixml.hpp>
#include <random>

namespace {

using order::DocxDocument;
namespace fs = std::filesystem;
using Entries = std::vector<std::pair<std::string, std::string>>;
using Table = std::vector<std::vector<std::string>>;

const std::string kTemplateType = "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";
const std::string kDocumentType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";

void WriteZip(const std::string& path, const Entries& entries) {
  int err = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
  ASSERT_NE(z, nullptr);
  for (const auto& [name, data] : entries) {
    zip_source_t* s = zip_source_buffer(z, data.data(), data.size(), 0);
    ASSERT_GE(zip_file_add(z, name.c_str(), s, ZIP_FL_ENC_UTF_8), 0);
  }
  ASSERT_EQ(zip_close(z), 0);
}

std::optional<std::string> ZipEntry(const std::string& path, const std::string& name) {
  int err = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
  if (!z) return std::nullopt;
  std::optional<std::string> out;
  zip_stat_t st;
  if (zip_stat(z, name.c_str(), 0, &st) == 0) {
    if (zip_file_t* f = zip_fopen(z, name.c_str(), 0)) {
      std::string data(st.size, '\0');
      if (zip_fread(f, data.data(), st.size) == static_cast<zip_int64_t>(st.size)) out = data;
      zip_fclose(f);
    }
  }
  zip_discard(z);
  return out;
}

std::string DocumentXml(const std::string& body) {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
         R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
         R"(xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml" )"
         R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" )"
         R"(xmlns:v="urn:schemas-microsoft-com:vml"><w:body>)" +
         body + R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:body></w:document>)";
}

// A package around a body; the image stands for every part the engine must keep as it is.
Entries Package(const std::string& body, const std::string& mainType = kTemplateType) {
  std::string image("\x89PNG\r\n\x1a\n", 8);
  for (int i = 0; i < 300; ++i) image += static_cast<char>(i * 7);
  return {
      {"[Content_Types].xml",
       R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
       R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
       R"(<Default Extension="xml" ContentType="application/xml"/><Default Extension="png" ContentType="image/png"/>)"
       R"(<Override PartName="/word/document.xml" ContentType=")" +
           mainType +
           R"("/><Override PartName="/word/styles.xml" )"
           R"(ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/></Types>)"},
      {"_rels/.rels",
       R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
       R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" )"
       R"(Target="word/document.xml"/></Relationships>)"},
      {"word/_rels/document.xml.rels",
       R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
       R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
       R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/image1.png"/>)"
       R"(</Relationships>)"},
      {"word/document.xml", DocumentXml(body)},
      {"word/styles.xml",
       R"(<?xml version="1.0" encoding="UTF-8"?><w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
       R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style></w:styles>)"},
      {"word/media/image1.png", image},
  };
}

std::string P(const std::string& text) {
  return "<w:p><w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
}

std::string Cell(const std::string& text) { return "<w:tc>" + P(text) + "</w:tc>"; }

std::string Grid(const std::vector<std::vector<std::string>>& rows) {
  std::string out = "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr>";
  for (const auto& row : rows) {
    out += "<w:tr>";
    for (const auto& c : row) out += Cell(c);
    out += "</w:tr>";
  }
  return out + "</w:tbl>";
}

// The marked row the export fills: formatted cells, "#1" and three two-character blanks.
const std::string kMarkedCellPr =
    R"(<w:tcPr><w:tcW w:w="1500" w:type="dxa"/><w:shd w:val="clear" w:fill="EEEEEE"/></w:tcPr>)";
const std::string kMarkedParaPr = R"(<w:pPr><w:spacing w:after="0"/><w:jc w:val="center"/></w:pPr>)";
const std::string kMarkedRunPr = R"(<w:rPr><w:i/><w:sz w:val="20"/></w:rPr>)";

std::string MarkedCell(const std::string& text) {
  return "<w:tc>" + kMarkedCellPr + "<w:p w14:paraId=\"1A2B3C4D\">" + kMarkedParaPr + "<w:r>" + kMarkedRunPr + "<w:t>" +
         text + "</w:t></w:r></w:p></w:tc>";
}

const std::string kOrderBody =
    P("Заявка на поставку запасных частей") + P("Организация: ________") +
    R"(<w:tbl><w:tblPr><w:tblStyle w:val="TableGrid"/></w:tblPr><w:tblGrid><w:gridCol w:w="1000"/></w:tblGrid>)"
    R"(<w:tr><w:trPr><w:tblHeader/></w:trPr>)" +
    Cell("№ п/п") + Cell("Обозначение") + Cell("Наименование") + Cell("Количество") +
    R"(</w:tr><w:tr w14:paraId="00112233"><w:trPr><w:trHeight w:val="400"/></w:trPr>)" + MarkedCell("#1") +
    MarkedCell("__") + MarkedCell("__") + MarkedCell("__") + "</w:tr></w:tbl>" + P("Подпись ________  М.П.");

struct Record {
  std::string oboz, naim, quantity;
};

// What the basket export does with a template.
bool Export(DocxDocument& doc, const std::vector<Record>& records) {
  if (!doc.Find("#1")) return false;
  const int n = static_cast<int>(records.size());
  auto insertText = [&doc](const std::string& s) { return doc.Delete() && doc.InsertAfter(s); };
  for (int k = 1; k <= n; ++k) {
    const Record& r = records[k - 1];
    const bool first = k == 1;
    if (!first && !(doc.InsertRows(1) && doc.MoveLeft(1))) return false;
    if (!insertText(std::to_string(n + 1 - k))) return false;
    for (const std::string* field : {&r.oboz, &r.naim, &r.quantity}) {
      if (!doc.MoveRight(2)) return false;
      if (first && !doc.DeleteChars(2)) return false;
      if (!insertText(*field)) return false;
    }
  }
  return true;
}

class DocxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("docx_engine_test_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::unique_ptr<DocxDocument> Open(const Entries& entries, const std::string& name = "t.dotx") {
    WriteZip(Path(name), entries);
    auto doc = DocxDocument::FromTemplate(Path(name));
    EXPECT_TRUE(doc) << doc.error();
    return doc ? std::move(doc).value() : nullptr;
  }

  // Saves, checks the result is a document package the engine reads back, and returns it.
  std::unique_ptr<DocxDocument> SaveAndReopen(const DocxDocument& doc, const std::string& name) {
    const auto saved = doc.Save(Path(name));
    EXPECT_TRUE(saved) << saved.error();
    auto again = DocxDocument::FromTemplate(Path(name));
    EXPECT_TRUE(again) << again.error();
    return again ? std::move(again).value() : nullptr;
  }

  pugi::xml_document SavedXml(const std::string& name) {
    pugi::xml_document xml;
    const std::optional<std::string> data = ZipEntry(Path(name), "word/document.xml");
    EXPECT_TRUE(data && xml.load_string(data->c_str()));
    return xml;
  }

  // The template `name` is refused, the reason containing `reason`.
  void ExpectRefused(const std::string& name, const std::string& reason) {
    const auto doc = DocxDocument::FromTemplate(Path(name));
    ASSERT_FALSE(doc) << name;
    EXPECT_NE(doc.error().find(reason), std::string::npos) << name << ": " << doc.error();
  }
  void ExpectRefused(const std::string& name, const Entries& package, const std::string& reason) {
    WriteZip(Path(name), package);
    ExpectRefused(name, reason);
  }

  fs::path dir_;
};

std::string Outer(pugi::xml_node n) {
  std::ostringstream s;
  n.print(s, "", pugi::format_raw);
  return s.str();
}

Table ExpectedOrder(const std::vector<Record>& records) {
  Table t{{"№ п/п", "Обозначение", "Наименование", "Количество"}};
  const std::size_t n = records.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Record& r = records[n - 1 - i];
    t.push_back({std::to_string(i + 1), r.oboz, r.naim, r.quantity});
  }
  return t;
}

std::vector<Record> Records(int n) {
  std::vector<Record> out;
  for (int i = 1; i <= n; ++i)
    out.push_back({"КМ-" + std::to_string(i) + ".01.000", "Гидроцилиндр подъёма стрелы №" + std::to_string(i),
                   i % 7 == 3   ? "две штуки"
                   : i % 7 == 5 ? ""
                                : std::to_string(i % 4 + 1)});
  return out;
}

// ---- the export, end to end ------------------------------------------------------------

TEST_F(DocxTest, ExportFillsTheMarkedRowAndRowsAboveIt) {
  for (int n : {1, 3, 20}) {
    SCOPED_TRACE(n);
    std::vector<Record> records = Records(n);
    if (n == 3) records = {{"R1", "Имя 1", "2"}, {"R2", "Имя 2", "1"}, {"R3", "Имя 3", "5"}};
    auto doc = Open(Package(kOrderBody));
    ASSERT_TRUE(Export(*doc, records));
    EXPECT_EQ(doc->TableText(0), ExpectedOrder(records));

    const std::string name = "order" + std::to_string(n) + ".docx";
    auto saved = SaveAndReopen(*doc, name);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->TableText(0), ExpectedOrder(records));
    const std::string text = saved->Text();
    EXPECT_EQ(text.find("Заявка на поставку запасных частей\nОрганизация: ________\n"), 0u);
    EXPECT_NE(text.find("Количество\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("Подпись ________  М.П.\n"));
    EXPECT_EQ(text.find("#1"), std::string::npos);

    // The template became a document; every other part is byte for byte the template's.
    const std::string types = *ZipEntry(Path(name), "[Content_Types].xml");
    EXPECT_NE(types.find(kDocumentType), std::string::npos);
    EXPECT_EQ(types.find(kTemplateType), std::string::npos);
    for (const auto& [part, data] : Package(kOrderBody)) {
      if (part == "word/document.xml" || part == "[Content_Types].xml") continue;
      EXPECT_EQ(ZipEntry(Path(name), part), data) << part;
    }

    // Every filled row keeps the marked row's formatting.
    pugi::xml_document xml = SavedXml(name);
    const auto rows = xml.select_nodes("//w:tbl/w:tr[position() > 1]");
    ASSERT_EQ(rows.size(), records.size());
    for (const auto& row : rows) {
      for (pugi::xml_node tc = row.node().child("w:tc"); tc; tc = tc.next_sibling("w:tc")) {
        EXPECT_EQ(Outer(tc.child("w:tcPr")), kMarkedCellPr);
        EXPECT_EQ(Outer(tc.child("w:p").child("w:pPr")), kMarkedParaPr);
        for (pugi::xml_node r = tc.child("w:p").child("w:r"); r; r = r.next_sibling("w:r"))
          EXPECT_EQ(Outer(r.child("w:rPr")), kMarkedRunPr);
      }
    }
  }
}

// The shipped template, when built: its marker and blanks work with the export. With
// ORDER_ENGINE_SAMPLE_DIR set, the filled order is left there to be looked at.
TEST_F(DocxTest, ExportWorksWithTheDemoTemplate) {
  const fs::path tpl = fs::read_symlink("/proc/self/exe").parent_path() / "Template" / "Заказ.dot";
  if (!fs::exists(tpl)) GTEST_SKIP() << "the demo template is not built";
  auto opened = DocxDocument::FromTemplate(tpl.string());
  ASSERT_TRUE(opened) << opened.error();
  auto& doc = opened.value();
  const int tables = doc->TableCount();
  ASSERT_GT(tables, 0);
  const std::vector<Record> records = {{"КМ-90.32.100", "Гидрораспределитель секционный", "1"},
                                       {"КМ-90.05.210-01", "Уплотнение штока (ремкомплект)", "4"},
                                       {"ГОСТ 9833-73", "Кольцо 036-040-25", "12"}};
  ASSERT_TRUE(Export(*doc, records));
  Table orderTable = doc->TableText(tables - 1);
  Table expected = ExpectedOrder(records);
  ASSERT_EQ(orderTable.size(), expected.size());
  orderTable.erase(orderTable.begin());  // the template's own header
  expected.erase(expected.begin());
  EXPECT_EQ(orderTable, expected);
  ASSERT_TRUE(SaveAndReopen(*doc, "demo.docx"));
  if (const char* out = std::getenv("ORDER_ENGINE_SAMPLE_DIR"); out && *out) {
    fs::remove(fs::path(out) / "order-sample.docx");
    const auto saved = doc->Save((fs::path(out) / "order-sample.docx").string());
    EXPECT_TRUE(saved) << saved.error();
  }
}

// ---- the selection ---------------------------------------------------------------------

TEST_F(DocxTest, MovesCountOneCharacterPerCellAndParagraphBoundary) {
  auto doc = Open(Package(P("До") + Grid({{"a1", "b1", "c1"}, {"a2", "b2", "c2"}}) + P("После")));
  EXPECT_TRUE(doc->SelectionCollapsed());
  EXPECT_FALSE(doc->MoveLeft(1));  // at the very start

  // From the paragraph before the table into its first cell.
  ASSERT_TRUE(doc->Find("До"));
  ASSERT_TRUE(doc->MoveRight(2));
  ASSERT_TRUE(doc->InsertAfter("["));
  EXPECT_TRUE(doc->SelectionInTable());

  ASSERT_TRUE(doc->Find("a1"));
  EXPECT_EQ(doc->SelectedText(), "a1");
  ASSERT_TRUE(doc->MoveRight(2));  // collapse to the end, then over the cell boundary
  ASSERT_TRUE(doc->InsertAfter("^"));
  EXPECT_EQ(doc->SelectedText(), "^");
  ASSERT_TRUE(doc->MoveRight(4));  // collapse, "b1", boundary: start of c1
  ASSERT_TRUE(doc->InsertAfter("|"));
  ASSERT_TRUE(doc->MoveRight(4));  // collapse, "c1", end of row to the next row
  ASSERT_TRUE(doc->InsertAfter("<"));
  ASSERT_TRUE(doc->MoveLeft(2));  // collapse to its start, back over the row boundary
  ASSERT_TRUE(doc->InsertAfter(">"));
  EXPECT_EQ(doc->TableText(0), (Table{{"[a1", "^b1", "|c1>"}, {"<a2", "b2", "c2"}}));

  // Out of the table's last cell into the paragraph after it.
  ASSERT_TRUE(doc->Find("c2"));
  ASSERT_TRUE(doc->MoveRight(2));
  ASSERT_TRUE(doc->InsertAfter("]"));
  EXPECT_FALSE(doc->SelectionInTable());
  EXPECT_EQ(doc->Text(), "До\n[a1\n^b1\n|c1>\n<a2\nb2\nc2\n]После\n");

  // Past the end: as far as possible, then false.
  ASSERT_TRUE(doc->Find("сле"));
  EXPECT_FALSE(doc->MoveRight(3));
  EXPECT_TRUE(doc->SelectionCollapsed());
  ASSERT_TRUE(doc->InsertAfter("!"));
  EXPECT_TRUE(doc->Text().ends_with("]После!\n"));
  EXPECT_FALSE(doc->MoveRight(0));

  // Several boundaries in one move.
  auto small = Open(Package(Grid({{"a", "b", "c"}}) + P("d")), "small.dotx");
  ASSERT_TRUE(small->MoveRight(4));  // a, boundary, b, boundary
  ASSERT_TRUE(small->InsertAfter("*"));
  ASSERT_TRUE(small->MoveLeft(4));  // collapse, boundary, b, boundary
  ASSERT_TRUE(small->InsertAfter("+"));
  EXPECT_EQ(small->Text(), "a+\nb\n*c\nd\n");
}

TEST_F(DocxTest, DeletionStaysInsideItsCell) {
  auto doc = Open(Package(Grid({{"abcd", "xy"}}) + P("Ёжик")));
  ASSERT_TRUE(doc->Find("bc"));
  EXPECT_TRUE(doc->Delete());
  EXPECT_TRUE(doc->SelectionCollapsed());
  EXPECT_EQ(doc->TableText(0), (Table{{"ad", "xy"}}));
  EXPECT_TRUE(doc->Delete());  // the "d" after the insertion point
  EXPECT_EQ(doc->TableText(0), (Table{{"a", "xy"}}));
  EXPECT_TRUE(doc->Delete());  // end of the cell: nothing goes, the boundary is never deleted
  EXPECT_TRUE(doc->DeleteChars(2));
  EXPECT_EQ(doc->TableText(0), (Table{{"a", "xy"}}));
  EXPECT_FALSE(doc->DeleteChars(0));

  ASSERT_TRUE(doc->MoveLeft(1));
  EXPECT_TRUE(doc->DeleteChars(5));  // only what the cell holds
  EXPECT_EQ(doc->TableText(0), (Table{{"", "xy"}}));
  ASSERT_TRUE(doc->InsertAfter("z"));  // still in the first cell
  EXPECT_EQ(doc->TableText(0), (Table{{"z", "xy"}}));
  ASSERT_TRUE(doc->MoveLeft(1));
  ASSERT_TRUE(doc->DeleteChars(1));

  // A selection goes as one unit, then characters after it; Cyrillic counts per letter.
  ASSERT_TRUE(doc->Find("Ё"));
  EXPECT_TRUE(doc->DeleteChars(2));
  EXPECT_EQ(doc->Text(), "\nxy\nик\n");
  ASSERT_TRUE(doc->InsertAfter("Ё"));
  ASSERT_TRUE(doc->MoveRight(2));
  ASSERT_TRUE(doc->InsertAfter("ж"));
  EXPECT_EQ(doc->Text(), "\nxy\nЁижк\n");
}

TEST_F(DocxTest, FindSearchesForwardAcrossRunsButNotParagraphs) {
  auto doc = Open(Package(P("один два") + P("два") +
                          "<w:p><w:r><w:t>тр</w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>и</w:t></w:r></w:p>"));
  EXPECT_FALSE(doc->Find(""));
  EXPECT_FALSE(doc->Find("дваодин"));
  EXPECT_FALSE(doc->Find("два\nдва"));
  ASSERT_TRUE(doc->Find("два"));
  ASSERT_TRUE(doc->InsertAfter("1"));  // marks which one was found
  ASSERT_TRUE(doc->Find("два"));
  ASSERT_TRUE(doc->InsertAfter("2"));
  EXPECT_FALSE(doc->Find("два"));
  EXPECT_EQ(doc->SelectedText(), "два2");  // unchanged by the failed search
  ASSERT_TRUE(doc->Find("три"));
  EXPECT_EQ(doc->Text(), "один два1\nдва2\nтри\n");
}

// ---- formatting of inserted text and new rows -------------------------------------------

TEST_F(DocxTest, ReplacedTextTakesTheFormattingOfItsFirstCharacter) {
  const std::string bold = "<w:rPr><w:b/></w:rPr>";
  auto run = [](const std::string& props, const std::string& text) {
    return "<w:r>" + props + "<w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
  };
  const struct {
    std::string runs, cell;
    bool bold;
  } cases[] = {
      {run("", "#") + run(bold, "1"), "42", false},
      {run(bold, "#") + run("", "1"), "42", true},
      {run("", "Поз. ") + run(bold, "#1"), "Поз. 42", true},  // not the run before the point
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.runs);
    auto doc = Open(Package(Grid({{"x"}}) + "<w:tbl><w:tr><w:tc><w:p>" + c.runs + "</w:p></w:tc></w:tr></w:tbl>"));
    ASSERT_TRUE(doc->Find("#1"));
    EXPECT_EQ(doc->SelectedText(), "#1");
    ASSERT_TRUE(doc->Delete());
    ASSERT_TRUE(doc->InsertAfter("42"));
    EXPECT_EQ(doc->SelectedText(), "42");
    EXPECT_EQ(doc->TableText(1), (Table{{c.cell}}));
    const std::string name = std::to_string(&c - cases) + ".docx";
    auto saved = SaveAndReopen(*doc, name);
    pugi::xml_document xml = SavedXml(name);
    pugi::xml_node r = xml.select_node("//w:t[contains(., '42')]").node().parent();
    ASSERT_TRUE(r);
    EXPECT_EQ(static_cast<bool>(r.child("w:rPr").child("w:b")), c.bold);
  }
}

TEST_F(DocxTest, InsertedTextTakesTheFormattingAroundThePoint) {
  auto doc =
      Open(Package("<w:p><w:r><w:rPr><w:i/></w:rPr><w:t>курсив</w:t></w:r><w:r><w:rPr><w:b/></"
                   "w:rPr><w:t>жирный</w:t></w:r></w:p>"
                   "<w:p><w:pPr><w:rPr><w:u w:val=\"single\"/></w:rPr></w:pPr></w:p>"
                   "<w:p/>"));
  ASSERT_TRUE(doc->Find("курсив"));
  ASSERT_TRUE(doc->MoveRight(1));
  ASSERT_TRUE(doc->InsertAfter("A"));  // after the italic run
  ASSERT_TRUE(doc->MoveLeft(7));       // collapse, then to the start of the paragraph
  ASSERT_TRUE(doc->InsertAfter("B"));
  ASSERT_TRUE(doc->MoveRight(15));  // the empty paragraph with an underlined mark
  ASSERT_TRUE(doc->InsertAfter("C"));
  ASSERT_TRUE(doc->MoveRight(2));
  ASSERT_TRUE(doc->InsertAfter("a\tb\r\nc\x01\xff"));  // a paragraph without any run
  EXPECT_EQ(doc->Text(), "BкурсивAжирный\nC\na\tb\nc\uFFFD\n");

  auto saved = SaveAndReopen(*doc, "f.docx");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Text(), doc->Text());
  pugi::xml_document xml = SavedXml("f.docx");
  auto runOf = [&](const char* text) {
    return xml.select_node(("//w:r[w:t[contains(., '" + std::string(text) + "')]]").c_str()).node();
  };
  EXPECT_TRUE(runOf("курсивA").child("w:rPr").child("w:i"));
  EXPECT_TRUE(runOf("B").child("w:rPr").child("w:i"));
  EXPECT_TRUE(runOf("C").child("w:rPr").child("w:u"));
  EXPECT_FALSE(runOf("a").child("w:rPr"));
  EXPECT_TRUE(runOf("a").child("w:tab"));
  EXPECT_TRUE(runOf("a").child("w:br"));
}

TEST_F(DocxTest, InsertRowsCopiesTheRowAboveItWithoutText) {
  auto doc = Open(Package(P("вне") + kOrderBody));
  EXPECT_FALSE(doc->InsertRows(1));  // not in a table
  ASSERT_TRUE(doc->Find("#1"));
  EXPECT_FALSE(doc->InsertRows(0));
  ASSERT_TRUE(doc->InsertRows(2));
  EXPECT_FALSE(doc->SelectionCollapsed());
  EXPECT_EQ(doc->SelectedText(), "\n\n\n\n\n\n\n\n");  // two rows of four empty cells and their end
  EXPECT_TRUE(doc->Delete());                          // nothing to remove in empty cells, but the selection collapses
  EXPECT_TRUE(doc->SelectionCollapsed());
  ASSERT_TRUE(doc->InsertAfter("n"));
  ASSERT_TRUE(doc->Find("#1"));
  ASSERT_TRUE(doc->InsertRows(1));
  ASSERT_TRUE(doc->MoveLeft(1));
  ASSERT_TRUE(doc->InsertAfter("m"));
  const Table expected{{"№ п/п", "Обозначение", "Наименование", "Количество"},
                       {"n", "", "", ""},
                       {"", "", "", ""},
                       {"m", "", "", ""},
                       {"#1", "__", "__", "__"}};
  EXPECT_EQ(doc->TableText(0), expected);

  auto saved = SaveAndReopen(*doc, "rows.docx");
  pugi::xml_document xml = SavedXml("rows.docx");
  const auto rows = xml.select_nodes("//w:tr");
  ASSERT_EQ(rows.size(), 5u);
  const pugi::xml_node source = rows[4].node();
  for (std::size_t i = 1; i < 4; ++i) {
    const pugi::xml_node row = rows[i].node();
    EXPECT_FALSE(row.attribute("w14:paraId"));  // identifiers stay unique
    EXPECT_EQ(Outer(row.child("w:trPr")), Outer(source.child("w:trPr")));
    pugi::xml_node tc = row.child("w:tc"), src = source.child("w:tc");
    for (; tc && src; tc = tc.next_sibling("w:tc"), src = src.next_sibling("w:tc")) {
      EXPECT_EQ(Outer(tc.child("w:tcPr")), Outer(src.child("w:tcPr")));
      EXPECT_EQ(Outer(tc.child("w:p").child("w:pPr")), Outer(src.child("w:p").child("w:pPr")));
      EXPECT_EQ(Outer(tc.child("w:p").child("w:r").child("w:rPr")),
                Outer(src.child("w:p").child("w:r").child("w:rPr")));
      EXPECT_FALSE(tc.child("w:p").attribute("w14:paraId"));
    }
    EXPECT_FALSE(tc || src);  // as many cells
  }
}

// ---- odd but valid documents ----------------------------------------------------------

TEST_F(DocxTest, FieldsRevisionsLinksControlsAndNestedTablesAreReadAsWordShowsThem) {
  const std::string body =
      R"(<w:p><w:r><w:t xml:space="preserve">Стр. </w:t></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r>)"
      R"(<w:r><w:instrText> PAGE </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r>)"
      R"(<w:r><w:t>7</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r></w:p>)"
      R"(<w:p><w:del w:id="1" w:author="a"><w:r><w:delText>старое</w:delText></w:r></w:del>)"
      R"(<w:ins w:id="2" w:author="a"><w:r><w:t>новое</w:t></w:r></w:ins></w:p>)"
      R"(<w:p><w:hyperlink w:anchor="x"><w:r><w:t>ссы</w:t></w:r></w:hyperlink><w:r><w:t>лка</w:t><w:tab/>)"
      R"(<w:t>A</w:t><w:br/><w:t><![CDATA[B&]]>C</w:t></w:r></w:p>)"
      R"(<w:sdt><w:sdtPr><w:id w:val="5"/></w:sdtPr><w:sdtContent><w:p><w:r><w:t>в поле</w:t></w:r></w:p></w:sdtContent></w:sdt>)"
      R"(<w:tbl><w:tr><w:tc><w:p><w:r><w:t>внешняя</w:t></w:r></w:p>)" +
      Grid({{"вложенная"}}) +
      R"(<w:p/></w:tc></w:tr></w:tbl>)"
      R"(<w:p><w:r><w:t>до</w:t></w:r><w:r><mc:AlternateContent><mc:Choice Requires="wps"/><mc:Fallback><w:pict>)"
      R"(<v:shape><v:textbox><w:txbxContent><w:p><w:r><w:t>в рамке</w:t></w:r></w:p></w:txbxContent></v:textbox></v:shape>)"
      R"(</w:pict></mc:Fallback></mc:AlternateContent></w:r><w:r><w:t>после</w:t></w:r></w:p>)";
  auto doc = Open(Package(body));
  const std::string text = "Стр. 7\nновое\nссылка\tA\nB&C\nв поле\nвнешняя\nвложенная\n\nдопосле\n";
  EXPECT_EQ(doc->Text(), text);
  EXPECT_EQ(doc->TableCount(), 2);
  EXPECT_EQ(doc->TableText(0), (Table{{"внешняя\nвложенная\n"}}));
  EXPECT_EQ(doc->TableText(2), Table{});
  for (const char* hidden : {"PAGE", "старое", "в рамке"}) EXPECT_FALSE(doc->Find(hidden)) << hidden;

  ASSERT_TRUE(doc->Find("ссылка\tA\nB"));
  ASSERT_TRUE(doc->Delete());
  ASSERT_TRUE(doc->InsertAfter("URL"));
  ASSERT_TRUE(doc->Find("вложенная"));
  ASSERT_TRUE(doc->InsertRows(1));  // in the nested table
  ASSERT_TRUE(doc->MoveLeft(1));
  ASSERT_TRUE(doc->InsertAfter("новая"));
  EXPECT_EQ(doc->TableText(1), (Table{{"новая"}, {"вложенная"}}));
  ASSERT_TRUE(doc->Find("до"));
  ASSERT_TRUE(doc->Delete());
  ASSERT_TRUE(doc->InsertAfter("  "));

  auto saved = SaveAndReopen(*doc, "odd.docx");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Text(), "Стр. 7\nновое\nURL&C\nв поле\nвнешняя\nновая\nвложенная\n\n  после\n");
  pugi::xml_document xml = SavedXml("odd.docx");
  EXPECT_TRUE(xml.select_node("//w:hyperlink/w:r/w:t[.='URL']"));
  EXPECT_TRUE(xml.select_node("//w:txbxContent//w:t[.='в рамке']"));
  EXPECT_TRUE(xml.select_node("//w:instrText[.=' PAGE ']"));
}

TEST_F(DocxTest, ABodyWithoutParagraphsGetsOneToTypeInto) {
  auto doc = Open(Package(""));
  EXPECT_EQ(doc->Text(), "");
  EXPECT_FALSE(doc->Find("x"));
  EXPECT_FALSE(doc->MoveRight(1));
  EXPECT_FALSE(doc->InsertRows(1));
  ASSERT_TRUE(doc->InsertAfter("текст"));
  EXPECT_EQ(doc->SelectedText(), "текст");
  auto saved = SaveAndReopen(*doc, "empty.docx");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Text(), "текст\n");
  EXPECT_TRUE(SavedXml("empty.docx").select_node("/w:document/w:body/w:p/following-sibling::w:sectPr"));
}

// ---- templates that cannot be used ---------------------------------------------------

// Sets an entry's stated size in both ZIP headers, as a hostile package would.
void StateSize(const std::string& path, const std::string& entry, std::uint32_t size) {
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  auto put = [&](std::size_t at) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(size >> (8 * i));
  };
  auto u16 = [&](std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
  };
  int patched = 0;
  for (std::size_t at = bytes.find("PK\x01\x02"); at != std::string::npos; at = bytes.find("PK\x01\x02", at + 4)) {
    if (bytes.compare(at + 46, u16(at + 28), entry) != 0) continue;
    put(at + 24);
    std::uint32_t local = 0;
    for (int i = 3; i >= 0; --i) local = local << 8 | static_cast<unsigned char>(bytes[at + 42 + i]);
    put(local + 22);
    ++patched;
  }
  ASSERT_EQ(patched, 1);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST_F(DocxTest, UnusableTemplatesFailWithAReason) {
  ExpectRefused("missing.dot", "не найден");

  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::ofstream(Path("noise.dot"), std::ios::binary) << noise;
  ExpectRefused("noise.dot", "не является документом Word");
  std::ofstream(Path("old.dot"), std::ios::binary) << std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + noise;
  ExpectRefused("old.dot", "Word 97–2003");

  auto without = [](const std::string& name) {
    Entries e = Package(P("x"));
    std::erase_if(e, [&](const auto& p) { return p.first == name; });
    return e;
  };
  auto withDocument = [](const std::string& xml) {
    Entries e = Package(P("x"));
    e[3].second = xml;
    return e;
  };
  std::string doctype = DocumentXml(P("&a;"));
  doctype.insert(doctype.find("?>") + 2, "<!DOCTYPE d [<!ENTITY a \"aaaa\">]>");
  std::string deep = P("x");
  for (int i = 0; i < 300; ++i) deep = "<w:sdt><w:sdtContent>" + deep + "</w:sdtContent></w:sdt>";
  ExpectRefused("nomain.dot", without("word/document.xml"), "нет основной части документа word/document.xml");
  ExpectRefused("norels.dot", without("_rels/.rels"), "_rels/.rels");
  ExpectRefused("notypes.dot", without("[Content_Types].xml"), "[Content_Types].xml");
  ExpectRefused("malformed.dot", withDocument(DocumentXml("<w:p><w:r><w:t>x</w:r></w:p>")), "ошибку XML");
  ExpectRefused("doctype.dot", withDocument(doctype), "DOCTYPE");
  ExpectRefused("deep.dot", withDocument(DocumentXml(deep)), "вложены глубже");
  ExpectRefused("sheet.dot",
                Package(P("x"), "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"),
                "не является документом Word");
  ExpectRefused("macro.dot", Package(P("x"), "application/vnd.ms-word.template.macroEnabledTemplate.main+xml"),
                "макросы");
  // Entries whose names would lead out of the package are never copied into an order.
  for (const char* name : {"../../x", "/x", "word/../../x", "C:\\x", "word\\..\\..\\x"}) {
    SCOPED_TRACE(name);
    Entries escaping = Package(P("x"));
    escaping.push_back({name, "x"});
    ExpectRefused("escaping.dot", escaping, "недопустимым именем");
  }
}

TEST_F(DocxTest, PartsInflatingBeyondTheirLimitsAreRefused) {
  Entries e = Package(P("x"));
  e[3].second = DocumentXml(P(std::string(1 << 20, 'a')));
  const struct {
    const char* name;
    std::uint32_t statedSize;
    const char* reason;
  } cases[] = {{"huge.dot", 0xF0000000u, "слишком велик"},
               {"lying.dot", 4096, "больше заявленного размера"},
               {"bigmain.dot", (64u << 20) + 1, "больше 64 МиБ"}};
  for (const auto& c : cases) {
    WriteZip(Path(c.name), e);
    StateSize(Path(c.name), "word/document.xml", c.statedSize);
    ExpectRefused(c.name, c.reason);
  }
}

// ---- saving ----------------------------------------------------------------------------

TEST_F(DocxTest, SavingMakesNewFilesOnly) {
  auto doc = Open(Package(P("Без маркера")));
  EXPECT_FALSE(doc->Find("#1"));
  EXPECT_TRUE(doc->SelectionCollapsed());
  auto first = SaveAndReopen(*doc, "a.docx");
  auto second = SaveAndReopen(*doc, "b.docx");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Text(), "Без маркера\n");
  EXPECT_EQ(second->Text(), "Без маркера\n");
  EXPECT_EQ(*ZipEntry(Path("a.docx"), "word/document.xml"), *ZipEntry(Path("b.docx"), "word/document.xml"));

  std::ofstream(Path("taken.docx")) << "keep me";
  const auto taken = doc->Save(Path("taken.docx"));
  EXPECT_FALSE(taken);
  EXPECT_NE(taken.error().find("уже существует"), std::string::npos);
  std::ifstream kept(Path("taken.docx"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
  const auto nowhere = doc->Save(Path("no/such/dir/c.docx"));
  EXPECT_FALSE(nowhere);
  EXPECT_FALSE(nowhere.error().empty());

  std::vector<std::string> names;
  for (const auto& f : fs::directory_iterator(dir_)) names.push_back(f.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.docx", "b.docx", "t.dotx", "taken.docx"}));  // no temporary left
}

}  // namespace
