// The comma-separated values catalogue authors import.

#include <string>
#include <string_view>

#include "catalogue/ado_reader.h"
#include "catalogue_csv/csv.h"
#include "catalogue_writer/ado_writer.h"
#include "targets.h"

using catalogue::CsvStyle;

namespace {

// A refusal says where: "csv:LINE: " and the field or the header it concerns.
bool SaysWhere(const std::string& error) {
  std::size_t digits = 0;
  while (4 + digits < error.size() && error[4 + digits] >= '0' && error[4 + digits] <= '9') ++digits;
  return error.rfind("csv:", 0) == 0 && digits > 0 && error.compare(4 + digits, 2, ": ") == 0 &&
         error.find("field", 4 + digits) != std::string::npos;
}

}  // namespace

int FuzzCsv(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto records = catalogue::ReadCsv(text, "csv");
  if (!records) {
    FuzzCheck(SaysWhere(records.error()), "a refusal names its line and field");
    return 0;
  }
  // Written back in either style, the records read the same.
  for (CsvStyle style : {CsvStyle::Comma, CsvStyle::Excel}) {
    const auto again = catalogue::ReadCsv(catalogue::WriteCsv(records.value(), style), "again");
    FuzzCheck(again.ok(), "what was read, written back, is read again");
    FuzzCheck(again.value() == records.value(), "what was read, written back, reads the same");
  }
  // Imported as a table, the program reads every record with the same fields, and the table
  // exports as the records.
  const auto table = catalogue::ReadAdoText(catalogue::TextsToAdoXml(records.value()), "table");
  FuzzCheck(table.ok(), "the imported table can be read");
  FuzzCheck(table->size() == records->size(), "the imported table keeps every record");
  for (std::size_t r = 0; r < table->size(); ++r)
    FuzzCheck(catalogue::TextsOf(table.value(), r) == records.value()[r], "the imported table keeps every field");
  return 0;
}
