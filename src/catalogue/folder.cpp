#include "catalogue/folder.h"

#include <system_error>

namespace catalogue {

base::FileLookup::Match CatalogueFolder::Find(std::string_view cataloguePath) const {
  if (base_.empty() || cataloguePath.substr(0, base_.size()) != base_) {
    const auto path = base::PathFromUtf8(cataloguePath);
    std::error_code ec;
    return {path, std::filesystem::exists(path, ec) ? base::FileLookup::Found::AsWritten : base::FileLookup::Found::No};
  }
  return lookup_.Find(base::PathFromUtf8(base_), cataloguePath.substr(base_.size()));
}

}  // namespace catalogue
