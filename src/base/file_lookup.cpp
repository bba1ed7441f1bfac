#include "base/file_lookup.h"

#include <vector>

#include "base/fold.h"

namespace base {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr bool kCaseSensitive = false;
#else
constexpr bool kCaseSensitive = true;
#endif

// Listings of this many directories at most are kept.
constexpr std::size_t kMaxListings = 64;

std::vector<std::string_view> Components(std::string_view relative) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    if (end > start) parts.push_back(relative.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

bool ClimbsOut(std::string_view relative) {
  int depth = 0;
  for (std::string_view part : Components(relative)) {
    if (part == "..") {
      if (--depth < 0) return true;
    } else if (part != ".") {
      ++depth;
    }
  }
  return false;
}

fs::path PathFromUtf8(std::string_view utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string Utf8FromPath(const fs::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

FileLookup::Match FileLookup::Find(const fs::path& folder, std::string_view relative) {
  const auto parts = Components(relative);
  fs::path written = folder;
  for (std::string_view part : parts) written /= PathFromUtf8(part);
  std::error_code ec;
  if (fs::exists(written, ec)) return {written, Found::AsWritten};
  if (!kCaseSensitive) return {written, Found::No};

  fs::path at = folder;
  for (std::string_view part : parts) {
    const std::string name(part);
    fs::path next = at / PathFromUtf8(name);
    if (name != "." && name != ".." && !fs::exists(next, ec)) {
      const std::string match = MatchIn(at, name);
      if (match.empty()) return {written, Found::No};
      next = at / PathFromUtf8(match);
    }
    at = std::move(next);
  }
  return {at, Found::IgnoringCase};
}

std::string FileLookup::MatchIn(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  const auto modified = fs::last_write_time(dir, ec);
  if (ec) return {};
  const std::string key = Utf8FromPath(dir);
  auto it = listings_.find(key);
  if (it == listings_.end() || it->second.modified != modified) {
    if (it == listings_.end() && listings_.size() >= kMaxListings) listings_.clear();
    Listing listing;
    listing.modified = modified;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
      const std::string stored = Utf8FromPath(entry.path().filename());
      // Of names that fold alike, the first in byte order: the same one on every listing.
      auto [at, added] = listing.byFolded.emplace(FoldCase(stored), stored);
      if (!added && stored < at->second) at->second = stored;
    }
    it = listings_.insert_or_assign(key, std::move(listing)).first;
  }
  const auto found = it->second.byFolded.find(FoldCase(name));
  return found == it->second.byFolded.end() ? std::string() : found->second;
}

}  // namespace base
