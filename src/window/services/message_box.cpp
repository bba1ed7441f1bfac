#include "services/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {
// What a title bar holds beside its caption: the window icon and menu, its buttons and
// the frame's margins, with room for a bolder or larger caption font than the application's.
constexpr int kTitleBarRoom = 120;
constexpr double kCaptionFontAllowance = 1.25;
}  // namespace

void FitCaption(QMessageBox& box) {
  QFont caption = QApplication::font("QMdiSubWindowTitleBar");
  caption.setBold(true);
  const int width =
      static_cast<int>(QFontMetrics(caption).horizontalAdvance(box.windowTitle()) * kCaptionFontAllowance) +
      kTitleBarRoom;
  // A message box sizes itself to its layout when shown; a spacer as wide as the caption
  // across the layout's columns keeps it from being narrower.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}
