#include "base/write_file.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>
#include <system_error>

#include "base/file_lookup.h"

#ifdef _WIN32
#include <io.h>
#include <stdio.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace base {

namespace fs = std::filesystem;

namespace {

// A file created by this call alone (never one that existed), closed when it goes.
class NewFile {
 public:
  explicit NewFile(const fs::path& path) {
#ifdef _WIN32
    fd_ = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
  }
  ~NewFile() { Close(); }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  bool is_open() const { return fd_ >= 0; }

  bool Write(std::string_view data) {
    while (!data.empty()) {
      const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(data.size(), 1u << 30));
#ifdef _WIN32
      const int n = _write(fd_, data.data(), chunk);
#else
      const ssize_t n = ::write(fd_, data.data(), chunk);
#endif
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

  // Flushes to the disk and closes; false when either fails.
  bool Commit() {
#ifdef _WIN32
    const bool synced = _commit(fd_) == 0;
#else
    const bool synced = ::fsync(fd_) == 0;
#endif
    return Close() && synced;
  }

 private:
  bool Close() {
    if (fd_ < 0) return true;
#ifdef _WIN32
    const bool ok = _close(fd_) == 0;
#else
    const bool ok = ::close(fd_) == 0;
#endif
    fd_ = -1;
    return ok;
  }

  int fd_ = -1;
};

std::error_code LastError() { return {errno, std::generic_category()}; }

// Puts the written file `temp` in place at `path` only while that name is free.
std::error_code PlaceNew(const fs::path& temp, const fs::path& path) {
  std::error_code ec;
#ifdef _WIN32
  // The C library's rename never replaces a file.
  if (_wrename(temp.c_str(), path.c_str()) == 0) return {};
  const std::error_code why = LastError();
  if (fs::exists(fs::symlink_status(path, ec))) return std::make_error_code(std::errc::file_exists);
  return why;
#else
  // link() takes the name only if it is free, at once; the temporary name then goes.
  if (::link(temp.c_str(), path.c_str()) == 0) {
    ::unlink(temp.c_str());
    return {};
  }
  if (errno == EEXIST) return std::make_error_code(std::errc::file_exists);
  if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK)
    return LastError();
  // A file system without hard links: look, then rename.
  if (fs::exists(fs::symlink_status(path, ec))) return std::make_error_code(std::errc::file_exists);
  return ::rename(temp.c_str(), path.c_str()) == 0 ? std::error_code() : LastError();
#endif
}

}  // namespace

std::error_code WriteWholeFile(const fs::path& path, std::string_view content, bool replace) {
  std::error_code ec;
  const bool exists = fs::exists(fs::symlink_status(path, ec));
  if (exists && !replace) return std::make_error_code(std::errc::file_exists);
  if (exists && fs::is_directory(path, ec)) return std::make_error_code(std::errc::is_a_directory);

  // A name of its own beside the target: putting it in place then stays within one file system.
  std::random_device random;
  fs::path temp;
  for (int tries = 0;; ++tries) {
    std::string name = ".";
    name += Utf8FromPath(path.filename());
    name += ".tmp";
    name += std::to_string(random());
    temp = path;
    temp.replace_filename(PathFromUtf8(name));
    NewFile file(temp);
    if (file.is_open()) {
      const bool written = file.Write(content);
      const std::error_code why = LastError();
      const bool committed = file.Commit();
      if (written && committed) break;
      const std::error_code failed = written ? LastError() : why;
      fs::remove(temp, ec);
      return failed;
    }
    if (errno != EEXIST || tries == 15) return LastError();
  }

  if (exists) {
    const auto old = fs::status(path, ec);
    if (!ec) fs::permissions(temp, old.permissions(), ec);
    fs::rename(temp, path, ec);
  } else {
    ec = PlaceNew(temp, path);
  }
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return ec;
  }
#ifndef _WIN32
  // The new name itself reaches the disk with its folder.
  fs::path dir = path.parent_path();
  if (dir.empty()) dir = ".";
  if (const int fd = ::open(dir.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#endif
  return {};
}

}  // namespace base
