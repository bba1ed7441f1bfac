#include "controls/label.h"

#include <QMouseEvent>

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setTextFormat(Qt::PlainText);
  setAttribute(Qt::WA_TranslucentBackground);
}

void TLabel::SetCaption(const QString& caption) {
  caption_ = caption;
  QString shown = caption;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  setText(shown);
  Fit();
}

void TLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  Fit();
}

void TLabel::SetFontStyle(bool bold, bool underline) {
  QFont f = font();
  if (f.bold() == bold && f.underline() == underline) return;
  f.setBold(bold);
  f.setUnderline(underline);
  setFont(f);
  Fit();
}

void TLabel::Fit() {
  if (autoSize_) resize(sizeHint());
}

void TLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(e);
}

void TLabel::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  pressed_ = false;
  if (click) {
    if (auto handler = OnClick) handler(this);
  }
}

void TLabel::mouseMoveEvent(QMouseEvent* e) {
  if (auto handler = OnMouseMove) {
    const QPoint at = e->position().toPoint();
    handler(this, e->modifiers(), at.x(), at.y());
  }
  QLabel::mouseMoveEvent(e);
}

void TLabel::leaveEvent(QEvent* e) {
  QLabel::leaveEvent(e);
  if (auto handler = OnMouseLeave) handler(this);
}
