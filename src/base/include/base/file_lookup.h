#pragma once
// Files named the way a catalogue names them: written on Windows, with backslashes and in any
// letter case.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace base {

// Finds a path below a folder. '\' and '/' both separate the components of the relative
// part. Where the file system is case-sensitive, a component that does not exist as written
// is matched without regard to letter case (FoldCase); "." and ".." are taken as they are.
//
// Directory listings are kept while a directory's modification time is unchanged, so that
// many look-ups in one large picture folder list it once; a directory that has changed is
// listed again, so the kept listings never change what a caller finds.
class FileLookup {
 public:
  enum class Found { AsWritten, IgnoringCase, No };
  struct Match {
    std::filesystem::path path;  // what was found; when nothing is, the path as written
    Found found = Found::No;
  };

  Match Find(const std::filesystem::path& folder, std::string_view relative);

 private:
  struct Listing {
    std::filesystem::file_time_type modified;
    std::unordered_map<std::string, std::string> byFolded;  // folded name -> name as stored
  };
  // The entry of `dir` whose name folds like `name`; empty when there is none.
  std::string MatchIn(const std::filesystem::path& dir, const std::string& name);

  std::unordered_map<std::string, Listing> listings_;
};

// Whether a relative path ('\' or '/' between components) climbs above its folder with "..".
bool ClimbsOut(std::string_view relative);

// A path from UTF-8 text, and back.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace base
