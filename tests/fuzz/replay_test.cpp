// Replays every saved fuzz input (the seed corpora and the inputs that once crashed, hung or
// ran out of memory) through its target, built here without libFuzzer. A target ends the
// process on a finding, so a replay that comes back is a pass.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "targets.h"

namespace {

namespace fs = std::filesystem;

using Target = int (*)(const std::uint8_t*, std::size_t);

std::vector<fs::path> FilesIn(const fs::path& dir) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Runs every file of fuzz/corpus/<name> and fuzz/regressions/<name>; the number run.
std::size_t Replay(const std::string& name, Target target) {
  std::size_t run = 0;
  for (const char* set : {"corpus", "regressions"}) {
    for (const fs::path& file : FilesIn(fs::path(FUZZ_DIR) / set / name)) {
      SCOPED_TRACE(file.string());
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_TRUE(in.good() || in.eof()) << "cannot read " << file;
      EXPECT_EQ(target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0) << file;
      ++run;
    }
  }
  return run;
}

TEST(FuzzReplay, CatalogueReader) { EXPECT_GE(Replay("ado_reader", FuzzAdoReader), 10u); }
TEST(FuzzReplay, CatalogueRowsScannerBesideExpat) { EXPECT_GE(Replay("ado_rows", FuzzAdoRows), 10u); }
TEST(FuzzReplay, Filter) { EXPECT_GE(Replay("filter", FuzzFilter), 10u); }
TEST(FuzzReplay, Jpeg) { EXPECT_GE(Replay("jpeg", FuzzJpeg), 10u); }
TEST(FuzzReplay, OrderTemplate) { EXPECT_GE(Replay("docx", FuzzDocx), 10u); }
TEST(FuzzReplay, HelpFile) { EXPECT_GE(Replay("chm", FuzzChm), 5u); }
TEST(FuzzReplay, CommaSeparatedValues) { EXPECT_GE(Replay("csv", FuzzCsv), 5u); }

// The targets themselves: bytes that are no input of any kind are refused by each, and an
// empty input too.
TEST(FuzzReplay, TargetsTakeAnyBytes) {
  const char bytes[] = "\x00\xff PK\x03\x04 ITSF \xff\xd8\xff <xml";
  const std::string junk(bytes, sizeof bytes - 1);
  for (Target target : {FuzzAdoReader, FuzzAdoRows, FuzzFilter, FuzzJpeg, FuzzDocx, FuzzChm, FuzzCsv}) {
    EXPECT_EQ(target(reinterpret_cast<const std::uint8_t*>(junk.data()), junk.size()), 0);
    EXPECT_EQ(target(nullptr, 0), 0);
  }
}

}  // namespace
