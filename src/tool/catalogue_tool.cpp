// catalogue-tool: a command-line companion for catalogue authors.
//   catalogue-tool query [--rows=expat] FILE [FILTER]
//                                        the records of the filtered set, tab-separated; with
//                                        --rows=expat the rows are read by expat alone
//                                        (the same output: a check of the row scanner)
//   catalogue-tool check FILE            what the program cannot show well, one line each

#include <cstdio>
#include <iostream>
#include <string>

#include <filesystem>

#include "catalogue/check.h"
#include "catalogue/fields.h"
#include "catalogue/store.h"

namespace {

int Usage() {
  std::cerr << "usage: catalogue-tool query [--rows=expat] FILE [FILTER] | check FILE\n";
  return 2;
}

// Writes a value so that a line stays one record and a tab stays a separator.
void PutEscaped(std::string& line, const std::string& value) {
  for (char c : value) {
    switch (c) {
      case '\\': line += "\\\\"; break;
      case '\t': line += "\\t"; break;
      case '\r': line += "\\r"; break;
      case '\n': line += "\\n"; break;
      default: line += c;
    }
  }
}

int Query(const std::string& file, const std::string& filter, catalogue::RowReader rows) {
  catalogue::CatalogueStore store;
  if (auto s = store.LoadFile(file, rows); !s) {
    std::cerr << "catalogue-tool: " << s.error() << '\n';
    return 2;
  }
  if (auto s = store.ApplyFilter(filter); !s) {
    std::cerr << "catalogue-tool: " << s.error() << '\n';
    return 2;
  }
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

// Reports each finding with its record's ID: 0 when clean, 1 when something is reported.
int Check(const std::string& file) {
  catalogue::CatalogueStore store;
  if (auto s = store.LoadFile(file); !s) {
    std::cerr << "catalogue-tool: " << s.error() << '\n';
    return 2;
  }
  // The catalogue folder holds db/my.xml; a table elsewhere has its pictures beside it.
  namespace fs = std::filesystem;
  fs::path dir = fs::absolute(fs::path(std::u8string(file.begin(), file.end()))).parent_path();
  const auto folder = dir.filename().u8string();
  if (catalogue::EqualsIgnoreCase(std::string(folder.begin(), folder.end()), "db")) dir = dir.parent_path();
  const auto base = dir.u8string();
  const auto findings = catalogue::CheckCatalogue(store.table(), std::string(base.begin(), base.end()));
  for (const auto& f : findings) std::cout << "ID " << f.id << ": " << f.what << '\n';
  std::cout.flush();
  return findings.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "query") {
    int first = 2;
    auto rows = catalogue::RowReader::Scanner;
    if (argc > 2 && std::string(argv[2]) == "--rows=expat") {
      rows = catalogue::RowReader::Expat;
      ++first;
    }
    if (argc == first + 1 || argc == first + 2) return Query(argv[first], argc == first + 2 ? argv[first + 1] : "", rows);
  }
  if (command == "check" && argc == 3) return Check(argv[2]);
  return Usage();
}
