#include "window/environment.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QStandardPaths>

#include "help/help_service.h"
#include "messages.h"
#include "services/message_box.h"
#include "services/shell_win.h"

#ifndef _WIN32
bool SendWithXdgEmail(const QString& address, const QString& attachment, const QStringList& environment) {
  // The desktop's mail program, found on the PATH the programs the window starts run with.
  QProcessEnvironment env;
  for (const QString& entry : environment) {
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    if (eq > 0) env.insert(entry.left(eq), entry.mid(eq + 1));
  }
  const QString program = QStandardPaths::findExecutable(
      QStringLiteral("xdg-email"), env.value(QStringLiteral("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts));
  if (program.isEmpty()) return false;
  QProcess mail;
  mail.setProcessEnvironment(env);
  mail.start(program, {QStringLiteral("--utf8"), QStringLiteral("--subject"),
                       QStringLiteral("Заявка на запасные части"), QStringLiteral("--attach"), attachment, address});
  return mail.waitForFinished(30000) && mail.exitStatus() == QProcess::NormalExit && mail.exitCode() == 0;
}
#endif

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
    FitCaption(box);
    // The box waits for the user: it shows the arrow even while an operation is busy.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy) QApplication::restoreOverrideCursor();
  };
  const QString helpDir = catalogueDir.isEmpty() ? QFileInfo(env.executablePath).absolutePath() : catalogueDir;
  env.help = [helpDir] { return MakePlatformHelp(helpDir); };
  env.processEnvironment = QProcessEnvironment::systemEnvironment().toStringList();
  // The user's folders, named as the package is: the same whatever the application is called.
  env.userDataDir =
      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/krantek-catalog");
  env.settingsFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/krantek-catalog/settings.ini");
  env.ask = [](const QString& question) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle, question, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    FitCaption(box);
    return box.exec() == QMessageBox::Yes;
  };
#ifdef _WIN32
  env.sendMail = [](const QString& address, const QString& attachment) {
    return SendMailWithAttachment(address.toStdWString(), QDir::toNativeSeparators(attachment).toStdWString());
  };
#else
  env.sendMail = [environment = env.processEnvironment](const QString& address, const QString& attachment) {
    return SendWithXdgEmail(address, attachment, environment);
  };
#endif
  env.copyText = [](const QString& text) { QGuiApplication::clipboard()->setText(text); };
  return env;
}
