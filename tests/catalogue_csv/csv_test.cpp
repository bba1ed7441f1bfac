#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_csv/csv.h"

namespace {

using catalogue::CsvStyle;
using catalogue::ReadCsv;
using catalogue::RecordTexts;
using catalogue::WriteCsv;

const std::string kHeader =
    "ID,FID,Number,Oboz,Naim,Massa,Count,Picture,View,Descript,Sostoit,VozmPokupka,Pokupka,Left,Top,Table\r\n";

RecordTexts Record(int id, std::string naim, std::string descript) {
  return {std::to_string(id),
          "0",
          "1",
          "А-" + std::to_string(id),
          std::move(naim),
          std::nullopt,
          "2",
          std::nullopt,
          std::nullopt,
          std::move(descript),
          "True",
          "False",
          "False",
          "5",
          "-6",
          "1"};
}

TEST(Csv, TextsComeBackFromEitherStyle) {
  const std::vector<RecordTexts> records = {
      Record(1, "Болт, \"М12\"; длинный", "строка\r\nвторая\nтретья\rчетвёртая"),
      Record(2, "  отступы  ", "\tтаб"),
      Record(3, "кавычка\" внутри", ""),
      {"4", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
       std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
  };
  const std::string comma = WriteCsv(records, CsvStyle::Comma);
  EXPECT_EQ(comma.substr(0, kHeader.size()), kHeader);
  EXPECT_NE(comma.find("\r\n1,0,1,А-1,\"Болт, \"\"М12\"\"; "
                       "длинный\",,2,,,\"строка\r\nвторая\nтретья\rчетвёртая\",True,False,False,5,-6,1\r\n"),
            std::string::npos)
      << comma;
  EXPECT_NE(comma.find("\r\n4,,,,,,,,,,,,,,,\r\n"), std::string::npos);
  const std::string excel = WriteCsv(records, CsvStyle::Excel);
  EXPECT_EQ(excel.substr(0, 6), "\xEF\xBB\xBFID;");
  EXPECT_NE(excel.find("\r\n2;0;1;А-2;\"  отступы  \";;2;;;\"\tтаб\";True;"), std::string::npos) << excel;
  for (const std::string& text : {comma, excel}) {
    auto back = ReadCsv(text, "t.csv");
    ASSERT_TRUE(back.ok()) << back.error();
    // The empty Descript of record 3 reads as null, as the table prints it.
    std::vector<RecordTexts> expected = records;
    expected[2][9].reset();
    EXPECT_EQ(back.value(), expected);
  }
}

TEST(Csv, ReadsTheTablesFormsAndAnyColumnOrder) {
  auto r = ReadCsv(
      "Table;Top;Left;Pokupka;VozmPokupka;Sostoit;Descript;View;Picture;Count;Massa;Naim;Oboz;Number;FID;ID\n"
      "\n7;;+3;-1;0;true;d;;;;;;;007;+2;-0\n",
      "t.csv");
  ASSERT_TRUE(r.ok()) << r.error();
  // ID "-0" reads as 0, FID "+2" as 2, Left "+3" as 3; Number keeps its text; Booleans as the table
  // writes them; empty fields are null.
  const std::nullopt_t null = std::nullopt;
  EXPECT_EQ(r.value(), (std::vector<RecordTexts>{{"0", "2", "007", null, null, null, null, null, null, "d", "True",
                                                  "False", "True", "3", null, "7"}}));
}

TEST(Csv, RefusalsNameTheLineAndTheField) {
  const std::string row = "1,0,1,,,,,,,,False,False,False,0,0,1\r\n";
  const struct {
    std::string csv;
    std::string error;
  } cases[] = {
      {"", "t.csv:1: the header line"},
      {"ID,FID,Number,Oboz,Naim,Count,Picture,View,Descript,Sostoit,VozmPokupka,Pokupka,Left,Top,Table\r\n",
       "t.csv:1: field Massa: the header lacks it"},
      {"ID,FID,Number,Oboz,Naim,Massa,Count,Picture,View,Descript,Sostoit,VozmPokupka,Pokupka,Left,Top,Table,Цена\r\n",
       "t.csv:1: field 17: \"Цена\" is not a field of the catalogue"},
      {"ID,FID,Number,Oboz,Naim,Massa,Count,Picture,View,Descript,Sostoit,VozmPokupka,Pokupka,Left,Top,Table,fid\r\n",
       "t.csv:1: field 17: \"fid\" is named twice"},
      {kHeader + row + "2,0,1,,,,,,,,False,False,False,0,0\r\n",
       "t.csv:3: field 16 (Table): the row has 15 fields, the header 16"},
      {kHeader + row + "2,0,1,,,,,,,,False,False,False,0,0,1,\r\n",
       "t.csv:3: field 17: the row has 17 fields, the header 16"},
      {kHeader + "1,0,1,,\"a\r\nb\",,,,,,False,False,False,x,0,1\r\n", "t.csv:3: field Left: \"x\" is not an integer"},
      {kHeader + "1,0,1.5,,,,,,,,False,False,False,0,0,1\r\n", "t.csv:2: field Number: \"1.5\" is not an integer"},
      {kHeader + "1,0,1,,,,,,,,False,False,False,0,2147483648,1\r\n",
       "t.csv:2: field Top: \"2147483648\" is out of the integer range"},
      {kHeader + "1,0,1,,,,,,,,False,Да,False,0,0,1\r\n", "t.csv:2: field VozmPokupka: \"Да\" is not a Boolean"},
      {kHeader + row + "\n" + row, "t.csv:4: field ID: 1 is used twice (first on line 2)"},
      {kHeader + "1,0,1,,\"open\r\n", "t.csv:2: field 5: the quoted text is not closed"},
      {kHeader + "1,0,1,,\"a\"b,,,,,,False,False,False,0,0,1\r\n", "t.csv:2: field 5: text follows the closing quote"},
      {kHeader + "1,0,1,,\xD0,,,,,,False,False,False,0,0,1\r\n", "t.csv:2: field Naim: is not valid UTF-8"},
      {kHeader + "1,0,1,,a\x01,,,,,,False,False,False,0,0,1\r\n",
       "t.csv:2: field Naim: holds the control character U+0001"},
  };
  for (const auto& c : cases) {
    auto r = ReadCsv(c.csv, "t.csv");
    ASSERT_FALSE(r.ok()) << c.csv;
    EXPECT_EQ(r.error().substr(0, c.error.size()), c.error) << r.error();
  }
}

}  // namespace
