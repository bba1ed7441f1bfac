#include "window/environment.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QScreen>

#include "help/help_service.h"
#include "messages.h"
#include "services/shell_win.h"

AppEnvironment AppEnvironment::FromApplication(const QString& catalogueDir) {
  AppEnvironment env;
  env.executablePath = QCoreApplication::applicationFilePath();
  env.catalogueDir = catalogueDir;
  env.screenHeight = [] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().height() : 0;
  };
#ifdef _WIN32
  // The shell's "open": a mailto: link opens a new message, a document its application.
  env.openUrl = [](const QUrl& url, QWidget* owner) {
    const QString target = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    void* window = owner ? reinterpret_cast<void*>(owner->window()->winId()) : nullptr;
    return ShellOpen(window, target.toStdWString());
  };
#else
  env.openUrl = [](const QUrl& url, QWidget*) { return QDesktopServices::openUrl(url); };
#endif
  env.showMessage = [](const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, QApplication::activeWindow());
    // The box waits for the user: it shows the arrow even while an operation is busy.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy) QApplication::restoreOverrideCursor();
  };
  const QString helpDir = catalogueDir.isEmpty() ? QFileInfo(env.executablePath).absolutePath() : catalogueDir;
  env.help = [helpDir] { return MakePlatformHelp(helpDir); };
  env.processEnvironment = QProcessEnvironment::systemEnvironment().toStringList();
  return env;
}
