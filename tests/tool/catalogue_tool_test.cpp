#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "catalogue_writer/ado_writer.h"

namespace {

struct ToolRun {
  int status;
  QString out;
  QString err;
  QByteArray bytes;  // the output as it was written
};

ToolRun Tool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(CATALOGUE_TOOL), args);
  p.waitForFinished(30000);
  const QByteArray out = p.readAllStandardOutput();
  return {p.exitCode(), QString::fromUtf8(out), QString::fromUtf8(p.readAllStandardError()), out};
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const QByteArray kCsvHeader =
    "ID,FID,Number,Oboz,Naim,Massa,Count,Picture,View,Descript,Sostoit,VozmPokupka,Pokupka,Left,Top,Table\r\n";

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<catalogue::RecordData> recs(3);
    recs[0] = {1,     0, 1, "А-1", "Имя\tс табуляцией", "", "", "", "", "строка\r\nвторая \\ конец", true, false,
               false, 5, 6, 2};
    recs[1] = {2, 1, 0, "А-2", "Второй", "1,5", "3", "pic", "view", "", false, true, false, 0, 0, 7};
    recs[2] = {3, 1, 2, "А-3", "Третий", "", "", "", "", "", false, true, true, 0, 0, 7};
    file = dir.filePath(QStringLiteral("my.xml"));
    catalogue::WriteAdoFile(file.toStdString(), recs);
  }
  QTemporaryDir dir;
  QString file;
};

TEST_F(ToolTest, PrintsHeaderAndEveryRecordWithEscapes) {
  ToolRun r = Tool({"query", file});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], QStringLiteral("ID\tFID\tNumber\tOboz\tNaim\tMassa\tCount\tPicture\tView\tDescript\t"
                                     "Sostoit\tVozmPokupka\tPokupka\tLeft\tTop\tTable"));
  EXPECT_EQ(lines[1], QStringLiteral("1\t0\t1\tА-1\tИмя\\tс табуляцией\t\t\t\t\tстрока\\r\\nвторая \\\\ конец\t"
                                     "True\tFalse\tFalse\t5\t6\t2"));
  EXPECT_EQ(lines[2], QStringLiteral("2\t1\t0\tА-2\tВторой\t1,5\t3\tpic\tview\t\tFalse\tTrue\tFalse\t0\t0\t7"));
}

TEST_F(ToolTest, FiltersAsTheStoreDoes) {
  ToolRun r = Tool({"query", file, "Pokupka = True"});
  ASSERT_EQ(r.status, 0);
  const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("3\t")));
  ToolRun none = Tool({"query", file, "FID = 99"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out.count(QLatin1Char('\n')), 1);
}

// The rows read by the scanner or by expat alone: the same output, refusal and exit status for
// every catalogue of the reader's fuzz corpus.
TEST(ToolRows, ScannerAndExpatGiveTheSameQueryOnTheReadersCorpus) {
  const QDir corpus(QStringLiteral(READER_CORPUS));
  const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 10);
  int read = 0;
  for (const QString& name : files) {
    const QString file = corpus.filePath(name);
    const ToolRun scanned = Tool({"query", file});
    const ToolRun expat = Tool({"query", "--rows=expat", file});
    EXPECT_EQ(scanned.status, expat.status) << name.toStdString();
    EXPECT_EQ(scanned.out, expat.out) << name.toStdString();
    EXPECT_EQ(scanned.err, expat.err) << name.toStdString();
    read += scanned.status == 0;
  }
  EXPECT_GE(read, 5);  // most of the corpus is refused; the rest must be read alike
}

TEST_F(ToolTest, RefusalsExitWithTwoAndOneLine) {
  for (const QStringList& args :
       {QStringList{"query", file, "FID => 1"}, QStringList{"query", dir.filePath("absent.xml")}, QStringList{"query"},
        QStringList{"frobnicate", file}, QStringList{"import", file}, QStringList{"export", file, "--csv"}}) {
    ToolRun r = Tool(args);
    EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
  }
}

TEST_F(ToolTest, CheckExitsWithOneWhenItReportsAndTwoWhenRefused) {
  // This table has no pictures beside it: each record is reported, one line each.
  ToolRun r = Tool({"check", file});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.contains(QStringLiteral("ID 0: root picture Images\\Fon.jpg is missing\n")));
  EXPECT_TRUE(r.out.contains(QStringLiteral("ID 2: parts-list picture Images\\view.jpg is missing\n")));
  for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    EXPECT_TRUE(line.startsWith(QStringLiteral("ID "))) << line.toStdString();
  ToolRun refused = Tool({"check", dir.filePath("absent.xml")});
  EXPECT_EQ(refused.status, 2);
}

TEST(ToolDemo, TheDemoCatalogueIsClean) {
  ToolRun r = Tool({"check", QStringLiteral(DEMO_CATALOGUE)});
  EXPECT_EQ(r.status, 0) << r.out.toStdString() << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(ToolTest, ImportReplacesATableOnlyWithForceAndNeverInPart) {
  const QByteArray before = Read(file);
  const QString good = dir.filePath(QStringLiteral("good.csv"));
  const QString bad = dir.filePath(QStringLiteral("bad.csv"));
  ASSERT_EQ(Tool({"export", file, "-o", good}).status, 0);
  ASSERT_TRUE(Write(bad, Read(good) + "4,1,x,,,,,,,,False,False,False,0,0,7\r\n"));
  for (const QStringList& args : {QStringList{"import", good, "-o", file}, QStringList{"export", file, "-o", good},
                                  QStringList{"import", bad, "-o", file, "--force"}}) {
    ToolRun r = Tool(args);
    EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
  }
  // Line 6: the first record's Descript holds a line break.
  EXPECT_TRUE(Tool({"import", bad, "-o", file, "--force"})
                  .err.contains(QStringLiteral("bad.csv:6: field Number: \"x\" is not an integer")));
  EXPECT_EQ(Read(file), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"bad.csv", "good.csv", "my.xml"}));

  const ToolRun query = Tool({"query", file});
  EXPECT_NE(Tool({"import", good, "-o", file, "--force"}).status, 2);
  EXPECT_EQ(Tool({"query", file}).bytes, query.bytes);
}

TEST_F(ToolTest, ImportReportsWhatCheckFindsInTheTableItWrote) {
  // Eight root sections, a drawing with 36 callouts and a record whose FID names none.
  QByteArray csv = kCsvHeader;
  for (int id = 1; id <= 8; ++id) csv += QByteArray::number(id) + ",0,1,,,,,,,,True,False,False,0,0,1\r\n";
  for (int n = 1; n <= 36; ++n)
    csv += QByteArray::number(100 + n) + ",1," + QByteArray::number(n) + ",,,,,,,,False,True,False,10,10,1\r\n";
  csv += "200,99,1,,,,,,,,False,True,False,10,10,1\r\n";
  const QString in = dir.filePath(QStringLiteral("warnings.csv"));
  const QString out = dir.filePath(QStringLiteral("warnings.xml"));
  ASSERT_TRUE(Write(in, csv));
  const ToolRun r = Tool({"import", in, "-o", out});
  EXPECT_EQ(r.status, 1) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains(QStringLiteral("ID 8: root section beyond the first 7: not shown\n")))
      << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(QStringLiteral("ID 1: drawing with 36 numbered parts, more than 35\n")));
  EXPECT_TRUE(r.out.contains(QStringLiteral("ID 200: FID 99 names no record\n")));
  const ToolRun check = Tool({"check", out});
  for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    EXPECT_TRUE(check.out.contains(line + QLatin1Char('\n'))) << line.toStdString();
}

// Export then import gives a table that query prints alike; import then export gives the
// file back.
TEST(ToolDemo, TheDemoCatalogueRoundTripsThroughBothStyles) {
  QTemporaryDir dir;
  const QString demo = QStringLiteral(DEMO_CATALOGUE);
  const ToolRun query = Tool({"query", demo});
  ASSERT_EQ(query.status, 0);
  for (const QString& style : {QString(), QStringLiteral("--excel")}) {
    QStringList args{"export", demo};
    if (!style.isEmpty()) args << style;
    const ToolRun exported = Tool(args);
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.bytes.startsWith("\xEF\xBB\xBFID;"), !style.isEmpty());
    const QString csv = dir.filePath(QStringLiteral("demo%1.csv").arg(style));
    const QString table = dir.filePath(QStringLiteral("my%1.xml").arg(style));
    ASSERT_TRUE(Write(csv, exported.bytes));
    const ToolRun imported = Tool({"import", csv, "-o", table});
    EXPECT_EQ(imported.status, 0) << imported.out.toStdString() << imported.err.toStdString();
    EXPECT_EQ(Tool({"query", table}).bytes, query.bytes);
    args[1] = table;
    args << QStringLiteral("-o") << dir.filePath(QStringLiteral("again%1.csv").arg(style));
    ASSERT_EQ(Tool(args).status, 0);
    EXPECT_EQ(Read(args.last()), exported.bytes);
  }
}

// A Word 97-2003 order template made from the demo's own, turned back into the form the
// program fills; anything else is refused.
TEST(ToolTemplate, ConvertsAWord97TemplateAndRefusesOtherFiles) {
  if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
    GTEST_SKIP() << "LibreOffice is not installed";
  QTemporaryDir dir;
  const QString dotx = dir.filePath(QStringLiteral("t.dotx"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(DEMO_TEMPLATE), dotx));
  QProcess soffice;
  soffice.start("soffice",
                {"--headless", "--norestore",
                 "-env:UserInstallation=" + QUrl::fromLocalFile(dir.filePath("p")).toString(QUrl::FullyEncoded),
                 "--convert-to", "dot:MS Word 97 Vorlage", "--outdir", dir.path(), dotx});
  ASSERT_TRUE(soffice.waitForFinished(120000));
  const QString dot = dir.filePath(QStringLiteral("t.dot"));
  const QString out = dir.filePath(QStringLiteral("Заказ.dotx"));
  EXPECT_EQ(Tool({"convert-template", dotx, out}).status, 2);  // already Office Open XML
  EXPECT_EQ(Tool({"convert-template", dot, out}).status, 0);
  EXPECT_TRUE(Read(out).startsWith("PK"));
  EXPECT_EQ(Tool({"convert-template", dot, out}).status, 2);  // never replaced unasked
  EXPECT_EQ(Tool({"convert-template", dot, out, "--force"}).status, 0);
}

}  // namespace
