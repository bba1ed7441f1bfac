#pragma once
// Reading a file from outside: only a regular file is read as a file, and only up to a size that
// fits what it holds. A FIFO, a device, a socket or a directory is refused at once, before any
// byte is read (opening never waits for a writer, and no device's endless bytes are read); a
// file larger than its limit is refused before it is read, and one that grows past it while it
// is read is refused then. Meant for every reader of files the user names or a catalogue holds:
// the catalogue table, catalogue-tool's inputs, order templates, pictures, help files.

#include <cstdint>
#include <filesystem>
#include <istream>
#include <memory>
#include <string>
#include <system_error>

namespace base {

// Why a file was not read; the caller words it (DescribeReadError in English).
struct ReadError {
  enum class Kind {
    None,
    Missing,     // nothing has that name
    Directory,   // a directory has it
    NotRegular,  // a FIFO, a device, a socket: `what` says which
    TooLarge,    // more than `limit` bytes
    Failed,      // the system refused to open or read it: `system` says why
  };
  Kind kind = Kind::None;
  std::string what;
  std::uint64_t limit = 0;
  std::error_code system;

  explicit operator bool() const { return kind != Kind::None; }
};

// What follows the file's name in a message: "does not exist", "is a directory, not a file",
// "is a FIFO, not a regular file", "is larger than 64 MiB, the most read of such a file",
// "cannot be read: Permission denied".
std::string DescribeReadError(const ReadError& error);

// A limit in the words of DescribeReadError ("64 MiB", "1 GiB", "1000 bytes").
std::string DescribeSize(std::uint64_t bytes);

// A regular file open for reading through a stream that yields at most `limit` bytes. The
// stream seeks (to a position it gave, or to the start).
class InputFile {
 public:
  InputFile();
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens the file; false, with error() saying why, when it is not a regular file, holds more
  // than `limit` bytes or cannot be opened.
  bool Open(const std::filesystem::path& path, std::uint64_t limit);

  std::uint64_t size() const { return size_; }  // its size when opened
  std::istream& stream() { return *stream_; }
  // Why opening failed; after reading, TooLarge when the file grew past its limit (the stream
  // then ended there) and Failed when a read failed (the stream reports an error).
  const ReadError& error() const;

 private:
  class Buffer;
  std::unique_ptr<Buffer> buffer_;
  std::unique_ptr<std::istream> stream_;
  std::uint64_t size_ = 0;
  ReadError openError_;
};

// The whole content of a regular file of at most `limit` bytes, or why it was not read.
ReadError ReadRegularFile(const std::filesystem::path& path, std::uint64_t limit, std::string* content);

}  // namespace base
