#include "messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}
}  // namespace

void ShowMessage(const QString& text) {
  if (auto h = Handler()) {
    h(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, QApplication::activeWindow());
  // The box waits for the user: it shows the arrow even while an operation is busy.
  const bool busy = QApplication::overrideCursor() != nullptr;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  if (busy) QApplication::restoreOverrideCursor();
}

MessageHandler SetMessageHandler(MessageHandler handler) {
  MessageHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}
