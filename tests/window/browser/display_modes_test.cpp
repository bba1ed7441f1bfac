#include "controls/tab_control.h"
#include "support/window_fixture.h"

namespace {

class DisplayModeTest : public WindowTest {
 protected:
  void SetUp() override { OpenStandard(); }
  struct Place {
    QWidget* control;
    int left, top;
  };
  static void ExpectPlaces(std::initializer_list<Place> places) {
    for (const Place& p : places)
      EXPECT_EQ(p.control->pos(), QPoint(p.left, p.top)) << p.control->objectName().toStdString();
  }
  static void ExpectVisible(bool visible, std::initializer_list<QWidget*> controls) {
    for (QWidget* c : controls) EXPECT_EQ(c->isVisible(), visible) << c->objectName().toStdString();
  }
};

TEST_F(DisplayModeTest, SectionsModeLayout) {
  auto w = probe();
  ASSERT_EQ(w.FDisplayMode(), dmSections);
  EXPECT_EQ(w.imMain()->geometry(), QRect(2, 100, 519, 346));
  ExpectPlaces({{w.leiBack(), 532, 475},
                {w.lBack(), 534, 477},
                {w.lHome(), 615, 475},
                {w.liHome(), 617, 475},
                {w.liMail(), 14, 480},
                {w.liEmail(), 16, 482},
                {w.leiWord(), 102, 480},
                {w.liWord(), 104, 482},
                {w.leHelp(), 190, 480},
                {w.leiHelp(), 192, 482},
                {w.liZakaz(), 683, 90},
                {w.leiZakaz(), 685, 92},
                {w.leZakazano(), 683, 90},
                {w.leiZakazano(), 683, 90}});
  ExpectVisible(false, {w.lbOboz(), w.lbNaim(), w.lbMassa(), w.lbCount(), w.liZakaz(), w.leiZakaz(), w.leZakazano(),
                        w.leiZakazano(), w.TabControl(), w.leNext(), w.lNext()});
  EXPECT_TRUE(w.lHome()->isVisible());
  EXPECT_FALSE(w.lHome()->isEnabled());
  EXPECT_TRUE(w.leiBack()->isVisible());
  EXPECT_FALSE(w.leiBack()->isEnabled());
  for (TImageLeave* h : w.HotSpots()) EXPECT_TRUE(h->isVisible());
  EXPECT_EQ(w.imFon()->picture().image(), w.Image(14)->picture().image());
  EXPECT_FALSE(w.imMain()->proportional());
}

TEST_F(DisplayModeTest, DrawingModeLayout) {
  auto w = probe();
  ClickAt(QPoint(600, 80));  // section 1
  ASSERT_EQ(w.FDisplayMode(), dmDrawing);
  EXPECT_EQ(w.imMain()->geometry(), QRect(0, 0, 792, 541));
  EXPECT_FALSE(w.imMain()->proportional());
  EXPECT_EQ(w.imMain()->PictureRect(), QRect(0, 0, 792, 541));  // natural size, centred
  ExpectPlaces({{w.leiBack(), 600, 500},
                {w.lBack(), 602, 502},
                {w.lHome(), 683, 500},
                {w.liHome(), 685, 502},
                {w.liMail(), 14, 500},
                {w.liEmail(), 16, 502},
                {w.leiWord(), 102, 500},
                {w.liWord(), 104, 502},
                {w.leHelp(), 190, 500},
                {w.leiHelp(), 192, 502},
                {w.liZakaz(), 683, 90}});  // liZakaz kept
  for (TImageLeave* h : w.HotSpots()) EXPECT_FALSE(h->isVisible());
  EXPECT_FALSE(w.TabControl()->isVisible());
  ExpectVisible(true, {w.lbOboz(), w.lbNaim(), w.lbMassa(), w.lbCount(), w.lHome(), w.liHome()});
  EXPECT_TRUE(w.lHome()->isEnabled());
  EXPECT_TRUE(w.imFon()->picture().isEmpty());
  // Section 1 shows its three parts and no basket button.
  EXPECT_TRUE(w.Callouts()[0]->isVisible());
  EXPECT_FALSE(w.liZakaz()->isVisible());
  EXPECT_FALSE(w.leZakazano()->isVisible());
  // Back at the root, the sections background comes back.
  Click(w.leiBack());
  EXPECT_EQ(w.FDisplayMode(), dmSections);
  EXPECT_EQ(w.imFon()->picture().image(), w.Image(14)->picture().image());
}

TEST_F(DisplayModeTest, ListModeLayout) {
  auto w = probe();
  w.TabControl()->SetTabIndex(10);
  ClickAt(QPoint(600, 380));  // the sixth plate opens the list
  ASSERT_EQ(w.FDisplayMode(), dmList);
  EXPECT_EQ(w.FLevel(), 1);
  EXPECT_EQ(w.imMain()->geometry(), QRect(532, 64, 225, 400));
  EXPECT_TRUE(w.TabControl()->isVisible());
  EXPECT_EQ(w.TabControl()->geometry(), QRect(3, 100, 519, 346));
  EXPECT_FALSE(w.lHome()->isVisible());
  EXPECT_FALSE(w.liHome()->isVisible());
  EXPECT_TRUE(w.leiBack()->isEnabled());
  ExpectPlaces({{w.leiBack(), 532, 475},
                {w.liZakaz(), 615, 475},
                {w.leiZakaz(), 617, 477},
                {w.leZakazano(), 615, 475},
                {w.leiZakazano(), 617, 477}});  // leiBack kept
  for (TImageLeave* h : w.HotSpots()) EXPECT_FALSE(h->isVisible());
  EXPECT_FALSE(w.lbOboz()->isVisible());
  EXPECT_EQ(w.ADOQuery().CurrentFilter(), "VozmPokupka = True");
  EXPECT_TRUE(w.liZakaz()->isVisible());  // the first orderable row is not in the basket
  EXPECT_FALSE(w.leZakazano()->isVisible());
  EXPECT_EQ(w.imFon()->picture().image(), w.Image(14)->picture().image());  // unchanged
  // The row's picture is its View picture (120 x 80), decoded at a quarter.
  EXPECT_EQ(w.imMain()->picture().width(), 30);
  EXPECT_EQ(w.imMain()->picture().height(), 20);
  EXPECT_TRUE(w.imMain()->picture().jpegOptions().quarter);
}

TEST_F(DisplayModeTest, StackingOrderPutsTheListAboveAndTheBackgroundBelow) {
  auto w = probe();
  const QObjectList& kids = w.form().children();
  auto at = [&](QObject* o) { return kids.indexOf(o); };
  EXPECT_LT(at(w.imFon()), at(w.ImageLeave(1)));
  EXPECT_LT(at(w.ImageLeave(7)), at(w.imMain()));
  EXPECT_LT(at(w.imMain()), at(w.Callouts()[0]));
  EXPECT_LT(at(w.lBack()), at(w.leiBack()));  // the icon lies beneath its button
  EXPECT_LT(at(w.leiBack()), at(w.TabControl()));
}

// The details show the node's texts as they are, or nothing (the rules are the model's), at the
// right edge of their labels, the wrapped designation too.
TEST_F(DisplayModeTest, DetailsStandAtTheRightEdge) {
  auto t = StandardTable();
  t[0].massa = "0";
  t[0].count = " 12 ";
  cat.WriteTable(t);
  auto w = Open();
  ClickAt(QPoint(600, 80));  // section 1
  EXPECT_EQ(w.lbOboz()->Caption(), QStringLiteral("КМ-1"));
  EXPECT_EQ(w.lbMassa()->Caption(), QString());
  EXPECT_EQ(w.lbCount()->Caption(), QStringLiteral(" 12 "));
  for (TLabel* l : {w.lbOboz(), w.lbNaim()}) {
    const QImage shot = l->grab().toImage();
    int left = shot.width(), right = -1;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (qAlpha(shot.pixel(x, y)) > 128 && qGray(shot.pixel(x, y)) < 100) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    EXPECT_GT(right, shot.width() - 6) << l->Caption().toStdString();
    EXPECT_GT(left, shot.width() / 2) << l->Caption().toStdString();
  }
}

TEST_F(DisplayModeTest, FailedPictureKeepsThePreviousOne) {
  auto w = probe();
  const qint64 shown = w.imMain()->picture().image().cacheKey();
  const QString missing = cat.dir() + QStringLiteral("Images\\absent.jpg");
  w.SetPicture(missing);
  EXPECT_EQ(recorder.messages, QStringList{QStringLiteral("Ошибка загрузки файла картинки")});
  EXPECT_EQ(w.imMain()->picture().image().cacheKey(), shown);
  // Corrupt and truncated files are failed loads too, without a crash.
  cat.AddFile(QStringLiteral("Images/bad.jpg"), QByteArray("\xFF\xD8\xFF\xE0 garbage", 12));
  w.SetPicture(cat.dir() + QStringLiteral("Images\\bad.jpg"));
  EXPECT_EQ(recorder.messages.size(), 2);
  EXPECT_EQ(w.imMain()->picture().image().cacheKey(), shown);
}

}  // namespace
