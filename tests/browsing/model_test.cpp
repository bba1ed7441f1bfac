#include "browsing/model.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "catalogue/ado_reader.h"
#include "support/standard_table.h"

namespace browsing {
namespace {

using catalogue::Field;
using catalogue::RecordData;
using Report = PictureLoad::Report;

const std::string kBase = "/cat/";
std::string Pic(const std::string& name) { return kBase + "Images\\" + name + ".jpg"; }
const std::string kRoot = kBase + "Images\\Fon.jpg";

class ModelTest : public ::testing::Test, public Listener {
 protected:
  void SetUp() override { Load(StandardTable()); }
  void Load(const std::vector<RecordData>& records) {
    auto t = catalogue::ReadAdoText(catalogue::ToAdoXml(records));
    ASSERT_TRUE(t.ok()) << t.error();
    store.LoadTable(std::move(t).value());
    model = std::make_unique<BrowsingModel>(store, catalogue::CatalogueFolder(kBase));
    model->AddListener(this);
    model->Start();
    changes.clear();
  }
  void ModelChanged(const Change& c) override { changes.push_back(c); }
  std::uint32_t RowOf(int id) const { return *store.RowOfID(id); }
  std::vector<int> CalloutIds() const {
    std::vector<int> ids;
    for (const Callout& c : model->Callouts()) ids.push_back(c.ID);
    return ids;
  }
  std::vector<int> PlateIds() const {
    std::vector<int> ids;
    for (const Plate& p : model->Plates()) ids.push_back(p.ID);
    return ids;
  }
  // Runs an operation and returns the one change it made (a failed expectation if it made none
  // or several).
  Change Only(const std::function<void()>& operation) {
    changes.clear();
    operation();
    EXPECT_EQ(changes.size(), 1u);
    return changes.empty() ? Change{} : changes.back();
  }
  void Unchanged(const std::function<void()>& operation) {
    changes.clear();
    operation();
    EXPECT_TRUE(changes.empty());
  }

  catalogue::CatalogueStore store;
  std::unique_ptr<BrowsingModel> model;
  std::vector<Change> changes;
};

TEST_F(ModelTest, StartShowsTheRootWithItsPlates) {
  model->Start();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].op, Op::Start);
  EXPECT_EQ(changes[0].aspects, unsigned(kEverything));
  EXPECT_EQ(changes[0].loads, (std::vector<PictureLoad>{{kRoot, Report::File}}));
  EXPECT_EQ(model->Level(), 0);
  EXPECT_EQ(model->DisplayMode(), dmSections);
  EXPECT_EQ(model->Levels().size(), 15u);
  EXPECT_EQ(model->PicturePath(), kRoot);
  EXPECT_EQ(model->ViewPath(), kBase + "View\\Fon.wrl");
  EXPECT_EQ(PlateIds(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  const Plate& first = model->Plates()[0];
  EXPECT_EQ(first.Oboz, "КМ-1");
  EXPECT_EQ(first.Descript, "Описание 1");
  EXPECT_EQ(first.PictureFile, Pic("p1"));
  EXPECT_EQ(first.ViewFile, kBase + "View\\v1");
  EXPECT_EQ(model->Plates()[1].Number, 12);
  EXPECT_FALSE(model->Plates()[3].Sostoit);
  EXPECT_EQ(model->BasketCount(), 0);
}

// The road of clicks down three levels and back up, one step at a time: each step is one
// change, with the pictures it loads and the node it shows.
TEST_F(ModelTest, EachStepDownAndBackShowsItsLevel) {
  struct Step {
    const char* what;
    std::function<void(BrowsingModel&)> op;
    int level, mode;
    std::vector<int> callouts;
    std::optional<int> next;
    bool canOrder;
    std::vector<PictureLoad> loads;
  };
  const std::vector<Step> steps = {
      {"section 1",
       [](BrowsingModel& m) { m.EnterSection(0); },
       1,
       dmDrawing,
       {11, 12, 13},
       {},
       false,
       {{Pic("p1"), Report::File}, {Pic("p1"), Report::Image}}},
      {"callout 11",
       [](BrowsingModel& m) { m.EnterPart(11); },
       2,
       dmDrawing,
       {},
       111,
       true,
       {{Pic("p11"), Report::File}}},
      {"its composition",
       [](BrowsingModel& m) { m.EnterPart(111); },
       3,
       dmDrawing,
       {1111, 1112},
       {},
       false,
       {{Pic("p111"), Report::File}}},
      {"back", [](BrowsingModel& m) { m.Back(); }, 2, dmDrawing, {}, 111, true, {{Pic("p11"), Report::File}}},
      {"back", [](BrowsingModel& m) { m.Back(); }, 1, dmDrawing, {11, 12, 13}, {}, false, {{Pic("p1"), Report::File}}},
      // The root: the sections display shows the picture it had again, then the root's is set.
      {"back to the root",
       [](BrowsingModel& m) { m.Back(); },
       0,
       dmSections,
       {},
       {},
       false,
       {{Pic("p1"), Report::Image}, {kRoot, Report::File}}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    const Change c = Only([&] { s.op(*model); });
    EXPECT_EQ(model->Level(), s.level);
    EXPECT_EQ(model->DisplayMode(), s.mode);
    EXPECT_EQ(CalloutIds(), s.callouts);
    EXPECT_EQ(model->NextID(), s.next);
    EXPECT_EQ(model->CanOrder(), s.canOrder);
    EXPECT_EQ(c.loads, s.loads);
  }
  // The stack holds each level as it was entered: from the plate (with its parent), or by the
  // record's ID (the parent left as it was).
  EXPECT_EQ(model->Levels()[1], (TMyRec{1, 0, 1, "КМ-1", "Раздел 1", "", "", Pic("p1"), kBase + "View\\v1"}));
  EXPECT_EQ(model->Levels()[2], (TMyRec{11, 0, 1, "ОБ-11", "Деталь 11", "11,5", "2", Pic("p11"), kBase + "View\\v11"}));
  EXPECT_EQ(model->ItemNaim(), "");
  EXPECT_EQ(PlateIds(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(ModelTest, HomeClearsTheStackAndLoadsOnlyTheRootPicture) {
  model->EnterSection(0);
  model->EnterPart(11);
  model->EnterPart(111);
  const Change c = Only([&] { model->Home(); });
  EXPECT_EQ(c.loads, (std::vector<PictureLoad>{{kRoot, Report::File}}));
  EXPECT_TRUE(c.Has(kPlates));
  EXPECT_EQ(model->Level(), 0);
  EXPECT_EQ(model->DisplayMode(), dmSections);
  EXPECT_EQ(model->Levels()[0].Page, 1);
  EXPECT_EQ(model->Levels()[1], TMyRec{});
  EXPECT_EQ(model->Levels()[3], TMyRec{});
  EXPECT_EQ(model->ItemOboz(), "");
  EXPECT_TRUE(model->Callouts().empty());
  // At the root home changes nothing.
  model->EnterSection(0);
  model->Back();
  Unchanged([&] { model->Home(); });
}

TEST_F(ModelTest, APlateWithoutContentOpensNothing) {
  ASSERT_FALSE(model->Plates()[3].Sostoit);
  Unchanged([&] { model->EnterSection(3); });
  Unchanged([&] { model->EnterSection(9); });
  Unchanged([&] { model->Back(); });  // at the root there is nothing to go back to
  EXPECT_EQ(model->Level(), 0);
}

// What a node's children make of its drawing: callouts, an item record offered for ordering,
// a composition to view, or nothing.
TEST_F(ModelTest, TheFormOfANodesChildrenDecidesItsDrawing) {
  struct Shape {
    const char* what;
    std::vector<RecordData> children;  // of node 13
    std::vector<int> callouts;
    std::optional<int> next;
    bool canOrder;
  };
  const std::vector<Shape> shapes = {
      {"no children", {}, {}, {}, false},
      {"one numbered part", {Part(131, 13, 3)}, {131}, {}, false},
      {"an item record", {Item(130, 13, true, false)}, {}, {}, true},
      {"an item record with a composition", {Item(130, 13, true, true)}, {}, 130, true},
      {"an item record that cannot be ordered", {Item(130, 13, false, true)}, {}, 130, false},
      {"an item record first, then a part", {Item(130, 13, true, true), Part(131, 13, 1)}, {}, {}, false},
  };
  for (const Shape& s : shapes) {
    SCOPED_TRACE(s.what);
    auto table = StandardTable();
    table.insert(table.end(), s.children.begin(), s.children.end());
    Load(table);
    model->EnterSection(0);
    model->EnterPart(13);
    EXPECT_EQ(CalloutIds(), s.callouts);
    EXPECT_EQ(model->NextID(), s.next);
    EXPECT_EQ(model->CanOrder(), s.canOrder);
    EXPECT_FALSE(model->InBasket());
  }
}

TEST_F(ModelTest, PlatesShowSevenSectionsToAPageAndNeverMore) {
  const struct {
    int sections, page;
    std::vector<int> ids;
  } cases[] = {
      {1, 1, {1}},    {7, 1, {1, 2, 3, 4, 5, 6, 7}},       {9, 1, {1, 2, 3, 4, 5, 6, 7}},
      {9, 2, {8, 9}}, {20, 2, {8, 9, 10, 11, 12, 13, 14}},  // the rest would be thirteen
      {20, 0, {}},                                          // a page before the first
  };
  for (const auto& c : cases) {
    std::vector<RecordData> t;
    for (int i = 1; i <= c.sections; ++i) t.push_back(Section(i, i, "S" + std::to_string(i)));
    Load(t);
    std::vector<int> ids;
    for (const Plate& p : SectionPlates(store, model->folder(), 0, c.page).plates) ids.push_back(p.ID);
    EXPECT_EQ(ids, c.ids) << c.sections << " sections, page " << c.page;
  }
  // An only child gives its order flags.
  auto t = StandardTable();
  t.push_back(Item(132, 13, true, false));
  Load(t);
  EXPECT_TRUE(SectionPlates(store, model->folder(), 13, 1).canOrder);
  EXPECT_FALSE(SectionPlates(store, model->folder(), 1, 1).canOrder);
}

TEST_F(ModelTest, TheListOpensAtItsTabsFirstRowAndBackReturnsToTheRoot) {
  model->OpenList(10);
  EXPECT_EQ(model->DisplayMode(), dmList);
  EXPECT_EQ(model->Level(), 1);
  EXPECT_TRUE(model->CanOrder());
  ASSERT_TRUE(model->ListRow());
  EXPECT_EQ(*model->ListRow(), RowOf(22));  // the first orderable record
  EXPECT_EQ(model->PicturePath(), Pic("v22"));
  // Every tab change enters the list again.
  for (int tab : {1, 2, 7}) {
    const Change c = Only([&] { model->ChangeTab(tab); });
    EXPECT_EQ(c.loads.size(), 1u);
  }
  EXPECT_EQ(model->Level(), 4);
  EXPECT_EQ(model->Tab(), 7);
  const Change row = Only([&] { model->SelectListRow(RowOf(1112)); });
  EXPECT_EQ(row.loads, (std::vector<PictureLoad>{{Pic("v1112"), Report::File}}));
  Unchanged([&] { model->SelectListRow(RowOf(1112)); });
  const Change back = Only([&] { model->Back(); });
  EXPECT_EQ(model->Level(), 0);
  EXPECT_EQ(model->DisplayMode(), dmSections);
  EXPECT_EQ(back.loads, (std::vector<PictureLoad>{{Pic("v1112"), Report::Image}, {kRoot, Report::File}}));
  // Outside the list its rows and tabs are not followed.
  Unchanged([&] { model->SelectListRow(RowOf(22)); });
  Unchanged([&] { model->ChangeTab(3); });
}

TEST_F(ModelTest, TheBasketTakesTheItemOnScreenOrTheListsRow) {
  Unchanged([&] { model->ToggleBasket(); });  // at the root nothing can be ordered
  model->EnterSection(0);
  model->EnterPart(12);  // its item record 121 can be ordered
  const Change add = Only([&] { model->ToggleBasket(); });
  EXPECT_TRUE(add.Has(kBasket));
  EXPECT_TRUE(model->InBasket());
  EXPECT_EQ(model->BasketCount(), 1);
  EXPECT_TRUE(store.table().Boolean(RowOf(121), Field::Pokupka));
  EXPECT_EQ(model->Quantity(RowOf(121)), "1");
  // Back and in again: the item is in the basket.
  model->Back();
  model->EnterPart(12);
  EXPECT_TRUE(model->InBasket());
  model->ToggleBasket();
  EXPECT_EQ(model->BasketCount(), 0);
  EXPECT_FALSE(store.table().Boolean(RowOf(121), Field::Pokupka));

  // In the list every row can be ordered; the basket keeps file order.
  model->Home();
  model->OpenList(10);
  for (int id : {1112, 22, 111}) {
    model->SelectListRow(RowOf(id));
    model->ToggleBasket();
  }
  EXPECT_EQ(std::vector<std::uint32_t>(model->BasketRows().begin(), model->BasketRows().end()),
            (std::vector<std::uint32_t>{RowOf(22), RowOf(111), RowOf(1112)}));
  model->SetQuantity(RowOf(111), "5");
  EXPECT_EQ(model->Quantity(RowOf(111)), "5");
  for (const char* refused : {"пять", "0", "-2", "1.5", ""}) model->SetQuantity(RowOf(111), refused);
  EXPECT_EQ(model->Quantity(RowOf(111)), "5");
  // Out of the basket, and back as an order repeated, with its quantity.
  model->RemoveFromBasket({RowOf(22), RowOf(1112)});
  EXPECT_EQ(model->BasketCount(), 1);
  model->SelectListRow(RowOf(1112));
  EXPECT_FALSE(model->InBasket());
  EXPECT_TRUE(model->OrderAgain({{1112, "ОБ-1112", "Деталь 1112", "4"}}).empty());
  EXPECT_TRUE(model->InBasket());
  EXPECT_EQ(model->Quantity(RowOf(1112)), "4");
  const Change clear = Only([&] { model->ClearBasket(); });
  EXPECT_TRUE(clear.loads.empty());  // the row's picture is not loaded again
  EXPECT_EQ(model->BasketCount(), 0);
  EXPECT_FALSE(model->InBasket());
  EXPECT_EQ(*model->ListRow(), RowOf(1112));
  Unchanged([&] { model->ClearBasket(); });
}

TEST_F(ModelTest, AnEmptyTabOffersTheButtonButOrdersNothing) {
  auto t = StandardTable();
  for (auto& r : t)
    if (r.table == 9) r.table = 8;
  Load(t);
  const Change c = Only([&] { model->OpenList(9); });
  EXPECT_FALSE(model->ListRow());
  EXPECT_TRUE(model->CanOrder());
  EXPECT_EQ(c.loads, (std::vector<PictureLoad>{{Pic(""), Report::File}}));
  Unchanged([&] { model->ToggleBasket(); });
  EXPECT_EQ(model->BasketCount(), 0);
}

// A start restores the user's basket, each line found by its ID while that holds its
// designation and name, else by them; the table's marks are not the user's.
TEST_F(ModelTest, StartRestoresTheBasketWhereverItsRecordsAreNow) {
  auto t = StandardTable();
  for (auto& r : t) r.pokupka = r.id == 22;
  Load(t);
  const std::vector<BasketLine> lines = {
      {121, "ОБ-121", "Деталь 121", "2"},    // where it was
      {999, "ОБ-1111", "Деталь 1111", "3"},  // moved to another ID
      {111, "ОБ-77", "Деталь 77", "1"},      // its ID holds another part now, and it is gone
      {500, "ОБ-500", "", "1"},              // gone
  };
  const auto missing = model->Start(lines);
  EXPECT_EQ(missing, (std::vector<BasketLine>{lines[2], lines[3]}));
  EXPECT_EQ(std::vector<std::uint32_t>(model->BasketRows().begin(), model->BasketRows().end()),
            (std::vector<std::uint32_t>{RowOf(121), RowOf(1111)}));
  EXPECT_EQ(model->Quantity(RowOf(1111)), "3");
  EXPECT_FALSE(model->IsInBasket(RowOf(22)));
  EXPECT_EQ(model->BasketLines(),
            (std::vector<BasketLine>{{121, "ОБ-121", "Деталь 121", "2"}, {1111, "ОБ-1111", "Деталь 1111", "3"}}));
  // A designation several records share is told apart by the name; an item record comes first.
  EXPECT_EQ(model->Find({0, "ОБ-12", "Деталь 12", "1"}), RowOf(12));
}

// A found part is shown as the clicks would show it, with its callout highlighted until the
// drawing is left; entered again by clicks it is not.
TEST_F(ModelTest, AFoundPartIsReachedAsTheClicksReachIt) {
  model->EnterSection(0);
  model->EnterPart(11);
  model->EnterPart(111);
  const auto levels = model->Levels();
  const auto callouts = model->Callouts();
  const std::string picture = model->PicturePath(), naim = model->ItemNaim();
  model->Home();
  model->OpenList(3);  // from anywhere

  const Change c = Only([&] { EXPECT_TRUE(model->OpenFound(RowOf(1112))); });
  EXPECT_EQ(c.loads, (std::vector<PictureLoad>{{Pic("p111"), Report::File}}));
  EXPECT_EQ(model->Level(), 3);
  EXPECT_EQ(model->DisplayMode(), dmDrawing);
  EXPECT_EQ(std::vector<TMyRec>(model->Levels().begin(), model->Levels().begin() + 4),
            std::vector<TMyRec>(levels.begin(), levels.begin() + 4));
  EXPECT_EQ(model->Callouts(), callouts);
  EXPECT_EQ(model->PicturePath(), picture);
  EXPECT_EQ(model->ItemNaim(), naim);
  EXPECT_EQ(model->Highlighted(), 1112);
  EXPECT_EQ(model->WhereText(RowOf(1112)), "Раздел 1 › Деталь 11 › Деталь 111");
  model->Back();
  EXPECT_FALSE(model->Highlighted());
  model->EnterPart(111);
  EXPECT_FALSE(model->Highlighted());
  // A section opens as its plate; an item record on its node's drawing.
  EXPECT_TRUE(model->OpenFound(RowOf(2)));
  EXPECT_EQ(model->Level(), 1);
  EXPECT_FALSE(model->Highlighted());
  EXPECT_TRUE(model->OpenFound(RowOf(121)));
  EXPECT_EQ(model->Level(), 1);
  EXPECT_EQ(model->Highlighted(), 12);
}

TEST_F(ModelTest, APartOutsideTheTreeIsNotOpened) {
  auto t = StandardTable();
  t.push_back(Part(900, 777, 1));  // a parent that does not exist
  t.push_back(Part(901, 902, 1));  // parents that loop
  t.push_back(Part(902, 901, 1));
  Load(t);
  for (int id : {900, 901}) {
    Unchanged([&] { EXPECT_FALSE(model->OpenFound(RowOf(id))); });
    EXPECT_FALSE(model->PathTo(RowOf(id)));
    EXPECT_EQ(model->WhereText(RowOf(id)), "вне структуры каталога");
  }
}

TEST_F(ModelTest, AChainDeeperThanTheStackStaysBrowsable) {
  std::vector<RecordData> t{Section(1, 1, "S1")};
  for (int level = 2; level <= 18; ++level) t.push_back(Part(level, level - 1, 1, 100, 100));
  Load(t);
  model->EnterSection(0);
  for (int id = 2; id <= 18; ++id) model->EnterPart(id);
  EXPECT_EQ(model->Level(), 18);
  EXPECT_EQ(model->Levels()[18].ID, 18);
  for (int level = 17; level >= 1; --level) {
    model->Back();
    ASSERT_EQ(model->Level(), level);
    EXPECT_EQ(model->ItemOboz(), level == 1 ? "S1" : "ОБ-" + std::to_string(level));
  }
}

TEST(DetailShown, BlanksAndAZeroMassOrQuantityShowNothing) {
  const struct {
    const char* text;
    bool zeroMeansNone, shown;
  } cases[] = {
      {"", false, false},   {"  \t ", false, false}, {"0", false, true}, {"0", true, false},
      {" 12 ", true, true}, {"Втулка", false, true}, {"00", true, true}, {"\r\n", true, false},
  };
  for (const auto& c : cases) EXPECT_EQ(DetailShown(c.text, c.zeroMeansNone), c.shown) << '"' << c.text << '"';
}

}  // namespace
}  // namespace browsing
