#include "support/window_fixture.h"

namespace {

bool Clear(QRgb pixel) { return qAlpha(pixel) == 0; }

class CaptionButtonTest : public WindowTest {
 protected:
  void SetUp() override { OpenStandard(); }
  static QImage Face(TLeImage* button) { return button->picture().image(); }
  // The darkest grey level among the pixels of a rectangle, as they look on white.
  static int Darkest(const QImage& img, QRect r) {
    int darkest = 255;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) {
        const QRgb p = img.pixel(x, y);
        darkest = std::min(darkest, (qGray(p) * qAlpha(p) + 255 * (255 - qAlpha(p))) / 255);
      }
    return darkest;
  }
};

TEST_F(CaptionButtonTest, RestingLookIsTheWordOnAClearFaceWithTheRestingIcon) {
  const QImage face = Face(probe().liMail());
  ASSERT_EQ(face.size(), QSize(80, 36));
  EXPECT_TRUE(Clear(face.pixel(0, 0)));
  EXPECT_TRUE(Clear(face.pixel(1, 1)));  // no frame
  EXPECT_TRUE(Clear(face.pixel(79, 35)));
  EXPECT_LT(Darkest(face, QRect(36, 7, 40, 20)), 60);  // a black word at (36, 7)
  EXPECT_EQ(Darkest(face, QRect(0, 0, 34, 36)), 255);  // nothing over the icon
  EXPECT_LT(LongestDarkRun(face, QRect(36, 7, 44, 22)), 20);
  EXPECT_EQ(probe().liEmail()->picture().image(), probe().Image(17)->picture().image());
  // Only the word and the icon's drawing show.
  EXPECT_EQ(qAlpha(probe().liMail()->DisplayedImage().pixel(10, 10)), 0);
  EXPECT_EQ(qAlpha(probe().liEmail()->DisplayedImage().pixel(0, 31)), 0);
}

TEST_F(CaptionButtonTest, HoverDrawsOnceAndLeaveRestores) {
  TLeImage* b = probe().liMail();
  Move(b);
  EXPECT_EQ(b->tag, 1);
  QImage face = Face(b);
  for (QPoint corner : {QPoint(1, 1), QPoint(1, 35), QPoint(79, 35), QPoint(79, 1)})
    EXPECT_EQ(face.pixel(corner), qRgb(0, 0, 0)) << corner.x() << "," << corner.y();
  EXPECT_TRUE(Clear(face.pixel(0, 0)));
  EXPECT_TRUE(Clear(face.pixel(40, 30)));                     // inside the frame
  EXPECT_GT(LongestDarkRun(face, QRect(36, 8, 43, 26)), 30);  // the underline
  EXPECT_EQ(probe().liEmail()->picture().image(), probe().Image(16)->picture().image());

  const qint64 drawn = b->picture().image().cacheKey();
  Move(b, QPoint(5, 5));
  Move(b, QPoint(60, 20));
  EXPECT_EQ(b->picture().image().cacheKey(), drawn);  // later moves draw nothing

  Leave(b);
  EXPECT_EQ(b->tag, 0);
  face = Face(b);
  EXPECT_TRUE(Clear(face.pixel(1, 1)));
  EXPECT_LT(LongestDarkRun(face, QRect(36, 8, 43, 26)), 20);
  EXPECT_EQ(probe().liEmail()->picture().image(), probe().Image(17)->picture().image());
  const qint64 rested = b->picture().image().cacheKey();
  Leave(b);  // leaving with flag 0 draws nothing
  EXPECT_EQ(b->picture().image().cacheKey(), rested);
}

TEST_F(CaptionButtonTest, DisabledLookIsAGreyWordAndGreyIconAndIgnoresThePointer) {
  TLeImage* b = probe().leiWord();
  ASSERT_FALSE(b->isEnabled());
  QImage face = Face(b);
  const int greyDarkest = Darkest(face, QRect(36, 7, 40, 20));
  EXPECT_GE(greyDarkest, 100);
  EXPECT_LE(greyDarkest, 140);
  EXPECT_EQ(probe().liWord()->picture().image(), probe().Image(9)->picture().image());
  const qint64 before = b->picture().image().cacheKey();
  Move(b);
  EXPECT_EQ(b->tag, 0);
  EXPECT_EQ(b->picture().image().cacheKey(), before);
  // The same word in the same place once enabled, now black.
  ClickAt(Plate(0));
  ClickAt(QPoint(304, 204));  // part 12 with its orderable item 121
  Click(probe().liZakaz());
  face = Face(b);
  EXPECT_LT(Darkest(face, QRect(36, 7, 40, 20)), 60);
  EXPECT_EQ(probe().liWord()->picture().image(), probe().Image(18)->picture().image());
}

TEST_F(CaptionButtonTest, ButtonDisabledWhileHoveredKeepsItsFlag) {
  ClickAt(QPoint(560, 70));  // enter section 1
  ASSERT_EQ(probe().FLevel(), 1);
  TLeImage* back = probe().leiBack();
  Move(back);
  ASSERT_EQ(back->tag, 1);
  Click(back);  // back to the root: the button is disabled while hovered
  ASSERT_EQ(probe().FLevel(), 0);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_EQ(back->tag, 1);

  ClickAt(QPoint(560, 70));
  ASSERT_TRUE(back->isEnabled());
  const qint64 resting = back->picture().image().cacheKey();
  Move(back);  // flag still 1: the first movement draws nothing
  EXPECT_EQ(back->picture().image().cacheKey(), resting);
  Leave(back);  // leaving draws the resting look and clears the flag
  EXPECT_EQ(back->tag, 0);
  Move(back);  // the next visit draws the hovered look again
  EXPECT_EQ(back->tag, 1);
  EXPECT_EQ(Face(back).pixel(1, 1), qRgb(0, 0, 0));

  // Home clears its own flag when it goes home.
  Move(probe().lHome());
  ASSERT_EQ(probe().lHome()->tag, 1);
  Click(probe().lHome());
  EXPECT_EQ(probe().FLevel(), 0);
  EXPECT_EQ(probe().lHome()->tag, 0);
}

TEST_F(CaptionButtonTest, CompositionButtonKeepsItsFlagApartFromItsTag) {
  probe().leNext()->tag = 1111;
  probe().leNext()->show();
  Move(probe().leNext());
  EXPECT_EQ(probe().leNext()->helpContext, 1);
  EXPECT_EQ(probe().leNext()->tag, 1111);
  EXPECT_EQ(Face(probe().leNext()).pixel(259, 35), qRgb(0, 0, 0));
  Leave(probe().leNext());
  EXPECT_EQ(probe().leNext()->helpContext, 0);
}

// The words are smoothed against what lies beneath them: over a dark background no pixel of a
// word's place is lighter than both the background and the word's own colour, resting, hovered
// or disabled.
TEST_F(WindowTest, CaptionWordsHaveNoLightFringeOverADarkBackground) {
  MakeStandardCatalogue(cat);
  const QColor dark(30, 30, 60);
  cat.AddPicture(QStringLiteral("Fon2"), 792, 541, dark);
  Open();
  struct Word {
    TLeImage* button;
    int wordGrey;
    bool hover;
  };
  const int background = qGray(dark.rgb());
  for (const Word& w :
       {Word{probe().liMail(), 0, false}, Word{probe().leHelp(), 0, true}, Word{probe().leiWord(), 128, false}}) {
    SCOPED_TRACE(w.button->objectName().toStdString());
    ASSERT_TRUE(w.button->isVisible());
    if (w.hover) Move(w.button);
    const QImage shot = window->grab().toImage();
    const QPoint at = w.button->mapTo(window.get(), QPoint(36, 7));
    const int limit = std::max(background, w.wordGrey) + 12;  // the JPEG's own noise
    int lightest = 0, darkest = 255;
    for (int y = at.y(); y < at.y() + 22; ++y)
      for (int x = at.x(); x < at.x() + w.button->width() - 40; ++x) {
        lightest = std::max(lightest, qGray(shot.pixel(x, y)));
        darkest = std::min(darkest, qGray(shot.pixel(x, y)));
      }
    EXPECT_LE(lightest, limit);
    if (w.wordGrey == 0) {
      EXPECT_LT(darkest, background - 20);  // the word is there
    }
    if (w.hover) Leave(w.button);
  }
}

}  // namespace
