// The real main window under the offscreen platform, on a generated catalogue of 1,000,000
// records with pictures: each case runs from the input event to the finished paint. The main
// picture keeps the pictures of the levels seen last decoded, so a click repeated on the same
// drawings measures the window's own work; BM_HomeDecoding measures home with the decode.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>

#include "bare_jpeg.h"
#include "basket/history.h"
#include "basket/zakaz.h"
#include "bench_support.h"
#include "browser/drawing.h"
#include "browser/search_window.h"
#include "catalogue_writer/ado_writer.h"
#include "controls/jpeg.h"
#include "controls/tab_control.h"
#include "help/help_viewer.h"
#include "services/user_data.h"
#include "support/chm_writer.h"
#include "support/window_probe.h"
#include "tfrmain.h"
#include "window/run.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kSections = 7;
constexpr int kChildren = 20;
constexpr int kDrawings = 20;
const QString kDir = QStringLiteral("/tmp/window_bench_1M/");

// Record i (from 1): the first seven are the sections; every other record is the child of
// record (i - 8) / 20 + 1, so each node has twenty parts and the tree is five levels deep.
int ParentOf(int i) { return i <= kSections ? 0 : (i - kSections - 1) / kChildren + 1; }

QImage Drawing(int n, int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  bench::Random rnd(static_cast<std::uint64_t>(n) + 1);
  for (int k = 0; k < 60; ++k) {
    p.setPen(QPen(Qt::black, 1 + rnd.Below(2)));
    const QRect r(rnd.Below(w), rnd.Below(h), 20 + rnd.Below(200), 20 + rnd.Below(150));
    if (k % 3 == 0)
      p.drawEllipse(r);
    else if (k % 3 == 1)
      p.drawRect(r);
    else
      p.drawLine(r.topLeft(), r.bottomRight());
  }
  p.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
  p.drawText(QRect(0, h - 30, w, 20), Qt::AlignCenter, QStringLiteral("Сборочный чертёж %1").arg(n));
  return img;
}

void SavePicture(const QString& name, const QImage& image, const QString& dir = kDir) {
  QByteArray data;
  EncodeJpeg(image, 85, false, data);
  QFile f(dir + QStringLiteral("Images/") + name + QStringLiteral(".jpg"));
  if (f.open(QIODevice::WriteOnly)) f.write(data);
}

// Made once and kept in /tmp: the table (about 300 MB) and a pool of pictures.
void MakeCatalogue() {
  const QString table = kDir + QStringLiteral("db/my.xml");
  if (QFile::exists(table) && QFile::exists(kDir + QStringLiteral("Images/Fon2.jpg"))) return;
  QDir().mkpath(kDir + QStringLiteral("db"));
  QDir().mkpath(kDir + QStringLiteral("Images"));
  for (int d = 0; d < kDrawings; ++d) {
    SavePicture(QStringLiteral("d%1").arg(d), Drawing(d, 792, 541));
    SavePicture(QStringLiteral("v%1").arg(d), Drawing(d + 100, 400, 300));
  }
  SavePicture(QStringLiteral("Fon"), Drawing(1000, 519, 346));
  SavePicture(QStringLiteral("Fon2"), Drawing(1001, 792, 541));
  std::vector<std::string> kPictureNames, kViewNames;
  for (int d = 0; d < kDrawings; ++d) {
    kPictureNames.push_back(QStringLiteral("d%1").arg(d).toStdString());
    kViewNames.push_back(QStringLiteral("v%1").arg(d).toStdString());
  }
  std::ofstream out(table.toStdString(), std::ios::binary);
  catalogue::WriteAdoHeader(out);
  static const char* kNames[] = {"Кронштейн опорный",     "Палец шарнира",   "Втулка распорная",
                                 "Гидроцилиндр поворота", "Шайба стопорная", "Рукав высокого давления",
                                 "Кольцо уплотнительное"};
  for (int i = 1; i <= kRecords; ++i) {
    catalogue::RecordData r;
    r.id = i;
    r.fid = ParentOf(i);
    r.number = i <= kSections ? i : (i - kSections - 1) % kChildren + 1;
    r.oboz = "КМ-120." + std::to_string(i / 1000) + "." + std::to_string(i % 1000);
    r.naim = kNames[i % 7];
    r.massa = std::to_string(i % 50) + ",5";
    r.count = std::to_string(1 + i % 4);
    r.picture = kPictureNames[i % kDrawings];
    r.view = kViewNames[i % kDrawings];
    r.sostoit = true;
    r.vozmPokupka = i % 3 == 0;
    const int slot = r.number - 1;
    r.left = 120 + (slot % 5) * 120;
    r.top = 110 + (slot / 5) * 80;
    r.table = i % 10;
    catalogue::WriteAdoRow(out, r);
  }
  catalogue::WriteAdoFooter(out);
}

// A catalogue whose first section is one drawing with 200,000 parts.
const QString kHugeDir = QStringLiteral("/tmp/window_bench_huge/");
constexpr int kHugeParts = 200000;

void MakeHugeCatalogue() {
  const QString table = kHugeDir + QStringLiteral("db/my.xml");
  if (QFile::exists(table)) return;
  QDir().mkpath(kHugeDir + QStringLiteral("db"));
  QDir().mkpath(kHugeDir + QStringLiteral("Images"));
  SavePicture(QStringLiteral("d0"), Drawing(0, 792, 541), kHugeDir);
  SavePicture(QStringLiteral("Fon"), Drawing(1000, 519, 346), kHugeDir);
  SavePicture(QStringLiteral("Fon2"), Drawing(1001, 792, 541), kHugeDir);
  std::ofstream out(table.toStdString(), std::ios::binary);
  catalogue::WriteAdoHeader(out);
  for (int i = 1; i <= kSections + kHugeParts; ++i) {
    catalogue::RecordData r;
    r.id = i;
    r.fid = i <= kSections ? 0 : 1;
    r.number = i <= kSections ? i : i - kSections;
    r.oboz = "КМ-120.01." + std::to_string(i);
    r.naim = "Деталь " + std::to_string(i);
    r.picture = "d0";
    r.sostoit = true;
    r.left = 10 + (i * 37) % 700;
    r.top = 10 + (i * 53) % 480;
    catalogue::WriteAdoRow(out, r);
  }
  catalogue::WriteAdoFooter(out);
}

AppEnvironment Environment(const QString& dir = kDir) {
  AppEnvironment env;
  env.executablePath = dir + QStringLiteral("Catalog");
  env.screenHeight = [] { return 768; };
  env.openUrl = [](const QUrl&, QWidget*) { return true; };
  env.showMessage = [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); };
  return env;
}

// The window opened once for the cases that browse; main closes it before the application
// goes.
std::unique_ptr<TfrMain> g_window;

TfrMainProbe Window() {
  if (!g_window) {
    g_window = std::make_unique<TfrMain>(Environment());
    g_window->show();
    QApplication::processEvents();
  }
  return TfrMainProbe(*g_window);
}

// A click at a point of the client area, delivered to the control on top there, then the
// paint it causes.
void ClickAt(const TfrMainProbe& w, QPoint at) {
  QWidget* target = w.form().childAt(at);
  if (!target) return;
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(&w.form(), at));
  QApplication::processEvents();
}

constexpr QPoint kPlate1(600, 84);
const QPoint kCallout1(124, 114);  // the first part of every drawing
const QPoint kBack(620, 515);
const QPoint kHome(700, 515);

// One timed step, kept out of line so that an instruction counter can single it out
// (valgrind --tool=callgrind --toggle-collect='*TimedStep*').
[[gnu::noinline]] void TimedStep(const std::function<void()>& step) { step(); }

template <class Step, class Reset>
void Timed(benchmark::State& state, const std::string& key, Step step, Reset reset) {
  double total = 0;
  const std::function<void()> body = step;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    TimedStep(body);
    const double s = t.nsecsElapsed() / 1e9;
    state.SetIterationTime(s);
    total += s;
    reset();
  }
  if (state.iterations() > 0) bench::RecordedMeans()[key] = total / static_cast<double>(state.iterations());
}

void Ratio(benchmark::State& state, const std::string& key, const std::string& base, const char* name) {
  auto& m = bench::RecordedMeans();
  if (m.count(key) && m.count(base) && m[base] > 0) state.counters[name] = m[key] / m[base];
}

// The bare decode of a picture file, the yardstick of the picture cases: the file read and
// decoded, as the window reads and decodes it.
void BareDecode(const QString& file) {
  QFile f(file);
  f.open(QIODevice::ReadOnly);
  benchmark::DoNotOptimize(bench::BareLibjpeg(f.readAll(), false));
}

void BM_BareDecodeDrawing(benchmark::State& state) {
  Timed(
      state, "bare_drawing", [] { BareDecode(kDir + QStringLiteral("Images/d1.jpg")); }, [] {});
}
void BM_BareDecodeRoot(benchmark::State& state) {
  Timed(
      state, "bare_root", [] { BareDecode(kDir + QStringLiteral("Images/Fon.jpg")); }, [] {});
}

void BM_LoadFile(benchmark::State& state) {
  Timed(
      state, "loadfile",
      [] {
        catalogue::CatalogueStore s;
        (void)s.LoadFile((kDir + QStringLiteral("db/my.xml")).toStdString());
      },
      [] {});
}

void BM_Startup(benchmark::State& state) {
  Timed(
      state, "startup",
      [] {
        TfrMain w(Environment());
        w.show();
        QApplication::processEvents();
      },
      [] {});
  Ratio(state, "startup", "loadfile", "ratio_to_LoadFile");
}

void BM_SectionClick(benchmark::State& state) {
  TfrMainProbe w = Window();
  w.model().Home();
  QApplication::processEvents();
  Timed(
      state, "section", [&] { ClickAt(w, kPlate1); }, [&] { ClickAt(w, kBack); });
  Ratio(state, "section", "bare_drawing", "ratio_to_decode");
}

void BM_CalloutClick(benchmark::State& state) {
  TfrMainProbe w = Window();
  w.model().Home();
  ClickAt(w, kPlate1);
  Timed(
      state, "callout", [&] { ClickAt(w, kCallout1); }, [&] { ClickAt(w, kBack); });
  Ratio(state, "callout", "bare_drawing", "ratio_to_decode");
}

void BM_Back(benchmark::State& state) {
  TfrMainProbe w = Window();
  w.model().Home();
  ClickAt(w, kPlate1);
  ClickAt(w, kCallout1);
  // From the second level back to the first, then in again.
  Timed(
      state, "back", [&] { ClickAt(w, kBack); }, [&] { ClickAt(w, kCallout1); });
  Ratio(state, "back", "bare_drawing", "ratio_to_decode");
}

// Home from three levels down. As a user goes home, the root picture was shown before and is
// kept decoded; with `decoding` it is not, as the first time: one decode and the window.
void HomeFromThreeDown(benchmark::State& state, const std::string& key, bool decoding) {
  TfrMainProbe w = Window();
  w.model().Home();
  if (decoding) w.imMain()->KeepRecentPictures(1, 0);
  auto deep = [&] {
    ClickAt(w, kPlate1);
    ClickAt(w, kCallout1);
    ClickAt(w, kCallout1);
  };
  deep();
  Timed(
      state, key, [&] { ClickAt(w, kHome); }, deep);
  Ratio(state, key, "bare_root", "ratio_to_decode");
  w.imMain()->KeepRecentPictures(kRecentPictures, kRecentPixels);
}
void BM_Home(benchmark::State& state) { HomeFromThreeDown(state, "home", false); }
void BM_HomeDecoding(benchmark::State& state) { HomeFromThreeDown(state, "home_decoding", true); }

// A click on a section whose drawing has 200,000 parts, to the painted window.
void BM_HugeDrawingClick(benchmark::State& state) {
  TfrMain window(Environment(kHugeDir));
  window.show();
  QApplication::processEvents();
  const TfrMainProbe w(window);
  Timed(
      state, "huge", [&] { ClickAt(w, kPlate1); }, [&] { ClickAt(w, kBack); });
  ClickAt(w, kPlate1);
  int shown = 0;
  for (TLabel* l : w.Callouts()) shown += l->isVisible();
  state.counters["callouts_shown"] = shown;
  state.counters["widgets"] = static_cast<double>(window.findChildren<QWidget*>().size());
}

// A store of the same table that no view is bound to: a filter and a walk over it, bare.
void BM_BareFilterWalk(benchmark::State& state) {
  catalogue::CatalogueStore s;
  s.LoadTable(Window().ADOQuery().table());
  int flip = 0;
  Timed(
      state, "filterwalk",
      [&] {
        s.ApplyFilter(catalogue::Filter::Group(flip++ % 2 ? 3 : 4));
        for (s.MoveFirst(); !s.AtEnd(); s.MoveNext()) benchmark::DoNotOptimize(s.GetInteger(catalogue::Field::ID));
      },
      [] {});
}

void BM_TabChange(benchmark::State& state) {
  TfrMainProbe w = Window();
  w.model().Home();
  w.TabControl()->SetTabIndex(3);
  ClickAt(w, QPoint(600, 380));  // the list
  int tab = 3;
  Timed(
      state, "tab",
      [&] {
        tab = tab == 3 ? 4 : 3;
        const QRect r = w.TabControl()->tabs()->tabRect(tab);
        QTest::mouseClick(w.TabControl()->tabs(), Qt::LeftButton, Qt::NoModifier, r.center());
        QApplication::processEvents();
      },
      [] {});
  Ratio(state, "tab", "filterwalk", "ratio_to_filter_walk");
  state.counters["rows"] = w.bdgSpisok()->model()->rowCount();
}

void BM_ScrollToEnd(benchmark::State& state) {
  TfrMainProbe w = Window();
  if (w.FDisplayMode() != dmList) {
    w.model().Home();
    ClickAt(w, QPoint(600, 380));
  }
  Timed(
      state, "scroll",
      [&] {
        QTest::keyClick(w.bdgSpisok(), Qt::Key_End, Qt::ControlModifier);
        QApplication::processEvents();
      },
      [&] {
        QTest::keyClick(w.bdgSpisok(), Qt::Key_Home, Qt::ControlModifier);
        QApplication::processEvents();
      });
  Ratio(state, "scroll", "filterwalk", "ratio_to_filter_walk");
}

// Puts the first n records of a group into the basket, as an order repeated (not timed).
void FillBasket(const TfrMainProbe& w, int n) {
  w.model().ClearBasket();
  const auto& s = w.ADOQuery();
  const auto rows = s.Select(catalogue::Filter::Group(5));
  std::vector<browsing::BasketLine> lines;
  // Past the section of that group: every basket record has a parent drawing.
  for (int i = 1; i <= n && i < static_cast<int>(rows.size()); ++i) {
    const std::uint32_t row = rows[static_cast<std::size_t>(i)];
    lines.push_back({s.table().Integer(row, catalogue::Field::ID), s.table().Format(row, catalogue::Field::Oboz),
                     s.table().Format(row, catalogue::Field::Naim), "1"});
  }
  w.model().OrderAgain(lines);
}

void BM_OpenReview(benchmark::State& state) {
  TfrMainProbe w = Window();
  w.model().Home();
  QApplication::processEvents();
  const int n = static_cast<int>(state.range(0));
  FillBasket(w, n);
  const std::string key = "review" + std::to_string(n);
  double total = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    double shown = 0;
    // The window is open and painted: the time is taken, then it is closed.
    QTimer::singleShot(0, [&] {
      TfrZakaz* review = w.frZakaz();
      if (!review) return;
      review->repaint();
      shown = t.nsecsElapsed() / 1e9;
      review->reject();
    });
    t.start();
    QTest::mouseClick(w.leiWord(), Qt::LeftButton);
    state.SetIterationTime(shown);
    total += shown;
  }
  bench::RecordedMeans()[key] = total / static_cast<double>(state.iterations());
  if (n == 1000) Ratio(state, "review1000", "review10", "ratio_to_10");
}

// The order history with thousands of orders: read and listed in its window.
void BM_History(benchmark::State& state) {
  const int orders = static_cast<int>(state.range(0));
  QTemporaryDir data;
  {
    UserData user(data.path(), data.filePath(QStringLiteral("settings.ini")), "/catalogue/");
    std::vector<browsing::BasketLine> lines;
    for (int k = 0; k < 10; ++k)
      lines.push_back({k + 1, "КМ-120.01.0" + std::to_string(k) + ".000", "Кронштейн опорный", "2"});
    const PastOrder order{QDateTime::currentDateTime(), QStringLiteral("/home/user/Заявка.docx"), lines};
    // The file the orders would have left, one by one.
    QJsonArray list;
    for (int i = 0; i < orders; ++i) {
      QJsonArray parts;
      for (const auto& l : lines)
        parts.append(QJsonObject{{QStringLiteral("id"), l.id},
                                 {QStringLiteral("oboz"), QString::fromStdString(l.oboz)},
                                 {QStringLiteral("naim"), QString::fromStdString(l.naim)},
                                 {QStringLiteral("quantity"), QString::fromStdString(l.quantity)}});
      list.append(QJsonObject{{QStringLiteral("when"), order.when.addSecs(i).toString(Qt::ISODate)},
                              {QStringLiteral("file"), order.file},
                              {QStringLiteral("lines"), parts}});
    }
    QDir().mkpath(QFileInfo(user.historyFile()).absolutePath());
    QFile f(user.historyFile());
    f.open(QIODevice::WriteOnly);
    f.write(QJsonDocument(QJsonObject{{QStringLiteral("format"), QStringLiteral("krantek-catalog-history")},
                                      {QStringLiteral("orders"), list}})
                .toJson());
  }
  UserData user(data.path(), data.filePath(QStringLiteral("settings.ini")), "/catalogue/");
  Timed(
      state, "history",
      [&] {
        QString problem;
        TfrHistory window(user.History(&problem), nullptr);
        benchmark::DoNotOptimize(window.lvOrders->topLevelItemCount());
      },
      [] {});
}

// A help page of 20 nested tables (a layout of seconds) as the file's first page: the help
// window opened on it and painted.
void BM_HelpNestedTables(benchmark::State& state) {
  QByteArray page = "<html><body>";
  for (int i = 0; i < 20; ++i) page += "<table border=1><tr><td>Раздел</td><td>";
  page += "</body></html>";
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("Catalog.chm"));
  QFile out(file);
  out.open(QIODevice::WriteOnly);
  out.write(chm_writer::SimpleChm({{"/#SYSTEM", chm_writer::SystemData({{2, "index.htm"}})}, {"/index.htm", page}}));
  out.close();
  Timed(
      state, "help_nested",
      [&] {
        HelpViewer viewer;
        viewer.ShowDefaultTopic(file);
        viewer.repaint();
        benchmark::DoNotOptimize(viewer.documentText().size());
      },
      [] {});
  Ratio(state, "help_nested", "bare_root", "ratio_to_decode");
}

// The search window over the 1,000,000 records: from the change of the query to the painted
// results. Arg 0: a text of a hundred words pasted at once; arg 1: the last key of "а " typed a
// hundred times.
void BM_SearchLongQuery(benchmark::State& state) {
  TfrMainProbe w = Window();
  w.model().Home();
  QApplication::processEvents();
  const bool typed = state.range(0) == 1;
  QString text;
  for (int i = 0; i < 100; ++i)
    text += typed ? QStringLiteral("а ") : QStringLiteral("%1%2 ").arg(i % 2 ? "опорный" : "деталь").arg(i);
  const std::string key = typed ? "search_typed" : "search_pasted";
  double total = 0;
  QTimer::singleShot(0, [&] {
    auto* search = qobject_cast<TfrSearch*>(QApplication::activeModalWidget());
    if (!search) return;
    for (auto _ : state) {
      search->edQuery->setText(typed ? text.chopped(2) + QStringLiteral(" ") : QString());
      QApplication::processEvents();
      QElapsedTimer t;
      t.start();
      if (typed) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("а"));
        QApplication::sendEvent(search->edQuery, &press);
      } else {
        search->edQuery->setText(text);
      }
      search->repaint();
      const double s = t.nsecsElapsed() / 1e9;
      state.SetIterationTime(s);
      total += s;
    }
    search->reject();
  });
  QTest::mouseClick(w.Find<QWidget>(QStringLiteral("leiFind")), Qt::LeftButton);
  if (state.iterations() > 0) bench::RecordedMeans()[key] = total / static_cast<double>(state.iterations());
  Ratio(state, key, "bare_root", "ratio_to_decode");
}

}  // namespace

BENCHMARK(BM_BareDecodeDrawing)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareDecodeRoot)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Startup)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SectionClick)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalloutClick)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Back)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Home)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HomeDecoding)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeDrawingClick)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFilterWalk)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TabChange)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToEnd)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchLongQuery)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HelpNestedTables)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_History)->Arg(5000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenReview)->Arg(10)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  PrepareApplication(app);
  MakeCatalogue();
  MakeHugeCatalogue();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_window.reset();
  return 0;
}
