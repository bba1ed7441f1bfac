#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include "browser/search_window.h"
#include "support/window_fixture.h"

namespace {

using catalogue::RecordData;

// Types text as the keyboard would, one key event for each character (Cyrillic too).
void Type(QWidget* to, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(to, &release);
  }
}

class SearchTest : public WindowTest {
 protected:
  void SetUp() override { MakeStandardCatalogue(cat); }
  // Opens the search with Ctrl+F, types the query, runs `inside` on the window while it is
  // up, then presses Enter (or Escape); returns whether the window came up.
  bool Search(const QString& query, const std::function<void(TfrSearch&)>& inside = {}, bool enter = true) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* search = qobject_cast<TfrSearch*>(QApplication::activeModalWidget());
      if (!search) return;
      ran = true;
      EXPECT_EQ(search->windowTitle(), QStringLiteral("Поиск детали"));
      EXPECT_EQ(search->focusWidget(), search->edQuery);
      Type(search->edQuery, query);
      if (inside) inside(*search);
      QTest::keyClick(search->edQuery, enter ? Qt::Key_Return : Qt::Key_Escape);
      if (search->isVisible()) QTest::keyClick(search->edQuery, Qt::Key_Escape);
    });
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    QApplication::processEvents();
    return ran;
  }
};

// A part three levels deep, typed in Latin look-alike letters: its drawing comes up with the
// level stack the clicks would have made, and Backspace walks back up to the root.
TEST_F(SearchTest, OpensAPartAsTheClicksWouldAndBackspaceWalksBackUp) {
  auto w = Open();
  const QImage root = window->grab().toImage();
  ASSERT_TRUE(Search(QStringLiteral("OБ-1112"), [](TfrSearch& s) {
    ASSERT_EQ(s.lvResults->topLevelItemCount(), 1);
    const QTreeWidgetItem* line = s.lvResults->topLevelItem(0);
    EXPECT_EQ(line->text(0), QStringLiteral("ОБ-1112"));
    EXPECT_EQ(line->text(1), QStringLiteral("Деталь 1112"));
    EXPECT_EQ(line->text(2), QStringLiteral("Раздел 1 › Деталь 11 › Деталь 111"));  // the names differ here
  }));
  EXPECT_EQ(w.FLevel(), 3);
  TLabel* callout = w.Callouts()[1];
  EXPECT_EQ(callout->tag, 1112);
  EXPECT_TRUE(callout->font().bold() && callout->font().underline());
  Move(callout);
  Leave(callout);
  EXPECT_FALSE(callout->font().bold());  // the pointer has passed over it
  const QImage found = window->grab().toImage();

  // The same road by clicks shows the same.
  Click(w.lHome());
  ClickAt(Plate(0));
  ClickAt(QPoint(104, 124));  // part 11
  ClickAt(QPoint(450, 515));  // its composition, item 111
  EXPECT_EQ(window->grab().toImage(), found);

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  for (int i = 0; i < 3; ++i) QTest::keyClick(window.get(), Qt::Key_Backspace);
  EXPECT_EQ(w.FLevel(), 0);
  EXPECT_EQ(window->grab().toImage(), root);
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
}

// A found part's callout keeps its highlight until its drawing is left: the drawing entered
// again by clicks shows none.
TEST_F(SearchTest, AFoundHighlightGoesWithItsDrawing) {
  auto w = Open();
  ASSERT_TRUE(Search(QStringLiteral("ОБ-1112")));
  TLabel* callout = w.Callouts()[1];
  ASSERT_EQ(callout->tag, 1112);
  ASSERT_TRUE(callout->font().underline());
  Click(w.leiBack());
  ASSERT_EQ(ClickAt(QPoint(450, 515)), w.leNext());  // the same drawing again
  EXPECT_EQ(callout->tag, 1112);
  EXPECT_FALSE(callout->font().bold() || callout->font().underline());
}

// Parts whose parents are missing or loop are listed; opening one says so and changes nothing.
// At most 500 lines are shown, the last saying how many there are.
TEST_F(SearchTest, PartsOutsideTheTreeAndLongListsAreShownHonestly) {
  std::vector<RecordData> table = StandardTable();
  RecordData lost = Part(900, 777, 1);  // a parent that does not exist
  lost.oboz = "ПОТЕРЯ-1";
  table.push_back(lost);
  RecordData loop = Part(901, 902, 1), back = Part(902, 901, 1);
  loop.oboz = "ПОТЕРЯ-2";
  table.push_back(loop);
  table.push_back(back);
  for (int i = 0; i < 600; ++i) {
    RecordData r = Part(10000 + i, 22, i + 1);
    r.naim = "Винт " + std::to_string(i);
    table.push_back(r);
  }
  cat.WriteTable(table);
  auto w = Open();
  ASSERT_TRUE(Search(
      QStringLiteral("потеря"),
      [&](TfrSearch& s) {
        ASSERT_EQ(s.lvResults->topLevelItemCount(), 2);
        EXPECT_EQ(s.lvResults->topLevelItem(0)->text(2), QStringLiteral("вне структуры каталога"));
        QTest::keyClick(s.edQuery, Qt::Key_Down);
        QTest::keyClick(s.edQuery, Qt::Key_Return);  // the loop
        EXPECT_TRUE(s.isVisible());
        QTest::keyClick(s.edQuery, Qt::Key_Up);
        QTest::keyClick(s.edQuery, Qt::Key_Return);  // the missing parent
        EXPECT_EQ(recorder.messages, QStringList(2, QStringLiteral("Деталь не найдена в структуре каталога")));
        s.edQuery->clear();
        Type(s.edQuery, QStringLiteral("винт"));
        ASSERT_EQ(s.lvResults->topLevelItemCount(), 500);
        EXPECT_TRUE(s.lbMore->isVisible());
        EXPECT_EQ(s.lbMore->text(), QStringLiteral("показаны первые 500 из 600"));
        // Keys typed in the field move through the lines, and never past the last one.
        const struct {
          Qt::Key key;
          Qt::KeyboardModifiers modifiers;
          int current;
        } keys[] = {{Qt::Key_End, Qt::NoModifier, 499},     {Qt::Key_PageDown, Qt::NoModifier, 499},
                    {Qt::Key_Home, Qt::NoModifier, 0},      {Qt::Key_End, Qt::ControlModifier, 499},
                    {Qt::Key_Home, Qt::ControlModifier, 0}, {Qt::Key_PageDown, Qt::NoModifier, -1}};
        for (const auto& k : keys) {
          QTest::keyClick(s.edQuery, k.key, k.modifiers);
          const int current = s.lvResults->indexOfTopLevelItem(s.lvResults->currentItem());
          if (k.current >= 0) {
            EXPECT_EQ(current, k.current) << k.key;
          } else {
            EXPECT_GT(current, 0) << k.key;
          }
        }
        EXPECT_EQ(s.edQuery->text(), QStringLiteral("винт"));
        QTest::keyClick(s.edQuery, Qt::Key_Home, Qt::ShiftModifier);  // still selects in the field
        EXPECT_EQ(s.edQuery->selectedText(), QStringLiteral("винт"));
        // A pasted text: the words past the first eight are not looked for, and the window says so.
        s.edQuery->setText(QStringLiteral("винт 1 2 3 4 5 6 7 8 9"));
        EXPECT_EQ(s.lbMore->text(), QStringLiteral("искались только первые 8 разных слов запроса"));
      },
      false));
  EXPECT_EQ(w.FLevel(), 0);
  // The last line shown opens its part like any other.
  ASSERT_TRUE(Search(QStringLiteral("винт"), [](TfrSearch& s) { QTest::keyClick(s.edQuery, Qt::Key_End); }));
  EXPECT_GT(w.FLevel(), 0);
  EXPECT_EQ(recorder.messages.size(), 2);
}

}  // namespace
