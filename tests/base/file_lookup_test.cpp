#include "base/file_lookup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace base {
namespace {

namespace fs = std::filesystem;

class FileLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lookup-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Touch(const std::string& relative) {
    const fs::path p = dir_ / PathFromUtf8(relative);
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
  }
  fs::path dir_;
};

TEST_F(FileLookupTest, BackslashesSeparateAndLetterCaseIsMatched) {
  Touch("Images/Узлы/Стрела.jpg");
  Touch("Images/fon.jpg");
  FileLookup lookup;
  auto found = lookup.Find(dir_, "Images\\fon.jpg");
  EXPECT_EQ(found.path, dir_ / "Images" / "fon.jpg");
  EXPECT_EQ(found.found, FileLookup::Found::AsWritten);
#ifndef _WIN32
  // Windows-authored names in another letter case, Cyrillic included.
  found = lookup.Find(dir_, "IMAGES\\узлы\\СТРЕЛА.JPG");
  EXPECT_EQ(found.path, dir_ / "Images" / PathFromUtf8("Узлы") / PathFromUtf8("Стрела.jpg"));
  EXPECT_EQ(found.found, FileLookup::Found::IgnoringCase);
  found = lookup.Find(dir_, "images\\Fon.jpg");
  EXPECT_EQ(found.path, dir_ / "Images" / "fon.jpg");
  EXPECT_EQ(found.found, FileLookup::Found::IgnoringCase);
#endif
  // Nothing matches: the path comes back converted only.
  found = lookup.Find(dir_, "Images\\absent.jpg");
  EXPECT_EQ(found.path, dir_ / "Images" / "absent.jpg");
  EXPECT_EQ(found.found, FileLookup::Found::No);
  // The folder itself is never rewritten, whatever its name holds.
  const fs::path odd = dir_ / "a\\b";
  fs::create_directories(odd / "db");
  std::ofstream(odd / "db" / "my.xml") << "x";
  EXPECT_EQ(lookup.Find(odd, "DB\\MY.XML").path, odd / "db" / "my.xml");
}

TEST_F(FileLookupTest, SeesFilesAddedAfterADirectoryWasListed) {
  Touch("a.jpg");
  FileLookup lookup;
  EXPECT_EQ(lookup.Find(dir_, "B.JPG").found, FileLookup::Found::No);
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // directory times may have whole seconds
  Touch("b.jpg");
#ifndef _WIN32
  EXPECT_EQ(lookup.Find(dir_, "B.JPG").path, dir_ / "b.jpg");
#endif
}

}  // namespace
}  // namespace base
