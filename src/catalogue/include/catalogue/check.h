#pragma once
// Checks a catalogue for what the program cannot show well: broken links, trees that do not
// fit the window, missing pictures. For catalogue authors.

#include <string>
#include <vector>

#include "catalogue/limits.h"
#include "catalogue/table.h"

namespace catalogue {

struct Finding {
  int id;            // the record concerned
  std::string what;  // one line
};

// `baseDir` is the catalogue folder (where db, Images and View lie); empty: pictures are
// not checked.
std::vector<Finding> CheckCatalogue(const Table& table, const std::string& baseDir);

}  // namespace catalogue
