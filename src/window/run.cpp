#include "window/run.h"

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
  StartOptions options;
  const QString option = QStringLiteral("--catalogue");
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    QString dir;
    if (a == option && i + 1 < arguments.size()) dir = arguments[++i];
    else if (a.startsWith(option + QLatin1Char('='))) dir = a.mid(option.size() + 1);
    if (dir.isEmpty() || !options.catalogueDir.isEmpty()) return {QString(), QStringLiteral("usage: Catalog [--catalogue DIR]")};
    options.catalogueDir = QDir(dir).absolutePath();
  }
  return options;
}

int RunCatalog(QApplication& app, AppEnvironment env) {
  PrepareApplication(app);
  TfrMain frMain(std::move(env));
  if (frMain.StartupFailed()) return 1;
  frMain.show();
  return app.exec();
}
