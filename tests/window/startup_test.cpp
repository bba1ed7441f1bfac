#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "controls/tab_control.h"
#include "support/window_fixture.h"
#include "window/run.h"

namespace {

using catalogue::RecordData;

class StartupTest : public WindowTest {
 protected:
  void SetUp() override {
    cat.WriteTable({Section(1, 1, "A"), Section(2, 2, "B"), Part(3, 1, 1)});
    cat.AddRootPictures();
    cat.AddPicture(QStringLiteral("p1"));
  }
};

TEST_F(StartupTest, OpensAtTheRootWithAFixedWindowAndNoMessage) {
  auto w = Open();
  EXPECT_FALSE(w.StartupFailed());
  EXPECT_TRUE(recorder.messages.isEmpty());
  EXPECT_EQ(w.form().windowTitle(), QStringLiteral("Каталог запасных частей ООО \"КРАНТЕК\""));
  EXPECT_EQ(w.form().size(), QSize(792, 541));
  EXPECT_EQ(w.form().minimumSize(), w.form().maximumSize());
  EXPECT_FALSE(w.form().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w.form().windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(w.FDisplayMode(), dmSections);
  EXPECT_FALSE(w.leiWord()->isEnabled());
  EXPECT_FALSE(w.leiBack()->isEnabled());
  EXPECT_FALSE(w.lHome()->isEnabled());
  EXPECT_EQ(w.HelpFile(), QStringLiteral("Catalog.chm"));
  EXPECT_EQ(w.imMain()->picture().width(), 519);  // the root picture
  EXPECT_FALSE(w.imFon()->picture().isEmpty());   // the sections background
  EXPECT_EQ(w.HotSpots().size(), 7u);
  EXPECT_EQ(w.Callouts().size(), 35u);
  EXPECT_FALSE(w.TabControl()->isVisible());
}

TEST_F(StartupTest, PlacesTheWindowByScreenHeight) {
  EXPECT_EQ(Open(600).form().pos(), QPoint(0, 0));
  window.reset();
  EXPECT_EQ(Open(601).form().pos(), QPoint(112, 96));
}

TEST_F(StartupTest, FindsTheCatalogueBesideTheExecutableFromAnotherWorkingDirectory) {
  QTemporaryDir elsewhere;
  const QString before = QDir::currentPath();
  QDir::setCurrent(elsewhere.path());
  auto w = Open();
  QDir::setCurrent(before);
  EXPECT_FALSE(w.StartupFailed());
  EXPECT_EQ(w.FBaseDir(), QDir::toNativeSeparators(cat.dir()));
  EXPECT_FALSE(w.Image(14)->picture().isEmpty());
  EXPECT_TRUE(w.ImageLeave(1)->isVisible());
  EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(StartupTest, AnInstallFolderWithABackslashInItsNameLoadsTheCatalogue) {
  // Legal on Linux: only the catalogue's own relative paths are written with backslashes.
  const QString folder = cat.path(QStringLiteral("Каталог\\2024"));
  for (const QString& relative : {QStringLiteral("db/my.xml"), QStringLiteral("Images/Fon.jpg"),
                                  QStringLiteral("Images/Fon2.jpg"), QStringLiteral("Images/p1.jpg")}) {
    QDir().mkpath(QFileInfo(folder + QLatin1Char('/') + relative).absolutePath());
    ASSERT_TRUE(QFile::copy(cat.path(relative), folder + QLatin1Char('/') + relative)) << relative.toStdString();
  }
  AppEnvironment env = Environment();
  env.executablePath = folder + QStringLiteral("/Catalog");
  auto w = OpenWith(env);
  EXPECT_FALSE(w.StartupFailed());
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  EXPECT_FALSE(w.Image(14)->picture().isEmpty());
  EXPECT_EQ(w.imMain()->picture().width(), 519);
  ClickAt(QPoint(600, 84));
  EXPECT_EQ(w.FLevel(), 1);
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
}

TEST_F(StartupTest, MissingBackgroundIsSilent) {
  QFile::remove(cat.path(QStringLiteral("Images/Fon2.jpg")));
  auto w = Open();
  EXPECT_FALSE(w.StartupFailed());
  EXPECT_TRUE(w.Image(14)->picture().isEmpty());
  EXPECT_TRUE(w.imFon()->picture().isEmpty());
  EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(StartupTest, MissingCatalogueShowsOneMessageAndEndsWithAnError) {
  QFile::remove(cat.path(QStringLiteral("db/my.xml")));
  const int status = RunCatalog(*qApp, Environment());
  EXPECT_NE(status, 0);
  EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Ошибка доступа к базе данных")});
}

TEST_F(StartupTest, MalformedCatalogueIsRefusedLikeAMissingOne) {
  cat.AddFile(QStringLiteral("db/my.xml"), "<xml><rs:data");
  auto w = Open();
  EXPECT_TRUE(w.StartupFailed());
  EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Ошибка доступа к базе данных")});
}

TEST_F(StartupTest, ClosingReleasesTheStore) {
  auto w = Open();
  w.form().close();
  EXPECT_FALSE(w.ADOQuery().IsOpen());
  EXPECT_TRUE(w.imMain()->picture().isEmpty());
}

// The basket is the user's: a start shows the one kept, not the records the table marks.
TEST_F(StartupTest, TheBasketKeptIsBackAndTheTablesMarksAreNot) {
  auto marked = Item(4, 3);
  marked.pokupka = true;
  const std::vector<RecordData> table{Section(1, 1, "A"), Section(2, 2, "B"), Part(3, 1, 1), marked, Item(5, 2)};
  cat.WriteTable(table);
  KeepBasket({5}, table);
  auto w = Open();
  EXPECT_EQ(w.FBasketCount(), 1);
  EXPECT_TRUE(w.leiWord()->isEnabled());
  EXPECT_EQ(w.lZakaz()->Caption(), QStringLiteral("1"));
  EXPECT_FALSE(w.ADOQuery().table().Boolean(*w.ADOQuery().RowOfID(4), catalogue::Field::Pokupka));
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
}

// An author opens a catalogue folder that is not the executable's; one without a table is
// refused as a missing catalogue is.
TEST_F(StartupTest, TheCatalogueOptionOpensAFolderAwayFromTheExecutable) {
  QTemporaryDir program;
  AppEnvironment env = Environment();
  env.executablePath = program.filePath(QStringLiteral("Catalog"));
  env.catalogueDir = cat.dir();
  auto w = OpenWith(env);
  EXPECT_FALSE(w.StartupFailed());
  EXPECT_EQ(w.FBaseDir(), QDir::toNativeSeparators(cat.dir()));
  EXPECT_EQ(w.imMain()->picture().width(), 519);
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  window.reset();

  env = Environment();
  env.catalogueDir = program.path();
  EXPECT_EQ(RunCatalog(*qApp, env), 1);
  EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Ошибка доступа к базе данных")});
}

TEST(StartOptions, OnlyTheCatalogueFolderIsRead) {
  const QString dir = QDir(QStringLiteral("cat")).absolutePath();
  const struct {
    QStringList args;
    QString catalogueDir;
    bool refused;
  } cases[] = {
      {{}, {}, false},
      {{QStringLiteral("--catalogue"), QStringLiteral("cat")}, dir, false},
      {{QStringLiteral("--catalogue=cat")}, dir, false},
      {{QStringLiteral("--catalogue")}, {}, true},
      {{QStringLiteral("--catalogue=")}, {}, true},
      {{QStringLiteral("cat")}, {}, true},
      {{QStringLiteral("--help")}, {}, true},
      {{QStringLiteral("--catalogue=cat"), QStringLiteral("--catalogue=cat")}, {}, true},
  };
  for (const auto& c : cases) {
    const StartOptions o = ParseStartOptions(QStringList{QStringLiteral("Catalog")} + c.args);
    EXPECT_EQ(o.catalogueDir, c.catalogueDir) << c.args.join(' ').toStdString();
    EXPECT_EQ(o.error.startsWith(QStringLiteral("usage: ")), c.refused) << c.args.join(' ').toStdString();
  }
}

}  // namespace
