// The picture control on a coloured parent: what shows where the picture does and does not
// cover the control, as the picture, its size and its flags change.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include "controls/picture.h"

namespace {

const QColor kBeneath(20, 160, 60);
const QColor kSolid(200, 30, 40);

QImage Solid(int w, int h, QColor c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

class PictureOnParent : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.resize(200, 150);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, kBeneath);
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    image = new TImage(&parent);
    image->setGeometry(10, 10, 100, 80);
    parent.show();
  }
  // The colour on screen at a point of the control, once the window has repainted what changed.
  QColor At(int x, int y) {
    QApplication::processEvents();
    return parent.screen()->grabWindow(parent.winId()).toImage().pixelColor(10 + x, 10 + y);
  }

  QWidget parent;
  TImage* image = nullptr;
};

TEST_F(PictureOnParent, WhatLiesBeneathShowsWhereverThePictureLeavesRoom) {
  image->SetPicture(Picture::FromImage(Solid(100, 80, kSolid)));
  EXPECT_EQ(At(50, 40), kSolid);
  EXPECT_EQ(At(99, 79), kSolid);

  // A smaller picture leaves the rest of the control to the parent.
  image->SetPicture(Picture::FromImage(Solid(40, 30, kSolid)));
  EXPECT_EQ(At(20, 15), kSolid);
  EXPECT_EQ(At(80, 60), kBeneath);

  // So does a control grown past its picture, and a centred picture.
  image->SetPicture(Picture::FromImage(Solid(100, 80, kSolid)));
  image->resize(140, 100);
  EXPECT_EQ(At(120, 90), kBeneath);
  image->resize(100, 80);
  EXPECT_EQ(At(99, 79), kSolid);
  image->SetPicture(Picture::FromImage(Solid(60, 40, kSolid)));
  image->SetCenter(true);
  EXPECT_EQ(At(50, 40), kSolid);
  EXPECT_EQ(At(5, 5), kBeneath);
  image->SetStretch(true);
  EXPECT_EQ(At(5, 5), kSolid);
  image->SetStretch(false);
  EXPECT_EQ(At(5, 5), kBeneath);
}

TEST_F(PictureOnParent, SeeThroughPixelsShowWhatLiesBeneath) {
  // The bottom-left colour is the see-through one in a transparent picture.
  QImage img = Solid(100, 80, kSolid);
  for (int x = 0; x < 100; ++x) img.setPixelColor(x, 79, Qt::white);
  image->SetPicture(Picture::FromImage(img));
  EXPECT_EQ(At(50, 79), QColor(Qt::white));
  image->SetTransparent(true);
  EXPECT_EQ(At(50, 79), kBeneath);
  EXPECT_EQ(At(50, 40), kSolid);

  // A picture with its own alpha channel blends with the parent.
  image->SetTransparent(false);
  QImage clear(100, 80, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  image->SetPicture(Picture::FromImage(clear));
  EXPECT_EQ(At(50, 40), kBeneath);

  image->ClearPicture();
  EXPECT_EQ(At(50, 40), kBeneath);
}

// Counts the paints of a picture control and where it painted the picture.
struct PaintCounter : QObject {
  int paints = 0;
  std::vector<QRect> rects;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      ++paints;
      rects.push_back(static_cast<TImage*>(o)->PictureRect());
    }
    return false;
  }
};

// A progressive file shown in the control, scaled down: every pass, or only the finished
// picture when it decodes within the interval. Either way the control ends with the picture
// decoded in one go; a large picture's passes are reduced but drawn where the picture stands.
TEST(ProgressivePicture, EndsAsThePlainDecodeWhetherPassesAreShownOrNot) {
  QImage drawing(2400, 1500, QImage::Format_RGB32);
  drawing.fill(Qt::white);
  QPainter p(&drawing);
  for (int i = 0; i < 40; ++i) p.drawLine(i * 60, 0, 2400 - i * 60, 1500);
  p.end();
  QByteArray data;
  ASSERT_TRUE(EncodeJpeg(drawing, 90, true, data));
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("p.jpg"));
  QFile out(file);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(data) == data.size());
  out.close();
  QImage plain;
  ASSERT_TRUE(JpegDecoder().Decode(reinterpret_cast<const unsigned char*>(data.constData()),
                                   static_cast<std::size_t>(data.size()), {}, plain));

  JpegOptions progressive;
  progressive.progressiveDisplay = true;
  for (auto interval : {std::chrono::nanoseconds(0), std::chrono::nanoseconds(std::chrono::hours(1))}) {
    QWidget window;
    window.resize(200, 150);
    TImage* image = new TImage(&window);
    image->setGeometry(0, 0, 160, 100);
    image->SetProportional(true);
    image->SetPassInterval(interval);
    window.show();
    QApplication::processEvents();
    PaintCounter counter;
    image->installEventFilter(&counter);
    ASSERT_TRUE(image->LoadFromFile(file, progressive));
    if (interval.count() == 0) {
      EXPECT_GT(counter.paints, 2);
    } else {
      EXPECT_EQ(counter.paints, 1);
    }
    EXPECT_EQ(image->picture().image(), plain);
    for (const QRect& r : counter.rects) EXPECT_EQ(r, image->PictureRect());
    image->removeEventFilter(&counter);
  }
}

// Pictures loaded lately are shown again without a decode while their file is unchanged and
// they are decoded the same way; the oldest go past the count kept; a changed file is decoded.
TEST(RecentPictures, AnUnchangedFileIsNotDecodedAgain) {
  QTemporaryDir dir;
  const auto write = [&](const QString& name, QColor colour) {
    QByteArray data;
    EncodeJpeg(Solid(64, 48, colour), 90, false, data);
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
    return dir.filePath(name);
  };
  const QString a = write(QStringLiteral("a.jpg"), Qt::red), b = write(QStringLiteral("b.jpg"), Qt::blue),
                c = write(QStringLiteral("c.jpg"), Qt::green);
  TImage image;
  image.KeepRecentPictures(2, 1 << 20);
  const auto keyOf = [&](const QString& file, JpegOptions options = {}) {
    EXPECT_TRUE(image.LoadFromFile(file, options)) << file.toStdString();
    return image.picture().image().cacheKey();
  };
  const qint64 first = keyOf(a);
  keyOf(b);
  EXPECT_EQ(keyOf(a), first);  // kept: the same pixels
  JpegOptions quarter;
  quarter.quarter = true;
  EXPECT_NE(keyOf(a, quarter), first);  // decoded another way
  EXPECT_EQ(image.picture().width(), 16);
  keyOf(c);
  EXPECT_NE(keyOf(a), first);  // two others came since: decoded again
  const qint64 again = keyOf(a);
  write(QStringLiteral("a.jpg"), Qt::yellow);
  QFile touched(a);
  ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
  ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
  touched.close();
  EXPECT_NE(keyOf(a), again);  // the file changed
  EXPECT_EQ(image.picture().image().pixelColor(10, 10).red(), 255);
  EXPECT_GT(image.picture().image().pixelColor(10, 10).green(), 200);
  QFile::remove(a);
  EXPECT_FALSE(image.LoadFromFile(a));  // gone: not shown from memory
}

}  // namespace
