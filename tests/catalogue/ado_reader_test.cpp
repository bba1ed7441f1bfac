#include "catalogue/ado_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "catalogue_writer/ado_writer.h"

namespace catalogue {
namespace {

// A schema in ADO's own form, with the prefixes given.
std::string Schema(const std::string& s = "s", const std::string& rs = "rs", const std::string& dt = "dt",
                   const std::string& z = "z", const std::string& idType = "int") {
  std::string x = "<xml xmlns:" + s + "='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' xmlns:" + dt +
                  "='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882' xmlns:" + rs +
                  "='urn:schemas-microsoft-com:rowset' xmlns:" + z + "='#RowsetSchema'>\n<" + s +
                  ":Schema id='RowsetSchema'><" + s + ":ElementType name='row' content='eltOnly'>\n";
  auto col = [&](const std::string& name, const std::string& type) {
    x += "<" + s + ":AttributeType name='" + name + "'><" + s + ":datatype " + dt + ":type='" + type + "'/></" + s +
         ":AttributeType>\n";
  };
  col("ID", idType);
  col("FID", "i2");
  col("Number", "ui1");
  for (const char* t : {"Oboz", "Naim", "Massa", "Count", "Picture", "View", "Descript"}) col(t, "string");
  for (const char* b : {"Sostoit", "VozmPokupka", "Pokupka"}) col(b, "boolean");
  col("Left", "i8");
  col("Top", "ui4");
  col("Table", "i4");
  x += "</" + s + ":ElementType></" + s + ":Schema>\n";
  return x;
}

// The fields every row must carry besides its ID: Number 1, the others 0.
const std::string kZeros = " FID='0' Number='1' Sostoit='0' VozmPokupka='0' Pokupka='0' Left='0' Top='0' Table='0'";

// Every case runs through both ways of reading the rows: the scanner (with expat for the rest)
// and expat alone.
class AdoReader : public ::testing::TestWithParam<RowReader> {
 protected:
  Result<Table> Read(std::string_view xml) { return ReadAdoText(xml, "catalogue", GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(RowReaders, AdoReader, ::testing::Values(RowReader::Scanner, RowReader::Expat),
                         [](const auto& info) { return info.param == RowReader::Scanner ? "Scanner" : "Expat"; });

TEST_P(AdoReader, ReadsWhatAdoWritesIncludingCyrillicAndEscapes) {
  std::vector<RecordData> recs(2);
  recs[0] = {1,
             0,
             3,
             "КМ-10.01.000",
             "Стрела <основная> & \"прочее\"",
             "12,5",
             "1",
             "pic1",
             "view1",
             "Описание\r\nвторая строка",
             true,
             false,
             false,
             532,
             64,
             2};
  recs[1] = {2, 1, 0, "КМ-10.01.001", "Втулка", "0", "", "", "", "", false, true, true, -5, 7, 9};
  auto t = Read(ToAdoXml(recs));
  ASSERT_TRUE(t.ok()) << t.error();
  ASSERT_EQ(t->size(), 2u);
  EXPECT_EQ(t->Integer(0, Field::ID), 1);
  EXPECT_EQ(t->Text(0, Field::Oboz), "КМ-10.01.000");
  EXPECT_EQ(t->Text(0, Field::Naim), "Стрела <основная> & \"прочее\"");
  EXPECT_EQ(t->Text(0, Field::Descript), "Описание\r\nвторая строка");
  EXPECT_EQ(t->Text(0, Field::Number), "3");
  EXPECT_EQ(t->Integer(0, Field::Number), 3);
  EXPECT_TRUE(t->Boolean(0, Field::Sostoit));
  EXPECT_EQ(t->Integer(1, Field::Left), -5);
  EXPECT_EQ(t->Integer(1, Field::Table), 9);
  EXPECT_TRUE(t->Boolean(1, Field::Pokupka));
  // Omitted attributes are null: empty text.
  EXPECT_TRUE(t->IsNull(1, Field::Count));
  EXPECT_EQ(t->Format(1, Field::Count), "");
  EXPECT_EQ(t->Format(1, Field::Sostoit), "False");
  EXPECT_EQ(t->Format(1, Field::Top), "7");
}

TEST_P(AdoReader, MatchesNamespacesByUriNotPrefixAndNamesWithoutCase) {
  std::string x = Schema("a", "b", "c", "row");
  // Column names differ in letter case from the catalogue's, one is renamed with rs:name.
  x.replace(x.find("name='FID'"), 10, "name='fid'");
  x.replace(x.find("name='Naim'"), 11, "name='c5' b:name='NAIM'");
  x += "<b:data><row:row ID='7' fid='3' Number='2' c5='Имя' Sostoit='tRuE' VozmPokupka='-1' "
       "Pokupka='0' Left='1' Top='2' Table='0'/>"
       "<b:insert><row:row ID='8' fid='7' Number='0' Sostoit='FALSE' VozmPokupka='1' Pokupka='False' "
       "Left='0' Top='0' Table='4'/></b:insert></b:data></xml>";
  auto t = Read(x);
  ASSERT_TRUE(t.ok()) << t.error();
  ASSERT_EQ(t->size(), 2u);
  EXPECT_EQ(t->Integer(0, Field::FID), 3);
  EXPECT_EQ(t->Text(0, Field::Naim), "Имя");
  EXPECT_TRUE(t->Boolean(0, Field::Sostoit));
  EXPECT_TRUE(t->Boolean(0, Field::VozmPokupka));
  EXPECT_EQ(t->Integer(1, Field::ID), 8);  // the row kept in rs:insert, in document order
  EXPECT_TRUE(t->Boolean(1, Field::VozmPokupka));
  EXPECT_FALSE(t->Boolean(1, Field::Sostoit));
}

TEST_P(AdoReader, ElementsOutsideTheRowsetNamespaceAreNotRows) {
  std::string x = Schema();
  x += "<rs:data><row ID='1'" + kZeros + "/><z:row ID='2'" + kZeros + "/></rs:data></xml>";
  auto t = Read(x);
  ASSERT_TRUE(t.ok()) << t.error();
  ASSERT_EQ(t->size(), 1u);
  EXPECT_EQ(t->Integer(0, Field::ID), 2);
}

TEST_P(AdoReader, PendingUpdatesAndDeletesReadAsTheirCurrentValues) {
  std::string x = Schema();
  x += "<rs:data><z:row ID='1' Naim='a'" + kZeros +
       "/>"
       "<rs:update><rs:original><z:row ID='2' Naim='old'" +
       kZeros +
       "/></rs:original>"
       "<z:row Naim='new'/></rs:update>"
       "<rs:delete><z:row ID='3' Naim='gone'" +
       kZeros +
       "/></rs:delete>"
       // An update that empties fields names them in rs:forcenull.
       "<rs:update><rs:original><z:row ID='4' Naim='was' Oboz='X-4'" +
       kZeros +
       "/></rs:original>"
       "<z:row Table='5' rs:forcenull='Naim  Oboz'/></rs:update></rs:data></xml>";
  auto t = Read(x);
  ASSERT_TRUE(t.ok()) << t.error();
  ASSERT_EQ(t->size(), 3u);
  EXPECT_EQ(t->Integer(1, Field::ID), 2);
  EXPECT_EQ(t->Text(1, Field::Naim), "new");
  EXPECT_TRUE(t->IsNull(2, Field::Naim));
  EXPECT_TRUE(t->IsNull(2, Field::Oboz));
  EXPECT_EQ(t->Integer(2, Field::Table), 5);
  EXPECT_FALSE(t->IsNull(2, Field::FID));
}

TEST_P(AdoReader, AcceptsByteOrderMarkAndWindows1251) {
  std::vector<RecordData> recs(1);
  recs[0].id = 1;
  recs[0].naim = "Ось";
  auto withBom = Read("\xEF\xBB\xBF" + ToAdoXml(recs));
  ASSERT_TRUE(withBom.ok()) << withBom.error();
  EXPECT_EQ(withBom->Text(0, Field::Naim), "Ось");

  std::string cp = "<?xml version='1.0' encoding='windows-1251'?>" + Schema();
  cp += "<rs:data><z:row ID='1' Naim='\xCE\xF1\xFC'" + kZeros + "/></rs:data></xml>";
  auto t = Read(cp);
  ASSERT_TRUE(t.ok()) << t.error();
  EXPECT_EQ(t->Text(0, Field::Naim), "Ось");
}

// Each refusal names the problem; most name the place.
struct Refusal {
  const char* what;
  std::string xml;
  const char* expected;
};

TEST_P(AdoReader, RefusesBadDocumentsSayingWhatAndWhere) {
  std::vector<RecordData> recs(3);
  for (int i = 0; i < 3; ++i) recs[i].id = i + 1;
  const std::string good = ToAdoXml(recs);
  std::string missingField = good;
  missingField.erase(
      missingField.find("\t\t<s:AttributeType name='Top'"),
      missingField.find("\t\t<s:AttributeType name='Table'") - missingField.find("\t\t<s:AttributeType name='Top'"));
  std::string badId = good;
  badId.replace(badId.find("ID='2'"), 6, "ID='2x'");
  std::string badBool = good;
  badBool.replace(badBool.find("Sostoit='False'"), 15, "Sostoit='yes'");
  std::string hugeInt = good;
  hugeInt.replace(hugeInt.find("Left='0'"), 8, "Left='99999999999'");
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<a>";
  const auto badLine = std::count(badId.begin(), badId.begin() + badId.find("ID='2x'"), '\n') + 1;
  const std::string badIdWhere = "catalogue:" + std::to_string(badLine) + ":2: row 2: field ID";
  std::string emptyInt = good;
  emptyInt.replace(emptyInt.find("Top='0'"), 7, "Top=''");

  const std::vector<Refusal> cases = {
      {"empty", "", "no element found"},
      {"truncated", good.substr(0, good.size() / 2), "not well-formed"},
      {"not xml", "this is not a catalogue", "not well-formed"},
      {"missing field", missingField, "lacks the field(s) Top"},
      {"non-integer ID", badId, "\"2x\" is not an integer"},
      {"non-integer ID, place", badId, badIdWhere.c_str()},
      {"non-Boolean", badBool, "field Sostoit: \"yes\" is not a Boolean"},
      {"out of range", hugeInt, "out of the integer range"},
      {"empty integer", emptyInt, "field Top: \"\" is not an integer"},
      {"no schema", "<xml><rs:data xmlns:rs='urn:schemas-microsoft-com:rowset'/></xml>", "before the recordset schema"},
      {"no data", Schema() + "</xml>", "no rs:data"},
      {"doctype", "<!DOCTYPE xml [<!ENTITY a 'aaaa'>]>" + good, "document type declarations"},
      {"deep", deep, "nested too deeply"},
  };
  for (const auto& c : cases) {
    auto t = Read(c.xml);
    ASSERT_FALSE(t.ok()) << c.what;
    EXPECT_NE(t.error().find(c.expected), std::string::npos) << c.what << ": " << t.error();
  }
}

// A head longer than the reader keeps for the scanner (a long comment before the data) and a
// row longer than the scanner looks ahead are read by expat, to the same table.
TEST(AdoReaderStream, LongHeadsAndRowsReadAsExpatReadsThem) {
  std::vector<RecordData> recs(3);
  for (int i = 0; i < 3; ++i) recs[i].id = i + 1;
  const std::string big(9 << 20, 'x');
  std::string longHead = ToAdoXml(recs);
  longHead.insert(longHead.find("<rs:data>"), "<!--" + big + "-->");
  recs[1].descript = big;
  std::string longRow = ToAdoXml(recs);
  for (const std::string* xml : {&longHead, &longRow}) {
    std::istringstream a(*xml), b(*xml);
    auto scanned = ReadAdoStream(a, "catalogue", xml->size(), RowReader::Scanner);
    auto expat = ReadAdoStream(b, "catalogue", xml->size(), RowReader::Expat);
    ASSERT_TRUE(scanned.ok()) << scanned.error();
    ASSERT_TRUE(expat.ok()) << expat.error();
    ASSERT_EQ(scanned->size(), 3u);
    EXPECT_EQ(scanned->arena(), expat->arena());
    for (std::size_t r = 0; r < 3; ++r)
      for (Field f : kAllFields) EXPECT_EQ(scanned->Format(r, f), expat->Format(r, f));
  }
}

TEST_P(AdoReader, FileErrorsAreValuesNotCrashes) {
  namespace fs = std::filesystem;
  // A folder of this run's own: test builds may run side by side.
  const fs::path dir = fs::temp_directory_path() / ("ado_reader_test_" + std::to_string(std::random_device()()));
  fs::create_directories(dir);
  auto missing = ReadAdoFile((dir / "absent.xml").string(), GetParam());
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error().find("does not exist"), std::string::npos);
  auto directory = ReadAdoFile(dir.string(), GetParam());
  ASSERT_FALSE(directory.ok());

  std::vector<RecordData> recs(2000);
  for (int i = 0; i < 2000; ++i) {
    recs[i].id = i + 1;
    recs[i].naim = "Деталь " + std::to_string(i);
  }
  const std::string path = (dir / "ok.xml").string();
  ASSERT_TRUE(WriteAdoFile(path, recs));
  auto t = ReadAdoFile(path, GetParam());
  ASSERT_TRUE(t.ok()) << t.error();
  EXPECT_EQ(t->size(), 2000u);
  EXPECT_EQ(t->Text(1999, Field::Naim), "Деталь 1999");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace catalogue
