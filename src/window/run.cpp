#include "window/run.h"

#include <QFont>
#include <QStyleFactory>

#include "messages.h"
#include "tfrmain.h"

void PrepareApplication(QApplication& app) {
  QCoreApplication::setApplicationName(kApplicationTitle);
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

int RunCatalog(QApplication& app, AppEnvironment env) {
  PrepareApplication(app);
  TfrMain frMain(std::move(env));
  if (frMain.StartupFailed()) return 1;
  frMain.show();
  return app.exec();
}
