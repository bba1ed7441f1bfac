// The help and e-mail buttons of the main window.

#include <QUrl>

#include "tfrmain.h"
#include "services/help.h"

namespace {
// The maker's sales department.
const QString kSalesAddress = QStringLiteral("sales@krantek.ru");
}  // namespace

void TfrMain::leHelpClick(QWidget*) { ShowHelp(HelpFile); }

void TfrMain::liMailClick(QWidget*) {
  // A new message to the sales department with an empty subject and body; whatever the
  // desktop does with it, the program says nothing.
  const QUrl url(QStringLiteral("mailto:") + kSalesAddress + QStringLiteral("?Subject=&Body="));
  if (env_.openUrl) (void)env_.openUrl(url);
}
