#include <QAccessible>
#include <QApplication>
#include <QTimer>

#include "basket/zakaz.h"
#include "help/help_service.h"
#include "help/help_viewer.h"
#include "support/fake_word.h"
#include "support/window_fixture.h"

namespace {

class KeyboardTest : public WindowTest {
 protected:
  void SetUp() override {
    MakeStandardCatalogue(cat);
    QFile::copy(QStringLiteral(DEMO_HELP_FILE), cat.path(QStringLiteral("CATALOG.CHM")));  // any letter case
    Open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    QTest::keyClick(to, static_cast<Qt::Key>(key), modifiers);
  }
};

TEST_F(KeyboardTest, BackHomeAndHelpKeysWorkWhereTheirButtonsDo) {
  auto w = probe();
  Key(Qt::Key_Backspace);  // nothing to go back to
  EXPECT_EQ(w.FLevel(), 0);
  ClickAt(Plate(0));
  ClickAt(QPoint(104, 124));
  ASSERT_EQ(w.FLevel(), 2);
  Key(Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(w.FLevel(), 1);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(w.FLevel(), 0);
  ClickAt(Plate(0));
  Key(Qt::Key_Home, Qt::AltModifier);
  EXPECT_EQ(w.FLevel(), 0);
  Key(Qt::Key_F1);
  ASSERT_NE(w.help()->Window(), nullptr);
  EXPECT_TRUE(w.help()->Window()->isVisible());
  w.help()->Window()->close();

  // While the basket review is up, the main window's keys rest.
  ClickAt(Plate(0));
  ClickAt(QPoint(304, 204));
  Click(w.liZakaz());
  bool reviewed = false;
  QTimer::singleShot(0, [&] {
    if (!w.frZakaz()) return;
    reviewed = true;
    QTest::keyClick(window.get(), Qt::Key_Backspace);
    EXPECT_EQ(w.FLevel(), 2);
    w.frZakaz()->reject();
  });
  Click(w.leiWord());
  EXPECT_TRUE(reviewed);
}

TEST_F(KeyboardTest, TabWalksTheClickableControlsInReadingOrderAndEnterClicks) {
  auto w = probe();
  Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.ImageLeave(1));
  EXPECT_EQ(w.ImageLeave(1)->tag, 1);  // the plate in its hover look
  Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), w.ImageLeave(2));
  EXPECT_EQ(w.ImageLeave(1)->tag, 0);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);  // plate 4 has no composition: on to 5
  EXPECT_EQ(QApplication::focusWidget(), w.ImageLeave(5));
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), w.ImageLeave(1));
  Key(Qt::Key_Return);
  EXPECT_EQ(w.FLevel(), 1);
  // On the drawing the focus goes on with its first callout, in its hover look; then the
  // other callouts, then the buttons of the bottom row.
  EXPECT_EQ(QApplication::focusWidget(), w.Callouts()[0]);
  EXPECT_TRUE(w.Callouts()[0]->font().underline());
  std::vector<QWidget*> seen;
  for (int i = 0; i < 8; ++i) {
    Key(Qt::Key_Tab);
    seen.push_back(QApplication::focusWidget());
    if (i == 0) {
      EXPECT_FALSE(w.Callouts()[0]->font().underline());
    }
  }
  // The review button is left out while the basket is empty.
  const std::vector<QWidget*> expected = {
      w.Callouts()[1], w.Callouts()[2], w.liMail(),     w.leHelp(), w.Find(QStringLiteral("leiFind")),
      w.leiBack(),     w.lHome(),       w.Callouts()[0]};
  EXPECT_EQ(seen, expected);
  for (int i = 0; i < 40 && QApplication::focusWidget() != w.leiBack(); ++i) Key(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), w.leiBack());
  EXPECT_EQ(w.leiBack()->tag, 1);  // the button's hover look
  Key(Qt::Key_Space);
  EXPECT_EQ(w.FLevel(), 0);
}

// In every display Tab walks each row from the left, the bottom row too, whose right half
// stands a few pixels higher; the parts list's tabs are in the walk and take their keys.
TEST_F(KeyboardTest, TabRunsEveryRowLeftToRightAndTheListTabsTakeTheirKeys) {
  auto w = probe();
  const auto walk = [&] {
    std::vector<QWidget*> seen;
    Key(Qt::Key_Tab);
    for (QWidget* first = QApplication::focusWidget(); seen.size() < 60;) {
      seen.push_back(QApplication::focusWidget());
      Key(Qt::Key_Tab);
      if (QApplication::focusWidget() == first) break;
    }
    return seen;
  };
  const auto bottomRow = [&](const std::vector<QWidget*>& seen) {
    std::vector<int> lefts;
    for (QWidget* c : seen)
      if (const QPoint at = c->mapTo(window.get(), QPoint()); at.y() >= 460) lefts.push_back(at.x());
    return lefts;
  };
  const auto check = [&](const char* display, std::size_t bottomCount) {
    SCOPED_TRACE(display);
    const std::vector<int> lefts = bottomRow(walk());
    EXPECT_EQ(lefts.size(), bottomCount);
    EXPECT_TRUE(std::is_sorted(lefts.begin(), lefts.end()));
  };
  check("root", 3);  // mail, help, find (nothing to go back to)
  ClickAt(Plate(0));
  ClickAt(QPoint(304, 204));  // part 12 with its orderable item 121
  Click(w.liZakaz());         // into the basket: the review button joins the row
  check("drawing", 6);        // mail, review, help, find, back, home
  Click(w.lHome());
  ClickAt(Plate(5));
  ASSERT_EQ(w.FDisplayMode(), browsing::dmList);
  const std::vector<QWidget*> seen = walk();
  QWidget* tabs = w.TabControl()->tabs();
  const auto tabsAt = std::find(seen.begin(), seen.end(), tabs);
  ASSERT_NE(tabsAt, seen.end());
  EXPECT_EQ(tabsAt + 1 != seen.end() ? *(tabsAt + 1) : nullptr, w.bdgSpisok());
  {
    SCOPED_TRACE("list");
    const std::vector<int> lefts = bottomRow(seen);
    EXPECT_EQ(lefts.size(), 6u);  // mail, review, help, find, back, order
    EXPECT_TRUE(std::is_sorted(lefts.begin(), lefts.end()));
  }

  // The tab keys from the grid, then the arrows on the focused tab row.
  const int tabCount = w.TabControl()->tabs()->count();
  w.bdgSpisok()->setFocus();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int tab;
  } keys[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
              {Qt::Key_PageDown, Qt::ControlModifier, 2},
              {Qt::Key_PageUp, Qt::ControlModifier, 1},
              {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
              {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, tabCount - 1},  // round the row
              {Qt::Key_Tab, Qt::ControlModifier, 0}};
  for (const auto& k : keys) {
    Key(k.key, k.modifiers);
    EXPECT_EQ(w.model().Tab(), k.tab) << k.key;
    EXPECT_EQ(w.TabControl()->TabIndex(), k.tab);
  }
  tabs->setFocus();
  Key(Qt::Key_Right);
  EXPECT_EQ(w.model().Tab(), 1);
  Key(Qt::Key_Left);
  EXPECT_EQ(w.model().Tab(), 0);
  // Elsewhere the keys change nothing.
  Click(w.leiBack());
  ASSERT_NE(w.FDisplayMode(), browsing::dmList);
  Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(w.model().Tab(), 0);
}

// What a screen reader is told: each kind of control by its role and name, a button's
// availability, the click as the press action, and where the focus is as Tab moves it.
TEST_F(KeyboardTest, ScreenReadersAreToldRolesNamesAvailabilityAndTheFocus) {
  auto w = probe();
  const struct {
    QWidget* control;
    QAccessible::Role role;
    QString name;
    bool available;
  } controls[] = {
      {w.ImageLeave(1), QAccessible::Button, QStringLiteral("1 КМ-1 Раздел 1"), true},
      {w.liMail(), QAccessible::Button, QStringLiteral("почта"), true},
      {w.leiWord(), QAccessible::Button, QStringLiteral("заказ"), false},  // the basket is empty
      {w.Find(QStringLiteral("leiFind")), QAccessible::Button, w.Find<TImage>(QStringLiteral("leiFind"))->hint(), true},
      {w.lbOboz(), QAccessible::StaticText, QString(), true},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.control->objectName().toStdString());
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c.control);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), c.role);
    EXPECT_EQ(a->text(QAccessible::Name), c.name);
    EXPECT_EQ(a->state().disabled, !c.available);
  }
  // The press action is the click.
  QAccessibleInterface* plate = QAccessible::queryAccessibleInterface(w.ImageLeave(1));
  ASSERT_TRUE(plate->actionInterface());
  plate->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_EQ(w.FLevel(), 1);
  QAccessibleInterface* callout = QAccessible::queryAccessibleInterface(w.Callouts()[0]);
  EXPECT_EQ(callout->role(), QAccessible::Button);
  EXPECT_EQ(callout->text(QAccessible::Name), QStringLiteral("ОБ-11 Деталь 11"));
  Click(w.lHome());
  ClickAt(Plate(5));
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(w.bdgSpisok());
  EXPECT_EQ(grid->role(), QAccessible::Table);
  EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("Перечень: Манипулятор"));
  Key(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("Перечень: Опорно-поворотное устройство"));

  // The focus as Tab moves it: the control that has it says so, the one before no longer.
  Click(w.lHome());
  QAccessibleInterface* before = nullptr;
  for (int i = 0; i < 4; ++i) {
    Key(Qt::Key_Tab);
    QAccessibleInterface* now = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
    ASSERT_NE(now, nullptr);
    EXPECT_TRUE(now->state().focused && now->state().focusable) << i;
    if (before) {
      EXPECT_FALSE(before->state().focused) << i;
    }
    before = now;
  }
}

// A double-click acts as one click on every kind of clickable control.
TEST_F(KeyboardTest, ADoubleClickIsOneClick) {
  auto w = probe();
  const auto doubleClick = [&](QPoint at) {
    QWidget* target = window->childAt(at);
    const QPoint local = target->mapFrom(window.get(), at);
    QTest::mouseClick(target, Qt::LeftButton, {}, local);
    QTest::mouseDClick(target, Qt::LeftButton, {}, local);
    QTest::mouseRelease(target, Qt::LeftButton, {}, local);
    return target;
  };
  EXPECT_EQ(doubleClick(Plate(0)), w.ImageLeave(1));
  EXPECT_EQ(w.FLevel(), 1);
  doubleClick(QPoint(104, 124));  // callout of part 11
  EXPECT_EQ(w.FLevel(), 2);
  doubleClick(QPoint(450, 515));  // the composition button
  EXPECT_EQ(w.FLevel(), 3);
  EXPECT_EQ(doubleClick(QPoint(620, 515)), w.leiBack());
  EXPECT_EQ(w.FLevel(), 2);
  doubleClick(QPoint(700, 105));  // заказать
  EXPECT_EQ(w.FBasketCount(), 1);
}

// The hover look of a callout is bold (the label grows) and underlined, in its pixels; leaving
// it restores the regular look.
TEST_F(KeyboardTest, AHoveredCalloutIsUnderlined) {
  auto w = probe();
  ClickAt(Plate(0));
  TLabel* callout = w.Callouts()[0];
  const int width = callout->width();
  const int resting = LongestDarkRun(callout->grab().toImage());
  Move(callout);
  EXPECT_GT(callout->width(), width);
  EXPECT_GT(LongestDarkRun(callout->grab().toImage()), callout->width() * 3 / 4);
  EXPECT_LT(resting, width / 2);
  Leave(callout);
  EXPECT_EQ(callout->width(), width);
  EXPECT_EQ(LongestDarkRun(callout->grab().toImage()), resting);
}

}  // namespace
