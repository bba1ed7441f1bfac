#include "catalogue/search.h"

#include <gtest/gtest.h>

#include "catalogue/ado_reader.h"
#include "catalogue_writer/ado_writer.h"

namespace catalogue {
namespace {

RecordData Rec(int id, int fid, int number, const std::string& oboz, const std::string& naim) {
  RecordData r;
  r.id = id;
  r.fid = fid;
  r.number = number;
  r.oboz = oboz;
  r.naim = naim;
  return r;
}

TEST(PartSearchTest, WordsMatchDesignationsAndNamesAsUsersTypeThem) {
  auto table = ReadAdoText(ToAdoXml({
      Rec(1, 0, 1, "КМ-120.01.00.000", "Основание с колонной"),
      Rec(2, 1, 1, "КМ-120.01.05.003", "Прокладка"),
      Rec(3, 2, 0, "КМ-120.01.05.003", "Прокладка"),  // the item record of 2: one part with it
      Rec(4, 1, 2, "ГОСТ 5915-70", "Гайка М16 ГОСТ 5915-70"),
      Rec(5, 1, 3, "КМ-120.01.05.000", "Установка на шасси"),
      Rec(6, 1, 4, "КМ-120.01.07.000", "Бак масляный, ёмкость 40 л"),
      Rec(7, 6, 0, "КМ-120.01.07.001", "Бак масляный"),  // an item record of its own
      Rec(8, 1, 5, "КМ-120", "Манипулятор"),
  }));
  ASSERT_TRUE(table) << table.error();
  const PartSearch search(table.value());
  const auto ids = [&](const std::string& query) {
    std::vector<int> found;
    for (std::uint32_t row : search.Find(query, 100).rows) found.push_back(table->Integer(row, Field::ID));
    return found;
  };
  const std::pair<const char*, std::vector<int>> cases[] = {
      {"КМ-120.01.05.003", {2}},
      {"KM-120.01.05.003", {2}},  // Latin look-alike letters
      {"km-120.01.05.003", {2}},
      {"01 05 003", {2}},  // designation separators ignored
      {"0105003", {2}},
      {"01/05-003", {2}},
      {"прокладка", {2}},  // letter case, Cyrillic
      {"ПРОКЛАДКА", {2}},
      {"емкость", {6}},  // ё as е
      {"ЁМКОСТЬ бак", {6}},
      {"прокладка 05.003", {2}},  // one word in the name, one in the designation
      {"гайка m16", {4}},
      {"гайка м20", {}},
      {"бак", {6, 7}},
      {"КМ-120", {8, 1, 2, 5, 6, 7}},  // the exact designation first, then file order
      {"", {}},
      {" - ", {}},
      // Words of one letter, answered by the letters a line holds; Latin letters that share
      // theirs are still looked for in the text.
      {"л", {1, 2, 6, 7, 8}},
      {"б 4", {6}},
      {"q", {}},
      {"ш", {5}},
      // Words repeated or within another, and more words than are looked for.
      {"бак бак бак масляный масл", {6, 7}},
      {"а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а а "
       "а",
       {1, 2, 4, 5, 6, 7, 8}},
      {"бак м 1 2 0 7 к с ёмкость", {6, 7}},  // the ninth different word is not looked for
  };
  for (const auto& [query, expected] : cases) EXPECT_EQ(ids(query), expected) << query;
  EXPECT_EQ(search.Find("бак м 1 2 0 7 к с ёмкость бак", 100).wordsLeftOut, 1u);
  EXPECT_EQ(search.Find("а а а а а а а а а а", 100).wordsLeftOut, 0u);

  const auto limited = search.Find("км-120", 2);
  EXPECT_EQ(limited.rows.size(), 2u);
  EXPECT_EQ(limited.total, 6u);
  EXPECT_LT(search.Bytes(), 4096u);
}

}  // namespace
}  // namespace catalogue
