#include <QDir>
#include <QTemporaryDir>

#include "catalogue/check.h"
#include "support/window_fixture.h"

namespace {

using catalogue::RecordData;

class BrowseTest : public WindowTest {
 protected:
  void SetUp() override { MakeStandardCatalogue(cat); }
  QPoint CalloutOf(const RecordData& r) { return QPoint(r.left + 4, r.top + 4); }
  const RecordData& Rec(int id) {
    for (const auto& r : table)
      if (r.id == id) return r;
    throw std::out_of_range("no record");
  }
  std::vector<RecordData> table = StandardTable();
};

// Each click draws the node it enters; back draws the level before exactly as it was.
TEST_F(BrowseTest, EachLevelDrawsItsNodeAndBackDrawsItAgain) {
  auto w = Open();
  std::vector<QImage> shown{window->grab().toImage()};
  // Section 1: its drawing with three callouts of two lines each.
  ASSERT_EQ(ClickAt(Plate(0)), w.ImageLeave(1));
  EXPECT_EQ(w.lbOboz()->Caption(), QStringLiteral("КМ-1"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(w.Callouts()[i]->isVisible(), i < 3);
  EXPECT_EQ(w.Callouts()[0]->Caption(), QStringLiteral("ОБ-11\rДеталь 11"));
  EXPECT_EQ(w.Callouts()[0]->text(), QStringLiteral("ОБ-11\nДеталь 11"));
  EXPECT_EQ(w.Callouts()[0]->pos(), QPoint(100, 120));
  shown.push_back(window->grab().toImage());
  // Callout 11: an orderable assembly, offered with its composition.
  ASSERT_EQ(ClickAt(CalloutOf(Rec(11))), w.Callouts()[0]);
  EXPECT_EQ(w.lbNaim()->Caption(), QStringLiteral("Деталь 11"));
  EXPECT_EQ(w.lbMassa()->Caption(), QStringLiteral("11,5"));
  EXPECT_FALSE(w.Callouts()[0]->isVisible());
  EXPECT_TRUE(w.leNext()->isVisible() && w.lNext()->isVisible() && w.liZakaz()->isVisible());
  shown.push_back(window->grab().toImage());
  // The composition: the item record's drawing with its own parts.
  ASSERT_EQ(ClickAt(QPoint(450, 515)), w.leNext());
  EXPECT_EQ(w.Callouts()[1]->tag, 1112);
  EXPECT_TRUE(w.Callouts()[1]->isVisible());
  EXPECT_FALSE(w.leNext()->isVisible() || w.liZakaz()->isVisible());
  // Back: the part, the section, the root.
  for (int level = 2; level >= 0; --level) {
    ASSERT_EQ(ClickAt(QPoint(620, 515)), w.leiBack());
    EXPECT_EQ(window->grab().toImage(), shown[static_cast<std::size_t>(level)]) << "level " << level;
  }
  EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(BrowseTest, HomeFromDepthShowsTheRootAsAtStart) {
  auto w = Open();
  const QImage start = window->grab().toImage();
  ClickAt(Plate(0));
  ClickAt(CalloutOf(Rec(11)));
  Click(w.leNext());
  ASSERT_EQ(w.FLevel(), 3);
  ASSERT_EQ(ClickAt(QPoint(700, 515)), w.lHome());
  EXPECT_EQ(w.FLevel(), 0);
  EXPECT_EQ(w.FDisplayMode(), dmSections);
  EXPECT_FALSE(w.lHome()->isEnabled());
  EXPECT_FALSE(w.leiBack()->isEnabled());
  EXPECT_EQ(w.FPicturePath(), cat.dir() + QStringLiteral("Images\\Fon.jpg"));
  EXPECT_EQ(window->grab().toImage(), start);
  EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(BrowseTest, PlatesShowTheirDataAndNumbersWhereTheyBelong) {
  auto w = Open();
  EXPECT_EQ(w.ImageLeave(1)->hint(), QStringLiteral("Описание 1"));
  EXPECT_EQ(w.ImageLeave(1)->size(), QSize(225, 53));
  // Yellow pixels in the number field tell where a number was drawn.
  auto yellowIn = [](TImageLeave* h, int x0, int x1) {
    const QImage img = h->picture().image();
    int n = 0;
    for (int y = 12; y < 45; ++y)
      for (int x = x0; x <= x1; ++x) {
        const QColor c = img.pixelColor(x, y);
        n += c.red() > 200 && c.green() > 200 && c.blue() < 90;
      }
    return n;
  };
  EXPECT_GT(yellowIn(w.ImageLeave(1), 10, 14), 0);  // 1 (< 10) at x 10
  EXPECT_EQ(yellowIn(w.ImageLeave(1), 4, 8), 0);
  EXPECT_GT(yellowIn(w.ImageLeave(2), 4, 8), 0);     // 12 (> 9) at x 4
  EXPECT_EQ(yellowIn(w.ImageLeave(3), 0, 33), 0);    // 0 draws no number
  EXPECT_GT(yellowIn(w.ImageLeave(3), 35, 120), 0);  // but its texts
  EXPECT_EQ(w.ImageLeave(1)->tag, 0);
}

TEST_F(BrowseTest, SectionWithoutCompositionIsDrawnButDoesNotOpen) {
  auto w = Open();
  TImageLeave* h = w.ImageLeave(4);
  ASSERT_FALSE(h->Sostoit());
  EXPECT_TRUE(h->isVisible());
  EXPECT_EQ(h->hint(), QStringLiteral("Описание 4"));
  const qint64 drawn = h->picture().image().cacheKey();
  MoveAt(Plate(3));
  EXPECT_EQ(h->picture().image().cacheKey(), drawn);
  EXPECT_EQ(h->cursor().shape(), Qt::ArrowCursor);
  ClickAt(Plate(3));
  EXPECT_EQ(w.FLevel(), 0);
}

TEST_F(BrowseTest, HoverRedrawsOncePerEntryAndOncePerLeave) {
  auto w = Open();
  TImageLeave* h = w.ImageLeave(1);
  int redraws = 0;
  qint64 key = h->picture().image().cacheKey();
  auto count = [&] {
    if (h->picture().image().cacheKey() != key) ++redraws;
    key = h->picture().image().cacheKey();
  };
  for (int round = 0; round < 2; ++round) {
    for (int x = 540; x < 740; x += 20) {
      MoveAt(QPoint(x, 80));
      count();
    }
    EXPECT_EQ(h->tag, 1);
    EXPECT_EQ(h->cursor().shape(), Qt::PointingHandCursor);
    Leave(h);
    count();
    EXPECT_EQ(h->tag, 0);
  }
  EXPECT_EQ(redraws, 4);
  EXPECT_EQ(h->picture().image(), [&] {
    w.DrawHotSpot(0);
    return h->picture().image();
  }());
}

TEST_F(BrowseTest, MissingPictureEntersTheLevelWithOneMessage) {
  QFile::remove(cat.path(QStringLiteral("Images/p12.jpg")));
  auto w = Open();
  ClickAt(Plate(0));
  const qint64 shown = w.imMain()->picture().image().cacheKey();
  ClickAt(CalloutOf(Rec(12)));
  EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Ошибка загрузки файла картинки")});
  EXPECT_EQ(w.FLevel(), 2);
  EXPECT_EQ(w.lbOboz()->Caption(), QStringLiteral("ОБ-12"));
  EXPECT_EQ(w.imMain()->picture().image().cacheKey(), shown);
}

TEST_F(BrowseTest, EmptyPictureNameOnASectionReportsTwiceAndStillEnters) {
  auto t = StandardTable();
  t[0].picture.clear();
  cat.WriteTable(t);
  auto w = Open();
  ClickAt(Plate(0));
  EXPECT_EQ(recorder.messages, (QStringList{QStringLiteral("Ошибка загрузки файла картинки"),
                                            QStringLiteral("Ошибка загрузки изображения")}));
  EXPECT_EQ(w.FLevel(), 1);
  EXPECT_EQ(w.FDisplayMode(), dmDrawing);
}

TEST_F(BrowseTest, ANodeWithFortyPartsShowsEveryOne) {
  std::vector<RecordData> t{Section(1, 1, "S1")};
  for (int i = 0; i < 40; ++i) t.push_back(Part(100 + i, 1, i + 1, 10 + (i % 8) * 95, 10 + (i / 8) * 60));
  cat.WriteTable(t);
  auto w = Open();
  ClickAt(Plate(0));
  ASSERT_GE(w.Callouts().size(), 40u);
  for (int i = 0; i < 40; ++i) {
    EXPECT_TRUE(w.Callouts()[i]->isVisible()) << i;
    EXPECT_EQ(w.Callouts()[i]->tag, 100 + i);
  }
  // The further labels behave as the others.
  ASSERT_EQ(ClickAt(QPoint(10 + 7 * 95 + 4, 10 + 4 * 60 + 4)), w.Callouts()[39]);
  EXPECT_EQ(w.lbOboz()->Caption(), QStringLiteral("ОБ-139"));
  Click(w.leiBack());
  EXPECT_TRUE(w.Callouts()[39]->isVisible());
}

TEST_F(BrowseTest, BackToTheRootFindsTheRootPictureFromAnotherWorkingDirectory) {
  QTemporaryDir elsewhere;
  const QString before = QDir::currentPath();
  QDir::setCurrent(elsewhere.path());
  auto w = Open();
  ClickAt(Plate(0));
  Click(w.leiBack());
  QDir::setCurrent(before);
  EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.messages.join('|').toStdString();
  EXPECT_EQ(w.imMain()->picture().width(), 519);
}

TEST_F(BrowseTest, EveryNodeIsReachableAndLeavable) {
  Open();
  // Sections 1, 2, 3, 5 and 7; parts 11, 12, 13, 21 and 22; composition 111 with parts 1111 and 1112.
  EXPECT_EQ(WalkTree(), 13);
  EXPECT_TRUE(recorder.messages.isEmpty());
}

// The program and catalogue-tool check find a picture the same way, whatever alphabet and
// letter case its name and its file are written in.
TEST_F(BrowseTest, ProgramAndCheckerAgreeOnEveryPictureLookup) {
  struct Case {
    const char* picture;  // as the catalogue names it
    const char* file;     // as it lies in Images/, empty: none
  };
  const Case cases[] = {
      {"Fine", "Fine.jpg"}, {"СТРЕЛА", "стрела.jpg"}, {"ÉTÉ", "été.jpg"},       {"ΩMEGA", "ωmega.jpg"},
      {"Ёлка", "ёлка.jpg"}, {"absent", ""},           {"Узел-5", "УЗЕЛ-5.jpg"}, {"x", "X.JPG"}};
  std::vector<RecordData> table = StandardTable();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    RecordData r = Part(9000 + static_cast<int>(i), 13, static_cast<int>(i) + 1);
    r.picture = cases[i].picture;
    table.push_back(r);
    if (!*cases[i].file) continue;
    cat.AddPicture(QStringLiteral("new"));
    ASSERT_TRUE(QFile::rename(cat.path(QStringLiteral("Images/new.jpg")),
                              cat.path(QStringLiteral("Images/") + QString::fromUtf8(cases[i].file))));
  }
  cat.WriteTable(table);
  auto w = Open();
  const auto findings = catalogue::CheckCatalogue(w.ADOQuery().table(), cat.dir().toStdString());
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const QString name = QString::fromUtf8(cases[i].picture);
    SCOPED_TRACE(name.toStdString());
    recorder.messages.clear();
    w.SetPicture(cat.dir() + QStringLiteral("Images\\") + name + QStringLiteral(".jpg"));
    const bool shown = recorder.messages.isEmpty();
    bool missing = false, ignoringCase = false;
    for (const auto& f : findings) {
      if (f.id != 9000 + static_cast<int>(i) || f.what.rfind("picture ", 0) != 0) continue;
      missing = missing || f.what.ends_with("is missing");
      ignoringCase = ignoringCase || f.what.ends_with("found only ignoring letter case");
    }
    EXPECT_EQ(shown, !missing);
    EXPECT_EQ(shown, *cases[i].file != 0);
    EXPECT_EQ(ignoringCase, shown && std::string(cases[i].picture) + ".jpg" != cases[i].file);
  }
}

// A drawing with 200,000 parts: the click comes back, with the first thousand callouts laid
// out and no more widgets than that.
TEST_F(BrowseTest, AHugeDrawingShowsItsFirstThousandParts) {
  std::vector<RecordData> table = StandardTable();
  constexpr int kParts = 200000;
  for (int i = 0; i < kParts; ++i) {
    RecordData r;
    r.id = 100000 + i;
    r.fid = 2;
    r.number = i + 1;
    r.oboz = "Д" + std::to_string(i);
    r.left = i % 700;
    r.top = 40 + i % 400;
    table.push_back(r);
  }
  cat.WriteTable(table);
  auto w = Open();
  const int before = w.form().findChildren<QWidget*>().size();
  ASSERT_EQ(ClickAt(Plate(1)), w.ImageLeave(2));
  EXPECT_EQ(w.FLevel(), 1);
  int shown = 0;
  for (TLabel* l : w.Callouts()) shown += l->isVisible();
  EXPECT_EQ(shown, 1000);
  EXPECT_EQ(w.Callouts()[999]->tag, 100000 + 997);  // after the section's own parts 21 and 22
  EXPECT_LE(w.form().findChildren<QWidget*>().size(), before + 1000);
  ClickAt(QPoint(620, 515));  // back, and in again: the same labels
  ClickAt(Plate(1));
  EXPECT_LE(w.form().findChildren<QWidget*>().size(), before + 1000);
}

}  // namespace
