#pragma once
// What the main window takes from its surroundings; tests replace each part.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class HelpService;
class QWidget;
class WordBackend;

struct AppEnvironment {
  QString executablePath;             // the base directory is the directory of this file,
  QString catalogueDir;               // unless this catalogue folder is given
  std::function<int()> screenHeight;  // height of the screen in pixels
  // The desktop's handler for mail links and documents; `owner` is the window asking, if any.
  std::function<bool(const QUrl& url, QWidget* owner)> openUrl;
  // The program's message box: modal, with the application title as caption and an OK
  // button. Empty: messages are not shown.
  std::function<void(const QString& text)> showMessage;
  // The help library, made when the window starts; empty: there is none and help does nothing.
  std::function<std::unique_ptr<HelpService>()> help;
  // The word processor the order export drives; empty: the platform's own (the word
  // processor's automation on Windows when it is there, else the built-in engine).
  std::function<std::unique_ptr<WordBackend>()> wordProcessor;
  // Where the built-in engine writes order documents; empty: the user's documents folder.
  QString documentsDir;
  // The "NAME=value" entries of the environment the programs the window starts run in (and
  // whose PATH finds them): LibreOffice, which converts Word 97-2003 templates, the mail
  // program. Empty: none.
  QStringList processEnvironment;
  // The user's data folder (the lasting basket, the order history) and the settings file.
  // Empty: nothing of the user's is kept beyond the run.
  QString userDataDir;
  QString settingsFile;
  // A question with Yes and No; empty: every question is answered No.
  std::function<bool(const QString& question)> ask;
  // A new mail message to `address` with the file `attachment`; false when no mail program
  // took it. Empty: none does.
  std::function<bool(const QString& address, const QString& attachment)> sendMail;
  // Text for the clipboard.
  std::function<void(const QString& text)> copyText;

  // The running program: its own executable, the primary screen, the desktop services. The
  // catalogue folder, when given, holds the help file too; else it lies beside the executable.
  static AppEnvironment FromApplication(const QString& catalogueDir = QString());
};

#ifndef _WIN32
// Opens a new message with `xdg-email --attach`, found on the PATH of `environment` ("NAME=value"
// entries); false when it is missing or fails.
bool SendWithXdgEmail(const QString& address, const QString& attachment, const QStringList& environment);
#endif
