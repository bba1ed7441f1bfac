#pragma once
// Writing a whole file so that a failure never leaves a partial one behind.

#include <filesystem>
#include <string_view>
#include <system_error>

namespace base {

// Writes `content` as the file at `path`. The content goes to a new file in the same folder,
// which is flushed to the disk and then put in place, so `path` is either untouched or
// complete. With `replace` false a name anything holds (a dangling link too) is refused and
// left alone, also when it is taken while the file is written; with it true the old file stays
// whole until the new one takes its place, with the old one's permissions. Nothing on
// success; else std::errc::file_exists for a name not to be replaced, or the system's error,
// for the caller to word.
std::error_code WriteWholeFile(const std::filesystem::path& path, std::string_view content, bool replace);

}  // namespace base
