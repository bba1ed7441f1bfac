#include "controls/jpeg.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>

#include "controls/picture.h"

namespace {

// A picture with detail, so that every scan of a progressive file carries data.
QImage Sample(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(Qt::white);
  QPainter p(&img);
  for (int i = 0; i < 20; ++i) {
    p.setPen(QPen(QColor::fromHsv(i * 17 % 360, 200, 180), 3));
    p.drawLine(i * w / 20, 0, w - i * w / 20, h);
  }
  p.fillRect(QRect(w / 4, h / 4, w / 2, h / 2), QColor(30, 90, 160));
  return img;
}

QByteArray Encode(const QImage& img, bool progressive) {
  QByteArray data;
  EXPECT_TRUE(EncodeJpeg(img, 90, progressive, data));
  return data;
}

bool Decode(const QByteArray& data, JpegOptions o, QImage& out, JpegDecoder* decoder = nullptr,
            const JpegPassFn& onPass = {}) {
  JpegDecoder own;
  return (decoder ? *decoder : own)
      .Decode(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<std::size_t>(data.size()), o, out,
              onPass);
}

TEST(Jpeg, DecodesFullAndQuarterInto24BitColour) {
  const QImage src = Sample(200, 120);
  for (bool progressive : {false, true}) {
    const QByteArray data = Encode(src, progressive);
    QImage full, quarter;
    ASSERT_TRUE(Decode(data, {}, full));
    EXPECT_EQ(full.size(), QSize(200, 120));
    EXPECT_EQ(full.format(), QImage::Format_RGB32);
    const QColor centre = full.pixelColor(100, 60);
    EXPECT_NEAR(centre.red(), 30, 12);
    EXPECT_NEAR(centre.blue(), 160, 12);
    JpegOptions q;
    q.quarter = true;
    ASSERT_TRUE(Decode(data, q, quarter));
    EXPECT_EQ(quarter.size(), QSize(50, 30));
    EXPECT_NEAR(quarter.pixelColor(25, 15).blue(), 160, 16);
  }
}

TEST(Jpeg, ProgressiveFileIsShownPassByPassAndEndsAsTheWholePicture) {
  // A small picture is shown at its size; a large one, in colour or grey, reduced until the
  // last pass, each pass standing for the whole picture.
  struct Case {
    QSize size;
    bool grayscale;
    int step;
  } const cases[] = {{{160, 96}, false, 1}, {{2100, 1300}, false, 4}, {{1100, 900}, true, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size.width());
    const QByteArray data = Encode(Sample(c.size.width(), c.size.height()), true);
    JpegOptions o;
    o.grayscale = c.grayscale;
    QImage plain;
    ASSERT_TRUE(Decode(data, o, plain));
    o.progressiveDisplay = true;
    // Every pass shown, or only the last one (the picture decodes within the interval): the
    // last pass is the picture decoded in one go, pixel for pixel.
    for (auto interval : {std::chrono::nanoseconds(0), std::chrono::nanoseconds(std::chrono::hours(1))}) {
      int passes = 0, last = 0;
      QImage stepwise, before;
      ASSERT_TRUE(JpegDecoder().Decode(
          reinterpret_cast<const unsigned char*>(data.constData()), static_cast<std::size_t>(data.size()), o, stepwise,
          [&](const QImage& soFar, QSize size, bool isLast) {
            ++passes;
            EXPECT_EQ(last, 0) << "no pass after the last";
            last += isLast;
            EXPECT_EQ(size, c.size);
            const int step = isLast ? 1 : c.step;
            EXPECT_EQ(soFar.size(), QSize((c.size.width() + step - 1) / step, (c.size.height() + step - 1) / step));
            if (!isLast) before = soFar.copy();
          },
          interval));
      EXPECT_EQ(last, 1);
      if (interval.count() == 0) {
        EXPECT_GT(passes, 2);
        // The pass before the last shows nearly the finished picture, its pixels in place.
        long long difference = 0;
        for (int y = 0; y < before.height(); ++y)
          for (int x = 0; x < before.width(); ++x) {
            const QRgb a = before.pixel(x, y), b = plain.pixel(x * c.step, y * c.step);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
          }
        EXPECT_LT(difference / (3.0 * before.width() * before.height()), 4.0);
      } else {
        EXPECT_EQ(passes, 1);
      }
      EXPECT_EQ(stepwise, plain);
    }
  }

  // A baseline file has one scan: nothing to show pass by pass.
  int passes = 0;
  QImage baseline;
  JpegOptions o;
  o.progressiveDisplay = true;
  ASSERT_TRUE(
      Decode(Encode(Sample(160, 96), false), o, baseline, nullptr, [&](const QImage&, QSize, bool) { ++passes; }));
  EXPECT_EQ(passes, 0);
}

TEST(Jpeg, DamagedDataIsShownAsDecodedAndWhatCannotBeDecodedFails) {
  const QByteArray good = Encode(Sample(200, 120), false);
  // What every picture viewer shows: damaged data libjpeg makes up for, with a warning.
  QByteArray corrupt = good;
  for (int i = good.size() / 2; i < good.size() / 2 + 40; ++i) corrupt[i] = static_cast<char>(0x55);
  QByteArray extraneous = good;
  extraneous.insert(extraneous.size() - 2, QByteArray("\x12\x34\x56", 3));  // before the end marker
  QByteArray jfif2 = good;
  const int jfif = jfif2.indexOf(QByteArray("JFIF\0", 5));
  ASSERT_GT(jfif, 0);
  jfif2[jfif + 5] = 2;  // revision 2.01
  jfif2[jfif + 6] = 1;
  const std::pair<const char*, QByteArray> warned[] = {{"truncated", good.left(good.size() * 2 / 3)},
                                                       {"corrupt", corrupt},
                                                       {"extraneous bytes", extraneous},
                                                       {"JFIF 2.01", jfif2}};
  for (const auto& [what, data] : warned) {
    for (bool progressive : {false, true}) {
      JpegDecoder decoder;
      QImage out;
      JpegOptions o;
      o.progressiveDisplay = progressive;
      EXPECT_TRUE(Decode(data, o, out, &decoder, [](const QImage&, QSize, bool) {}))
          << what << decoder.errorString().toStdString();
      EXPECT_EQ(out.size(), QSize(200, 120)) << what;
      EXPECT_GT(decoder.warnings(), 0) << what;
    }
  }

  // What cannot be decoded at all fails with a reason and leaves the target untouched.
  QByteArray noise(4000, '\0');
  for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) & 0xFF);
  // A header that promises 60000 x 60000 pixels.
  QByteArray huge = good;
  const int sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
  ASSERT_GT(sof, 0);
  huge[sof + 5] = static_cast<char>(0xEA);
  huge[sof + 6] = static_cast<char>(0x60);
  huge[sof + 7] = static_cast<char>(0xEA);
  huge[sof + 8] = static_cast<char>(0x60);
  const std::pair<const char*, QByteArray> refused[] = {{"empty", QByteArray()},
                                                        {"not a JPEG", QByteArray("GIF89a this is not a jpeg at all")},
                                                        {"noise", noise},
                                                        {"only the header", good.left(good.indexOf("\xFF\xDA"))},
                                                        {"huge", huge}};
  for (const auto& [what, data] : refused) {
    for (bool progressive : {false, true}) {
      QImage out(7, 7, QImage::Format_RGB888);
      JpegDecoder decoder;
      JpegOptions o;
      o.progressiveDisplay = progressive;
      EXPECT_FALSE(Decode(data, o, out, &decoder, [](const QImage&, QSize, bool) {})) << what;
      EXPECT_FALSE(decoder.errorString().isEmpty()) << what;
      EXPECT_EQ(out.size(), QSize(7, 7)) << what << ": the target is untouched";
    }
  }
}

TEST(Picture, FormatFollowsTheExtension) {
  QTemporaryDir dir;
  const QByteArray jpeg = Encode(Sample(40, 30), false);
  for (const char* name : {"a.jpg", "b.jpeg", "c.JPG", "d.png", "e.txt"}) {
    QFile f(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(jpeg);
  }
  ASSERT_TRUE(Sample(40, 30).save(dir.filePath(QStringLiteral("f.bmp")), "BMP"));
  Picture p;
  for (const char* ok : {"a.jpg", "b.jpeg", "c.JPG", "f.bmp"}) {
    EXPECT_TRUE(p.LoadFromFile(dir.filePath(QString::fromLatin1(ok)))) << ok;
    EXPECT_EQ(p.width(), 40) << ok;
  }
  EXPECT_TRUE(p.LoadFromFile(dir.filePath(QStringLiteral("a.jpg"))));
  EXPECT_TRUE(p.isJpeg());
  const qint64 key = p.image().cacheKey();
  for (const char* bad : {"d.png", "e.txt", "missing.jpg", "f.jpg"}) {
    EXPECT_FALSE(p.LoadFromFile(dir.filePath(QString::fromLatin1(bad)))) << bad;
    EXPECT_FALSE(p.errorString().isEmpty());
  }
  EXPECT_EQ(p.image().cacheKey(), key);  // a failed load leaves the picture as it was
  // A bitmap given a JPEG name is not a JPEG.
  QFile::copy(dir.filePath(QStringLiteral("f.bmp")), dir.filePath(QStringLiteral("g.jpg")));
  EXPECT_FALSE(p.LoadFromFile(dir.filePath(QStringLiteral("g.jpg"))));
}

TEST(Picture, NewOptionsDecodeAgainAtTheNewScale) {
  QTemporaryDir dir;
  QFile f(dir.filePath(QStringLiteral("a.jpg")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(Encode(Sample(200, 120), false));
  f.close();
  Picture p;
  ASSERT_TRUE(p.LoadFromFile(f.fileName()));
  JpegOptions q;
  q.quarter = true;
  ASSERT_TRUE(p.SetJpegOptions(q));
  EXPECT_EQ(p.width(), 50);
  ASSERT_TRUE(p.SetJpegOptions({}));
  EXPECT_EQ(p.width(), 200);
}

}  // namespace
