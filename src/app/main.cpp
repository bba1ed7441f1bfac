// Catalog: the spare-parts catalogue. The command line is not read.

#include <QApplication>

#include "window/run.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The running program's own services: its executable, the screen, the desktop.
  return RunCatalog(app, AppEnvironment::FromApplication());
}
