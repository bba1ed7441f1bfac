#pragma once
// What the main window takes from its surroundings; tests replace each part.

#include <QString>
#include <QUrl>

#include <functional>

struct AppEnvironment {
  QString executablePath;               // the base directory is the directory of this file
  std::function<int()> screenHeight;    // height of the screen in pixels
  std::function<bool(const QUrl&)> openUrl;  // the desktop's handler for mail links and documents

  // The running program: its own executable, the primary screen, the desktop services.
  static AppEnvironment FromApplication();
};
