#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QPointer>

#include "help/help_service.h"
#include "help/help_viewer.h"
#include "support/window_fixture.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

class MailHelpTest : public WindowTest {
 protected:
  void SetUp() override { MakeStandardCatalogue(cat); }
};

TEST_F(MailHelpTest, MailHandsExactlyOneAddressToTheDesktop) {
  auto w = Open();
  ASSERT_EQ(ClickAt(QPoint(60, 498)), w.liMail());
  ASSERT_EQ(openedUrls.size(), 1);
  EXPECT_EQ(openedUrls[0].toString(), QStringLiteral("mailto:sales@krantek.ru?Subject=&Body="));
  EXPECT_TRUE(recorder.messages.isEmpty());
  // Also from the drawing display, and with no mail program: still no message.
  ClickAt(QPoint(600, 80));
  Click(w.liMail());
  EXPECT_EQ(openedUrls.size(), 2);
}

TEST_F(MailHelpTest, HelpLibraryIsLoadedOnceAndShowsTheDefaultTopic) {
  QFile::copy(QStringLiteral(DEMO_HELP_FILE), cat.path(QStringLiteral("Catalog.chm")));
  AppEnvironment env = Environment();
  int loaded = 0;
  env.help = [&, made = env.help] {
    ++loaded;
    return made();
  };
  auto w = OpenWith(env);
  HelpService* lib = w.help();
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(loaded, 1);
  // The catalogue folder's own file.
  ASSERT_EQ(ClickAt(QPoint(240, 498)), w.leHelp());
  QPointer<HelpViewer> viewer = lib->Window();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  const QString topic = viewer->currentTopic();
  EXPECT_FALSE(topic.isEmpty());
  EXPECT_FALSE(viewer->documentText().isEmpty());
  Click(w.leHelp());
  Click(w.leHelp());
  EXPECT_EQ(lib->Window(), viewer);  // one window, shown again
  EXPECT_EQ(viewer->currentTopic(), topic);
  EXPECT_EQ(w.help(), lib);
  EXPECT_EQ(loaded, 1);
  EXPECT_TRUE(recorder.messages.isEmpty());
  window.reset();  // the window's end releases the library
  EXPECT_EQ(viewer, nullptr);
}

// Help is the catalogue's own file: one the working directory holds is never shown. When the
// catalogue's cannot be shown, the user is told which file and why.
TEST_F(MailHelpTest, HelpComesFromTheCatalogueFolderOrSaysWhyNot) {
  QTemporaryDir elsewhere;
  QFile::copy(QStringLiteral(DEMO_HELP_FILE), elsewhere.filePath(QStringLiteral("Catalog.chm")));
  const QString before = QDir::currentPath();
  QDir::setCurrent(elsewhere.path());
  auto w = Open();
  const QString own = QDir::toNativeSeparators(cat.path(QStringLiteral("Catalog.chm")));
  Click(w.leHelp());
  EXPECT_TRUE(w.help()->Window() == nullptr || !w.help()->Window()->isVisible());
  EXPECT_EQ(recorder.messages, QStringList(QStringLiteral("Справка не открывается: %1\nфайла нет").arg(own)));
#ifndef _WIN32
  ASSERT_EQ(mkfifo(QFile::encodeName(cat.path(QStringLiteral("Catalog.chm"))).constData(), 0600), 0);
  Click(w.leHelp());  // refused at once, not waited on
  EXPECT_EQ(recorder.messages.value(1), QStringLiteral("Справка не открывается: %1\nэто не обычный файл").arg(own));
  QFile::remove(cat.path(QStringLiteral("Catalog.chm")));
#endif
  QFile::copy(QStringLiteral(DEMO_HELP_FILE), cat.path(QStringLiteral("Catalog.chm")));
  recorder.messages.clear();
  Click(w.leHelp());
  QDir::setCurrent(before);
  ASSERT_NE(w.help()->Window(), nullptr);
  EXPECT_TRUE(w.help()->Window()->isVisible());
  EXPECT_EQ(w.help()->Window()->helpFile()->fileName(), cat.path(QStringLiteral("Catalog.chm")));
  EXPECT_TRUE(recorder.messages.isEmpty());
}

}  // namespace
