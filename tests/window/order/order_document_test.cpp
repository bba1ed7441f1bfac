#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "order_engine/docx_engine.h"
#include "support/fake_word.h"
#include "support/window_fixture.h"

namespace {

using catalogue::Field;

class OrderDocumentTest : public WindowTest {
 protected:
  void SetUp() override {
    // The standard catalogue with items 111, 121 and 1111 in the basket, in that order.
    MakeStandardCatalogue(cat);
    KeepBasket({111, 121, 1111});
    fake = std::make_shared<FakeWordState>();
    wordProcessor = [s = fake] { return std::make_unique<FakeWord>(s); };
    Open();
    // Somewhere in the catalogue, with a notification that counts.
    (void)probe().ADOQuery().ApplyFilter("Table = 3");
    probe().ADOQuery().MoveNext();
    before = probe().ADOQuery().GetInteger(Field::ID);
  }
  void Export() {
    int scrolls = 0;
    probe().ADOQuery().AfterScroll = [&] { ++scrolls; };
    probe().CreateOrderDocument();
    EXPECT_EQ(probe().ADOQuery().CurrentFilter(), "Table = 3");
    EXPECT_EQ(probe().ADOQuery().GetInteger(Field::ID), before);
    EXPECT_TRUE(probe().ADOQuery().AfterScroll);  // attached again
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
  // Exports again with a fresh word processor whose calls of that name fail.
  void ExportFailing(const QString& call, bool markerFound = true) {
    *fake = FakeWordState();
    fake->failing = {call};
    fake->markerFound = markerFound;
    recorder.messages.clear();
    Export();
  }
  std::shared_ptr<FakeWordState> fake;
  int before = 0;
};

TEST_F(OrderDocumentTest, FillsTheMarkedRowThenInsertsRowsAbove) {
  Export();
  EXPECT_TRUE(recorder.messages.isEmpty());
  const QStringList expected = {
      "Connect", "Visible 1", "Add " + cat.dir() + "Template\\Заказ.dot",
      // The customer's markers, none of which this template has, then the table's.
      "Find #Организация", "Find #Адрес", "Find #Контакт", "Find #Телефон", "Find #Почта", "Find #Кран", "Find #1",
      // The first record, numbered 3, in the marked row.
      "Delete", "InsertAfter 3", "MoveRight 2", "DeleteChars 2", "Delete", "InsertAfter ОБ-111", "MoveRight 2",
      "DeleteChars 2", "Delete", "InsertAfter Деталь 111", "MoveRight 2", "DeleteChars 2", "Delete", "InsertAfter 1",
      // The next, numbered 2, in a new row above.
      "InsertRows 1", "MoveLeft 1", "Delete", "InsertAfter 2", "MoveRight 2", "Delete", "InsertAfter ОБ-121",
      "MoveRight 2", "Delete", "InsertAfter Деталь 121", "MoveRight 2", "Delete", "InsertAfter 1"};
  EXPECT_EQ(fake->log.mid(0, expected.size()), expected);
  EXPECT_EQ(fake->Typed().size(), 12);
  EXPECT_EQ(fake->Typed()[8], QStringLiteral("1"));
  EXPECT_EQ(fake->finished, 1);
}

TEST_F(OrderDocumentTest, OneRecordInsertsNoRow) {
  window.reset();
  KeepBasket({121});
  Open();
  probe().CreateOrderDocument();
  EXPECT_FALSE(fake->log.join('|').contains(QLatin1String("InsertRows")));
  EXPECT_EQ(fake->Typed().mid(0, 3), (QStringList{"1", "ОБ-121", "Деталь 121"}));
}

struct EarlyExit {
  const char* failing;
  const char16_t* message;
  bool documentMade;
};

TEST_F(OrderDocumentTest, EarlyFailuresShowTheirMessageAndLeaveTheStoreAlone) {
  const EarlyExit cases[] = {
      {"Connect", u"Не обнаружен Word на данном компьютере", false},
      {"Visible", u"Не удалось сделать видимым Word", false},
      {"Add", u"Не удалось создать документ на основе заданного шаблона", false},
      {"Find", u"Не удалось найти метку в шаблоне. Выполнение заказа прервано.", true},
  };
  for (const EarlyExit& c : cases) {
    ExportFailing(QString::fromLatin1(c.failing));
    EXPECT_EQ(recorder.messages, QStringList{QString::fromUtf16(c.message)}) << c.failing;
    EXPECT_TRUE(fake->Typed().isEmpty()) << c.failing;
    EXPECT_EQ(fake->finished, c.documentMade ? 1 : 0) << c.failing;
  }
  // A marker that is simply not there.
  ExportFailing(QString(), false);
  EXPECT_EQ(recorder.messages.size(), 1);
  EXPECT_EQ(fake->finished, 1);
}

TEST_F(OrderDocumentTest, FailuresInsideTheLoopAreReportedAndTheLoopGoesOn) {
  const struct {
    const char* failing;
    QStringList messages;
  } cases[] = {
      {"InsertRows", QStringList(2, QStringLiteral("Не удалось вставить строку!"))},
      {"MoveLeft", QStringList(2, QStringLiteral("Не удалось перейти в другой столбец!"))},
      {"InsertAfter", QStringList(12, QStringLiteral("Не удалось вставить слово"))},
      {"DeleteChars", QStringList{QStringLiteral("Не удалось перейти в другой столбец!"),
                                  QStringLiteral("Что-то не то."), QStringLiteral("Что-то не то.")}},
  };
  for (const auto& c : cases) {
    ExportFailing(QString::fromLatin1(c.failing));
    EXPECT_EQ(recorder.messages, c.messages) << c.failing;
  }
  // Moving right: after the number, then after the designation and the name.
  ExportFailing(QStringLiteral("MoveRight"));
  ASSERT_EQ(recorder.messages.size(), 9);
  EXPECT_EQ(recorder.messages[0], QStringLiteral("Не удалось перейти в другой столбец!"));
  EXPECT_EQ(recorder.messages[1], QStringLiteral("Что-то не то."));
  EXPECT_EQ(recorder.messages[3], QStringLiteral("Не удалось перейти в другой столбец!"));
}

TEST_F(OrderDocumentTest, AWordProcessorClosedMidwayFailsEveryCallToTheEnd) {
  fake->dieAfter = 10;
  Export();
  // Every later call of the three passes fails and says so; the store is put back.
  EXPECT_GT(recorder.messages.size(), 20);
  EXPECT_EQ(fake->log.count(QStringLiteral("Delete")), 12);  // every record was still visited
}

TEST_F(OrderDocumentTest, EachPressMakesANewDocument) {
  probe().CreateOrderDocument();
  probe().CreateOrderDocument();
  EXPECT_EQ(fake->log.filter(QStringLiteral("Add ")).size(), 2);
  EXPECT_EQ(fake->finished, 2);
}

// The built-in engine on the demo template: what the user gets.
class OrderEngineTest : public WindowTest {
 protected:
  void SetUp() override {
    // The standard catalogue with items 111, 121 and 1111 in the basket, in that order.
    MakeStandardCatalogue(cat);
    KeepBasket({111, 121, 1111});
    QFile t(QStringLiteral(DEMO_TEMPLATE));
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    cat.AddFile(QStringLiteral("Template/Заказ.dot"), t.readAll());
    Open();
  }
  std::vector<std::vector<std::string>> OrderTable(const QString& docx) {
    auto doc = order::DocxDocument::FromTemplate(docx.toStdString());
    EXPECT_TRUE(doc) << doc.error();
    return doc ? doc.value()->TableText(0) : std::vector<std::vector<std::string>>{};
  }
};

TEST_F(OrderEngineTest, ThreeItemsWithTypedQuantitiesMakeTheOrderTableNewestFirst) {
  // The quantities, as the user typed them in the review: 2, 1 and 5.
  browsing::BrowsingModel& basket = probe().model();
  const auto basketRows = basket.BasketRows();
  ASSERT_EQ(basketRows.size(), 3u);
  basket.SetQuantity(basketRows[0], "2");
  basket.SetQuantity(basketRows[2], "5");
  probe().CreateOrderDocument();
  probe().CreateOrderDocument();  // a second press: a second document
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  ASSERT_EQ(openedUrls.size(), 2);
  EXPECT_NE(openedUrls[0], openedUrls[1]);
  const QString path = openedUrls[0].toLocalFile();
  EXPECT_TRUE(path.startsWith(documents.path()));
  EXPECT_TRUE(path.endsWith(QStringLiteral(".docx")));
  const auto rows = OrderTable(path);
  ASSERT_EQ(rows.size(), 4u);  // the header and three records
  EXPECT_EQ(rows[0][1], "Обозначение");
  const std::vector<std::vector<std::string>> expected = {
      {"1", "ОБ-1111", "Деталь 1111", "5"}, {"2", "ОБ-121", "Деталь 121", "1"}, {"3", "ОБ-111", "Деталь 111", "2"}};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rows[i + 1], expected[i]) << "row " << i + 1;
  // The rest of the template is there.
  auto doc = order::DocxDocument::FromTemplate(path.toStdString());
  ASSERT_TRUE(doc);
  EXPECT_NE(doc.value()->Text().find("Заявка на поставку запасных частей"), std::string::npos);
  EXPECT_NE(doc.value()->Text().find("М.П."), std::string::npos);
}

// The template's message, and on a second line why, in the user's words.
TEST_F(OrderEngineTest, MissingOrBrokenTemplateIsReportedWithItsReason) {
  const QString cannot = QStringLiteral("Не удалось создать документ на основе заданного шаблона\n");
  QFile::remove(cat.path(QStringLiteral("Template/Заказ.dot")));
  probe().CreateOrderDocument();
  ASSERT_EQ(recorder.messages.size(), 1);
  EXPECT_TRUE(recorder.messages[0].startsWith(cannot + QStringLiteral("Файл шаблона ")))
      << recorder.messages[0].toStdString();
  EXPECT_TRUE(recorder.messages[0].endsWith(QStringLiteral("не найден.")));
  cat.AddFile(QStringLiteral("Template/Заказ.dot"), QByteArray("not a package"));
  recorder.messages.clear();
  probe().CreateOrderDocument();
  EXPECT_EQ(recorder.messages,
            QStringList{cannot + QStringLiteral("Шаблон не является документом Word (.dotx, .docx).")});
  // A Word 97-2003 template with no LibreOffice to convert it.
  cat.AddFile(QStringLiteral("Template/Заказ.dot"), QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 binary", 15));
  QTemporaryDir empty;
  AppEnvironment env = Environment();
  env.processEnvironment = QStringList{QStringLiteral("PATH=") + empty.path()};
  OpenWith(env);
  recorder.messages.clear();
  probe().CreateOrderDocument();
  EXPECT_EQ(recorder.messages, QStringList{cannot + QString::fromUtf8(order::kWord97Template)});
  EXPECT_TRUE(openedUrls.isEmpty());
}

// A catalogue as customers have it: the template in Word 97-2003's binary format, converted
// by LibreOffice into a folder of the program's own, then filled as any other.
TEST_F(OrderEngineTest, Word97TemplateIsConvertedOnceAndFilled) {
  if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
    GTEST_SKIP() << "LibreOffice is not installed";
  QTemporaryDir work;
  QFile::copy(QStringLiteral(DEMO_TEMPLATE), work.filePath(QStringLiteral("t.dotx")));
  QProcess soffice;
  soffice.start(QStringLiteral("soffice"),
                {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                 QStringLiteral("-env:UserInstallation=") +
                     QUrl::fromLocalFile(work.filePath(QStringLiteral("p"))).toString(QUrl::FullyEncoded),
                 QStringLiteral("--convert-to"), QStringLiteral("dot:MS Word 97 Vorlage"), QStringLiteral("--outdir"),
                 work.path(), work.filePath(QStringLiteral("t.dotx"))});
  ASSERT_TRUE(soffice.waitForFinished(120000));
  QFile binary(work.filePath(QStringLiteral("t.dot")));
  ASSERT_TRUE(binary.open(QIODevice::ReadOnly));
  cat.AddFile(QStringLiteral("Template/Заказ.dot"), binary.readAll());
  ASSERT_TRUE(order::IsWord97File(cat.path(QStringLiteral("Template/Заказ.dot")).toStdString()));
  const auto listing = [&] {
    return QDir(cat.dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  };
  const auto templates = [&] {
    return QDir(cat.path(QStringLiteral("Template"))).entryList(QDir::Files | QDir::Hidden);
  };
  const QStringList before = listing(), templatesBefore = templates();

  probe().CreateOrderDocument();
  QElapsedTimer second;
  second.start();
  probe().CreateOrderDocument();  // converted once: the second export does not wait for it
  EXPECT_LT(second.elapsed(), 3000);
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  ASSERT_EQ(openedUrls.size(), 2);
  const auto rows = OrderTable(openedUrls[0].toLocalFile());
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1][1], "ОБ-1111");
  EXPECT_EQ(rows[3][2], "Деталь 111");
  EXPECT_EQ(listing(), before);  // nothing written into the catalogue folder
  EXPECT_EQ(templates(), templatesBefore);
}

// A name held by a dangling link is passed over like any taken name.
TEST_F(OrderEngineTest, DanglingLinksDoNotHoldUpTheOrder) {
  const QDateTime now = QDateTime::currentDateTime();
  for (int s = 0; s < 3; ++s) {
    const QString name = QStringLiteral("Заявка на запасные части %1.docx")
                             .arg(now.addSecs(s).toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
    ASSERT_TRUE(QFile::link(documents.filePath(QStringLiteral("nowhere/x")), documents.filePath(name)));
  }
  probe().CreateOrderDocument();
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  ASSERT_EQ(openedUrls.size(), 1);
  EXPECT_TRUE(openedUrls[0].toLocalFile().endsWith(QStringLiteral(" (2).docx")))
      << openedUrls[0].toString().toStdString();
}

}  // namespace
