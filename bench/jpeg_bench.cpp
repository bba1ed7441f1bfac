// JPEG decoding of catalogue-like pictures, full size and at one quarter.
//
// Our decoder is set beside a bare libjpeg-turbo decode with the same settings into a plain
// buffer (the least a decode can cost), beside Qt's own JPEG reader, and, for progressive
// files, beside itself showing the picture pass by pass. Progressive files are also loaded
// into the window's picture control, shown on the offscreen platform: the time until the
// finished picture is painted and until the first pass is, beside the bare decode.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <jpeglib.h>  // after <cstdio>, which it needs

#include "bare_jpeg.h"
#include "bench_support.h"
#include "controls/jpeg.h"
#include "controls/picture.h"

namespace {

constexpr int kQuality = 85;

// ---------------------------------------------------------------- test pictures

struct TestPicture {
  std::string name;  // "1600x1200_baseline"
  int width = 0, height = 0;
  bool progressive = false;
  QByteArray data;
  QString path;
};

std::vector<TestPicture> g_pictures;

unsigned char Clamp(int v) { return static_cast<unsigned char>(std::clamp(v, 0, 255)); }

// A parts drawing as a scanner delivers it: grainy, faintly shaded paper, a frame and title
// block, a shaded casting, a hatched section, a bolt circle, dimensions and numbered
// callouts. Drawn in a 792-unit-wide space and scaled to the requested size.
QImage MakeDrawing(int width, int height) {
  QImage img(width, height, QImage::Format_RGB888);
  bench::Random rnd(static_cast<std::uint64_t>(width) * 7919u + static_cast<std::uint64_t>(height));
  for (int y = 0; y < height; ++y) {
    unsigned char* px = img.scanLine(y);
    for (int x = 0; x < width; ++x, px += 3) {
      const int v = 236 + 12 * x / width - 10 * y / height + rnd.Below(13) - 6;
      px[0] = Clamp(v);
      px[1] = Clamp(v - 1);
      px[2] = Clamp(v - 8);
    }
  }

  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double scale = width / 792.0;
  p.scale(scale, scale);
  const double H = height / scale;
  const QColor ink(28, 28, 32);

  // Frame and title block.
  p.setPen(QPen(ink, 1.6));
  p.drawRect(QRectF(12, 12, 768, H - 24));
  const QRectF title(780 - 300, H - 12 - 66, 300, 66);
  p.drawRect(title);
  for (double y = title.top() + 22; y < title.bottom(); y += 22)
    p.drawLine(QPointF(title.left(), y), QPointF(title.right(), y));
  p.drawLine(QPointF(title.left() + 110, title.top()), QPointF(title.left() + 110, title.bottom()));
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(12);
  p.setFont(font);
  p.drawText(title.adjusted(116, 2, 0, -44), Qt::AlignVCenter, QStringLiteral("Стрела в сборе"));
  p.drawText(title.adjusted(116, 24, 0, -22), Qt::AlignVCenter, QStringLiteral("КМ-10.03.000.000"));
  p.drawText(title.adjusted(116, 46, 0, 0), Qt::AlignVCenter, QStringLiteral("Масштаб 1:5   Лист 3"));

  // A shaded casting, the photograph-like part of the sheet.
  const QPointF body(250, H * 0.45);
  QRadialGradient shade(body - QPointF(50, 40), 190);
  shade.setColorAt(0, QColor(222, 226, 232));
  shade.setColorAt(0.6, QColor(130, 136, 150));
  shade.setColorAt(1, QColor(58, 60, 68));
  p.setBrush(shade);
  p.drawEllipse(body, 160, 115);
  p.setBrush(QColor(40, 42, 48));
  p.drawEllipse(body, 38, 38);
  p.setBrush(Qt::NoBrush);

  // A hatched section.
  const QRectF section(440, 50, 200, 150);
  p.save();
  p.setClipRect(section);
  p.setPen(QPen(ink, 0.8));
  for (double d = -section.height(); d < section.width(); d += 5)
    p.drawLine(QPointF(section.left() + d, section.bottom()),
               QPointF(section.left() + d + section.height(), section.top()));
  p.restore();
  p.setPen(QPen(ink, 1.6));
  p.drawRect(section);

  // A flange with its bolt circle and centre lines.
  const QPointF flange(540, H * 0.62);
  p.drawEllipse(flange, 85, 85);
  p.drawEllipse(flange, 30, 30);
  for (int k = 0; k < 8; ++k) {
    const double a = k * M_PI / 4;
    p.drawEllipse(flange + QPointF(60 * std::cos(a), 60 * std::sin(a)), 8, 8);
  }
  p.setPen(QPen(ink, 0.7, Qt::DashDotLine));
  p.drawLine(flange - QPointF(100, 0), flange + QPointF(100, 0));
  p.drawLine(flange - QPointF(0, 100), flange + QPointF(0, 100));
  p.drawEllipse(flange, 60, 60);

  // Dimensions.
  p.setPen(QPen(ink, 0.8));
  for (int i = 0; i < 4; ++i) {
    const double y = H - 110 - i * 18;
    const double x0 = 60 + i * 20, x1 = 420 - i * 30;
    p.drawLine(QPointF(x0, y), QPointF(x1, y));
    p.drawLine(QPointF(x0, y - 5), QPointF(x0, y + 5));
    p.drawLine(QPointF(x1, y - 5), QPointF(x1, y + 5));
    p.drawText(QRectF(x0, y - 16, x1 - x0, 14), Qt::AlignCenter, QString::number((x1 - x0) * 2.5, 'f', 0));
  }

  // Numbered callouts with leaders to points on the parts.
  for (int i = 1; i <= 24; ++i) {
    const QPointF target(120 + rnd.Below(520), 60 + rnd.Below(static_cast<int>(H * 0.7)));
    const bool left = i <= 12;
    const QPointF balloon(left ? 40 : 750, 50 + (i - 1) % 12 * (H - 180) / 12);
    p.setPen(QPen(ink, 0.8));
    p.drawLine(balloon, target);
    p.setBrush(QColor(250, 250, 246));
    p.setPen(QPen(ink, 1.2));
    p.drawEllipse(balloon, 11, 11);
    p.setBrush(Qt::NoBrush);
    p.drawText(QRectF(balloon - QPointF(11, 11), QSizeF(22, 22)), Qt::AlignCenter, QString::number(i));
  }
  p.end();
  return img;
}

// Writes the file only when its content differs, so that a rerun leaves it alone.
bool WriteIfChanged(const QString& path, const QByteArray& data) {
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == data) return true;
  existing.close();
  QFile out(path);
  return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(data) == data.size();
}

bool MakePictures() {
  for (QSize size : {QSize(4000, 3000), QSize(1600, 1200), QSize(792, 541)}) {
    const QImage drawing = MakeDrawing(size.width(), size.height());
    for (bool progressive : {false, true}) {
      TestPicture t;
      t.width = size.width();
      t.height = size.height();
      t.progressive = progressive;
      t.name = std::to_string(t.width) + "x" + std::to_string(t.height) + (progressive ? "_progressive" : "_baseline");
      t.path = QStringLiteral("/tmp/jpeg_bench_%1.jpg").arg(QString::fromStdString(t.name));
      if (!EncodeJpeg(drawing, kQuality, progressive, t.data) || !WriteIfChanged(t.path, t.data)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(t.path));
        return false;
      }
      std::printf("%s: %lld bytes\n", qPrintable(t.path), static_cast<long long>(t.data.size()));
      g_pictures.push_back(std::move(t));
    }
  }
  std::fflush(stdout);
  return true;
}

// ---------------------------------------------------------------- the decoders

JpegOptions Options(bool quarter, bool progressiveDisplay) {
  JpegOptions o;
  o.quarter = quarter;
  o.grayscale = false;
  o.bestQuality = true;
  o.progressiveDisplay = progressiveDisplay;
  return o;
}

QImage OurDecoder(const QByteArray& data, bool quarter) {
  QImage image;
  if (!JpegDecoder().Decode(reinterpret_cast<const unsigned char*>(data.constData()),
                            static_cast<std::size_t>(data.size()), Options(quarter, false), image))
    return {};
  return image;
}

Picture OurDecoderFromFile(const QString& path, bool quarter) {
  Picture picture;
  picture.LoadFromFile(path, Options(quarter, false));
  return picture;
}

QImage OurDecoderPassByPass(const QByteArray& data, bool quarter, int* passes) {
  QImage image;
  *passes = 0;
  if (!JpegDecoder().Decode(reinterpret_cast<const unsigned char*>(data.constData()),
                            static_cast<std::size_t>(data.size()), Options(quarter, true), image,
                            [passes](const QImage&, QSize, bool) { ++*passes; }))
    return {};
  return image;
}

QImage QtReader(const QByteArray& data, bool quarter, int width, int height) {
  QByteArray bytes = data;  // shares the data; QBuffer wants a non-const array
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  if (quarter) reader.setScaledSize(QSize(width / 4, height / 4));
  return reader.read();
}

// ---------------------------------------------------------------- benchmarks

struct Case {
  const TestPicture* picture;
  bool quarter;
};

std::string Key(const char* decoder, const Case& c) {
  return std::string(decoder) + "/" + c.picture->name + "/" + (c.quarter ? "quarter" : "full");
}

// Whether the image holds exactly the pixels of the bare decode.
bool SameAsBare(const QImage& image, const Case& c) {
  const bench::RawImage bare = bench::BareLibjpeg(c.picture->data, c.quarter);
  if (image.format() != QImage::Format_RGB32 || image.width() != bare.width || image.height() != bare.height)
    return false;
  const std::size_t stride = static_cast<std::size_t>(bare.width) * 4;
  for (int y = 0; y < bare.height; ++y)
    if (std::memcmp(image.constScanLine(y), bare.pixels.data() + y * stride, stride) != 0) return false;
  return true;
}

// Megapixels of output per second of the decoder's mean time.
void SetPixelRate(benchmark::State& state, const char* decoder, const Case& c) {
  const int w = c.quarter ? (c.picture->width + 3) / 4 : c.picture->width;
  const int h = c.quarter ? (c.picture->height + 3) / 4 : c.picture->height;
  state.counters["Mpix/s"] = static_cast<double>(w) * h / 1e6 / bench::RecordedMeans()[Key(decoder, c)];
}

// Ratio counters of a decoder: to the bare decode of the same file and scale, and of the
// quarter decode to the full decode with the same decoder.
void SetRatios(benchmark::State& state, const char* decoder, const Case& c) {
  const double mine = bench::RecordedMeans()[Key(decoder, c)];
  if (std::strcmp(decoder, "BareLibjpeg") != 0)
    state.counters["ratio_to_bare"] =
        mine / bench::MeanOf(Key("BareLibjpeg", c), [&] { return bench::BareLibjpeg(c.picture->data, c.quarter); });
  if (c.quarter) {
    const Case full{c.picture, false};
    const double fullMean =
        bench::RecordedMeans().count(Key(decoder, full)) ? bench::RecordedMeans()[Key(decoder, full)] : 0.0;
    if (fullMean > 0) state.counters["quarter_to_full"] = mine / fullMean;
  }
}

void BM_BareLibjpeg(benchmark::State& state, Case c) {
  bench::Loop(state, Key("BareLibjpeg", c), [&] { return bench::BareLibjpeg(c.picture->data, c.quarter); });
  SetPixelRate(state, "BareLibjpeg", c);
  SetRatios(state, "BareLibjpeg", c);
}

void BM_OurDecoder(benchmark::State& state, Case c) {
  bench::Loop(state, Key("OurDecoder", c), [&] { return OurDecoder(c.picture->data, c.quarter); });
  if (!SameAsBare(OurDecoder(c.picture->data, c.quarter), c)) {
    state.SkipWithError("the picture differs from the bare decode");
    return;
  }
  SetPixelRate(state, "OurDecoder", c);
  SetRatios(state, "OurDecoder", c);
}

void BM_OurDecoderFromFile(benchmark::State& state, Case c) {
  bench::Loop(state, Key("OurDecoderFromFile", c), [&] { return OurDecoderFromFile(c.picture->path, c.quarter); });
  if (!SameAsBare(OurDecoderFromFile(c.picture->path, c.quarter).image(), c)) {
    state.SkipWithError("the picture differs from the bare decode");
    return;
  }
  SetPixelRate(state, "OurDecoderFromFile", c);
  SetRatios(state, "OurDecoderFromFile", c);
}

void BM_QtReader(benchmark::State& state, Case c) {
  const int w = c.picture->width, h = c.picture->height;
  bench::Loop(state, Key("QtReader", c), [&] { return QtReader(c.picture->data, c.quarter, w, h); });
  const QImage check = QtReader(c.picture->data, c.quarter, w, h);
  if (check.isNull() || check.width() != (c.quarter ? w / 4 : w) || check.height() != (c.quarter ? h / 4 : h)) {
    state.SkipWithError("Qt's reader gave no picture of the expected size");
    return;
  }
  SetPixelRate(state, "QtReader", c);
  SetRatios(state, "QtReader", c);
}

void BM_OurDecoderPassByPass(benchmark::State& state, Case c) {
  int passes = 0;
  bench::Loop(state, Key("OurDecoderPassByPass", c),
              [&] { return OurDecoderPassByPass(c.picture->data, c.quarter, &passes); });
  if (!SameAsBare(OurDecoderPassByPass(c.picture->data, c.quarter, &passes), c)) {
    state.SkipWithError("the last pass differs from the bare decode");
    return;
  }
  SetPixelRate(state, "OurDecoderPassByPass", c);
  SetRatios(state, "OurDecoderPassByPass", c);
  state.counters["passes"] = passes;
  state.counters["ratio_to_plain"] =
      bench::RecordedMeans()[Key("OurDecoderPassByPass", c)] /
      bench::MeanOf(Key("OurDecoder", c), [&] { return OurDecoder(c.picture->data, c.quarter); });
}

// ---------------------------------------------------------------- the picture control

// The window's main picture control: 519 x 346, centred, proportional, on a shown window.
struct Control {
  QWidget window;
  TImage* image = nullptr;
  Control() {
    window.resize(792, 541);
    image = new TImage(&window);
    image->setGeometry(3, 100, 519, 346);
    image->SetCenter(true);
    image->SetProportional(true);
    window.show();
    QApplication::processEvents();
  }
};

// Times the first paint of the control after `start`, and counts the paints.
struct PaintClock : QObject {
  bench::Clock::time_point first{};
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && paints++ == 0) first = bench::Clock::now();
    return false;
  }
};

// The file loaded into the control until the finished picture is painted. With progressive
// display the control paints its passes itself, the finished one last; otherwise it is
// painted once after loading.
void BM_Control(benchmark::State& state, const TestPicture* t, bool progressive) {
  Control control;
  JpegOptions o = Options(false, progressive);
  PaintClock clock;
  control.image->installEventFilter(&clock);
  const std::string key = std::string(progressive ? "ControlProgressive/" : "ControlPlain/") + t->name;
  double total = 0, firstTotal = 0;
  int paints = 0;
  bool ok = true;
  for (auto _ : state) {
    control.image->ClearPicture();  // not the same picture again, which would not be decoded
    clock.paints = 0;
    const auto start = bench::Clock::now();
    ok = control.image->LoadFromFile(t->path, o) && ok;
    if (!progressive) control.image->repaint();
    const double finished = bench::SecondsSince(start);
    state.SetIterationTime(finished);
    total += finished;
    firstTotal += std::chrono::duration<double>(clock.first - start).count();
    paints = clock.paints;
  }
  control.image->removeEventFilter(&clock);
  if (!ok || !SameAsBare(control.image->picture().image(), Case{t, false})) {
    state.SkipWithError("the finished picture differs from the bare decode");
    return;
  }
  const auto n = static_cast<double>(state.iterations());
  bench::RecordedMeans()[key] = total / n;
  const double bare =
      bench::MeanOf(Key("BareLibjpeg", Case{t, false}), [&] { return bench::BareLibjpeg(t->data, false); });
  state.counters["finished_to_bare"] = total / n / bare;
  state.counters["first_paint_to_bare"] = firstTotal / n / bare;
  state.counters["paints"] = paints;
  if (auto plain = bench::RecordedMeans().find("ControlPlain/" + t->name);
      progressive && plain != bench::RecordedMeans().end())
    state.counters["finished_to_plain_control"] = total / n / plain->second;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // The drawing's text needs fonts and the picture control a widget, hence a widget
  // application; no display is needed.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (!MakePictures()) return 1;

  for (const TestPicture& t : g_pictures) {
    for (bool quarter : {false, true}) {
      const Case c{&t, quarter};
      const std::string suffix = "/" + t.name + (quarter ? "/quarter" : "/full");
      std::vector<benchmark::internal::Benchmark*> cases = {
          benchmark::RegisterBenchmark(("BareLibjpeg" + suffix).c_str(), BM_BareLibjpeg, c),
          benchmark::RegisterBenchmark(("OurDecoder" + suffix).c_str(), BM_OurDecoder, c),
          benchmark::RegisterBenchmark(("OurDecoderFromFile" + suffix).c_str(), BM_OurDecoderFromFile, c),
          benchmark::RegisterBenchmark(("QtReader" + suffix).c_str(), BM_QtReader, c)};
      if (t.progressive)
        cases.push_back(
            benchmark::RegisterBenchmark(("OurDecoderPassByPass" + suffix).c_str(), BM_OurDecoderPassByPass, c));
      for (auto* b : cases) b->Unit(benchmark::kMillisecond)->UseRealTime();
    }
  }
  for (const TestPicture& t : g_pictures) {
    if (!t.progressive) continue;
    for (bool progressive : {false, true}) {
      const std::string name = std::string(progressive ? "ControlProgressive/" : "ControlPlain/") + t.name;
      benchmark::RegisterBenchmark(name.c_str(), BM_Control, &t, progressive)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
