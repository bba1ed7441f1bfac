// catalogue-tool: a command-line companion for catalogue authors.
//   catalogue-tool query [--rows=expat] FILE [FILTER]
//                                        the records of the filtered set, tab-separated; with
//                                        --rows=expat the rows are read by expat alone
//                                        (the same output: a check of the row scanner)
//   catalogue-tool check FILE            what the program cannot show well, one line each
//   catalogue-tool export TABLE.xml [-o FILE.csv] [--excel] [--force]
//                                        the table as comma-separated values
//   catalogue-tool import FILE.csv -o TABLE.xml [--force]
//                                        comma-separated values as a table
//   catalogue-tool convert-template IN.dot OUT.dotx [--force]
//                                        a Word 97-2003 order template in the form the
//                                        program fills (with LibreOffice)
// Exit status: 0 done and clean, 1 done with findings, 2 refused.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <filesystem>

#include "base/file_lookup.h"
#include "base/write_file.h"
#include "catalogue/ado_reader.h"
#include "catalogue/check.h"
#include "catalogue/fields.h"
#include "catalogue/store.h"
#include "catalogue_csv/csv.h"
#include "catalogue_writer/ado_writer.h"
#include "order_engine/docx_engine.h"
#include "order_engine/word97.h"

namespace {

int Usage() {
  std::cerr << "usage: catalogue-tool query [--rows=expat] FILE [FILTER] | check FILE"
               " | export TABLE.xml [-o FILE.csv] [--excel] [--force]"
               " | import FILE.csv -o TABLE.xml [--force]"
               " | convert-template IN.dot OUT.dotx [--force]\n";
  return 2;
}

int Refuse(const std::string& why) {
  std::cerr << "catalogue-tool: " << why << '\n';
  return 2;
}

// Writes a value so that a line stays one record and a tab stays a separator.
void PutEscaped(std::string& line, const std::string& value) {
  for (char c : value) {
    switch (c) {
      case '\\':
        line += "\\\\";
        break;
      case '\t':
        line += "\\t";
        break;
      case '\r':
        line += "\\r";
        break;
      case '\n':
        line += "\\n";
        break;
      default:
        line += c;
    }
  }
}

int Query(const std::string& file, const std::string& filter, catalogue::RowReader rows) {
  catalogue::CatalogueStore store;
  if (auto s = store.LoadFile(file, rows); !s) return Refuse(s.error());
  if (auto s = store.ApplyFilter(filter); !s) return Refuse(s.error());
  std::string line;
  for (catalogue::Field f : catalogue::kAllFields) {
    if (!line.empty()) line += '\t';
    line += catalogue::FieldName(f);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
  for (store.MoveFirst(); !store.AtEnd(); store.MoveNext()) {
    line.clear();
    bool first = true;
    for (catalogue::Field f : catalogue::kAllFields) {
      if (!first) line += '\t';
      first = false;
      PutEscaped(line, store.GetString(f));
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 2;
}

// Prints each finding with its record's ID: 0 when there are none, 1 when there are.
int Report(const std::vector<catalogue::Finding>& findings) {
  for (const auto& f : findings) std::cout << "ID " << f.id << ": " << f.what << '\n';
  std::cout.flush();
  return findings.empty() ? 0 : 1;
}

int Check(const std::string& file) {
  catalogue::CatalogueStore store;
  if (auto s = store.LoadFile(file); !s) return Refuse(s.error());
  // The catalogue folder holds db/my.xml; a table elsewhere has its pictures beside it.
  namespace fs = std::filesystem;
  fs::path dir = fs::absolute(base::PathFromUtf8(file)).parent_path();
  if (catalogue::EqualsIgnoreCase(base::Utf8FromPath(dir.filename()), "db")) dir = dir.parent_path();
  return Report(catalogue::CheckCatalogue(store.table(), base::Utf8FromPath(dir)));
}

int RefuseTaken(const std::string& path) { return Refuse(path + ": the file exists already (--force replaces it)"); }

// Whether an output may be written: a name anything holds only with --force. Checked before
// the work, so that nothing is done in vain; the writing checks again.
bool MayWrite(const std::string& path, bool force) {
  std::error_code ec;
  return force || !std::filesystem::exists(std::filesystem::symlink_status(base::PathFromUtf8(path), ec));
}

// Writes a whole output file; an existing one only with --force, and then whole or not at all.
int WriteOutput(const std::string& path, const std::string& content, bool force) {
  const std::error_code written = base::WriteWholeFile(base::PathFromUtf8(path), content, force);
  if (written == std::errc::file_exists) return RefuseTaken(path);
  if (written) return Refuse(path + ": cannot be written: " + written.message());
  return 0;
}

int Export(const std::string& table, const std::optional<std::string>& out, bool excel, bool force) {
  auto read = catalogue::ReadAdoFile(table);
  if (!read) return Refuse(read.error());
  const std::string csv =
      catalogue::WriteCsv(read.value(), excel ? catalogue::CsvStyle::Excel : catalogue::CsvStyle::Comma);
  if (out) return WriteOutput(*out, csv, force);
  std::fwrite(csv.data(), 1, csv.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 2;
}

// The table is made and read back in memory first, so nothing is written that the program
// could not open; what check would report on it is printed after it is written.
int Import(const std::string& csv, const std::string& out, bool force) {
  if (!MayWrite(out, force)) return RefuseTaken(out);
  auto records = catalogue::ReadCsvFile(csv);
  if (!records) return Refuse(records.error());
  const std::string xml = catalogue::TextsToAdoXml(records.value());
  auto table = catalogue::ReadAdoText(xml, out);
  if (!table) return Refuse("the table made from " + csv + " cannot be read back: " + table.error());
  if (int status = WriteOutput(out, xml, force)) return status;
  return Report(catalogue::CheckCatalogue(table.value(), std::string()));
}

// export and import: one input, then the options in any order.
int Convert(const std::string& command, const std::vector<std::string>& args) {
  std::vector<std::string> inputs;
  std::optional<std::string> out;
  bool excel = false, force = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o" && i + 1 < args.size() && !out)
      out = args[++i];
    else if (a == "--excel" && command == "export")
      excel = true;
    else if (a == "--force")
      force = true;
    else if (!a.empty() && a[0] == '-')
      return Usage();
    else
      inputs.push_back(a);
  }
  if (inputs.size() != 1) return Usage();
  if (command == "export") return Export(inputs[0], out, excel, force);
  if (!out) return Usage();
  return Import(inputs[0], *out, force);
}

}  // namespace

// Converts a Word 97-2003 order template as the program does when it meets one, so that an
// author can ship the result; the work is done in a temporary folder. LibreOffice runs in
// `environment`, the tool's own.
int ConvertTemplate(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  bool force = false;
  for (const std::string& a : args) {
    if (a == "--force")
      force = true;
    else
      files.push_back(a);
  }
  if (files.size() != 2) return Usage();
  if (!order::IsWord97File(files[0])) return Refuse(files[0] + ": not a Word 97-2003 document or template");
  if (!MayWrite(files[1], force)) return RefuseTaken(files[1]);
  std::error_code ec;
  fs::path work;
  for (int attempt = 0; attempt < 100 && work.empty(); ++attempt) {
    const fs::path candidate =
        fs::temp_directory_path(ec) / ("catalogue-tool-" + std::to_string(std::random_device()()));
    if (fs::create_directory(candidate, ec)) work = candidate;
  }
  if (work.empty()) return Refuse("no temporary folder can be made");
  const auto converted = order::ConvertWord97Template(files[0], base::Utf8FromPath(work), environment);
  int status = 0;
  if (!converted) {
    status = Refuse(converted.error());
  } else {
    std::ifstream in(base::PathFromUtf8(converted.value()), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    status = WriteOutput(files[1], bytes, force);
  }
  fs::remove_all(work, ec);
  return status;
}

int main(int argc, char** argv, char** envp) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "query") {
    int first = 2;
    auto rows = catalogue::RowReader::Scanner;
    if (argc > 2 && std::string(argv[2]) == "--rows=expat") {
      rows = catalogue::RowReader::Expat;
      ++first;
    }
    if (argc == first + 1 || argc == first + 2)
      return Query(argv[first], argc == first + 2 ? argv[first + 1] : "", rows);
  }
  if (command == "check" && argc == 3) return Check(argv[2]);
  if (command == "export" || command == "import")
    return Convert(command, std::vector<std::string>(argv + 2, argv + argc));
  if (command == "convert-template") {
    std::vector<std::string> environment;
    for (char** v = envp; v && *v; ++v) environment.push_back(*v);
    return ConvertTemplate(std::vector<std::string>(argv + 2, argv + argc), environment);
  }
  return Usage();
}
