#include "catalogue/store.h"

#include <gtest/gtest.h>

#include "catalogue/ado_reader.h"
#include "catalogue_writer/ado_writer.h"

namespace catalogue {
namespace {

// A small tree: sections 1 and 2 at the root; section 1 holds parts 3..5; part 5 is an item
// record (Number 0) of node 4; record 6 has no children.
std::vector<RecordData> Tree() {
  std::vector<RecordData> r(6);
  r[0] = {1, 0, 1, "S1", "Секция 1", "", "", "s1", "v1", "first", true, false, false, 0, 0, 0};
  r[1] = {2, 0, 2, "S2", "Секция 2", "", "", "s2", "v2", "", true, false, false, 0, 0, 3};
  r[2] = {3, 1, 1, "P3", "Деталь 3", "1,2", "2", "p3", "", "", false, true, false, 10, 20, 3};
  r[3] = {4, 1, 2, "P4", "Деталь 4", "", "", "p4", "", "", true, true, false, 30, 40, 3};
  r[4] = {5, 4, 0, "I5", "Изделие 5", "", "", "p5", "", "", false, true, false, 0, 0, 3};
  r[5] = {6, 1, 3, "P6", "Деталь 6", "", "", "p6", "", "", false, false, false, 50, 60, 7};
  return r;
}

class StoreTest : public ::testing::Test {
 protected:
  void Load(const std::vector<RecordData>& recs) {
    auto t = ReadAdoText(ToAdoXml(recs));
    ASSERT_TRUE(t.ok()) << t.error();
    store.LoadTable(std::move(t).value());
    store.AfterScroll = [this] { ++scrolls; };
  }
  void SetUp() override { Load(Tree()); }
  std::vector<int> Ids() {
    std::vector<int> ids;
    for (store.MoveFirst(); !store.AtEnd(); store.MoveNext()) ids.push_back(store.GetInteger(Field::ID));
    return ids;
  }
  CatalogueStore store;
  int scrolls = 0;
};

TEST_F(StoreTest, OpensOnFirstRecordWithNoFilter) {
  EXPECT_TRUE(store.IsOpen());
  EXPECT_EQ(store.CurrentFilter(), "");
  EXPECT_EQ(store.CountRecords(), 6);
  EXPECT_EQ(store.GetInteger(Field::ID), 1);
  EXPECT_TRUE(store.OpenStore().ok());  // already open: nothing happens
  EXPECT_EQ(scrolls, 0);
}

TEST_F(StoreTest, RepeatedFilterLeavesCursorAndFreshFilterResetsIt) {
  ASSERT_TRUE(store.ApplyFilter("FID = 1").ok());
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(store.GetInteger(Field::ID), 3);
  store.MoveNext();
  EXPECT_EQ(scrolls, 2);
  ASSERT_TRUE(store.ApplyFilter("FID = 1").ok());
  EXPECT_EQ(scrolls, 2);  // unchanged text: no move, no notification
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  ASSERT_TRUE(store.ApplyFilter("").ok());
  ASSERT_TRUE(store.ApplyFilter("FID = 1").ok());
  EXPECT_EQ(store.GetInteger(Field::ID), 3);
  EXPECT_EQ(scrolls, 4);
  EXPECT_EQ(Ids(), (std::vector<int>{3, 4, 6}));
}

TEST_F(StoreTest, AnswersEveryFilterFormInFileOrder) {
  const std::pair<const char*, std::vector<int>> cases[] = {{"Table = 3", {2, 3, 4, 5}},
                                                            {"VozmPokupka = True", {3, 4, 5}},
                                                            {"sostoit = false", {3, 5, 6}},
                                                            {"ID = 5", {5}},
                                                            {"Number = 0", {5}},
                                                            {"Left = 30", {4}},
                                                            {"FID = 0", {1, 2}},
                                                            {"FID = 99999999999", {}}};
  for (const auto& [filter, ids] : cases) {
    ASSERT_TRUE(store.ApplyFilter(filter).ok()) << filter;
    EXPECT_EQ(Ids(), ids) << filter;
    EXPECT_EQ(store.CountRecords(), static_cast<int>(ids.size())) << filter;
  }
}

TEST_F(StoreTest, FilterTextOutsideTheGrammarIsRefusedAndChangesNothing) {
  ASSERT_TRUE(store.ApplyFilter("FID = 1").ok());
  store.MoveNext();
  const int before = scrolls;
  for (const char* bad : {"FID == 1", "FID = 1 OR 1 = 1", "FID", "FID =", "Nope = 1", "Oboz = 1", "Pokupka = 1",
                          "FID = True", "FID = 0x10", "garbage"}) {
    auto s = store.ApplyFilter(bad);
    EXPECT_FALSE(s.ok()) << bad;
    EXPECT_FALSE(s.error().empty());
  }
  EXPECT_EQ(store.CurrentFilter(), "FID = 1");
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  EXPECT_EQ(scrolls, before);
}

TEST_F(StoreTest, EmptyChildrenReadAsEmpty) {
  ASSERT_TRUE(store.ApplyFilter("FID = 6").ok());
  EXPECT_EQ(store.CountRecords(), 0);
  EXPECT_TRUE(store.AtEnd());
  EXPECT_EQ(store.GetString(Field::Number), "");
  EXPECT_EQ(store.GetInteger(Field::ID), 0);
  EXPECT_FALSE(store.GetBoolean(Field::Sostoit));
  store.SetBoolean(Field::Pokupka, true);  // no current record: nothing to change
  ASSERT_TRUE(store.ApplyFilter("Pokupka = True").ok());
  EXPECT_EQ(store.CountRecords(), 0);
}

TEST_F(StoreTest, FieldNamesMatchWithoutCase) {
  ASSERT_TRUE(store.LocateID(5));
  EXPECT_EQ(store.GetString(FieldByName("Fid").value()), "4");
  EXPECT_EQ(store.GetInteger(FieldByName("fid").value()), 4);
  EXPECT_EQ(store.GetString(FieldByName("Number").value()), "0");
  EXPECT_EQ(store.GetString(FieldByName("POKUPKA").value()), "False");
  EXPECT_EQ(FieldByName("Nope"), std::nullopt);
}

TEST_F(StoreTest, LookupSearchesAllRecordsWithoutMovingTheCursor) {
  ASSERT_TRUE(store.ApplyFilter("VozmPokupka = True").ok());
  const int before = scrolls;
  EXPECT_EQ(store.LookupByID(1, Field::Picture), "s1");
  EXPECT_EQ(store.LookupByID(4, Field::Naim), "Деталь 4");
  EXPECT_EQ(store.LookupByID(77, Field::Naim), std::nullopt);
  EXPECT_EQ(store.GetInteger(Field::ID), 3);
  EXPECT_EQ(scrolls, before);
}

TEST_F(StoreTest, LocateOutsideTheFilterFailsAndKeepsTheCursor) {
  ASSERT_TRUE(store.ApplyFilter("FID = 1").ok());
  store.MoveNext();
  const int before = scrolls;
  EXPECT_FALSE(store.LocateID(1));
  EXPECT_FALSE(store.LocateID(1234));
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  EXPECT_EQ(scrolls, before);
  EXPECT_TRUE(store.LocateID(6));
  EXPECT_EQ(store.GetInteger(Field::ID), 6);
  EXPECT_EQ(scrolls, before + 1);
}

TEST_F(StoreTest, ClearingLoopEmptiesTheBasketWithoutMoveNext) {
  for (int id : {3, 4, 6}) {
    ASSERT_TRUE(store.LocateID(id));
    store.SetBoolean(Field::Pokupka, true);
  }
  ASSERT_TRUE(store.ApplyFilter("").ok());
  ASSERT_TRUE(store.ApplyFilter("Pokupka = True").ok());
  EXPECT_EQ(store.CountRecords(), 3);
  int changes = 0;
  store.MoveFirst();
  while (!store.AtEnd() && changes < 10) {
    store.SetBoolean(Field::Pokupka, false);
    ++changes;
  }
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(store.CountRecords(), 0);
  ASSERT_TRUE(store.ApplyFilter("Pokupka = False").ok());
  EXPECT_EQ(store.CountRecords(), 6);  // the index follows every change
}

TEST_F(StoreTest, RecordLeavingTheFilterMovesCursorToTheNextOne) {
  ASSERT_TRUE(store.ApplyFilter("VozmPokupka = True").ok());
  EXPECT_EQ(store.GetInteger(Field::ID), 3);
  store.SetBoolean(Field::VozmPokupka, false);
  EXPECT_EQ(store.CountRecords(), 2);
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  store.MoveNext();
  store.SetBoolean(Field::VozmPokupka, false);  // the last one leaves: the cursor is at the end
  EXPECT_TRUE(store.AtEnd());
  EXPECT_EQ(store.CountRecords(), 1);
}

TEST_F(StoreTest, SetBooleanUnderAnotherFilterKeepsTheRecordCurrent) {
  ASSERT_TRUE(store.ApplyFilter("Table = 3").ok());
  store.MoveNext();
  store.MoveNext();
  ASSERT_EQ(store.GetInteger(Field::ID), 4);
  store.SetBoolean(Field::Pokupka, true);
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  EXPECT_TRUE(store.GetBoolean(Field::Pokupka));
  EXPECT_EQ(store.CountRecords(), 4);
  ASSERT_TRUE(store.ApplyFilter("Pokupka = True").ok());
  EXPECT_EQ(Ids(), (std::vector<int>{4}));
}

TEST_F(StoreTest, NotificationRunsInsideEveryMoveAndCanBeDetached) {
  store.MoveFirst();
  store.MoveNext();
  EXPECT_TRUE(store.LocateID(2));
  store.MoveTo(3);
  EXPECT_EQ(scrolls, 4);
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  store.AfterScroll = nullptr;
  store.MoveFirst();
  ASSERT_TRUE(store.ApplyFilter("FID = 1").ok());
  EXPECT_EQ(scrolls, 4);
  // A handler may detach itself while it runs.
  store.AfterScroll = [this] {
    ++scrolls;
    store.AfterScroll = nullptr;
  };
  store.MoveNext();
  store.MoveNext();
  EXPECT_EQ(scrolls, 5);
  // Moving past the end does nothing.
  store.AfterScroll = [this] { ++scrolls; };
  store.MoveNext();
  EXPECT_TRUE(store.AtEnd());
  store.MoveNext();
  EXPECT_EQ(scrolls, 6);
}

TEST_F(StoreTest, GridReadsRowsByPositionWithoutMovingTheCursor) {
  ASSERT_TRUE(store.ApplyFilter("Table = 3").ok());
  const int before = scrolls;
  EXPECT_EQ(store.GetStringAt(2, Field::Oboz), "P4");
  EXPECT_EQ(store.GetStringAt(99, Field::Oboz), "");
  EXPECT_TRUE(store.GetBooleanAt(0, Field::Sostoit));
  EXPECT_FALSE(store.GetBooleanAt(1, Field::Sostoit));
  EXPECT_EQ(store.Position(), 0u);
  EXPECT_EQ(scrolls, before);
}

// The questions the browser asks move neither the filter nor the cursor.
TEST_F(StoreTest, ReadOnlyQuestionsMoveNothing) {
  ASSERT_TRUE(store.ApplyFilter("Table = 3").ok());
  store.MoveNext();
  const int before = scrolls;
  const auto ids = [&](auto rows) {
    std::vector<int> out;
    for (std::size_t i = 0; i < rows.size(); ++i) out.push_back(store.table().Integer(rows[i], Field::ID));
    return out;
  };
  EXPECT_EQ(ids(store.ChildRows(1)), (std::vector<int>{3, 4, 6}));
  EXPECT_EQ(ids(store.ChildRows(6)), std::vector<int>{});
  EXPECT_EQ(ids(store.RowsWithFlag(Field::VozmPokupka, true)), (std::vector<int>{3, 4, 5}));
  EXPECT_EQ(ids(store.Select(Filter::Group(7))), std::vector<int>{6});
  EXPECT_EQ(ids(store.Select(Filter::All())), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(ids(store.Select(Filter::Parse("Left = 30").value())), std::vector<int>{4});
  EXPECT_EQ(store.CurrentFilter(), "Table = 3");
  EXPECT_EQ(store.GetInteger(Field::ID), 3);
  EXPECT_EQ(scrolls, before);
}

// A row marked wherever the cursor is: the current record stays current, also when the
// filtered set is the mark's own list and rows before it join or leave it.
TEST_F(StoreTest, MarkingARowKeepsTheCurrentRecord) {
  for (int id : {2, 4, 6}) store.SetBooleanOfRow(*store.RowOfID(id), Field::Pokupka, true);
  ASSERT_TRUE(store.ApplyFilter("Pokupka = True").ok());
  ASSERT_TRUE(store.LocateID(4));
  const int before = scrolls;
  store.SetBooleanOfRow(*store.RowOfID(2), Field::Pokupka, false);  // before it: leaves
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  store.SetBooleanOfRow(*store.RowOfID(1), Field::Pokupka, true);  // before it: joins
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  store.SetBooleanOfRow(*store.RowOfID(5), Field::Pokupka, true);  // after it
  EXPECT_EQ(store.GetInteger(Field::ID), 4);
  store.SetBooleanOfRow(*store.RowOfID(4), Field::Pokupka, false);  // itself: the next is current
  EXPECT_EQ(store.GetInteger(Field::ID), 5);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 5, 6}));
  EXPECT_EQ(scrolls, before + 4);  // the walk of Ids() only
}

TEST_F(StoreTest, UnsortedIdsStillLocateAndLookUp) {
  auto recs = Tree();
  std::swap(recs[0], recs[4]);
  recs.push_back(recs[1]);  // a duplicate ID: the first in file order wins
  recs.back().naim = "duplicate";
  Load(recs);
  EXPECT_EQ(store.LookupByID(1, Field::Oboz), "S1");
  EXPECT_EQ(store.LookupByID(2, Field::Naim), "Секция 2");
  ASSERT_TRUE(store.ApplyFilter("Table = 3").ok());
  EXPECT_TRUE(store.LocateID(3));
  EXPECT_EQ(store.GetString(Field::Oboz), "P3");
}

// Keys that differ in each byte and in sign, repeated throughout the file: every filter on an
// indexed field finds exactly its records, in file order.
TEST_F(StoreTest, IndexesGroupEveryKeyInFileOrder) {
  const std::int32_t keys[] = {INT32_MIN, -70000, -256, -1, 0, 1, 255, 256, 65536, 16777216, INT32_MAX};
  const int n = static_cast<int>(std::size(keys));
  std::vector<RecordData> recs(3000);
  for (int r = 0; r < 3000; ++r) {
    recs[r].id = keys[(r * 7) % n];
    recs[r].fid = keys[(r * r + 3) % n];
    recs[r].table = keys[(r / 5) % n];
    recs[r].oboz = std::to_string(r);
  }
  Load(recs);
  for (const auto& [name, field] :
       {std::pair{"ID", &RecordData::id}, {"FID", &RecordData::fid}, {"Table", &RecordData::table}}) {
    for (std::int32_t key : keys) {
      std::vector<std::string> expected, seen;
      for (const RecordData& rec : recs)
        if (rec.*field == key) expected.push_back(rec.oboz);
      ASSERT_TRUE(store.ApplyFilter(std::string(name) + " = " + std::to_string(key)).ok());
      for (store.MoveFirst(); !store.AtEnd(); store.MoveNext()) seen.push_back(store.GetString(Field::Oboz));
      EXPECT_EQ(seen, expected) << name << " = " << key;
    }
  }
}

TEST_F(StoreTest, ClosedStoreAnswersNothing) {
  store.CloseStore();
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(store.CountRecords(), 0);
  EXPECT_TRUE(store.AtEnd());
  EXPECT_FALSE(store.ApplyFilter("FID = 1").ok());
  EXPECT_TRUE(store.OpenStore().ok());
  EXPECT_EQ(store.CountRecords(), 6);
  CatalogueStore empty;
  EXPECT_FALSE(empty.OpenStore().ok());
  EXPECT_FALSE(empty.LoadFile("/nonexistent/db/my.xml").ok());
}

}  // namespace
}  // namespace catalogue
