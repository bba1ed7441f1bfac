#pragma once
// A private folder for work files: made under the system's temporary folder, readable by its
// owner alone, and removed with everything in it when the object goes.

#include <filesystem>
#include <string_view>

namespace base {

class TemporaryFolder {
 public:
  // Makes "PREFIX-XXXXXX" in the temporary folder; ok() says whether it was made.
  explicit TemporaryFolder(std::string_view prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  bool ok() const { return !path_.empty(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace base
