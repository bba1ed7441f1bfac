// Makes the seed corpora of the fuzz targets: small catalogues, filters, pictures, order
// templates and help files, each drawn here, plus the hostile cases every parser must
// refuse cleanly. Usage: fuzz_seeds <corpus folder> [chmcmd]
// Each target's seeds go to <corpus folder>/<target>/; with a chmcmd program given, a help
// file compiled by it (LZX-compressed) is added to the help seeds.

#include <QImage>

#include <jpeglib.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue_writer/ado_writer.h"
#include "controls/jpeg.h"
#include "support/chm_writer.h"

namespace fs = std::filesystem;

namespace {

fs::path g_root;

void Put(const std::string& target, const std::string& name, const std::string& bytes) {
  const fs::path dir = g_root / target;
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::cerr << "cannot write " << (dir / name) << "\n";
    std::exit(1);
  }
}

void PutLe16(std::string& b, std::size_t at, std::uint16_t v) {
  b[at] = char(v & 0xff);
  b[at + 1] = char(v >> 8);
}
void PutLe32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xff);
}
std::string Le16(std::uint16_t v) {
  std::string s(2, '\0');
  PutLe16(s, 0, v);
  return s;
}
std::string Le32(std::uint32_t v) {
  std::string s(4, '\0');
  PutLe32(s, 0, v);
  return s;
}

// ---- Catalogues ------------------------------------------------------------------------

void CatalogueSeeds() {
  using catalogue::RecordData;
  std::vector<RecordData> recs(3);
  recs[0] = {1,
             0,
             1,
             "КМ-120.00.000",
             "Кран-манипулятор <КМ-120> & \"прочее\"",
             "1250",
             "1",
             "sec1.jpg",
             "0",
             "Описание\r\nвторая строка\tтаб",
             true,
             false,
             false,
             0,
             0,
             1};
  recs[1] = {2, 1, 2, "КМ-120.01.000", "Стрела", "310,5", "1", "sec1_1.jpg", "1", "", true, true, true, 120, 64, 1};
  recs[2] = {3, 2, 1, "ГОСТ 7798-70", "Болт М12×40", "0,05", "8", "", "", "", false, true, false, -5, 7, 2};
  Put("ado_reader", "three_records.xml", catalogue::ToAdoXml(recs));

  // Enough rows for the reader to estimate how many follow.
  std::vector<RecordData> many;
  for (int i = 1; i <= 600; ++i)
    many.push_back({i, i / 10, i % 7, "", "", "", "", "", "", "", false, false, i % 3 == 0, 0, 0, i % 4});
  std::string big = catalogue::ToAdoXml(many);
  Put("ado_reader", "six_hundred_rows.xml", big);

  // ADO's update grams: changed rows with their originals, deleted rows, inserted rows.
  std::ostringstream upd;
  catalogue::WriteAdoHeader(upd);
  upd << "<z:row ID='1' FID='0' Number='1' Naim='kept' Sostoit='True' VozmPokupka='False' Pokupka='False' Left='0' "
         "Top='0' Table='1'/>\n"
         "<rs:update><rs:original><z:row ID='2' FID='1' Number='2' Naim='old' Sostoit='False' VozmPokupka='True' "
         "Pokupka='False' Left='1' Top='2' Table='1'/></rs:original>"
         "<z:row Naim='new' Pokupka='True'/></rs:update>\n"
         "<rs:delete><z:row ID='3' FID='1' Number='3' Naim='gone'/></rs:delete>\n"
         "<rs:insert><z:row ID='4' FID='1' Number='+4' Naim='added' Pokupka='-1' Left='2147483647' Top='-2147483648' "
         "Table='0'/></rs:insert>\n";
  catalogue::WriteAdoFooter(upd);
  Put("ado_reader", "update_delete_insert.xml", upd.str());

  // Other prefixes, a row type of another name, real names in rs:name, an extra column, type
  // given on the AttributeType, attributes in another order.
  std::string other =
      "<?xml version='1.0' encoding='UTF-8'?>\n"
      "<root xmlns:a='uuid:BDC6E3F0-6DA3-11D1-A2A3-00AA00C14882' xmlns:b='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'"
      " xmlns:c='urn:schemas-microsoft-com:rowset' xmlns:d='#RowsetSchema'>\n"
      "<a:Schema id='RowsetSchema'><a:ElementType name='rec' content='eltOnly'>\n";
  const char* names[] = {"ID",   "FID",      "Number",  "Oboz",        "Naim",    "Massa", "Count", "Picture",
                         "View", "Descript", "Sostoit", "VozmPokupka", "Pokupka", "Left",  "Top",   "Table"};
  int k = 0;
  for (const char* n : names)
    other += "<a:AttributeType name='c" + std::to_string(k++) + "' c:name='" + n + "' b:type='string'/>\n";
  other +=
      "<a:AttributeType name='Extra'><a:datatype b:type='int'/></a:AttributeType>\n"
      "</a:ElementType></a:Schema>\n<c:data>\n"
      "<d:rec c15='3' c0='7' c1='0' c2='12' c4='&#x41f;&#1072;&#x43b;&#x435;&#x446;' c12='True' Extra='x'/>\n"
      "<d:rec c0='8' c1='7' c2='-1' c3='' c9='a&#10;b&#9;c&#13;' c10='false' c11='0' c12='1' c13='-2' c14='4'/>\n"
      "</c:data></root>\n";
  Put("ado_reader", "prefixes_and_real_names.xml", other);

  // A catalogue saved in the Cyrillic ANSI code page.
  std::string cp = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n";
  std::string body = catalogue::ToAdoXml({{1, 0, 1, "", "", "", "", "", "", "", false, false, false, 0, 0, 0}});
  const std::string naim = "Naim='\xCA\xF0\xE0\xED \xB9 1 \x88'";
  body.insert(body.find("Number='1'") + 10, " " + naim);
  Put("ado_reader", "windows_1251.xml", cp + body);

  // Refused: a value out of range, a field missing from the schema, a second schema.
  std::string range = catalogue::ToAdoXml({recs[0]});
  range.replace(range.find("ID='1'"), 6, "ID='2147483648'");
  Put("ado_reader", "id_out_of_range.xml", range);
  std::string missing = catalogue::ToAdoXml({});
  const std::size_t top = missing.find("<s:AttributeType name='Top'");
  missing.erase(top, missing.find("</s:AttributeType>", top) + 18 - top);
  Put("ado_reader", "schema_lacks_a_field.xml", missing);

  // Hostile: deep nesting, entity expansion, an external entity.
  std::string deep = catalogue::ToAdoXml({});
  std::string open, close;
  for (int i = 0; i < 300; ++i) open += "<e>", close += "</e>";
  deep.insert(deep.find("</rs:data>"), open + close);
  Put("ado_reader", "deep_nesting.xml", deep);
  std::string laughs = "<?xml version='1.0'?>\n<!DOCTYPE xml [\n<!ENTITY l0 'ha'>\n";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " '";
    for (int j = 0; j < 10; ++j) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "'>\n";
  }
  laughs += "]>\n";
  std::string withLaughs = catalogue::ToAdoXml({recs[1]});
  withLaughs.replace(withLaughs.find("Naim='Стрела'"), std::string("Naim='Стрела'").size(), "Naim='&l9;'");
  Put("ado_reader", "billion_laughs.xml", laughs + withLaughs);
  std::string external = "<?xml version='1.0'?>\n<!DOCTYPE xml [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>\n";
  std::string withExternal = catalogue::ToAdoXml({recs[1]});
  withExternal.replace(withExternal.find("Naim='Стрела'"), std::string("Naim='Стрела'").size(), "Naim='&x;'");
  Put("ado_reader", "external_entity.xml", external + withExternal);
}

void FilterSeeds() {
  const char* filters[] = {"",
                           "FID = 1",
                           "Pokupka = True",
                           "pokupka=false",
                           "ID = 3",
                           "ID=-2",
                           " Number = -3 ",
                           "Left = 2147483647",
                           "Top = -2147483648",
                           "Table = 0",
                           "Sostoit = TRUE",
                           "VozmPokupka = True",
                           "Naim = r1",
                           "FID = 99999999999",
                           "FID =",
                           "= 1",
                           "Number = 0x1",
                           "\tTable\t=\t2\t"};
  int i = 0;
  for (const char* f : filters) Put("filter", "filter_" + std::to_string(i++) + ".txt", f);
}

// ---- Pictures --------------------------------------------------------------------------

QImage Picture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB888);
  for (int y = 0; y < h; ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < w; ++x) {
      const bool frame = x < 2 || y < 2 || x >= w - 2 || y >= h - 2 || x * h == y * w;
      const bool block = x >= w / 3 && x < 2 * w / 3 && y >= h / 3 && y < 2 * h / 3;
      line[3 * x] = frame ? 30 : block ? 200 : uchar(240 - x);
      line[3 * x + 1] = frame ? 60 : block ? 40 : uchar(236 - y);
      line[3 * x + 2] = frame ? 140 : block ? 40 : 220;
    }
  }
  return image;
}

struct JpegSpec {
  int width = 16, height = 16;
  int components = 3;  // 1 gray, 3 colour, 4 CMYK (with an Adobe marker)
  bool progressive = false;
  bool arithmetic = false;
  int restartRows = 0;
  int quality = 75;
  std::vector<jpeg_scan_info> scans;  // a scan script of its own
};

std::string Jpeg(const JpegSpec& spec) {
  const QImage image = Picture(spec.width, spec.height);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&cinfo, &buffer, &length);
  cinfo.image_width = JDIMENSION(spec.width);
  cinfo.image_height = JDIMENSION(spec.height);
  cinfo.input_components = spec.components;
  cinfo.in_color_space = spec.components == 1 ? JCS_GRAYSCALE : spec.components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, spec.quality, TRUE);
  if (spec.progressive) jpeg_simple_progression(&cinfo);
  if (!spec.scans.empty()) {
    cinfo.scan_info = spec.scans.data();
    cinfo.num_scans = int(spec.scans.size());
  }
  cinfo.arith_code = spec.arithmetic ? TRUE : FALSE;
  cinfo.restart_in_rows = spec.restartRows;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(std::size_t(spec.width) * spec.components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uchar* src = image.constScanLine(int(cinfo.next_scanline));
    for (int x = 0; x < spec.width; ++x) {
      const uchar r = src[3 * x], g = src[3 * x + 1], b = src[3 * x + 2];
      if (spec.components == 1) {
        row[x] = uchar((r * 30 + g * 59 + b * 11) / 100);
      } else if (spec.components == 3) {
        row[3 * x] = r, row[3 * x + 1] = g, row[3 * x + 2] = b;
      } else {
        const uchar k = std::max({r, g, b});
        row[4 * x] = r, row[4 * x + 1] = g, row[4 * x + 2] = b, row[4 * x + 3] = k;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), length);
  std::free(buffer);
  return out;
}

// The frame header's height and width, rewritten.
std::string WithDimensions(std::string jpeg, std::uint16_t width, std::uint16_t height) {
  for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
    const auto m = static_cast<unsigned char>(jpeg[i + 1]);
    if (static_cast<unsigned char>(jpeg[i]) == 0xFF &&
        (m == 0xC0 || m == 0xC1 || m == 0xC2 || m == 0xC9 || m == 0xCA)) {
      jpeg[i + 5] = char(height >> 8), jpeg[i + 6] = char(height & 0xff);
      jpeg[i + 7] = char(width >> 8), jpeg[i + 8] = char(width & 0xff);
      return jpeg;
    }
  }
  return jpeg;
}

void JpegSeeds() {
  QByteArray encoded;
  EncodeJpeg(Picture(23, 17), 80, false, encoded);
  Put("jpeg", "baseline_rgb.jpg", encoded.toStdString());
  EncodeJpeg(Picture(33, 20), 60, true, encoded);
  Put("jpeg", "progressive_rgb.jpg", encoded.toStdString());

  JpegSpec gray;
  gray.components = 1;
  Put("jpeg", "baseline_gray.jpg", Jpeg(gray));
  gray.progressive = true;
  Put("jpeg", "progressive_gray.jpg", Jpeg(gray));
  JpegSpec cmyk;
  cmyk.components = 4;
  cmyk.width = 9, cmyk.height = 11;
  Put("jpeg", "adobe_cmyk.jpg", Jpeg(cmyk));
  JpegSpec restart;
  restart.width = 40, restart.height = 24, restart.restartRows = 1;
  Put("jpeg", "restart_markers.jpg", Jpeg(restart));
  JpegSpec arith;
  arith.arithmetic = true;
  Put("jpeg", "arithmetic.jpg", Jpeg(arith));
  arith.progressive = true;
  Put("jpeg", "arithmetic_progressive.jpg", Jpeg(arith));

  // Hostile: a header promising a huge picture, with nothing behind it.
  const std::string small = Jpeg(JpegSpec{});
  Put("jpeg", "huge_dimensions.jpg", WithDimensions(small, 65500, 65500));
  Put("jpeg", "over_pixel_limit.jpg", WithDimensions(small, 9000, 8000));
  JpegSpec prog;
  prog.progressive = true;
  const std::string progressive = Jpeg(prog);
  Put("jpeg", "huge_progressive_truncated.jpg", WithDimensions(progressive, 8000, 8000));
  Put("jpeg", "truncated.jpg", progressive.substr(0, progressive.size() / 2));

  // Hostile: more scans than the limit, every one of them well-formed. One component is
  // refined coefficient by coefficient, bit by bit (libjpeg allows 10 bits of successive
  // approximation for 8-bit samples).
  JpegSpec scans;
  scans.width = 8, scans.height = 8, scans.quality = 100;
  auto scan = [](std::initializer_list<int> comps, int ss, int se, int ah, int al) {
    jpeg_scan_info s{};
    s.comps_in_scan = int(comps.size());
    int i = 0;
    for (int c : comps) s.component_index[i++] = c;
    s.Ss = ss, s.Se = se, s.Ah = ah, s.Al = al;
    return s;
  };
  scans.scans.push_back(scan({0, 1, 2}, 0, 0, 0, 10));
  for (int al = 9; al >= 0; --al) scans.scans.push_back(scan({0, 1, 2}, 0, 0, al + 1, al));
  for (int c = 0; c < 3; ++c) {
    for (int k = 1; k <= 63; ++k) {
      const bool detailed = c == 0 || k <= 10;
      scans.scans.push_back(scan({c}, k, k, 0, detailed ? 10 : 0));
      if (!detailed) continue;
      for (int al = 9; al >= 0; --al) scans.scans.push_back(scan({c}, k, k, al + 1, al));
    }
  }
  std::cerr << "many scans: " << scans.scans.size() << "\n";
  Put("jpeg", "too_many_scans.jpg", Jpeg(scans));
}

// ---- Order templates -------------------------------------------------------------------

struct ZipEntry {
  std::string name;
  std::string data;
  bool deflate = true;
  std::uint64_t statedSize = UINT64_MAX;  // the size the archive claims; the real one when unset
};

std::string Deflate(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, uLong(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = uInt(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// A ZIP archive written field by field, so that it can state sizes its entries do not have.
std::string Zip(const std::vector<ZipEntry>& entries) {
  std::string out, central;
  for (const ZipEntry& e : entries) {
    const std::string stored = e.deflate ? Deflate(e.data) : e.data;
    const std::uint32_t crc =
        std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size())));
    const std::uint32_t size = std::uint32_t(e.statedSize == UINT64_MAX ? e.data.size() : e.statedSize);
    const std::uint16_t method = e.deflate ? 8 : 0;
    const std::uint32_t offset = std::uint32_t(out.size());
    out += Le32(0x04034b50) + Le16(20) + Le16(0x0800) + Le16(method) + Le16(0) + Le16(0x21) + Le32(crc) +
           Le32(std::uint32_t(stored.size())) + Le32(size) + Le16(std::uint16_t(e.name.size())) + Le16(0) + e.name +
           stored;
    central += Le32(0x02014b50) + Le16(20) + Le16(20) + Le16(0x0800) + Le16(method) + Le16(0) + Le16(0x21) + Le32(crc) +
               Le32(std::uint32_t(stored.size())) + Le32(size) + Le16(std::uint16_t(e.name.size())) + Le16(0) +
               Le16(0) + Le16(0) + Le16(0) + Le32(0) + Le32(offset) + e.name;
  }
  const std::uint32_t centralOffset = std::uint32_t(out.size());
  out += central;
  out += Le32(0x06054b50) + Le16(0) + Le16(0) + Le16(std::uint16_t(entries.size())) +
         Le16(std::uint16_t(entries.size())) + Le32(std::uint32_t(central.size())) + Le32(centralOffset) + Le16(0);
  return out;
}

const char* const kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

std::string ContentTypes(const std::string& mainType, bool asOverride = true) {
  std::string s =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>";
  if (asOverride)
    s += "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" "
         "ContentType=\"" +
         mainType + "\"/>";
  else
    s += "<Default Extension=\"xml\" ContentType=\"" + mainType + "\"/>";
  return s + "</Types>";
}

std::string RootRels(const std::string& target = "word/document.xml") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"" +
         target + "\"/></Relationships>";
}

std::string Cell(const std::string& text, const std::string& p = "w") {
  return "<" + p + ":tc><" + p + ":tcPr><" + p + ":tcW " + p + ":w=\"1200\" " + p + ":type=\"dxa\"/></" + p +
         ":tcPr><" + p + ":p><" + p + ":r><" + p + ":rPr><" + p + ":b/></" + p + ":rPr><" + p + ":t>" + text + "</" +
         p + ":t></" + p + ":r></" + p + ":p></" + p + ":tc>";
}

std::string Document(const std::string& body, const std::string& p = "w") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<" + p + ":document xmlns:" + p + "=\"" + kW +
         "\"><" + p + ":body>" + body + "<" + p + ":sectPr/></" + p + ":body></" + p + ":document>";
}

std::string OrderTable(const std::string& p = "w") {
  return "<" + p + ":tbl><" + p + ":tblPr/><" + p + ":tr>" + Cell("№", p) + Cell("Обозначение", p) +
         Cell("Наименование", p) + Cell("Кол.", p) + "</" + p + ":tr><" + p + ":tr><" + p + ":trPr><" + p +
         ":cantSplit/></" + p + ":trPr>" + Cell("#1", p) + Cell("__", p) + Cell("__", p) + Cell("__", p) + "</" + p +
         ":tr></" + p + ":tbl>";
}

const std::string kDocType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
const std::string kTemplateType = "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml";

std::string Package(const std::string& document, const std::string& type = kDocType, bool asOverride = true) {
  return Zip({{"[Content_Types].xml", ContentTypes(type, asOverride)},
              {"_rels/.rels", RootRels()},
              {"word/document.xml", document}});
}

// The target's input: the length of the texts, the texts, then the package.
std::string DocxInput(const std::string& package, const std::string& texts = {}) {
  return std::string(1, char(texts.size())) + texts + package;
}

void DocxSeeds() {
  const std::string heading = "<w:p><w:r><w:t>Заявка</w:t></w:r></w:p>";
  const std::string tail = "<w:p><w:r><w:t xml:space=\"preserve\">Итого: </w:t><w:tab/></w:r></w:p>";
  Put("docx", "order_table.bin", DocxInput(Package(Document(heading + OrderTable() + tail))));
  Put("docx", "template_type_by_default.bin",
      DocxInput(Package(Document(OrderTable()), kTemplateType, false), std::string("A\0B\tC\0\r\n", 8)));
  Put("docx", "other_prefix.bin", DocxInput(Package(Document(OrderTable("ns0"), "ns0"), kTemplateType)));
  Put("docx", "texts_control_and_invalid.bin",
      DocxInput(Package(Document(OrderTable())), std::string("\x01\x02x\xff\xfe\0\xe2\x82\0\xef\xbf\xbe\v\f\0", 15)));

  // The row wrapped in a content control, the marker split over runs and inside a link,
  // a nested table, cells without runs.
  const std::string sdtRow =
      "<w:tbl><w:tr>" + Cell("a") + Cell("b") +
      "</w:tr><w:sdt><w:sdtPr><w:id w:val=\"5\"/></w:sdtPr><w:sdtContent>"
      "<w:tr w14:paraId=\"1\" xmlns:w14=\"x\"><w:tc><w:p><w:hyperlink><w:r><w:t>#</w:t></w:r></w:hyperlink>"
      "<w:r><w:rPr><w:i/></w:rPr><w:t>1</w:t><w:br/></w:r><w:bookmarkStart w:id=\"0\"/></w:p></w:tc>"
      "<w:tc><w:p/></w:tc><w:tc><w:tcPr><w:vMerge/></w:tcPr><w:p><w:pPr><w:rPr><w:u/></w:rPr></w:pPr></w:p></w:tc>"
      "<w:tc><w:tbl><w:tr>" +
      Cell("in") +
      "</w:tr></w:tbl><w:p><w:r><w:noBreakHyphen/><w:softHyphen/><w:cr/></w:r></w:p></w:tc>"
      "</w:tr></w:sdtContent></w:sdt></w:tbl>";
  Put("docx", "row_in_content_control.bin", DocxInput(Package(Document(sdtRow))));

  // Text split over several text nodes and CDATA, deleted text, field codes.
  const std::string mixed =
      "<w:p><w:ins><w:r><w:t>in</w:t></w:r></w:ins><w:del><w:r><w:delText>out</w:delText></w:r></w:del>"
      "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>PAGE</w:instrText></w:r></w:p>"
      "<w:tbl><w:tr><w:tc><w:p><w:r><w:t>#<![CDATA[1]]></w:t></w:r><w:r><w:t> </w:t></w:r></w:p></w:tc>"
      "<w:tc><w:p><w:r><w:tab/><w:t>__</w:t></w:r></w:p></w:tc></w:tr></w:tbl>";
  Put("docx", "cdata_and_revisions.bin", DocxInput(Package(Document(mixed))));

  // The marker outside any table: rows cannot be inserted.
  Put("docx", "marker_outside_table.bin", DocxInput(Package(Document("<w:p><w:r><w:t>#1 __ __ __</w:t></w:r></w:p>"))));

  // More parts, kept as they are; a relationship target with dots.
  Put("docx", "more_parts.bin",
      DocxInput(Zip({{"[Content_Types].xml", ContentTypes(kDocType)},
                     {"_rels/.rels", RootRels("./word/../word/document.xml")},
                     {"word/", "", false},
                     {"word/document.xml", Document(OrderTable()), false},
                     {"word/styles.xml", "<w:styles xmlns:w=\"" + std::string(kW) + "\"/>"},
                     {"docProps/core.xml", "<cp:coreProperties xmlns:cp=\"x\"/>"}})));

  // Refused: macros, a DOCTYPE with entities, nesting too deep, no main part, not a ZIP.
  Put("docx", "macro_template.bin",
      DocxInput(Package(Document(OrderTable()), "application/vnd.ms-word.template.macroEnabledTemplate.main+xml")));
  std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE w:document [<!ENTITY a \"aaaaaaaaaa\">";
  for (int i = 1; i < 9; ++i)
    laughs += "<!ENTITY " + std::string(i + 1, 'a') + " \"" + [&] {
      std::string s;
      for (int j = 0; j < 10; ++j) s += "&" + std::string(i, 'a') + ";";
      return s;
    }() + "\">";
  laughs += "]>" + Document("<w:p><w:r><w:t>&aaaaaaaaa;</w:t></w:r></w:p>" + OrderTable()).substr(56);
  Put("docx", "billion_laughs.bin", DocxInput(Package(laughs)));
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<w:sdt><w:sdtContent>";
  for (int i = 0; i < 300; ++i) deep += "</w:sdtContent></w:sdt>";
  Put("docx", "deep_nesting.bin", DocxInput(Package(Document(deep + OrderTable()))));
  Put("docx", "no_main_part.bin",
      DocxInput(Zip({{"[Content_Types].xml", ContentTypes(kDocType)}, {"_rels/.rels", RootRels("word/missing.xml")}})));

  // The same documents as lists of parts, which the target packs itself: the fuzzer can
  // change their XML without breaking the archive's checksums.
  auto parts = [](const std::string& type, const std::string& document, bool asOverride = true) {
    std::string out;
    for (const auto& [name, content] :
         std::vector<std::pair<std::string, std::string>>{{"[Content_Types].xml", ContentTypes(type, asOverride)},
                                                          {"_rels/.rels", RootRels()},
                                                          {"word/document.xml", document}})
      out += name + '\0' + content + '\0';
    return out;
  };
  Put("docx", "parts_order_table.bin", DocxInput(parts(kDocType, Document(heading + OrderTable() + tail))));
  Put("docx", "parts_row_in_content_control.bin", DocxInput(parts(kTemplateType, Document(sdtRow))));
  Put("docx", "parts_cdata_and_revisions.bin", DocxInput(parts(kDocType, Document(mixed), false), "x\ty"));
  Put("docx", "parts_other_prefix.bin", DocxInput(parts(kTemplateType, Document(OrderTable("ns0"), "ns0"))));

  // Hostile: an entry that inflates far past its stated size, and one stating gigabytes.
  const std::string bomb(64u << 20, '\0');
  Put("docx", "inflates_past_stated_size.bin",
      DocxInput(Zip({{"[Content_Types].xml", ContentTypes(kDocType)},
                     {"_rels/.rels", RootRels()},
                     {"word/document.xml", Document(OrderTable())},
                     {"word/media/blank.bin", bomb, true, 1000}})));
  Put("docx", "states_gigabytes.bin",
      DocxInput(Zip({{"[Content_Types].xml", ContentTypes(kDocType)},
                     {"_rels/.rels", RootRels()},
                     {"word/document.xml", Document(OrderTable()), true, 3000000000u}})));
}

// ---- Help files ------------------------------------------------------------------------

QByteArray Bytes(const std::string& s) { return QByteArray::fromStdString(s); }

void Put(const std::string& target, const std::string& name, const QByteArray& bytes) {
  Put(target, name, bytes.toStdString());
}

void ChmSeeds(const char* chmcmd) {
  const std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
      "<title>\xCA\xE0\xF2\xE0\xEB\xEE\xE3</title></head><body><h1>\xD1\xEF\xF0\xE0\xE2\xEA\xE0</h1></body></html>";
  const std::string hhc =
      "<html><body><ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Start\">"
      "<param name=\"Local\" value=\"pages/start.htm#top\"></object></ul></body></html>";
  const std::string css = "@charset \"utf-8\"; body { font-family: sans-serif; } /* \xD0\x9A */";
  using namespace chm_writer;
  const Layout layout{0x200, 0x419};
  QByteArray data;
  auto entries = Lay({{"/#SYSTEM", SystemData({{0, QByteArray("Catalog.hhc\0", 12)},
                                               {3, QByteArray("\xD1\xEF\xF0\xE0\xE2\xEA\xE0\0", 8)},
                                               {4, Bytes(Le32(0x419) + Le32(0))},
                                               {10, QByteArray(8, '\x11')}})},
                      {"/Catalog.hhc", Bytes(hhc)},
                      {"/pages/", ""},
                      {"/pages/start.htm", Bytes(page)},
                      {"/style.css", Bytes(css)},
                      {"/utf16.htm", QByteArray("\xFF\xFE<\0h\0>\0", 8)}},
                     &data);
  Put("chm", "stored_objects.chm", Container({ListingPage(entries, -1, layout)}, -1, 0, data, layout));

  // The directory over two listing pages under an index page; a default topic.
  QByteArray data2;
  auto first = Lay({{"/#SYSTEM", SystemData({{2, QByteArray("/b.htm\0", 7)}})}, {"/a.htm", "<p>a</p>"}}, &data2);
  auto second = Lay({{"/b.htm", "<meta charset=\"koi8-r\"><p>\xE2</p>"}, {"/c.html", "<p>c</p>"}}, &data2);
  Put("chm", "index_and_two_listings.chm",
      Container({ListingPage(first, 1, layout), ListingPage(second, -1, layout),
                 IndexPage({{"/", 0}, {"/b.htm", 1}}, layout)},
                2, 0, data2, layout));

  // Hostile: broken internal offsets and loops chmlib would follow.
  QByteArray past = Container({ListingPage(entries, -1, layout)}, -1, 0, data, layout);
  chm_writer::PutLe64(past, 0x48, 0x7fffffff00ull);
  Put("chm", "directory_past_end.chm", past);
  QByteArray outside;
  auto wild = Lay({{"/x.htm", "<p>x</p>"}}, &outside);
  wild.push_back({"/far.htm", 0, 0xfffffffffull, 16});
  wild.push_back({"/long.htm", 0, 0, 0x7fffffffffull});
  wild.push_back({"/packed.htm", 1, 0, 100});
  Put("chm", "objects_outside_file.chm", Container({ListingPage(wild, -1, layout)}, -1, 0, outside, layout));
  Put("chm", "listing_loop.chm", Container({ListingPage(entries, 0, layout)}, -1, 0, data, layout));
  Put("chm", "index_loop.chm",
      Container({ListingPage(entries, -1, layout), IndexPage({{"/", 1}}, layout)}, 1, 0, data, layout));
  QByteArray overfull = Container({ListingPage(entries, -1, layout)}, -1, 0, data, layout);
  chm_writer::PutLe32(overfull, 0x78 + 0x54 + 4, layout.page);
  Put("chm", "page_overfull.chm", overfull);

  if (!chmcmd) return;
  // A help file as a CHM compiler writes it, with its pages LZX-compressed.
  const fs::path dir = fs::temp_directory_path() / "catalog-fuzz-seed-help";
  fs::remove_all(dir);
  fs::create_directories(dir);
  auto write = [&](const char* name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; };
  write("help.hhp",
        "[OPTIONS]\nCompiled file=help.chm\nContents file=help.hhc\nDefault topic=start.htm\n"
        "Title=Help\nLanguage=0x419\n\n[FILES]\nstart.htm\nparts.htm\n");
  write("help.hhc", hhc);
  write("start.htm", "<html><head><title>Start</title></head><body><a href=\"parts.htm\">Parts</a></body></html>");
  write("parts.htm", page);
  const std::string command = "cd '" + dir.string() + "' && '" + chmcmd + "' help.hhp >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) {
    std::cerr << "chmcmd failed\n";
    return;
  }
  std::ifstream in(dir / "help.chm", std::ios::binary);
  const std::string compiled((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Put("chm", "compiled_lzx.chm", compiled);
  fs::remove_all(dir);
}
// Rows on every boundary the catalogue's row scanner cares about: characters of two, three and
// four bytes and references at each place of a 16-byte block, line ends and tabs to normalise,
// attributes in any order with either quote and spaces around '=', missing attributes, insert
// wrappers, the tokens it leaves to expat, and the faults both readers must refuse alike.
void CatalogueRowSeeds() {
  auto document = [](const std::string& rows) {
    std::ostringstream out;
    catalogue::WriteAdoHeader(out);
    out << rows;
    catalogue::WriteAdoFooter(out);
    return out.str();
  };
  auto row = [](int id, const std::string& naim) {
    return "<z:row ID='" + std::to_string(id) + "' FID='0' Number='1' Naim='" + naim +
           "' Sostoit='True' VozmPokupka='False' Pokupka='-1' Left='1' Top='2' Table='3'/>\n";
  };
  const char* pieces[] = {"Ж",
                          "€",
                          "\xF0\x9D\x84\x9E",
                          "&lt;",
                          "&amp;",
                          "&#x42f;",
                          "&#128512;",
                          "&quot;",
                          "\xC2\x80",
                          "\xEF\xBF\xBD",
                          "\xF4\x8F\xBF\xBF",
                          "\x7F",
                          "&#x10FFFF;",
                          "&#00065;"};
  int id = 1;
  std::string across;
  for (const char* piece : pieces)
    for (int pad = 0; pad < 17; ++pad)
      across += row(id++, std::string(static_cast<std::size_t>(pad), 'a') + piece + "b");
  Put("ado_rows", "characters_at_every_place_of_a_block.xml", document(across));

  Put("ado_rows", "whitespace_normalised.xml",
      document(row(1, "a\tb\nc\r\nd\re") + row(2, "&#9;&#10;&#13;&#xD;&#xa;") + row(3, "\r") + row(4, " ")));
  Put("ado_rows", "attributes_in_any_order.xml",
      document("<z:row Table='1' Naim=\"двойные 'кавычки'\" ID = '5'\n\tFID\t=\t\"2\" Pokupka='True'/>\n"
               "<z:row ID='6' Table='1' Naim='b' FID='2'/>\n<z:row FID='2' ID='7'/>\n"
               "<z:row ID='8' FID='2' Number='3' Oboz='' Naim='' Massa='' Count='' Picture='' View='' Descript=''/>\n"
               "<z:row/>\n<z:row />\n<z:row\nID='9'\n/>\n"));
  Put("ado_rows", "insert_wrappers.xml",
      document(row(1, "a") + "<rs:insert>" + row(2, "b") + row(3, "c") + "</rs:insert>\n<rs:insert >\n</rs:insert >" +
               row(4, "d") + "<rs:insert><!-- note -->" + row(5, "e") + "</rs:insert>"));
  Put("ado_rows", "tokens_left_to_expat.xml",
      document(row(1, "a") + "<!-- comment -->" + row(2, "b") + "<?pi x?>" + row(3, "c") + "<![CDATA[ ]]>" +
               "<z:row ID='4' Extra='x'/><z:row ID='5'></z:row><rs:update><rs:original>" + row(6, "old") +
               "</rs:original><z:row Naim='new'/></rs:update>" + row(7, "d") + "text" + row(8, "e")));
  std::string second = document(row(1, "a"));
  second.insert(second.find("</xml>"), "<rs:data>" + row(2, "b") + "</rs:data>\n");
  Put("ado_rows", "second_data_section.xml", second);
  std::string defaultNs = document("");
  defaultNs.replace(defaultNs.find("<rs:data>"), 9, "<rs:data xmlns='#RowsetSchema' xmlns:q='#rowsetschema'>");
  defaultNs.insert(defaultNs.find("</rs:data>"), "<row ID='1'/><q:row ID='2'/><z:row ID='3'/>");
  Put("ado_rows", "rows_in_the_default_namespace.xml", defaultNs);

  // Refused by both, each in a row after good ones.
  const std::pair<const char*, std::string> faults[] = {
      {"overlong_utf8", "\xC0\x80"},  {"surrogate", "\xED\xA0\x80"},
      {"u_fffe", "\xEF\xBF\xBE"},     {"cut_character", "\xD0"},
      {"stray_continuation", "\x80"}, {"past_10ffff", "\xF4\x90\x80\x80"},
      {"null_reference", "&#0;"},     {"surrogate_reference", "&#xD800;"},
      {"undefined_entity", "&nbsp;"}, {"less_than", "<"},
      {"control_byte", "\x01"},       {"huge_reference", "&#99999999999;"}};
  for (const auto& [name, value] : faults) {
    std::string rows;
    for (int i = 1; i <= 3; ++i) rows += row(i, "padding " + std::to_string(i));
    Put("ado_rows", std::string("refused_") + name + ".xml", document(rows + row(4, "ab" + value + "cd")));
  }
  Put("ado_rows", "refused_duplicate_attribute.xml", document(row(1, "a") + "<z:row ID='2' ID='3'/>"));
  Put("ado_rows", "refused_bad_integer_in_third_row.xml", document(row(1, "a") + row(2, "b") + "<z:row ID='3x'/>"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: " << argv[0] << " <corpus folder> [chmcmd]\n";
    return 2;
  }
  g_root = argv[1];
  CatalogueSeeds();
  CatalogueRowSeeds();
  FilterSeeds();
  JpegSeeds();
  DocxSeeds();
  ChmSeeds(argc > 2 ? argv[2] : nullptr);
  return 0;
}
