#include "controls/native_path.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

namespace {

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(NativePath, TurnsBackslashesIntoSeparatorsAndMatchesLetterCase) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath(QStringLiteral("Images/Узлы"));
  Touch(dir.filePath(QStringLiteral("Images/Узлы/Стрела.jpg")));
  Touch(dir.filePath(QStringLiteral("Images/fon.jpg")));
  const QString base = dir.path() + QLatin1Char('/');

  EXPECT_EQ(NativePath(base + QStringLiteral("Images\\fon.jpg")), QDir::toNativeSeparators(base + QStringLiteral("Images/fon.jpg")));
  // Windows-authored names in another letter case, Cyrillic included.
  EXPECT_EQ(NativePath(base + QStringLiteral("IMAGES\\узлы\\СТРЕЛА.JPG")),
            base + QStringLiteral("Images/Узлы/Стрела.jpg"));
  EXPECT_EQ(NativePath(base + QStringLiteral("images\\Fon.jpg")), base + QStringLiteral("Images/fon.jpg"));
  EXPECT_TRUE(FoundOnlyIgnoringCase(base + QStringLiteral("images\\Fon.jpg")));
  EXPECT_FALSE(FoundOnlyIgnoringCase(base + QStringLiteral("Images\\fon.jpg")));
  // Nothing matches: the path comes back converted only.
  EXPECT_EQ(NativePath(base + QStringLiteral("Images\\absent.jpg")), base + QStringLiteral("Images/absent.jpg"));
  EXPECT_FALSE(FoundOnlyIgnoringCase(base + QStringLiteral("Images\\absent.jpg")));
  // Relative paths resolve against the working directory.
  const QString before = QDir::currentPath();
  QDir::setCurrent(dir.path());
  EXPECT_TRUE(QFile::exists(NativePath(QStringLiteral(".\\images\\FON.jpg"))));
  QDir::setCurrent(before);
}

TEST(NativePath, SeesFilesAddedAfterADirectoryWasListed) {
  QTemporaryDir dir;
  const QString base = dir.path() + QLatin1Char('/');
  Touch(base + QStringLiteral("a.jpg"));
  EXPECT_FALSE(QFile::exists(NativePath(base + QStringLiteral("B.JPG"))));
  QThread::msleep(1100);  // directory times have a resolution of a second on some file systems
  Touch(base + QStringLiteral("b.jpg"));
  EXPECT_EQ(NativePath(base + QStringLiteral("B.JPG")), base + QStringLiteral("b.jpg"));
}

}  // namespace
