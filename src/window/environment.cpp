#include "window/environment.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QDir>
#include <QScreen>

#include "help/html_help_win.h"

AppEnvironment AppEnvironment::FromApplication() {
  AppEnvironment env;
  env.executablePath = QCoreApplication::applicationFilePath();
  env.screenHeight = [] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().height() : 0;
  };
#ifdef _WIN32
  // The shell's "open": a mailto: link opens a new message, a document its application.
  env.openUrl = [](const QUrl& url) {
    const QString target = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    return ShellOpen(nullptr, target.toStdWString());
  };
#else
  env.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
#endif
  return env;
}
