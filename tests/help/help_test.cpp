// The help file reader and the help window: the demo help file built from the project's
// sources, small help files made here to reach the cases a compiler never writes, and damaged
// or hostile files.

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <vector>

#include "help/chm_file.h"
#include "help/help_viewer.h"
#include "support/chm_writer.h"

namespace {

const QString kDemo = QStringLiteral(DEMO_HELP_FILE);
const QByteArray kPage = "<html><body>x</body></html>";  // a topic of the small files made here

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& data) {
  const QString path = dir.filePath(name);
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
    ADD_FAILURE() << "cannot write " << path.toStdString();
  return path;
}

// ---- Small help files.

using chm_writer::Container;
using chm_writer::DirEntry;
using chm_writer::IndexPage;
using chm_writer::ListingPage;
using chm_writer::PutLe32;
using chm_writer::SimpleChm;
using chm_writer::SystemData;

QByteArray Language(quint32 lcid) {
  QByteArray b(4, '\0');
  PutLe32(b, 0, lcid);
  return b;
}

QByteArray PngBytes(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return buffer.data();
}

// ---- The window.

// Clicks the link to href in the page shown, as a user would.
bool ClickLink(QTextBrowser* browser, const QString& href) {
  QTextDocument* doc = browser->document();
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment frag = it.fragment();
      if (!frag.charFormat().isAnchor() || frag.charFormat().anchorHref() != href) continue;
      QTextCursor cursor(doc);
      cursor.setPosition(frag.position() + frag.length() / 2);
      browser->setTextCursor(cursor);
      browser->ensureCursorVisible();
      QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
      return true;
    }
  }
  return false;
}

// Every picture of the page shown, as the document holds it.
std::vector<QImage> PageImages(QTextBrowser* browser) {
  std::vector<QImage> images;
  QTextDocument* doc = browser->document();
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QVariant r = doc->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
      images.push_back(r.userType() == QMetaType::QPixmap ? r.value<QPixmap>().toImage() : r.value<QImage>());
    }
  }
  return images;
}

QTextBlock FirstHeading(QTextDocument* doc) {
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    if (b.blockFormat().headingLevel() == 1) return b;
  return {};
}

bool AnyHelpWindowShown() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The demo help file.

TEST(ChmFileTest, DemoFileHasDefaultTopicTitleAndLanguage) {
  ChmFile chm;
  ASSERT_TRUE(chm.open(kDemo)) << chm.errorString().toStdString();
  EXPECT_TRUE(chm.isOpen());
  EXPECT_EQ(chm.defaultTopic(), QStringLiteral("/index.htm"));
  // The title is stored in the language's code page and must come back as Cyrillic.
  EXPECT_EQ(chm.title(), QStringLiteral("Каталог запасных частей — справка"));
  EXPECT_EQ(chm.languageId(), 0x419u);
  EXPECT_EQ(chm.codepage(), QByteArray("windows-1251"));
}

TEST(ChmFileTest, DemoObjectsAllReadInFullAndMatchCaseBlind) {
  ChmFile chm;
  ASSERT_TRUE(chm.open(kDemo));
  int pages = 0;
  for (const QString& path : chm.objectPaths()) {
    const auto data = chm.read(path);
    ASSERT_TRUE(data.has_value()) << path.toStdString() << ": " << chm.errorString().toStdString();
    if (path.endsWith(QLatin1String(".htm"))) {
      ++pages;
      EXPECT_TRUE(data->contains("</html>")) << path.toStdString();
    }
  }
  EXPECT_GE(pages, 5);
  const auto exact = chm.read(QStringLiteral("/images/note.png"));
  ASSERT_TRUE(exact.has_value());
  EXPECT_TRUE(exact->startsWith("\x89PNG"));
  for (const char* other : {"images/note.png", "/IMAGES/Note.PNG", "images\\note.png", "/icons/../images/./note.png"}) {
    EXPECT_TRUE(chm.contains(QLatin1String(other))) << other;
    EXPECT_EQ(chm.read(QLatin1String(other)), exact) << other;
  }
  EXPECT_FALSE(chm.read(QStringLiteral("/no-such-page.htm")).has_value());
  EXPECT_TRUE(chm.errorString().contains(QStringLiteral("/no-such-page.htm")));
}

TEST(ChmFileTest, ClearTimestampsRestoresTheBuiltFile) {
  // The build clears the compile times; stamping them again and clearing gives the same bytes.
  QTemporaryDir dir;
  const QByteArray original = ReadAll(kDemo);
  ChmFile chm;
  ASSERT_TRUE(chm.open(kDemo));
  const QByteArray system = chm.read(QStringLiteral("/#SYSTEM")).value_or(QByteArray());
  const qsizetype systemAt = original.indexOf(system);
  ASSERT_GT(systemAt, 0);
  QByteArray stamped = original;
  PutLe32(stamped, 0x10, 0x12345678);
  bool stampedRecord = false;
  for (qsizetype at = 4; at + 4 <= system.size();) {
    const int code = uchar(system[at]) | uchar(system[at + 1]) << 8;
    const int length = uchar(system[at + 2]) | uchar(system[at + 3]) << 8;
    if (code == 10 && length == 4) {
      PutLe32(stamped, systemAt + at + 4, 0x0badf00d);
      stampedRecord = true;
    }
    at += 4 + length;
  }
  EXPECT_TRUE(stampedRecord);
  const QString path = Write(dir, QStringLiteral("stamped.chm"), stamped);
  ChmFile stamp;
  ASSERT_TRUE(stamp.ClearTimestamps(path)) << stamp.errorString().toStdString();
  EXPECT_EQ(ReadAll(path), original);
  EXPECT_FALSE(stamp.ClearTimestamps(dir.filePath(QStringLiteral("none.chm"))));
  EXPECT_FALSE(stamp.errorString().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Where the topic shown first comes from.

TEST(ChmFileTest, DefaultTopicFallsBackThroughContentsAndUsualNames) {
  QTemporaryDir dir;
  const QByteArray hhc =
      "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"A\">"
      "<param name=\"Local\" value=\"topics/first.htm#top\"></object></ul>";

  struct Case {
    const char* what;
    std::vector<std::pair<QByteArray, QByteArray>> objects;
    QString expected;
  } cases[] = {
      {"system default topic",
       {{"/#SYSTEM", SystemData({{2, "Main.HTM\0"}})}, {"/main.htm", kPage}, {"/index.htm", kPage}},
       QStringLiteral("/main.htm")},
      {"named topic missing: contents",
       {{"/#SYSTEM", SystemData({{2, QByteArray("gone.htm\0", 9)}, {0, "toc.hhc"}})},
        {"/toc.hhc", hhc},
        {"/topics/first.htm", kPage},
        {"/index.htm", kPage}},
       QStringLiteral("/topics/first.htm")},
      {"contents without system data",
       {{"/toc.hhc", hhc}, {"/topics/first.htm", kPage}},
       QStringLiteral("/topics/first.htm")},
      {"usual name", {{"/a.htm", kPage}, {"/Default.htm", kPage}}, QStringLiteral("/Default.htm")},
      {"first page", {{"/pic.png", PngBytes(2, 2)}, {"/b.html", kPage}}, QStringLiteral("/b.html")},
      {"no page at all", {{"/pic.png", PngBytes(2, 2)}}, QString()},
  };
  for (const Case& c : cases) {
    ChmFile chm;
    ASSERT_TRUE(chm.open(Write(dir, QStringLiteral("fallback.chm"), SimpleChm(c.objects)))) << c.what;
    EXPECT_EQ(chm.defaultTopic(), c.expected) << c.what;
  }
}

TEST(ChmFileTest, BrokenSystemDataKeepsWhatCameBefore) {
  QTemporaryDir dir;
  QByteArray system = SystemData({{4, Language(0x419)}, {3, "\xd1\xef\xf0\xe0\xe2\xea\xe0"}, {2, "main.htm"}});
  system[system.size() - 8 - 2] = char(0xff);  // the topic record claims more than there is
  system[system.size() - 8 - 1] = char(0xff);
  ChmFile chm;
  ASSERT_TRUE(chm.open(Write(dir, QStringLiteral("sys.chm"),
                             SimpleChm({{"/#SYSTEM", system}, {"/main.htm", kPage}, {"/index.htm", kPage}}))));
  EXPECT_EQ(chm.languageId(), 0x419u);
  EXPECT_EQ(chm.title(), QStringLiteral("Справка"));  // windows-1251 by the language
  EXPECT_EQ(chm.defaultTopic(), QStringLiteral("/index.htm"));

  // The demo file with its first system record claiming 64 KiB: still opens, on its contents.
  QByteArray demo = ReadAll(kDemo);
  ChmFile original;
  ASSERT_TRUE(original.open(kDemo));
  const qsizetype at = demo.indexOf(original.read(QStringLiteral("/#SYSTEM")).value_or(QByteArray("?")));
  ASSERT_GT(at, 0);
  demo[at + 6] = char(0xff);
  demo[at + 7] = char(0xff);
  ChmFile damaged;
  ASSERT_TRUE(damaged.open(Write(dir, QStringLiteral("demo-sys.chm"), demo))) << damaged.errorString().toStdString();
  EXPECT_TRUE(damaged.title().isEmpty());
  EXPECT_EQ(damaged.defaultTopic(), QStringLiteral("/index.htm"));
}

// ---------------------------------------------------------------------------------------------
// Damaged and hostile files fail with a reason, without hanging or reading out of bounds.

TEST(ChmFileTest, UnreadableAndForeignFilesAreRefused) {
  QTemporaryDir dir;
  ChmFile chm;
  EXPECT_FALSE(chm.open(dir.filePath(QStringLiteral("missing.chm"))));
  EXPECT_TRUE(chm.errorString().contains(QStringLiteral("missing.chm")));
  EXPECT_FALSE(chm.isOpen());
  EXPECT_FALSE(chm.read(QStringLiteral("/index.htm")).has_value());

  QRandomGenerator random(20240611);
  for (const int size : {0, 7, 0x60, 4096, 100000}) {
    QByteArray noise(size, '\0');
    for (char& c : noise) c = char(random.bounded(256));
    EXPECT_FALSE(chm.open(Write(dir, QStringLiteral("noise.chm"), noise))) << size;
    EXPECT_FALSE(chm.errorString().isEmpty());
  }
  const QByteArray demo = ReadAll(kDemo);
  for (const qsizetype length :
       {qsizetype(0x20), qsizetype(0x60), qsizetype(0x100), demo.size() / 2, demo.size() - 1}) {
    EXPECT_FALSE(chm.open(Write(dir, QStringLiteral("cut.chm"), demo.left(length)))) << length;
    EXPECT_FALSE(chm.errorString().isEmpty());
  }
}

TEST(ChmFileTest, DirectoriesThatWouldLeadChmlibAstrayAreRefused) {
  QTemporaryDir dir;
  const std::vector<DirEntry> one = {{"/index.htm", 0, 0, quint64(kPage.size())}};
  QByteArray pastPage = ListingPage(one);
  PutLe32(pastPage, 4, 0);  // no free space: the zero padding is read as entries that run off the page
  QByteArray longName = ListingPage({{QByteArray(600, 'a'), 0, 0, 1}});
  struct Case {
    const char* what;
    QByteArray file;
    const char* reason;
  } cases[] = {
      {"index page pointing at itself", Container({IndexPage({{"/", 0}}), ListingPage(one)}, 0, 1, kPage), "loop"},
      {"index pages pointing at each other",
       Container({IndexPage({{"/", 1}}), IndexPage({{"/", 0}}), ListingPage(one)}, 0, 2, kPage), "loop"},
      {"listing chain coming back", Container({ListingPage(one, 0)}, -1, 0, kPage), "loop"},
      {"child page outside the directory", Container({IndexPage({{"/", 9}}), ListingPage(one)}, 0, 1, kPage),
       "outside"},
      {"root outside the directory", Container({ListingPage(one)}, 5, 0, kPage), "outside"},
      {"entries running off the page", Container({pastPage}, -1, 0, kPage), "page 0"},
      {"name longer than chmlib allows", Container({longName}, -1, 0, kPage), "page 0"},
      {"unknown content section", Container({ListingPage({{"/index.htm", 7, 0, 1}})}, -1, 0, kPage), "section"},
  };
  for (const Case& c : cases) {
    ChmFile chm;
    EXPECT_FALSE(chm.open(Write(dir, QStringLiteral("dir.chm"), c.file))) << c.what;
    EXPECT_TRUE(chm.errorString().contains(QLatin1String(c.reason)))
        << c.what << ": " << chm.errorString().toStdString();
  }
  // Sound index and listing pages, as a compiler writes them for a larger file.
  ChmFile chm;
  ASSERT_TRUE(
      chm.open(Write(dir, QStringLiteral("ok.chm"), Container({IndexPage({{"/", 1}}), ListingPage(one)}, 0, 1, kPage))))
      << chm.errorString().toStdString();
  EXPECT_EQ(chm.read(QStringLiteral("/INDEX.htm")), kPage);
}

TEST(ChmFileTest, ObjectsClaimingTooMuchAreNotRead) {
  QTemporaryDir dir;
  const QByteArray file = Container({ListingPage({{"/index.htm", 0, 0, quint64(kPage.size())},
                                                  {"/huge.htm", 0, 0, quint64(1) << 40},
                                                  {"/big.htm", 0, 0, quint64(ChmFile::kMaxObjectSize) + 1},
                                                  {"/beyond.htm", 0, 1000000, 10},
                                                  {"/packed.htm", 1, 0, 10}})},
                                    -1, 0, kPage);
  ChmFile chm;
  ASSERT_TRUE(chm.open(Write(dir, QStringLiteral("claims.chm"), file))) << chm.errorString().toStdString();
  EXPECT_EQ(chm.read(QStringLiteral("/index.htm")), kPage);
  for (const char* name : {"/huge.htm", "/big.htm", "/beyond.htm", "/packed.htm"}) {
    EXPECT_FALSE(chm.read(QLatin1String(name)).has_value()) << name;
    EXPECT_TRUE(chm.errorString().contains(QLatin1String(name))) << name;
  }
}

TEST(ChmFileTest, FileRewrittenWhileOpenIsNotRead) {
  // chmlib goes back to the file for its compression tables: once the file has changed, the
  // tables checked on opening no longer hold, so nothing more is read until it is reopened.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Catalog.chm"));
  ASSERT_TRUE(QFile::copy(kDemo, path));
  ChmFile chm;
  ASSERT_TRUE(chm.open(path));
  ASSERT_TRUE(chm.read(QStringLiteral("/index.htm")).has_value());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write(QByteArray(100, 'x'));
  file.close();
  EXPECT_FALSE(chm.read(QStringLiteral("/index.htm")).has_value());
  EXPECT_TRUE(chm.errorString().contains(QStringLiteral("changed")));
  ASSERT_TRUE(chm.open(path));
  EXPECT_TRUE(chm.read(QStringLiteral("/index.htm")).has_value());
}

TEST(ChmFileTest, DamagedCompressionTablesAreRefused) {
  // The demo file's compression control data, then its reset table, spoiled field by field.
  const QByteArray demo = ReadAll(kDemo);
  ChmFile original;
  ASSERT_TRUE(original.open(kDemo));
  const QByteArray control =
      original.read(QStringLiteral("::DataSpace/Storage/MSCompressed/ControlData")).value_or(QByteArray());
  const QByteArray reset = original
                               .read(QStringLiteral("::DataSpace/Storage/MSCompressed/Transform/"
                                                    "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable"))
                               .value_or(QByteArray());
  ASSERT_GE(control.size(), 0x18);
  ASSERT_GE(reset.size(), 0x30);
  const qsizetype controlAt = demo.indexOf(control);
  const qsizetype resetAt = demo.indexOf(reset);
  ASSERT_GT(controlAt, 0);
  ASSERT_GT(resetAt, 0);

  QTemporaryDir dir;
  struct Spoil {
    const char* what;
    qsizetype at;
    quint32 value;
  } spoils[] = {
      {"window size 0", controlAt + 0x10, 0},
      {"window size not a power of two", controlAt + 0x10, 3},
      {"no restarts", controlAt + 0x14, 0},
      {"reset interval 0", controlAt + 0x0c, 0},
      {"reset table version", resetAt, 1},
      {"no blocks", resetAt + 4, 0},
      {"table past its object", resetAt + 4, 0x01000000},
      {"block length 0", resetAt + 0x20, 0},
      {"compressed length past the content", resetAt + 0x18, 0x7fffffff},
      {"block start past the end", resetAt + 0x28 + 8, 0x7fffffff},
  };
  for (const Spoil& s : spoils) {
    QByteArray bad = demo;
    PutLe32(bad, s.at, s.value);
    ChmFile chm;
    EXPECT_FALSE(chm.open(Write(dir, QStringLiteral("lzx.chm"), bad))) << s.what;
    EXPECT_FALSE(chm.errorString().isEmpty()) << s.what;
  }
}

TEST(ChmFileTest, RandomlyDamagedCopiesNeverCrash) {
  // Bytes of the demo file flipped at random: opening and reading everything either works or
  // fails with a reason. Run under the sanitizers this catches reads past buffers.
  const QByteArray demo = ReadAll(kDemo);
  ASSERT_FALSE(demo.isEmpty());
  QTemporaryDir dir;
  QRandomGenerator random(77);
  int opened = 0;
  for (int round = 0; round < 150; ++round) {
    QByteArray bad = demo;
    const int flips = 1 + int(random.bounded(8));
    for (int i = 0; i < flips; ++i) bad[qsizetype(random.bounded(quint32(bad.size())))] = char(random.bounded(256));
    ChmFile chm;
    if (!chm.open(Write(dir, QStringLiteral("fuzz.chm"), bad))) {
      EXPECT_FALSE(chm.errorString().isEmpty());
      continue;
    }
    ++opened;
    for (const QString& path : chm.objectPaths()) {
      const auto data = chm.read(path);
      if (data)
        EXPECT_LE(data->size(), ChmFile::kMaxObjectSize);
      else
        EXPECT_FALSE(chm.errorString().isEmpty());
    }
  }
  EXPECT_GT(opened, 0);  // flips in page contents leave the file readable
}

// ---------------------------------------------------------------------------------------------
// Text decoding.

TEST(HelpTextTest, DeclaredCharsetThenUtf8ThenFallback) {
  QStringEncoder to1251("windows-1251");
  ASSERT_TRUE(to1251.isValid());
  const QString russian = QStringLiteral("Перечень запасных частей — «Стрела»");
  const QByteArray cp1251 = to1251.encode(russian);
  const QByteArray meta = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">";
  EXPECT_TRUE(DecodeHelpText(meta + cp1251, "utf-8").contains(russian));
  EXPECT_TRUE(DecodeHelpText("<meta charset=\"utf-8\">" + russian.toUtf8(), "windows-1252").contains(russian));
  EXPECT_TRUE(
      DecodeHelpText("@charset \"windows-1251\"; p { content: \"" + cp1251 + "\" }", "utf-8").contains(russian));
  // Undeclared: valid UTF-8 is taken as such, anything else is the file's code page.
  EXPECT_EQ(DecodeHelpText(russian.toUtf8(), "windows-1251"), russian);
  EXPECT_EQ(DecodeHelpText(cp1251, "windows-1251"), russian);
  // A byte-order mark wins over everything.
  QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
  EXPECT_EQ(DecodeHelpText(toUtf16.encode(russian), "windows-1251"), russian);
  // A UTF-16 declaration on 8-bit text, or an unknown charset, does not garble it.
  EXPECT_EQ(DecodeHelpText("<meta charset=\"utf-16\">" + russian.toUtf8(), "windows-1251"),
            QStringLiteral("<meta charset=\"utf-16\">") + russian);
  EXPECT_TRUE(DecodeHelpText("<meta charset=\"x-no-such\">" + cp1251, "windows-1251").contains(russian));
  EXPECT_EQ(CodepageForLanguage(0x419), QByteArray("windows-1251"));
  EXPECT_EQ(CodepageForLanguage(0x409), QByteArray("windows-1252"));
}

// ---------------------------------------------------------------------------------------------
// Finding the help file.

TEST(FindHelpFileTest, InTheCatalogueFolderNeverTheWorkingDirectory) {
  QTemporaryDir work, catalogue;
  Write(work, QStringLiteral("Catalog.chm"), "y");  // the working directory's is never taken
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(work.path()));
  const QString own = QDir(catalogue.path()).absoluteFilePath(QStringLiteral("Catalog.chm"));
  EXPECT_EQ(FindHelpFile(QStringLiteral("Catalog.chm"), catalogue.path()), own);  // there or not
  Write(catalogue, QStringLiteral("Catalog.chm"), "x");
  EXPECT_EQ(FindHelpFile(QStringLiteral("Catalog.chm"), catalogue.path()), own);
  EXPECT_EQ(FindHelpFile(own, QString()), own);
  EXPECT_TRUE(FindHelpFile(QStringLiteral("Catalog.chm"), QString()).isEmpty());
  EXPECT_TRUE(FindHelpFile(QString(), catalogue.path()).isEmpty());
  ASSERT_TRUE(QDir::setCurrent(saved));
}

TEST(HelpViewerTest, ShowsTheDefaultTopicWithPicturesAndStyle) {
  ASSERT_TRUE(HelpViewer::Available());
  HelpViewer viewer;
  ASSERT_TRUE(viewer.ShowDefaultTopic(kDemo)) << viewer.errorString().toStdString();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_TRUE(viewer.isWindow());
  EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Каталог запасных частей — справка"));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/index.htm"));
  EXPECT_TRUE(viewer.documentText().contains(QStringLiteral("Каталог запасных частей")));
  EXPECT_TRUE(viewer.documentText().contains(QStringLiteral("Перечень запасных частей")));

  const auto images = PageImages(viewer.browser());
  ASSERT_GE(images.size(), 2u);  // the SVG banner, the icons, the PNG note sign
  for (const QImage& image : images) {
    EXPECT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 0);
  }
  // The style sheet is loaded and its heading colour applied (Qt draws headings black without it).
  const QVariant css =
      viewer.browser()->document()->resource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("style.css")));
  EXPECT_TRUE(css.toString().contains(QStringLiteral("h1")));
  const QTextBlock heading = FirstHeading(viewer.browser()->document());
  ASSERT_TRUE(heading.isValid());
  EXPECT_NE(heading.charFormat().foreground().color(), QColor(Qt::black));
  EXPECT_TRUE(heading.charFormat().foreground().style() != Qt::NoBrush);

  EXPECT_FALSE(viewer.backAction()->isEnabled());
  EXPECT_FALSE(viewer.forwardAction()->isEnabled());
  EXPECT_TRUE(viewer.contentsAction()->isEnabled());
}

TEST(HelpViewerTest, LinksBackForwardAndContents) {
  HelpViewer viewer;
  ASSERT_TRUE(viewer.ShowDefaultTopic(kDemo));
  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("main_window.htm")));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/main_window.htm"));
  EXPECT_TRUE(viewer.documentText().contains(QStringLiteral("Главное окно")));
  EXPECT_FALSE(PageImages(viewer.browser()).empty());
  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("drawings.htm")));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/drawings.htm"));

  ASSERT_TRUE(viewer.backAction()->isEnabled());
  viewer.backAction()->trigger();
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/main_window.htm"));
  viewer.backAction()->trigger();
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/index.htm"));
  EXPECT_FALSE(viewer.backAction()->isEnabled());
  ASSERT_TRUE(viewer.forwardAction()->isEnabled());
  viewer.forwardAction()->trigger();
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/main_window.htm"));

  viewer.contentsAction()->trigger();
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/index.htm"));
  EXPECT_TRUE(viewer.documentText().contains(QStringLiteral("Разделы справки")));

  // A link to a topic the file lacks shows a page saying so.
  viewer.browser()->setSource(QUrl(QStringLiteral("missing.htm")));
  EXPECT_TRUE(viewer.documentText().contains(QStringLiteral("missing.htm")));
}

TEST(HelpViewerTest, RepeatedCallsReuseTheWindowAndReturnToTheDefaultTopic) {
  QTemporaryDir dir;
  const QString copy = dir.filePath(QStringLiteral("Catalog.chm"));
  ASSERT_TRUE(QFile::copy(kDemo, copy));
  HelpViewer viewer;
  ASSERT_TRUE(viewer.ShowDefaultTopic(copy));
  const ChmFile* first = viewer.helpFile();
  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("contacts.htm")));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/contacts.htm"));
  viewer.resize(500, 400);  // the user's size is kept

  ASSERT_TRUE(viewer.ShowDefaultTopic(copy));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/index.htm"));
  EXPECT_EQ(viewer.helpFile(), first);  // not opened again
  EXPECT_EQ(viewer.size(), QSize(500, 400));
  EXPECT_TRUE(viewer.backAction()->isEnabled());  // the history goes on

  // The same name, but the file changed on disk: opened afresh, history started anew.
  QFile::remove(copy);
  QByteArray changed = ReadAll(kDemo);
  changed.append(QByteArray(512, '\0'));
  Write(dir, QStringLiteral("Catalog.chm"), changed);
  ASSERT_TRUE(viewer.ShowDefaultTopic(copy)) << viewer.errorString().toStdString();
  EXPECT_NE(viewer.helpFile(), first);
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/index.htm"));
  EXPECT_FALSE(viewer.backAction()->isEnabled());
}

TEST(HelpViewerTest, MissingOrBrokenFilesShowNothing) {
  QTemporaryDir dir;
  QByteArray noise(5000, '\0');
  QRandomGenerator random(5);
  for (char& c : noise) c = char(random.bounded(256));
  const QByteArray demo = ReadAll(kDemo);
  const QString files[] = {
      dir.filePath(QStringLiteral("missing.chm")),
      Write(dir, QStringLiteral("noise.chm"), noise),
      Write(dir, QStringLiteral("cut.chm"), demo.left(demo.size() * 2 / 3)),
      Write(dir, QStringLiteral("loop.chm"), Container({IndexPage({{"/", 0}})}, 0, 0, "x")),
      Write(dir, QStringLiteral("nopage.chm"), SimpleChm({{"/pic.png", PngBytes(2, 2)}})),
      dir.path(),
#ifndef _WIN32
      dir.filePath(QStringLiteral("fifo.chm")),  // refused at once, not waited on
#endif
  };
#ifndef _WIN32
  ASSERT_EQ(mkfifo(QFile::encodeName(files[6]).constData(), 0600), 0);
#endif
  for (const QString& file : files) {
    HelpViewer viewer;
    EXPECT_FALSE(viewer.ShowDefaultTopic(file)) << file.toStdString();
    EXPECT_FALSE(viewer.errorString().isEmpty());
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_FALSE(AnyHelpWindowShown()) << file.toStdString();  // no window, no message box
  }
  // A failure leaves a window already showing help as it was.
  HelpViewer viewer;
  ASSERT_TRUE(viewer.ShowDefaultTopic(kDemo));
  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("basket.htm")));
  EXPECT_FALSE(viewer.ShowDefaultTopic(files[2]));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/basket.htm"));
  EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Каталог запасных частей — справка"));
}

TEST(HelpViewerTest, OutsideLinksGoToTheOpenerAndLocalFilesAreNotRead) {
  HelpViewer viewer;
  std::vector<QUrl> opened;
  viewer.setUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  ASSERT_TRUE(viewer.ShowDefaultTopic(kDemo));
  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("contacts.htm")));
  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("mailto:sales@krantek.ru")));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:sales@krantek.ru")));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/contacts.htm"));

  viewer.browser()->setSource(QUrl(QStringLiteral("https://example.org/catalog")));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].scheme(), QStringLiteral("https"));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/contacts.htm"));

  // A help file cannot show or start local files.
  QTemporaryDir dir;
  const QString secret = Write(dir, QStringLiteral("secret.htm"), "<html><body>secret</body></html>");
  viewer.browser()->setSource(QUrl::fromLocalFile(secret));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/contacts.htm"));
  EXPECT_EQ(opened.size(), 2u);
  EXPECT_FALSE(viewer.browser()
                   ->loadResource(QTextDocument::HtmlResource, QUrl::fromLocalFile(secret))
                   .toString()
                   .contains(QStringLiteral("secret</")));
  EXPECT_EQ(
      viewer.browser()->loadResource(QTextDocument::ImageResource, QUrl::fromLocalFile(secret)).value<QImage>().width(),
      1);
}

// A page the window would take seconds to lay out shows why instead, and the pages beside it
// still show; a mail link's attachment is dropped before the mail program sees it.
TEST(HelpViewerTest, HeavyPagesShowANoticeAndMailLinksLoseAttachments) {
  QString nested;
  for (int i = 0; i < 25; ++i) nested += QStringLiteral("<table><tr><td>");
  const QString start = QStringLiteral(
      "<html><body><a href=\"heavy.htm\">heavy</a> <a href=\"deep.htm\">deep</a> "
      "<a href=\"mailto:a@b.ru?subject=x&amp;attach=/etc/passwd&amp;Attachment=y&amp;body=z\">mail</a>"
      "</body></html>");
  QTemporaryDir dir;
  const QString file = Write(
      dir, QStringLiteral("heavy.chm"),
      SimpleChm({{"/#SYSTEM", SystemData({{2, "start.htm"}})},
                 {"/start.htm", start.toUtf8()},
                 {"/heavy.htm", ("<html><body>" + nested + "x</body></html>").toUtf8()},
                 {"/deep.htm", "<html><body>" + QByteArray(300000, ' ').replace(' ', "<div>") + "</body></html>"}}));
  HelpViewer viewer;
  std::vector<QUrl> opened;
  viewer.setUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  ASSERT_TRUE(viewer.ShowDefaultTopic(file)) << viewer.errorString().toStdString();
  for (const char* page : {"heavy.htm", "deep.htm"}) {
    ASSERT_TRUE(ClickLink(viewer.browser(), QString::fromLatin1(page))) << page;
    EXPECT_TRUE(viewer.documentText().startsWith(QStringLiteral("Раздел не показан"))) << page;
    viewer.backAction()->trigger();
  }
  ASSERT_TRUE(
      ClickLink(viewer.browser(), QStringLiteral("mailto:a@b.ru?subject=x&attach=/etc/passwd&Attachment=y&body=z")));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:a@b.ru?subject=x&body=z")));
}

TEST(HelpViewerTest, RelativeLinksPicturesAndDeclaredCharsetInSubfolders) {
  // Topics in folders, pictures and styles reached with "..", a page in windows-1251, a link
  // in the form HTML Help writes between files.
  QStringEncoder to1251("windows-1251");
  const QByteArray start =
      "<html><head><link rel=\"stylesheet\" href=\"../css/s.css\"></head><body><h1>Start</h1>"
      "<p><img src=\"../pics/p.png\"> <a href=\"sub/next.htm\">next</a></p></body></html>";
  const QByteArray next =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head><body><p>" +
      QByteArray(to1251.encode(QStringLiteral("Опорно-поворотное устройство"))) +
      "</p><a href=\"mk:@MSITStore:Other.chm::/topics/start.htm\">home</a></body></html>";
  const QByteArray big = PngBytes(HelpBrowser::kMaxImageSide * 2, 16);
  QTemporaryDir dir;
  const QString file = Write(dir, QStringLiteral("sub.chm"),
                             SimpleChm({{"/#SYSTEM", SystemData({{2, "topics/start.htm"}})},
                                        {"/topics/start.htm", start},
                                        {"/topics/sub/next.htm", next},
                                        {"/css/s.css", "h1 { color: #00aa00 }"},
                                        {"/pics/p.png", big}}));
  HelpViewer viewer;
  ASSERT_TRUE(viewer.ShowDefaultTopic(file)) << viewer.errorString().toStdString();
  EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Справка"));  // the file has no title
  const auto images = PageImages(viewer.browser());
  ASSERT_EQ(images.size(), 1u);
  EXPECT_LE(images[0].width(), HelpBrowser::kMaxImageSide);  // drawn smaller, not allocated in full
  EXPECT_GT(images[0].height(), 0);
  EXPECT_EQ(FirstHeading(viewer.browser()->document()).charFormat().foreground().color(), QColor(0x00, 0xaa, 0x00));

  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("sub/next.htm")));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/sub/next.htm"));
  EXPECT_TRUE(viewer.documentText().contains(QStringLiteral("Опорно-поворотное устройство")));
  ASSERT_TRUE(ClickLink(viewer.browser(), QStringLiteral("mk:@MSITStore:Other.chm::/topics/start.htm")));
  EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/topics/start.htm"));
}

// Every way out of the help file stays shut: ".." above the file's root, absolute paths and
// file: addresses, for links, pictures and style sheets, whatever the working directory holds.
TEST(HelpViewerTest, LinksAndPicturesNeverLeaveTheHelpFile) {
  QTemporaryDir outside;
  const QString secretPage = Write(outside, QStringLiteral("secret.htm"), "<html><body>SECRET PAGE</body></html>");
  const QString secretPicture = Write(outside, QStringLiteral("secret.png"), PngBytes(40, 30));
  Write(outside, QStringLiteral("here.png"), PngBytes(50, 20));
  const QString secretStyle = Write(outside, QStringLiteral("s.css"), "h1 { color: #ff0000 }");
  const QString up = QStringLiteral("../../../../../../../..") + QFileInfo(secretPage).absoluteFilePath();
  const QString page =
      QStringLiteral(
          "<html><head><link rel=\"stylesheet\" href=\"%1\"></head><body><h1>Start</h1><p>"
          "<a href=\"%2\">up</a> <a href=\"%3\">absolute</a> <a href=\"%4\">file</a> "
          "<img src=\"%5\"><img src=\"%6\"><img src=\"here.png\"><img src=\"../../../../..%6\"></p></body></html>")
          .arg(QUrl::fromLocalFile(secretStyle).toString(), up, secretPage, QUrl::fromLocalFile(secretPage).toString(),
               QUrl::fromLocalFile(secretPicture).toString(), secretPicture);
  QTemporaryDir dir;
  const QString file =
      Write(dir, QStringLiteral("out.chm"),
            SimpleChm({{"/#SYSTEM", SystemData({{2, "topics/start.htm"}})}, {"/topics/start.htm", page.toUtf8()}}));
  const auto restore = qScopeGuard([before = QDir::currentPath()] { QDir::setCurrent(before); });
  QDir::setCurrent(outside.path());  // the working directory holds here.png
  HelpViewer viewer;
  std::vector<QUrl> opened;
  viewer.setUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  ASSERT_TRUE(viewer.ShowDefaultTopic(file)) << viewer.errorString().toStdString();
  viewer.browser()->viewport()->grab();  // the pictures are drawn
  for (const QImage& image : PageImages(viewer.browser())) EXPECT_LE(image.width(), 1) << "a picture from outside";
  EXPECT_NE(FirstHeading(viewer.browser()->document()).charFormat().foreground().color(), QColor(0xff, 0, 0));
  for (const QString& href : {up, secretPage, QUrl::fromLocalFile(secretPage).toString()}) {
    SCOPED_TRACE(href.toStdString());
    ASSERT_TRUE(ClickLink(viewer.browser(), href));
    EXPECT_FALSE(viewer.documentText().contains(QStringLiteral("SECRET")));
    EXPECT_TRUE(viewer.documentText().contains(QStringLiteral("Раздел не найден")) ||
                viewer.currentTopic() == QStringLiteral("/topics/start.htm"));
    viewer.browser()->setSource(viewer.browser()->topicUrl(QStringLiteral("/topics/start.htm")));
  }
  EXPECT_TRUE(opened.empty());
}
