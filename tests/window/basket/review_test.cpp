#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

#include "basket/zakaz.h"
#include "controls/tab_control.h"
#include "support/fake_word.h"
#include "support/window_fixture.h"

namespace {

using catalogue::Field;
using catalogue::RecordData;

class ReviewTest : public WindowTest {
 protected:
  // Marks records as ordered in the catalogue file and opens the window on it.
  TfrMainProbe OpenWithBasket(std::vector<int> ids, std::vector<RecordData> table = StandardTable()) {
    cat.WriteTable(table);
    KeepBasket(ids, table);
    fake = std::make_shared<FakeWordState>();
    wordProcessor = [s = fake] { return std::make_unique<FakeWord>(s); };
    return Open();
  }
  // Opens the review with a real click and runs `inside` while it is shown, then closes it.
  bool WhileOpen(const std::function<void(TfrZakaz&)>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      if (!probe().frZakaz()) return;
      ran = true;
      inside(*probe().frZakaz());
      if (probe().frZakaz()) probe().frZakaz()->reject();
    });
    Click(probe().leiWord());
    QApplication::processEvents();  // a timer that found no window fires here
    return ran;
  }
  void SetUp() override { MakeStandardCatalogue(cat); }
  std::shared_ptr<FakeWordState> fake;
};

TEST_F(ReviewTest, ListsTheBasketWithNumbersQuantitiesAndThumbnails) {
  auto w = OpenWithBasket({121, 1111});
  const std::string filter = w.ADOQuery().CurrentFilter();
  ASSERT_TRUE(WhileOpen([&](TfrZakaz& z) {
    TStringGrid* g = z.sgZakaz;
    EXPECT_EQ(z.windowTitle(), QStringLiteral("Заказанные запасные части"));
    EXPECT_EQ(z.size(), QSize(536, 341));
    EXPECT_TRUE(z.isModal());
    EXPECT_EQ(g->RowCount(), 3);
    const QStringList header{g->Cell(0, 0), g->Cell(1, 0), g->Cell(2, 0), g->Cell(3, 0), g->Cell(4, 0)};
    EXPECT_EQ(header, (QStringList{"№ п/п", "Обозначение", "Наименование", "Количество", "Изображение"}));
    EXPECT_EQ(g->Cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(g->Cell(1, 1), QStringLiteral("ОБ-121"));
    EXPECT_EQ(g->Cell(2, 2), QStringLiteral("Деталь 1111"));
    EXPECT_EQ(g->Cell(3, 2), QStringLiteral("1"));
    EXPECT_EQ(g->RowHeight(0), 26);
    EXPECT_EQ(g->RowHeight(1), 70);
    EXPECT_EQ(g->columnWidth(0), 136);
    EXPECT_EQ(g->verticalHeader()->width(), 41);
    // The thumbnail of each row is the picture of its parent, drawn stretched over the cell.
    const QImage shot = g->viewport()->grab().toImage();
    ASSERT_TRUE(g->Object(4, 1));
    EXPECT_TRUE(g->Object(4, 1)->decoded());
    const QRect cell = g->CellRect(4, 1);
    const QColor parent12 = QColor::fromHsv((37 * 9) % 360, 120, 200);  // the colour p12 was made in
    EXPECT_LT(std::abs(shot.pixelColor(cell.topLeft() + QPoint(2, 2)).hue() - parent12.hue()), 8);
    EXPECT_LT(std::abs(shot.pixelColor(cell.bottomRight() - QPoint(2, 2)).hue() - parent12.hue()), 8);
    // The store is as it was.
    EXPECT_EQ(w.ADOQuery().CurrentFilter(), filter);
  }));
  EXPECT_EQ(probe().frZakaz(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(ReviewTest, OnlyVisibleThumbnailsAreDecoded) {
  auto table = StandardTable();
  std::vector<int> ids;
  for (int i = 0; i < 30; ++i) {
    table.push_back(Item(5000 + i, 12));
    ids.push_back(5000 + i);
  }
  OpenWithBasket(ids, table);
  ASSERT_TRUE(WhileOpen([&](TfrZakaz& z) {
    z.sgZakaz->viewport()->grab();
    EXPECT_TRUE(z.sgZakaz->Object(4, 1)->decoded());
    EXPECT_FALSE(z.sgZakaz->Object(4, 30)->decoded());
  }));
}

TEST_F(ReviewTest, ARowWithoutAPictureGetsOneMessageAndAnEmptyCell) {
  auto table = StandardTable();
  table.push_back(Item(9001, 777));  // a parent that does not exist
  QFile::remove(cat.path(QStringLiteral("Images/p21.jpg")));
  OpenWithBasket({121, 9001, 211}, table);
  ASSERT_TRUE(WhileOpen([&](TfrZakaz& z) {
    EXPECT_EQ(z.sgZakaz->RowCount(), 4);
    EXPECT_EQ(z.sgZakaz->Cell(1, 3), QStringLiteral("ОБ-9001"));
    z.sgZakaz->viewport()->grab();
    EXPECT_FALSE(z.sgZakaz->Object(4, 1)->Image().isNull());
    EXPECT_TRUE(z.sgZakaz->Object(4, 2)->Image().isNull());  // 211: its parent's picture is gone
    EXPECT_TRUE(z.sgZakaz->Object(4, 3)->Image().isNull());  // 9001: no parent at all
  }));
  EXPECT_EQ(recorder.messages, QStringList(2, QStringLiteral("Ошибка загрузки изображения")));
}

TEST_F(ReviewTest, SameParentIsLoadedForEachRowAndTheBasketFilterIsRefreshed) {
  auto table = StandardTable();
  table.push_back(Item(122, 12));
  auto w = OpenWithBasket({121, 122}, table);
  (void)w.ADOQuery().ApplyFilter("Pokupka = True");
  w.ADOQuery().MoveNext();
  ASSERT_TRUE(WhileOpen([&](TfrZakaz& z) {
    EXPECT_EQ(z.sgZakaz->RowCount(), 3);
    EXPECT_EQ(z.sgZakaz->Cell(1, 1), QStringLiteral("ОБ-121"));
    EXPECT_EQ(z.sgZakaz->Cell(1, 2), QStringLiteral("ОБ-122"));
    EXPECT_NE(z.sgZakaz->Object(4, 1), z.sgZakaz->Object(4, 2));
  }));
  EXPECT_EQ(w.ADOQuery().CurrentFilter(), "Pokupka = True");
  EXPECT_EQ(w.ADOQuery().GetInteger(Field::ID), 122);
}

TEST_F(ReviewTest, NoScrollNotificationReachesTheWindow) {
  auto w = OpenWithBasket({121, 1111});
  // In the list, a notification would load the row's picture; that row's picture is gone.
  w.TabControl()->SetTabIndex(10);
  ClickAt(QPoint(600, 380));
  const int current = w.ADOQuery().GetInteger(Field::ID);
  QFile::remove(cat.path(QStringLiteral("Images/") + QString::fromStdString(w.ADOQuery().GetString(Field::View)) +
                         QStringLiteral(".jpg")));
  recorder.messages.clear();
  ASSERT_TRUE(WhileOpen([&](TfrZakaz&) {
    EXPECT_EQ(w.ADOQuery().CurrentFilter(), "VozmPokupka = True");
    EXPECT_EQ(w.ADOQuery().GetInteger(Field::ID), current);
  }));
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  EXPECT_EQ(w.ADOQuery().GetInteger(Field::ID), current);
}

// Quantities are typed where they are shown: a whole number above nought is taken, anything
// else refused there with a hint; what was taken goes into the order and is there when the
// review opens again and after a restart.
TEST_F(ReviewTest, TypedQuantitiesAreCheckedAndKept) {
  OpenWithBasket({111, 121, 1111});
  const auto type = [](TfrZakaz& z, int row, const QString& keys) {
    z.sgZakaz->setCurrentCell(row - 1, 2);
    z.sgZakaz->editItem(z.sgZakaz->item(row - 1, 2));
    QLineEdit* editor = nullptr;  // the open one: editors closed before may linger hidden
    for (QLineEdit* e : z.sgZakaz->viewport()->findChildren<QLineEdit*>())
      if (e->isVisible()) editor = e;
    if (!editor) return false;
    const int hints = z.sgZakaz->hintsShown();
    editor->selectAll();
    QTest::keyClicks(editor, keys);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();                                  // the view commits what Enter took
    if (z.sgZakaz->Editing()) QTest::keyClick(editor, Qt::Key_Escape);  // refused: given up
    return z.sgZakaz->hintsShown() == hints;                            // taken: no hint
  };
  ASSERT_TRUE(WhileOpen([&](TfrZakaz& z) {
    EXPECT_TRUE(type(z, 1, QStringLiteral("2")));
    EXPECT_FALSE(type(z, 3, QStringLiteral("0")));
    EXPECT_FALSE(type(z, 3, QStringLiteral("x")));
    EXPECT_EQ(z.sgZakaz->Cell(3, 3), QStringLiteral("1"));
    z.sgZakaz->SetCell(1, 2, QStringLiteral("changed"));  // designations typed are not used
    z.BitBtn2->click();
    EXPECT_TRUE(z.isVisible());  // the window stays open after the export
  }));
  const QStringList typed = fake->Typed();
  ASSERT_EQ(typed.size(), 12);
  EXPECT_EQ(typed.mid(0, 4), (QStringList{"3", "ОБ-111", "Деталь 111", "2"}));
  EXPECT_EQ(typed.mid(4, 4), (QStringList{"2", "ОБ-121", "Деталь 121", "1"}));
  EXPECT_EQ(typed[11], QStringLiteral("1"));
  for (bool restart : {false, true}) {
    if (restart) Open();
    ASSERT_TRUE(WhileOpen([&](TfrZakaz& z) {
      EXPECT_EQ(z.sgZakaz->Cell(3, 1), QStringLiteral("2")) << restart;
      EXPECT_EQ(z.sgZakaz->Cell(3, 2), QStringLiteral("1")) << restart;
    }));
  }
}

}  // namespace
