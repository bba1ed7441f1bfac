#pragma once
// The catalogue table as comma-separated values (RFC 4180, UTF-8) for catalogue authors'
// spreadsheets: a header line naming the sixteen fields, then one line per record.
//
// A null field is written as an empty one, and an empty field is read as null: the program
// shows an empty text and a null alike, so nothing the catalogue shows is lost either way.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/fields.h"
#include "catalogue/status.h"
#include "catalogue/table.h"

namespace catalogue {

enum class CsvStyle {
  Comma,  // RFC 4180: commas
  Excel,  // a byte-order mark and semicolons, as spreadsheets in a Russian locale expect
};

// A record of the table as the texts of its fields.
RecordTexts TextsOf(const Table& table, std::size_t row);

// The header line and the records, each line ending in CR LF. A field is quoted when it holds
// the separator, a quote, a line break or leading or trailing blanks.
std::string WriteCsv(const Table& table, CsvStyle style);
std::string WriteCsv(const std::vector<RecordTexts>& records, CsvStyle style);

// Reads what WriteCsv writes, in either style: the byte-order mark is skipped, the separator is
// the one the header line uses. The header names every field once, in any order. Values are
// checked against their fields' types and given in the table's form (integers in decimal,
// Booleans True/False; True, False, 1, 0 and -1 are read as ADO reads them, in any letter
// case); the Number text is kept as written. Empty lines are skipped.
// Refused, with "NAME:LINE: field F: ..." in the error: a header that lacks, repeats or adds a
// field; a row with another number of fields; an integer that is not one or is out of range;
// a Boolean that is not one; an ID used twice; text that is not UTF-8 or holds a control
// character other than tab and line breaks (a table cannot keep it).
Result<std::vector<RecordTexts>> ReadCsv(std::string_view text, const std::string& name);
Result<std::vector<RecordTexts>> ReadCsvFile(const std::string& path);

}  // namespace catalogue
