#include "window/run.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QStyleFactory>

#include "messages.h"
#include "tfrmain.h"

void PrepareApplication(QApplication& app) {
  // The application title names the program everywhere the desktop shows it: the class of its
  // windows (WM_CLASS on X11), and the desktop entry it belongs to, which carries the title and
  // the icon to the task bar. No display name: X11 would append it to every window's title.
  QCoreApplication::setApplicationName(kApplicationTitle);
  QGuiApplication::setDesktopFileName(QStringLiteral(CATALOG_DESKTOP_ID));
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(style);
  // The design's fonts: Arial is drawn with Liberation Sans (same metrics, with Cyrillic),
  // MS Sans Serif with a sans at the same pixel height.
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont base(QStringLiteral("MS Sans Serif"));
  base.setPixelSize(11);
  QApplication::setFont(base);
  (void)app;
}

StartOptions ParseStartOptions(const QStringList& arguments) {
  const StartOptions refused{QString(), QStringLiteral("usage: Catalog [--catalogue DIR]")};
  QCommandLineParser parser;
  const QCommandLineOption catalogue(QStringLiteral("catalogue"), QString(), QStringLiteral("DIR"));
  parser.addOption(catalogue);
  if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) return refused;
  const QStringList dirs = parser.values(catalogue);
  if (dirs.size() > 1 || (dirs.size() == 1 && dirs.front().isEmpty())) return refused;
  StartOptions options;
  if (!dirs.isEmpty()) options.catalogueDir = QDir(dirs.front()).absolutePath();
  return options;
}

int RunCatalog(QApplication& app, AppEnvironment env) {
  PrepareApplication(app);
  TfrMain frMain(std::move(env));
  if (frMain.StartupFailed()) return 1;
  frMain.show();
  return app.exec();
}
