// Catalog: the spare-parts catalogue. The command line names, at most, a catalogue folder to
// open instead of the one beside the executable.

#include <QApplication>

#include <cstdio>

#include "window/run.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const StartOptions options = ParseStartOptions(QCoreApplication::arguments());
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "%s\n", options.error.toLocal8Bit().constData());
    return 2;
  }
  // The running program's own services: its executable, the screen, the desktop.
  return RunCatalog(app, AppEnvironment::FromApplication(options.catalogueDir));
}
