#include "base/temporary_folder.h"

#include <random>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <stdlib.h>
#endif

namespace base {

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder(std::string_view prefix) {
  std::error_code ec;
  const fs::path base = fs::temp_directory_path(ec);
  if (ec) return;
#ifdef _WIN32
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const fs::path candidate = base / (std::string(prefix) + "-" + std::to_string(random()));
    if (fs::create_directory(candidate, ec)) path_ = candidate;
  }
#else
  // mkdtemp makes it with mode 0700 under a name nobody held.
  std::string pattern = (base / (std::string(prefix) + "-XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data())) path_ = name.data();
#endif
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

}  // namespace base
