#pragma once
// Checks a catalogue for what the program cannot show well: broken links, trees that do not
// fit the window, missing pictures. For catalogue authors.

#include <string>
#include <vector>

#include "catalogue/table.h"

namespace catalogue {

struct Finding {
  int id;             // the record concerned
  std::string what;   // one line
};

// The window's limits the catalogue must fit.
inline constexpr int kMaxSections = 7;
inline constexpr int kMaxCallouts = 35;
// The most callouts the window lays out on one drawing; the rest are not shown.
inline constexpr int kMaxShownCallouts = 1000;
inline constexpr int kMaxDepth = 14;
inline constexpr int kClientWidth = 792;
inline constexpr int kClientHeight = 541;

// `baseDir` is the catalogue folder (where db, Images and View lie); empty: pictures are
// not checked.
std::vector<Finding> CheckCatalogue(const Table& table, const std::string& baseDir);

}  // namespace catalogue
