#include "catalogue/check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/ado_reader.h"
#include "catalogue_writer/ado_writer.h"

namespace catalogue {
namespace {

namespace fs = std::filesystem;

RecordData Rec(int id, int fid, int number, int left = 100, int top = 100) {
  RecordData r;
  r.id = id;
  r.fid = fid;
  r.number = number;
  r.oboz = "A-" + std::to_string(id);
  r.naim = "Деталь";
  r.picture = "p" + std::to_string(id);
  r.view = "v" + std::to_string(id);
  r.left = left;
  r.top = top;
  r.sostoit = true;
  return r;
}

// A clean catalogue folder: a section with two parts, one holding its item record.
class CheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base =
        fs::temp_directory_path() / ("check_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(base / "Images");
    records = {Rec(1, 0, 1), Rec(2, 1, 1), Rec(3, 1, 2), Rec(4, 2, 0)};
    records[3].sostoit = false;
    for (const char* f : {"Fon", "Fon2"}) Touch(std::string("Images/") + f + ".jpg");
    for (const auto& r : records) {
      Touch("Images/" + r.picture + ".jpg");
      Touch("Images/" + r.view + ".jpg");
    }
  }
  void TearDown() override { fs::remove_all(base); }
  void Touch(const std::string& rel) { std::ofstream(base / rel) << "x"; }
  std::vector<Finding> Check() {
    auto t = ReadAdoText(ToAdoXml(records));
    EXPECT_TRUE(t.ok()) << t.error();
    return CheckCatalogue(t.value(), base.string());
  }
  // Whether a finding for that record says something containing `what`.
  static bool Has(const std::vector<Finding>& f, int id, const std::string& what) {
    for (const auto& x : f)
      if (x.id == id && x.what.find(what) != std::string::npos) return true;
    return false;
  }
  // Each expected finding is said, for its record.
  static void ExpectHas(const std::vector<Finding>& f, std::initializer_list<std::pair<int, const char*>> expected) {
    for (const auto& [id, what] : expected) EXPECT_TRUE(Has(f, id, what)) << "ID " << id << ": " << what;
  }
  fs::path base;
  std::vector<RecordData> records;
};

TEST_F(CheckTest, ACleanCatalogueReportsNothing) {
  const auto f = Check();
  for (const auto& x : f) ADD_FAILURE() << x.id << ": " << x.what;
}

TEST_F(CheckTest, ReportsKeysLinksAndGroups) {
  records.push_back(Rec(3, 1, 3));    // duplicate
  records.push_back(Rec(2, 1, 4));    // duplicate and not ascending
  records.push_back(Rec(10, 99, 1));  // a parent that does not exist
  records.push_back(Rec(11, 1, 5));
  records.back().table = 12;
  const auto f = Check();
  ExpectHas(f, {{3, "duplicate ID"}, {2, "duplicate ID"}, {10, "FID 99 names no record"}, {11, "Table 12"}});
  records = {Rec(5, 0, 1), Rec(4, 0, 2)};
  EXPECT_TRUE(Has(Check(), 4, "ascending"));
}

TEST_F(CheckTest, ReportsRecordsNoUserCanReach) {
  records.push_back(Rec(20, 20, 1));  // its own parent
  records.push_back(Rec(21, 22, 1));  // two records, each the other's parent
  records.push_back(Rec(22, 21, 2));
  records.push_back(Rec(23, 22, 3));  // below the cycle
  records.push_back(Rec(24, 99, 1));  // a parent that does not exist
  records.push_back(Rec(25, 24, 1));  // below it
  records.push_back(Rec(26, 2, 1));
  records.back().picture = "..\\..\\outside";
  records.push_back(Rec(27, 2, 2));
  records.back().view = "sub\\..\\inside";
  const auto f = Check();
  EXPECT_TRUE(Has(f, 21, "FID cycle through IDs 21, 22") || Has(f, 21, "FID cycle through IDs 22, 21"));
  EXPECT_FALSE(Has(f, 22, "FID cycle"));  // one line per cycle
  ExpectHas(f, {{20, "its own parent"},
                {23, "no path from the root"},
                {24, "names no record"},
                {25, "no path from the root"},
                {26, "Picture path Images\\..\\..\\outside.jpg leaves the catalogue folder"}});
  EXPECT_FALSE(Has(f, 24, "no path from the root"));
  EXPECT_FALSE(Has(f, 27, "leaves"));
  for (int id : {1, 2, 3, 4}) EXPECT_FALSE(Has(f, id, "no path")) << id;
  records = {Rec(1, 0, 1)};
  for (int i = 0; i < 1001; ++i) records.push_back(Rec(100 + i, 1, i + 1));
  EXPECT_TRUE(Has(Check(), 1, "1001 numbered parts: only the first 1000 are shown"));
}

TEST_F(CheckTest, ReportsTreesThatDoNotFitTheWindow) {
  for (int i = 0; i < 8; ++i) records.push_back(Rec(100 + i, 0, i + 2));  // nine sections
  records.push_back(Rec(200, 3, 0));                                      // node 3: item record, then a part
  records.push_back(Rec(201, 3, 1));
  records.push_back(Rec(202, 4, 0));  // node 4: two item records
  records.push_back(Rec(203, 4, 0));
  for (int i = 0; i < 36; ++i) records.push_back(Rec(300 + i, 100, i + 1, 10 + i * 5, 10));
  records.push_back(Rec(400, 101, 1, 780, 100));                // beyond the right edge
  records.push_back(Rec(401, 101, 2, 100, -3));                 // above the top
  records.push_back(Rec(402, 101, 3, 2147483647, 2147483647));  // at the integer limit
  int parent = 102;
  for (int level = 0; level < 15; ++level) {  // a chain 16 levels deep under section 102
    records.push_back(Rec(500 + level, parent, 1));
    parent = 500 + level;
  }
  const auto f = Check();
  ExpectHas(f, {{106, "beyond the first 7"},
                {107, "beyond the first 7"},
                {3, "mixes"},
                {4, "2 item records"},
                {100, "36 numbered parts"},
                {400, "outside the window"},
                {401, "outside the window"},
                {402, "outside the window"},
                {513, "more than 14 levels"}});
  EXPECT_FALSE(Has(f, 105, "beyond the first 7"));
  EXPECT_FALSE(Has(f, 512, "more than 14 levels"));
}

TEST_F(CheckTest, ReportsMissingPicturesAndThoseFoundOnlyIgnoringCase) {
  fs::remove(base / "Images" / "p2.jpg");
  fs::remove(base / "Images" / "v3.jpg");
  fs::rename(base / "Images" / "p3.jpg", base / "Images" / "P3.JPG");
  fs::remove(base / "Images" / "Fon2.jpg");
  fs::remove(base / "Images" / "p4.jpg");  // item 4 has no composition: its picture is never shown
  const auto f = Check();
  ExpectHas(f, {{2, "Images\\p2.jpg is missing"},
                {3, "Images\\v3.jpg is missing"},
                {3, "Images\\p3.jpg found only ignoring letter case"},
                {0, "Fon2.jpg is missing"}});
  EXPECT_FALSE(Has(f, 4, "p4.jpg"));
  EXPECT_EQ(f.size(), 4u);
}

}  // namespace
}  // namespace catalogue
