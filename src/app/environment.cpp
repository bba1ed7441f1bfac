#include "app/environment.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>

AppEnvironment AppEnvironment::FromApplication() {
  AppEnvironment env;
  env.executablePath = QCoreApplication::applicationFilePath();
  env.screenHeight = [] {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().height() : 0;
  };
  env.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  return env;
}
