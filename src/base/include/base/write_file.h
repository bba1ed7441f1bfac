#pragma once
// Writing a whole file so that a failure never leaves a partial one behind.

#include <filesystem>
#include <string_view>

#include "base/status.h"

namespace base {

// Writes `content` as the file at `path`. The content goes to a new file in the same folder,
// which is flushed to the disk and then renamed to `path`, so `path` is either untouched or
// complete. With `replace` false an existing file is refused and left alone; with it true the
// old file stays whole until the new one takes its place, with the old one's permissions.
Status WriteWholeFile(const std::filesystem::path& path, std::string_view content, bool replace);

}  // namespace base
