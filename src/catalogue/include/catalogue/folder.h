#pragma once
// The catalogue folder: the table, the pictures, the order template and the help file, each
// named the way the catalogue names it.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/file_lookup.h"

namespace catalogue {

// A catalogue path is the folder's own text followed by a relative part written with
// backslashes, as the catalogue's authors write it on Windows ("/opt/catalog/Images\p1.jpg").
// Only the relative part is ever converted: the folder's own name is taken as it is, whatever
// characters it holds.
class CatalogueFolder {
 public:
  CatalogueFolder() = default;
  // `base`: the folder in UTF-8, ending with a path separator.
  explicit CatalogueFolder(std::string base) : base_(std::move(base)) {}

  const std::string& base() const { return base_; }

  std::string Table() const { return base_ + "db\\my.xml"; }
  std::string Picture(std::string_view name) const { return base_ + "Images\\" + std::string(name) + ".jpg"; }
  // The 3-D view file of a record: its path is kept, the file is never opened.
  std::string View(std::string_view name) const { return base_ + "View\\" + std::string(name); }
  // The picture of a row of the parts list, named by the record's View.
  std::string ListPicture(std::string_view view) const { return Picture(view); }
  std::string RootPicture() const { return base_ + "Images\\Fon.jpg"; }
  std::string RootView() const { return base_ + "View\\Fon.wrl"; }
  std::string SectionsBackground() const { return base_ + "Images\\Fon2.jpg"; }
  std::string Template() const { return base_ + "Template\\Заказ.dot"; }
  std::string HelpFile() const { return base_ + "Catalog.chm"; }

  // Where a catalogue path leads on this system (see base::FileLookup). A path that does not
  // begin with the folder's text is taken as a path of this system, unchanged.
  base::FileLookup::Match Find(std::string_view cataloguePath) const;
  std::filesystem::path Native(std::string_view cataloguePath) const { return Find(cataloguePath).path; }

 private:
  std::string base_;
  mutable base::FileLookup lookup_;  // directory listings, kept while unchanged
};

}  // namespace catalogue
