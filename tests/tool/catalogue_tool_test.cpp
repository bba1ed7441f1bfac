#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "catalogue_writer/ado_writer.h"

namespace {

struct ToolRun {
  int status;
  QString out;
  QString err;
};

ToolRun Tool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(CATALOGUE_TOOL), args);
  p.waitForFinished(30000);
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<catalogue::RecordData> recs(3);
    recs[0] = {1, 0, 1, "А-1", "Имя\tс табуляцией", "", "", "", "", "строка\r\nвторая \\ конец", true, false, false, 5, 6, 2};
    recs[1] = {2, 1, 0, "А-2", "Второй", "1,5", "3", "pic", "view", "", false, true, false, 0, 0, 7};
    recs[2] = {3, 1, 2, "А-3", "Третий", "", "", "", "", "", false, true, true, 0, 0, 7};
    file = dir.filePath(QStringLiteral("my.xml"));
    catalogue::WriteAdoFile(file.toStdString(), recs);
  }
  QTemporaryDir dir;
  QString file;
};

TEST_F(ToolTest, PrintsHeaderAndEveryRecordWithEscapes) {
  ToolRun r = Tool({QStringLiteral("query"), file});
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
  ToolRun r = Tool({QStringLiteral("query"), file, QStringLiteral("Pokupka = True")});
  ASSERT_EQ(r.status, 0);
  const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("3\t")));
  ToolRun none = Tool({QStringLiteral("query"), file, QStringLiteral("FID = 99")});
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
    const ToolRun scanned = Tool({QStringLiteral("query"), file});
    const ToolRun expat = Tool({QStringLiteral("query"), QStringLiteral("--rows=expat"), file});
    EXPECT_EQ(scanned.status, expat.status) << name.toStdString();
    EXPECT_EQ(scanned.out, expat.out) << name.toStdString();
    EXPECT_EQ(scanned.err, expat.err) << name.toStdString();
    read += scanned.status == 0;
  }
  EXPECT_GE(read, 5);  // most of the corpus is refused; the rest must be read alike
}

TEST_F(ToolTest, RefusalsExitWithTwoAndOneLine) {
  for (const QStringList& args :
       {QStringList{QStringLiteral("query"), file, QStringLiteral("FID => 1")},
        QStringList{QStringLiteral("query"), dir.filePath(QStringLiteral("absent.xml"))},
        QStringList{QStringLiteral("query")}, QStringList{QStringLiteral("frobnicate"), file}}) {
    ToolRun r = Tool(args);
    EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
  }
}

TEST_F(ToolTest, CheckExitsWithOneWhenItReportsAndTwoWhenRefused) {
  // This table has no pictures beside it: each record is reported, one line each.
  ToolRun r = Tool({QStringLiteral("check"), file});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.contains(QStringLiteral("ID 0: root picture Images\\Fon.jpg is missing\n")));
  EXPECT_TRUE(r.out.contains(QStringLiteral("ID 2: parts-list picture Images\\view.jpg is missing\n")));
  for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    EXPECT_TRUE(line.startsWith(QStringLiteral("ID "))) << line.toStdString();
  ToolRun refused = Tool({QStringLiteral("check"), dir.filePath(QStringLiteral("absent.xml"))});
  EXPECT_EQ(refused.status, 2);
}

TEST(ToolDemo, TheDemoCatalogueIsClean) {
  ToolRun r = Tool({QStringLiteral("check"), QStringLiteral(DEMO_CATALOGUE)});
  EXPECT_EQ(r.status, 0) << r.out.toStdString() << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
}

}  // namespace
