// What the user collects lasts: the basket through restarts, changed catalogues, damaged
// files and a second program; the review edits it; orders are kept and made again.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>

#include "basket/history.h"
#include "basket/zakaz.h"
#include "order_engine/docx_engine.h"
#include "services/user_data.h"
#include "support/fake_word.h"
#include "support/window_fixture.h"
#include "tfrmain.h"

namespace {

using browsing::BasketLine;
using catalogue::RecordData;

BasketLine Line(int id, const std::string& quantity = "1") {
  return {id, "ОБ-" + std::to_string(id), "Деталь " + std::to_string(id), quantity};
}

class KeptBasketTest : public WindowTest {
 protected:
  void SetUp() override { MakeStandardCatalogue(cat); }
  std::uint32_t RowOf(int id) { return *probe().ADOQuery().RowOfID(id); }
  // Starts the program again on the same catalogue and user's folder.
  TfrMainProbe Restart() {
    window.reset();
    return Open();
  }
  QString BasketFile() {
    const AppEnvironment env = Environment();
    return UserData(env.userDataDir, env.settingsFile, QDir::toNativeSeparators(cat.dir()).toStdString()).basketFile();
  }
  // Runs `inside` while the review is open (opened with a real click).
  void WhileReviewOpen(const std::function<void(TfrZakaz&)>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      if (!probe().frZakaz()) return;
      ran = true;
      inside(*probe().frZakaz());
      if (probe().frZakaz()) probe().frZakaz()->reject();
    });
    Click(probe().leiWord());
    QApplication::processEvents();
    EXPECT_TRUE(ran);
  }
};

// Each change of the basket is there when the program starts again.
TEST_F(KeptBasketTest, EveryChangeIsThereAtTheNextStart) {
  const struct {
    const char* what;
    std::function<void(browsing::BrowsingModel&)> change;
    std::vector<BasketLine> basket;
  } steps[] = {
      {"add from a drawing",
       [](browsing::BrowsingModel& m) {
         m.EnterSection(0);
         m.EnterPart(12);
         m.ToggleBasket();
       },
       {Line(121)}},
      {"order again",
       [](browsing::BrowsingModel& m) {
         m.OrderAgain({Line(1111, "3"), Line(22)});
       },
       {Line(22), Line(121), Line(1111, "3")}},
      {"a quantity",
       [this](browsing::BrowsingModel& m) { m.SetQuantity(RowOf(121), "7"); },
       {Line(22), Line(121, "7"), Line(1111, "3")}},
      {"remove",
       [this](browsing::BrowsingModel& m) { m.RemoveFromBasket({RowOf(22)}); },
       {Line(121, "7"), Line(1111, "3")}},
      {"clear", [](browsing::BrowsingModel& m) { m.ClearBasket(); }, {}},
  };
  Open();
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    s.change(probe().model());
    auto w = Restart();
    EXPECT_EQ(w.model().BasketLines(), s.basket);
    EXPECT_EQ(w.lZakaz()->Caption(), QString::number(s.basket.size()));
  }
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
}

// The catalogue changed between runs: a part that moved is found by its designation and name;
// one that is gone is named once and kept out of the basket.
TEST_F(KeptBasketTest, AChangedCatalogueKeepsWhatItCanAndNamesTheRest) {
  KeepBasket({121, 1111});
  auto table = StandardTable();
  for (auto& r : table) {
    if (r.id == 121) r.id = 125;
    if (r.id == 1111) r.oboz = "ОБ-1111-Н";  // another part now
  }
  cat.WriteTable(table);
  auto w = Open();
  EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Этих частей больше нет в каталоге:\nОБ-1111 Деталь 1111")});
  EXPECT_EQ(w.model().BasketLines(), (std::vector<BasketLine>{{125, "ОБ-121", "Деталь 121", "1"}}));
  recorder.messages.clear();
  Restart();
  EXPECT_TRUE(recorder.messages.isEmpty());
}

// A damaged or foreign file: an empty basket, the file kept beside it under another name,
// said once.
TEST_F(KeptBasketTest, ADamagedFileIsSetAsideAndNamed) {
  for (const QByteArray& content :
       {QByteArray("{\"format\": \"krantek-catalog-basket\", \"lines\": [{\"id\": \"x\"}]"),
        QByteArray("{\"format\": \"something else\"}"), QByteArray("\x00\xff garbage", 10)}) {
    Open();
    window.reset();
    QFile f(BasketFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
    f.close();
    recorder.messages.clear();
    auto w = Open();
    EXPECT_EQ(w.FBasketCount(), 0);
    ASSERT_EQ(recorder.messages.size(), 1);
    const QString aside = recorder.messages[0].section(QLatin1Char('\n'), 1);
    QFile kept(aside);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << aside.toStdString();
    EXPECT_EQ(kept.readAll(), content);
    kept.remove();
  }
}

// Two programs on one catalogue: the first keeps the basket; the second shows it, says once
// that it will not save it, and never writes the file.
TEST_F(KeptBasketTest, ASecondProgramNeverOverwritesTheFirstsBasket) {
  KeepBasket({121});
  auto first = Open();
  TfrMain second(Environment());
  TfrMainProbe other(second);
  EXPECT_EQ(other.FBasketCount(), 1);
  ASSERT_EQ(recorder.messages.size(), 1);
  EXPECT_TRUE(recorder.messages[0].contains(QStringLiteral("не будут сохранены")));
  other.model().OrderAgain({Line(22)});
  first.model().OrderAgain({Line(1111)});
  window.reset();
  auto again = Open();
  EXPECT_EQ(again.model().BasketLines(), (std::vector<BasketLine>{Line(121), Line(1111)}));
}

// Killed at once after a change, the program finds the change at the next start.
TEST_F(KeptBasketTest, AChangeOutlivesAKill) {
  QProcess session;
  session.setProcessChannelMode(QProcess::SeparateChannels);
  session.start(QStringLiteral(BASKET_SESSION),
                {QStringLiteral("collect"), cat.dir(), Environment().userDataDir, QStringLiteral("5")});
  ASSERT_TRUE(session.waitForStarted());
  QByteArray said;
  while (!said.contains("saved 3") && session.waitForReadyRead(20000)) said += session.readAllStandardOutput();
  ASSERT_TRUE(said.contains("saved 3")) << said.toStdString();
  ::kill(static_cast<pid_t>(session.processId()), SIGKILL);
  session.waitForFinished();
  auto w = Open();
  EXPECT_GE(w.FBasketCount(), 3);
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
}

// The review takes rows out (its button, the Delete key), empties the basket after a question,
// and the main window shows each change at once.
TEST_F(KeptBasketTest, TheReviewTakesRowsOutAndEmptiesTheBasket) {
  KeepBasket({111, 121, 1111});
  auto w = Open();
  WhileReviewOpen([&](TfrZakaz& z) {
    z.sgZakaz->setCurrentCell(1, 0);  // row 2: 121
    QTest::keyClick(z.sgZakaz, Qt::Key_Delete);
    EXPECT_EQ(z.sgZakaz->RowCount(), 3);
    EXPECT_EQ(z.sgZakaz->Cell(1, 2), QStringLiteral("ОБ-1111"));
    EXPECT_EQ(z.sgZakaz->Cell(0, 2), QStringLiteral("2"));
    EXPECT_EQ(w.lZakaz()->Caption(), QStringLiteral("2"));
    z.sgZakaz->setCurrentCell(0, 1);
    z.btnRemove->click();
    EXPECT_EQ(z.sgZakaz->Cell(1, 1), QStringLiteral("ОБ-1111"));
    recorder.answer = false;
    z.btnClear->click();
    EXPECT_EQ(w.FBasketCount(), 1);
    recorder.answer = true;
    z.btnClear->click();
    EXPECT_EQ(recorder.questions, QStringList(2, QStringLiteral("Очистить корзину заказов?")));
    EXPECT_EQ(z.sgZakaz->RowCount(), 1);
  });
  EXPECT_EQ(w.FBasketCount(), 0);
  EXPECT_FALSE(w.leiWord()->isEnabled());
}

// Each order made is kept with its parts; from the history it opens again or goes into the
// basket again, with its quantities. The customer's details go where the template has their
// markers; the order document can be mailed.
TEST_F(KeptBasketTest, OrdersAreKeptAndMadeAgain) {
  QFile demo(QStringLiteral(DEMO_TEMPLATE));
  ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
  cat.AddFile(QStringLiteral("Template/Заказ.dot"), demo.readAll());
  KeepBasket({121, 1111});
  auto w = Open();
  w.model().SetQuantity(RowOf(1111), "4");
  {
    const AppEnvironment env = Environment();
    UserData data(env.userDataDir, env.settingsFile, QDir::toNativeSeparators(cat.dir()).toStdString());
    data.SetCustomer(kCustomerFields[0], QStringLiteral("ООО «Лесовоз»"));
  }
  WhileReviewOpen([&](TfrZakaz& z) {
    EXPECT_FALSE(z.btnSend->isEnabled());
    z.BitBtn2->click();
    ASSERT_TRUE(z.btnSend->isEnabled());
    z.btnSend->click();
  });
  ASSERT_EQ(openedUrls.size(), 1);
  const QString document = openedUrls[0].toLocalFile();
  EXPECT_EQ(recorder.mailed, QStringList{document});
  auto doc = order::DocxDocument::FromTemplate(document.toStdString());
  ASSERT_TRUE(doc);
  EXPECT_NE(doc.value()->Text().find("Организация ООО «Лесовоз»"), std::string::npos);
  EXPECT_EQ(doc.value()->Text().find("#Адрес"), std::string::npos);  // a detail not given: nothing

  const AppEnvironment env = Environment();
  UserData data(env.userDataDir, env.settingsFile, QDir::toNativeSeparators(cat.dir()).toStdString());
  const std::vector<PastOrder> history = data.History(nullptr);
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0].file, document);
  EXPECT_EQ(history[0].lines, (std::vector<BasketLine>{Line(121), Line(1111, "4")}));

  // From the review's history: the document again, then the same parts into the basket again.
  w.model().RemoveFromBasket({RowOf(1111)});
  w.model().SetQuantity(RowOf(121), "9");
  WhileReviewOpen([&](TfrZakaz& z) {
    for (bool again : {false, true}) {
      QTimer::singleShot(0, [&] {
        auto* h = qobject_cast<TfrHistory*>(QApplication::activeModalWidget());
        ASSERT_TRUE(h);
        ASSERT_EQ(h->lvOrders->topLevelItemCount(), 1);
        if (again) {
          h->btnAgain->click();
        } else {
          h->btnOpen->click();
          h->reject();
        }
      });
      z.btnHistory->click();
    }
    EXPECT_EQ(z.sgZakaz->RowCount(), 3);
    EXPECT_EQ(z.sgZakaz->Cell(3, 2), QStringLiteral("4"));
  });
  EXPECT_EQ(openedUrls.size(), 2);
  EXPECT_EQ(openedUrls[1].toLocalFile(), document);
  EXPECT_EQ(w.model().BasketLines(), history[0].lines);
}

// Where no mail program takes an attachment, the plain mail link opens and a message says
// where the document is; `xdg-email` is given the document.
TEST_F(KeptBasketTest, TheOrderGoesByMailOrTheUserIsToldWhereItIs) {
  QTemporaryDir bin;
  const QString log = bin.filePath(QStringLiteral("mail.log"));
  QFile script(bin.filePath(QStringLiteral("xdg-email")));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n").arg(log).toUtf8());
  script.close();
  script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QStringList path{QStringLiteral("PATH=") + bin.path()};
  ASSERT_TRUE(SendWithXdgEmail(QStringLiteral("sales@krantek.ru"), QStringLiteral("/tmp/заявка.docx"), path));
  QFile said(log);
  ASSERT_TRUE(said.open(QIODevice::ReadOnly));
  const QStringList args = QString::fromUtf8(said.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  EXPECT_TRUE(args.contains(QStringLiteral("--attach")));
  EXPECT_EQ(args.at(args.indexOf(QStringLiteral("--attach")) + 1), QStringLiteral("/tmp/заявка.docx"));
  EXPECT_EQ(args.last(), QStringLiteral("sales@krantek.ru"));
  EXPECT_FALSE(SendWithXdgEmail(QStringLiteral("sales@krantek.ru"), QStringLiteral("/tmp/x"), {}));

  // No mail program takes it: the plain link, and where the document is.
  AppEnvironment env = Environment();
  env.sendMail = [](const QString&, const QString&) { return false; };
  auto w = OpenWith(env);
  w.SendOrder(QStringLiteral("/tmp/Заявка.docx"));
  ASSERT_EQ(openedUrls.size(), 1);
  EXPECT_EQ(openedUrls[0].scheme(), QStringLiteral("mailto"));
  ASSERT_EQ(recorder.messages.size(), 1);
  EXPECT_TRUE(recorder.messages[0].endsWith(QStringLiteral("/tmp/Заявка.docx")));
}

// A callout whose part is in the basket carries a mark, which follows the basket at once.
TEST_F(KeptBasketTest, TheCalloutOfAPartInTheBasketIsMarked) {
  auto w = Open();
  ClickAt(Plate(0));
  TLabel* callout = w.Callouts()[1];  // part 12, shown by its item record 121
  const auto teal = [&] {
    const QImage shot = callout->grab().toImage();
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) n += shot.pixelColor(x, y) == QColor(0, 128, 128);
    return n;
  };
  EXPECT_EQ(teal(), 0);
  w.model().OrderAgain({Line(121)});
  EXPECT_GT(teal(), 10);
  EXPECT_FALSE(w.Callouts()[0]->marked());
  w.model().ClearBasket();
  EXPECT_EQ(teal(), 0);
}

// Ctrl+C copies the designation and name of the part focused or chosen, a line each.
TEST_F(KeptBasketTest, CtrlCCopiesThePartsChosen) {
  KeepBasket({121, 1111});
  auto w = Open();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  ClickAt(Plate(0));
  w.Callouts()[0]->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(recorder.copied, QStringList{QStringLiteral("ОБ-11\tДеталь 11")});
  WhileReviewOpen([&](TfrZakaz& z) {
    z.sgZakaz->selectAll();
    QTest::keyClick(z.sgZakaz, Qt::Key_C, Qt::ControlModifier);
  });
  ASSERT_EQ(recorder.copied.size(), 2);
  EXPECT_EQ(recorder.copied[1], QStringLiteral("ОБ-121\tДеталь 121\nОБ-1111\tДеталь 1111"));
}

}  // namespace
