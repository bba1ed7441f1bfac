#include "base/write_file.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#include "base/file_lookup.h"

#ifdef _WIN32
#include <io.h>
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

std::string Describe(const fs::path& path, const std::string& what) { return Utf8FromPath(path) + ": " + what; }

}  // namespace

Status WriteWholeFile(const fs::path& path, std::string_view content, bool replace) {
  std::error_code ec;
  const bool exists = fs::exists(fs::symlink_status(path, ec));
  if (exists && !replace) return Status::Fail(Describe(path, "the file exists already"));
  if (exists && fs::is_directory(path, ec)) return Status::Fail(Describe(path, "is a directory"));

  // A name of its own beside the target: the rename then stays within one file system.
  std::random_device random;
  fs::path temp;
  int tries = 0;
  for (;;) {
    std::string name = ".";
    name += Utf8FromPath(path.filename());
    name += ".tmp";
    name += std::to_string(random());
    temp = path;
    temp.replace_filename(PathFromUtf8(name));
    NewFile file(temp);
    if (file.is_open()) {
      const bool written = file.Write(content);
      const std::string why = std::strerror(errno);
      if (file.Commit() && written) break;
      fs::remove(temp, ec);  // closed by Commit
      return Status::Fail(Describe(path, "cannot be written: " + (written ? std::string(std::strerror(errno)) : why)));
    }
    if (errno != EEXIST || ++tries == 16) {
      const std::string why = std::strerror(errno);
      return Status::Fail(Describe(path, "cannot be written: " + why));
    }
  }

  if (exists) {
    const auto old = fs::status(path, ec);
    if (!ec) fs::permissions(temp, old.permissions(), ec);
  }
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return Status::Fail(Describe(path, "cannot be written: " + ec.message()));
  }
  return Status::Ok();
}

}  // namespace base
