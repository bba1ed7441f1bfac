#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>

#include <gtest/gtest.h>

#include "messages.h"
#include "services/message_box.h"

namespace {

// A box with a one-word message is still wide enough for its caption beside the title bar's
// buttons; a long message keeps the width it needs.
TEST(MessageBoxTest, IsWideEnoughForItsCaption) {
  QFont caption = QApplication::font("QMdiSubWindowTitleBar");
  caption.setBold(true);
  const int captionWidth = QFontMetrics(caption).horizontalAdvance(kApplicationTitle);
  for (const QString& text : {QStringLiteral("Готово"), QString(40, QLatin1Char('x')) + QStringLiteral(" конец")}) {
    QMessageBox plain(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok);
    QMessageBox fitted(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok);
    FitCaption(fitted);
    plain.show();
    fitted.show();
    QApplication::processEvents();
    EXPECT_GE(fitted.width(), captionWidth + 100) << text.toStdString();
    EXPECT_GE(fitted.width(), plain.width());
  }
}

}  // namespace
