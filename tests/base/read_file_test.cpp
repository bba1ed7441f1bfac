#include "base/read_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace base {
namespace {

namespace fs = std::filesystem;

class ReadFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("read-file-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path Make(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
    return dir_ / name;
  }
  fs::path dir_;
};

// Whatever is not a regular file of at most its limit is refused at once, with what it is.
TEST_F(ReadFileTest, OnlyRegularFilesWithinTheirLimitAreRead) {
  const fs::path small = Make("small.txt", "0123456789");
  const fs::path fifo = dir_ / "fifo";
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
#endif
  const struct {
    fs::path path;
    std::uint64_t limit;
    ReadError::Kind kind;
    std::string said;
  } cases[] = {
      {small, 10, ReadError::Kind::None, ""},
      {small, 9, ReadError::Kind::TooLarge, "is larger than 9 bytes, the most read of such a file"},
      {dir_ / "absent", 10, ReadError::Kind::Missing, "the file does not exist"},
      {dir_, 10, ReadError::Kind::Directory, "is a directory, not a file"},
#ifndef _WIN32
      // Opening it would wait for a writer for ever.
      {fifo, 10, ReadError::Kind::NotRegular, "is a FIFO, not a regular file"},
      // Reading it would never end.
      {"/dev/zero", 1u << 30, ReadError::Kind::NotRegular, "is a character device, not a regular file"},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.string());
    std::string content = "left over";
    const ReadError e = ReadRegularFile(c.path, c.limit, &content);
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_EQ(DescribeReadError(e), c.said);
    EXPECT_EQ(content, c.kind == ReadError::Kind::None ? "0123456789" : "");
  }
  EXPECT_EQ(DescribeSize(std::uint64_t{256} << 20), "256 MiB");
  EXPECT_EQ(DescribeSize(std::uint64_t{1} << 30), "1 GiB");
}

// The stream reads in pieces, seeks back to the start and to where it was, and ends at the
// limit when the file has grown past it since it was opened.
TEST_F(ReadFileTest, TheStreamSeeksAndStopsAtTheLimit) {
  std::string big(200000, 'x');
  for (std::size_t i = 0; i < big.size(); i += 1000) big[i] = static_cast<char>('a' + i / 1000 % 26);
  const fs::path path = Make("big.txt", big);
  InputFile file;
  ASSERT_TRUE(file.Open(path, big.size() + 10)) << DescribeReadError(file.error());
  EXPECT_EQ(file.size(), big.size());
  std::string first(70000, '\0');
  file.stream().read(first.data(), static_cast<std::streamsize>(first.size()));
  EXPECT_EQ(first, big.substr(0, first.size()));
  const auto at = file.stream().tellg();
  EXPECT_EQ(static_cast<std::size_t>(at), first.size());
  file.stream().seekg(0);
  char c = 0;
  file.stream().get(c);
  EXPECT_EQ(c, big[0]);
  file.stream().seekg(at);
  file.stream().get(c);
  EXPECT_EQ(c, big[first.size()]);

  // It grows past the limit while open: the stream ends there, and the file is too large.
  std::ofstream(path, std::ios::binary | std::ios::app) << std::string(100, 'y');
  file.stream().seekg(0);
  std::string all((std::istreambuf_iterator<char>(file.stream())), std::istreambuf_iterator<char>());
  EXPECT_EQ(all.size(), big.size() + 10);
  EXPECT_EQ(file.error().kind, ReadError::Kind::TooLarge);
  std::string content;
  EXPECT_EQ(ReadRegularFile(path, big.size() + 10, &content).kind, ReadError::Kind::TooLarge);
}

}  // namespace
}  // namespace base
