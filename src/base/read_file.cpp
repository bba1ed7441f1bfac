#include "base/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <cerrno>
#include <streambuf>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace base {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
using FileStat = struct _stat64;
int StatPath(const fs::path& p, FileStat* st) { return ::_wstat64(p.c_str(), st); }
int StatFd(int fd, FileStat* st) { return ::_fstat64(fd, st); }
int OpenForReading(const fs::path& p) { return ::_wopen(p.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT); }
long long ReadFd(int fd, char* data, std::size_t n) {
  return ::_read(fd, data, static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30)));
}
long long SeekFd(int fd, long long at) { return ::_lseeki64(fd, at, SEEK_SET); }
void CloseFd(int fd) { ::_close(fd); }
bool IsRegular(const FileStat& st) { return (st.st_mode & _S_IFMT) == _S_IFREG; }
bool IsDirectory(const FileStat& st) { return (st.st_mode & _S_IFMT) == _S_IFDIR; }
std::string KindOf(const FileStat&) { return "not a regular file"; }
#else
using FileStat = struct stat;
int StatPath(const fs::path& p, FileStat* st) { return ::stat(p.c_str(), st); }
int StatFd(int fd, FileStat* st) { return ::fstat(fd, st); }
// Without O_NONBLOCK a FIFO would not open until a writer came.
int OpenForReading(const fs::path& p) { return ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); }
long long ReadFd(int fd, char* data, std::size_t n) { return ::read(fd, data, n); }
long long SeekFd(int fd, long long at) { return ::lseek(fd, static_cast<off_t>(at), SEEK_SET); }
void CloseFd(int fd) { ::close(fd); }
bool IsRegular(const FileStat& st) { return S_ISREG(st.st_mode); }
bool IsDirectory(const FileStat& st) { return S_ISDIR(st.st_mode); }
std::string KindOf(const FileStat& st) {
  if (S_ISFIFO(st.st_mode)) return "a FIFO";
  if (S_ISCHR(st.st_mode)) return "a character device";
  if (S_ISBLK(st.st_mode)) return "a block device";
  if (S_ISSOCK(st.st_mode)) return "a socket";
  return "not a regular file";
}
#endif

ReadError SystemError(int error) {
  ReadError e;
  e.kind = error == ENOENT || error == ENOTDIR ? ReadError::Kind::Missing : ReadError::Kind::Failed;
  e.system = std::error_code(error, std::generic_category());
  return e;
}

// Why a file of that status is not read; None for a regular file.
ReadError Refusal(const FileStat& st) {
  ReadError e;
  if (IsDirectory(st)) {
    e.kind = ReadError::Kind::Directory;
  } else if (!IsRegular(st)) {
    e.kind = ReadError::Kind::NotRegular;
    e.what = KindOf(st);
  }
  return e;
}

ReadError TooLarge(std::uint64_t limit) {
  ReadError e;
  e.kind = ReadError::Kind::TooLarge;
  e.limit = limit;
  return e;
}

}  // namespace

std::string DescribeSize(std::uint64_t bytes) {
  constexpr std::uint64_t kKiB = 1024, kMiB = kKiB * 1024, kGiB = kMiB * 1024;
  if (bytes >= kGiB && bytes % kGiB == 0) return std::to_string(bytes / kGiB) + " GiB";
  if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  if (bytes >= kKiB && bytes % kKiB == 0) return std::to_string(bytes / kKiB) + " KiB";
  return std::to_string(bytes) + " bytes";
}

std::string DescribeReadError(const ReadError& error) {
  switch (error.kind) {
    case ReadError::Kind::None:
      return {};
    case ReadError::Kind::Missing:
      return "the file does not exist";
    case ReadError::Kind::Directory:
      return "is a directory, not a file";
    case ReadError::Kind::NotRegular:
      return error.what == "not a regular file" ? error.what : "is " + error.what + ", not a regular file";
    case ReadError::Kind::TooLarge:
      return "is larger than " + DescribeSize(error.limit) + ", the most read of such a file";
    case ReadError::Kind::Failed:
      return "cannot be read: " + error.system.message();
  }
  return {};
}

// Reads the file through a buffer, never past `limit` bytes: reaching it, one byte more is
// asked for, and if there is one the file has grown too large and the stream ends.
class InputFile::Buffer : public std::streambuf {
 public:
  Buffer(int fd, std::uint64_t limit) : fd_(fd), limit_(limit), data_(1 << 16) {}
  ~Buffer() override { CloseFd(fd_); }

  const ReadError& error() const { return error_; }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (error_) return traits_type::eof();
    const std::uint64_t room = limit_ - std::min(limit_, position_);
    if (room == 0) {
      char extra;
      const long long n = Read(&extra, 1);
      if (n > 0) error_ = TooLarge(limit_);
      return traits_type::eof();
    }
    const long long n = Read(data_.data(), static_cast<std::size_t>(std::min<std::uint64_t>(room, data_.size())));
    if (n <= 0) return traits_type::eof();
    position_ += static_cast<std::uint64_t>(n);
    setg(data_.data(), data_.data(), data_.data() + n);
    return traits_type::to_int_type(*gptr());
  }

  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override {
    if (dir == std::ios_base::cur) return seekpos(pos_type(Tell() + off), which);
    if (dir == std::ios_base::beg) return seekpos(pos_type(off), which);
    return pos_type(off_type(-1));
  }

  pos_type seekpos(pos_type at, std::ios_base::openmode which) override {
    const off_type to = at;
    if (!(which & std::ios_base::in) || to < 0 || static_cast<std::uint64_t>(to) > limit_ ||
        SeekFd(fd_, to) != static_cast<long long>(to))
      return pos_type(off_type(-1));
    position_ = static_cast<std::uint64_t>(to);
    error_ = ReadError();
    setg(data_.data(), data_.data(), data_.data());
    return at;
  }

 private:
  off_type Tell() const { return static_cast<off_type>(position_) - (egptr() - gptr()); }

  long long Read(char* to, std::size_t n) {
    for (;;) {
      const long long got = ReadFd(fd_, to, n);
      if (got >= 0) return got;
      if (errno == EINTR) continue;
      error_ = SystemError(errno);
      error_.kind = ReadError::Kind::Failed;
      return -1;
    }
  }

  int fd_;
  std::uint64_t limit_;
  std::uint64_t position_ = 0;  // of the end of what the buffer holds
  std::vector<char> data_;
  ReadError error_;
};

InputFile::InputFile() = default;
InputFile::~InputFile() = default;

const ReadError& InputFile::error() const { return buffer_ && !openError_ ? buffer_->error() : openError_; }

bool InputFile::Open(const fs::path& path, std::uint64_t limit) {
  stream_.reset();
  buffer_.reset();
  openError_ = ReadError();
  // The name is looked at first, so that a device is not even opened; what is opened is
  // looked at again, should the name have changed hands in between.
  FileStat st;
  if (StatPath(path, &st) != 0) {
    openError_ = SystemError(errno);
    return false;
  }
  if ((openError_ = Refusal(st))) return false;
  const int fd = OpenForReading(path);
  if (fd < 0) {
    openError_ = SystemError(errno);
    return false;
  }
  if (StatFd(fd, &st) != 0) {
    openError_ = SystemError(errno);
    CloseFd(fd);
    return false;
  }
  if (!(openError_ = Refusal(st)) && static_cast<std::uint64_t>(st.st_size) > limit) openError_ = TooLarge(limit);
  if (openError_) {
    CloseFd(fd);
    return false;
  }
#ifndef _WIN32
  // A regular file never blocks; reads are made plain again all the same.
  if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
#endif
  size_ = static_cast<std::uint64_t>(st.st_size);
  buffer_ = std::make_unique<Buffer>(fd, limit);
  stream_ = std::make_unique<std::istream>(buffer_.get());
  return true;
}

ReadError ReadRegularFile(const fs::path& path, std::uint64_t limit, std::string* content) {
  content->clear();
  InputFile file;
  if (!file.Open(path, limit)) return file.error();
  content->reserve(static_cast<std::size_t>(file.size()));
  std::istream& in = file.stream();
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) content->append(chunk, static_cast<std::size_t>(in.gcount()));
  if (file.error()) {
    content->clear();
    return file.error();
  }
  return {};
}

}  // namespace base
