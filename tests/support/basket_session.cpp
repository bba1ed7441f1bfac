// A session of the program for the tests that kill it:
//   basket_session collect CATALOGUE DATA N [PAUSE_MS]
//     opens the main window on CATALOGUE with DATA as the user's data folder, empties the basket,
//     then puts its first N orderable records into it one change at a time, writing "saved K"
//     once the K-th change has been kept (K = 0 for the emptying), then waits to be killed;
//   basket_session check CATALOGUE DATA
//     opens it again and writes "basket K" when the basket is the first K of those records and
//     nothing was said at the start, else "bad" with what is wrong.

#include <QApplication>
#include <QThread>

#include <cstdio>

#include "support/window_probe.h"
#include "tfrmain.h"
#include "window/run.h"

namespace {

std::vector<browsing::BasketLine> Orderable(const catalogue::CatalogueStore& store, std::size_t n) {
  std::vector<browsing::BasketLine> lines;
  const catalogue::Table& t = store.table();
  for (std::uint32_t row : store.RowsWithFlag(catalogue::Field::VozmPokupka, true)) {
    if (lines.size() == n) break;
    lines.push_back({t.Integer(row, catalogue::Field::ID), t.Format(row, catalogue::Field::Oboz),
                     t.Format(row, catalogue::Field::Naim), "1"});
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  PrepareApplication(app);
  const QStringList args = app.arguments();
  if (args.size() < 4 || (args[1] != QLatin1String("collect") && args[1] != QLatin1String("check"))) {
    std::fprintf(stderr, "usage: basket_session collect|check CATALOGUE DATA [N [PAUSE_MS]]\n");
    return 2;
  }
  AppEnvironment env;
  env.catalogueDir = args[2];
  env.executablePath = args[2] + QStringLiteral("/Catalog");
  env.userDataDir = args[3];
  env.settingsFile = args[3] + QStringLiteral("/settings.ini");
  QStringList said;
  env.showMessage = [&said](const QString& text) { said << text; };
  TfrMain window(env);
  TfrMainProbe w(window);
  if (window.StartupFailed()) {
    std::printf("bad: the catalogue did not open\n");
    return 1;
  }
  browsing::BrowsingModel& model = w.model();

  if (args[1] == QLatin1String("check")) {
    const auto lines = model.BasketLines();
    const auto expected = Orderable(w.ADOQuery(), lines.size());
    if (!said.isEmpty())
      std::printf("bad: %s\n", qPrintable(said.join(QLatin1Char('|'))));
    else if (lines != expected)
      std::printf("bad: the basket is not the first %zu of the records\n", lines.size());
    else
      std::printf("basket %zu\n", lines.size());
    return 0;
  }

  const auto lines = Orderable(w.ADOQuery(), args.size() > 4 ? args[4].toULong() : 10);
  const unsigned long pause = args.size() > 5 ? args[5].toULong() : 0;
  model.ClearBasket();
  std::printf("saved 0\n");
  std::fflush(stdout);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    model.OrderAgain({lines[k]});  // written before the call returns
    std::printf("saved %zu\n", k + 1);
    std::fflush(stdout);
    if (pause) QThread::msleep(pause);
  }
  for (;;) QThread::sleep(60);
}
