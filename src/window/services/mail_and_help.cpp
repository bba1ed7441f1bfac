// The help and e-mail buttons of the main window.

#include <QFileInfo>
#include <QUrl>

#include "help/help_service.h"
#include "messages.h"
#include "tfrmain.h"

void TfrMain::LoadHtmlHelp() {
  // A missing library is not an error: help then does nothing.
  help_ = env_.help ? env_.help() : nullptr;
  if (help_ && !help_->Load()) help_.reset();
}

void TfrMain::FreeHtmlHelp() { help_.reset(); }

void TfrMain::leHelpClick(QWidget*) {
  if (!help_) return;
  if (const QString why = help_->ShowHelp(HelpFilePath()); !why.isEmpty()) ShowMessage(why);
}

QString TfrMain::HelpFilePath() const {
  // The catalogue's own, in any letter case, as every catalogue path is found; never one the
  // working directory happens to hold.
  const auto found = model_.folder().Find(model_.folder().HelpFile());
  return QString::fromStdU16String(found.path.u16string());
}

void TfrMain::liMailClick(QWidget*) {
  // A new message to the sales department with an empty subject and body; whatever the
  // desktop does with it, the program says nothing.
  const QUrl url(QStringLiteral("mailto:") + kSalesAddress + QStringLiteral("?Subject=&Body="));
  if (env_.openUrl) env_.openUrl(url, this);
}
