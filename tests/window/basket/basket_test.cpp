#include <QAction>
#include <QMenu>

#include "basket/parts_list.h"
#include "controls/tab_control.h"
#include "support/window_fixture.h"

namespace {

using catalogue::Field;

class BasketTest : public WindowTest {
 protected:
  void SetUp() override { OpenStandard(); }
  // Opens the parts list on a tab.
  void OpenList(int tab) {
    probe().TabControl()->SetTabIndex(tab);
    if (probe().FDisplayMode() != dmList) ClickAt(Plate(5));
  }
  void ClickTab(int tab) {
    QTabBar* tabs = probe().TabControl()->tabs();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(tab).center());
  }
  void ClickRow(int row) {
    PartsGrid* g = probe().bdgSpisok();
    const QRect r = g->visualRect(g->model()->index(row, 0));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  }
  // Records marked in the store, counted without moving its cursor.
  int Marked() {
    const auto& t = probe().ADOQuery().table();
    int n = 0;
    for (std::size_t r = 0; r < t.size(); ++r) n += t.Boolean(r, Field::Pokupka);
    return n;
  }
  QColor RowColour(int row) {
    PartsGrid* g = probe().bdgSpisok();
    const QImage shot = g->viewport()->grab().toImage();
    const QRect r = g->visualRect(g->model()->index(row, 1));
    return shot.pixelColor(r.right() - 4, r.center().y());
  }
};

TEST_F(BasketTest, AddingFromADrawingFillsTheIndicator) {
  auto w = probe();
  EXPECT_EQ(w.imZakaz()->picture().image(), w.Image(13)->picture().image());
  EXPECT_EQ(w.imZakaz()->hint(), QStringLiteral("Корзина заказов пуста"));
  EXPECT_FALSE(w.lZakaz()->isVisible());
  EXPECT_FALSE(w.N1()->isEnabled());

  ClickAt(Plate(0));
  ClickAt(QPoint(304, 204));  // part 12 with its orderable item 121
  ASSERT_TRUE(w.liZakaz()->isVisible());
  ASSERT_FALSE(w.leZakazano()->isVisible());
  ASSERT_EQ(ClickAt(QPoint(700, 105)), w.liZakaz());
  EXPECT_EQ(w.FBasketCount(), 1);
  EXPECT_TRUE(w.leZakazano()->isVisible());
  EXPECT_FALSE(w.liZakaz()->isVisible());
  EXPECT_EQ(w.lZakaz()->Caption(), QStringLiteral("1"));
  EXPECT_TRUE(w.lZakaz()->isVisible());
  EXPECT_EQ(w.imZakaz()->picture().image(), w.Image(5)->picture().image());
  EXPECT_EQ(w.imZakaz()->hint(), QStringLiteral("В корзине имеются заказы"));
  EXPECT_TRUE(w.N1()->isEnabled());
  EXPECT_TRUE(w.leiWord()->isEnabled());
  EXPECT_EQ(w.liWord()->picture().image(), w.Image(18)->picture().image());
  EXPECT_EQ(Marked(), 1);

  // Back and in again: the mark is read from the catalogue.
  Click(w.leiBack());
  ClickAt(QPoint(304, 204));
  EXPECT_TRUE(w.leZakazano()->isVisible());
  // Removing the last record empties the indicator at once.
  ASSERT_EQ(ClickAt(QPoint(700, 105)), w.leZakazano());
  EXPECT_EQ(w.FBasketCount(), 0);
  EXPECT_FALSE(w.lZakaz()->isVisible());
  EXPECT_EQ(w.imZakaz()->picture().image(), w.Image(13)->picture().image());
  EXPECT_FALSE(w.leiWord()->isEnabled());
  EXPECT_EQ(w.liWord()->picture().image(), w.Image(9)->picture().image());
  EXPECT_EQ(Marked(), 0);
}

TEST_F(BasketTest, ThreeAddsFromTheListReadThree) {
  auto w = probe();
  OpenList(10);
  ASSERT_GE(w.ADOQuery().CountRecords(), 3);
  for (int row = 0; row < 3; ++row) {
    ClickRow(row);
    ASSERT_EQ(w.ADOQuery().Position(), static_cast<std::size_t>(row));
    Click(w.liZakaz());
  }
  EXPECT_EQ(w.lZakaz()->Caption(), QStringLiteral("3"));
  EXPECT_EQ(w.FBasketCount(), 3);
  EXPECT_EQ(Marked(), 3);
  // Basket rows are bold on teal, selected or not.
  EXPECT_EQ(RowColour(2), QColor(0, 128, 128));
  EXPECT_EQ(RowColour(1), QColor(0, 128, 128));
  EXPECT_NE(RowColour(3), QColor(0, 128, 128));
  // The indicator column marks the current row.
  QHeaderView* indicator = probe().bdgSpisok()->verticalHeader();
  const QImage column = indicator->viewport()->grab().toImage();
  auto marked = [&](int row) {
    const int y = indicator->sectionViewportPosition(row) + indicator->sectionSize(row) / 2;
    for (int x = 0; x < column.width(); ++x)
      if (qGray(column.pixel(x, y)) < 40) return true;
    return false;
  };
  EXPECT_TRUE(marked(2));
  EXPECT_FALSE(marked(1));
}

TEST_F(BasketTest, N2TogglesTheGridRowAndTheRowChangeFollowsTheGrid) {
  auto w = probe();
  OpenList(10);
  ClickRow(1);
  const int id = w.ADOQuery().GetInteger(Field::ID);
  EXPECT_EQ(w.FPicturePath(), cat.dir() + QStringLiteral("Images\\") +
                                  QString::fromStdString(w.ADOQuery().GetString(Field::View)) + QStringLiteral(".jpg"));
  EXPECT_EQ(w.bdgSpisok()->currentIndex().row(), 1);
  w.N2()->trigger();
  EXPECT_EQ(w.FBasketCount(), 1);
  EXPECT_TRUE(w.leZakazano()->isVisible());
  EXPECT_EQ(w.ADOQuery().GetInteger(Field::ID), id);  // the row stays current
  w.N2()->trigger();                                  // on a basket row it takes the row out
  EXPECT_EQ(w.FBasketCount(), 0);
  EXPECT_TRUE(w.liZakaz()->isVisible());
  EXPECT_EQ(Marked(), 0);
  // The store's cursor moves the grid's row.
  w.ADOQuery().MoveTo(2);
  EXPECT_EQ(w.bdgSpisok()->currentIndex().row(), 2);
}

TEST_F(BasketTest, ClearingInTheListKeepsTheRowAndItsPicture) {
  auto w = probe();
  OpenList(10);
  ClickRow(0);
  Click(w.liZakaz());
  ClickRow(2);
  Click(w.liZakaz());
  ASSERT_EQ(w.FBasketCount(), 2);
  const qint64 picture = w.imMain()->picture().image().cacheKey();
  const QString path = w.FPicturePath();
  w.N1()->trigger();
  EXPECT_EQ(w.FBasketCount(), 0);
  EXPECT_EQ(Marked(), 0);
  EXPECT_EQ(w.bdgSpisok()->currentIndex().row(), 2);
  EXPECT_EQ(w.ADOQuery().Position(), 2u);
  EXPECT_EQ(w.imMain()->picture().image().cacheKey(), picture);
  EXPECT_EQ(w.FPicturePath(), path);
  EXPECT_TRUE(w.liZakaz()->isVisible());
  EXPECT_FALSE(w.leZakazano()->isVisible());
  EXPECT_NE(RowColour(0), QColor(0, 128, 128));
  EXPECT_EQ(w.ADOQuery().CurrentFilter(), "VozmPokupka = True");
}

TEST_F(BasketTest, ClearingFromEachModeFollowsTheButtonRules) {
  auto w = probe();
  // Drawing with an orderable item: the add button comes back.
  ClickAt(Plate(0));
  ClickAt(QPoint(304, 204));
  Click(w.liZakaz());
  w.N1()->trigger();
  EXPECT_TRUE(w.liZakaz()->isVisible());
  EXPECT_FALSE(w.leZakazano()->isVisible());
  // At the root every basket button stays hidden.
  Click(w.liZakaz());
  Click(w.lHome());
  w.N1()->trigger();
  for (QWidget* b : std::initializer_list<QWidget*>{w.liZakaz(), w.leiZakaz(), w.leZakazano(), w.leiZakazano()})
    EXPECT_FALSE(b->isVisible()) << b->objectName().toStdString();
  EXPECT_EQ(w.FBasketCount(), 0);
}

TEST_F(BasketTest, TabsFilterByGroupAndTenListsEveryOrderableRecord) {
  auto w = probe();
  OpenList(10);
  const auto table = StandardTable();
  std::vector<int> orderable;
  for (const auto& r : table)
    if (r.vozmPokupka) orderable.push_back(r.id);
  ASSERT_EQ(w.bdgSpisok()->model()->rowCount(), static_cast<int>(orderable.size()));
  for (int row = 0; row < w.bdgSpisok()->model()->rowCount(); ++row)
    EXPECT_EQ(w.ADOQuery().GetStringAt(row, Field::ID), std::to_string(orderable[row]));
  ClickTab(3);
  EXPECT_EQ(w.TabControl()->TabIndex(), 3);
  EXPECT_EQ(w.ADOQuery().CurrentFilter(), "Table = 3");
  EXPECT_EQ(w.bdgSpisok()->model()->data(w.bdgSpisok()->model()->index(0, 0)).toString(),
            QString::fromStdString(w.ADOQuery().GetStringAt(0, Field::Oboz)));
  EXPECT_EQ(w.bdgSpisok()->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("Наименование"));
  EXPECT_EQ(w.bdgSpisok()->columnWidth(0), 218);
  EXPECT_EQ(w.bdgSpisok()->columnWidth(1), 270);
}

TEST_F(BasketTest, BackAfterThreeTabChangesReachesTheRootAndTheTabIsKept) {
  auto w = probe();
  OpenList(0);
  for (int tab : {1, 2, 7}) ClickTab(tab);
  EXPECT_EQ(w.FLevel(), 4);
  Click(w.leiBack());
  EXPECT_EQ(w.FLevel(), 0);
  EXPECT_EQ(w.FDisplayMode(), dmSections);
  EXPECT_FALSE(w.TabControl()->isVisible());
  EXPECT_TRUE(w.ImageLeave(1)->isVisible());
  ClickAt(Plate(5));
  EXPECT_EQ(w.TabControl()->TabIndex(), 7);
  EXPECT_EQ(w.ADOQuery().CurrentFilter(), "Table = 7");
}

TEST_F(BasketTest, AnEmptyTabShowsTheAddButtonButAClickChangesNothing) {
  auto t = StandardTable();
  for (auto& r : t)
    if (r.table == 9) r.table = 8;
  cat.WriteTable(t);
  window.reset();
  auto w = Open();
  OpenList(9);
  EXPECT_EQ(w.bdgSpisok()->model()->rowCount(), 0);
  EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Ошибка загрузки файла картинки")});
  EXPECT_EQ(w.FPicturePath(), cat.dir() + QStringLiteral("Images\\.jpg"));
  ASSERT_TRUE(w.liZakaz()->isVisible());
  Click(w.liZakaz());
  EXPECT_EQ(w.FBasketCount(), 0);
  EXPECT_EQ(Marked(), 0);
}

}  // namespace
