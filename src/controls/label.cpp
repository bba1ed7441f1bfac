#include "controls/label.h"

#include <QMouseEvent>

#include <QHash>
#include <QPainter>
#include <cmath>

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setTextFormat(Qt::PlainText);
  setAttribute(Qt::WA_TranslucentBackground);
}

void TLabel::SetCaption(const QString& caption) {
  // A drawing shown again gives most labels their own caption back: nothing to lay out.
  if (captionSet_ && caption == caption_) {
    Fit();
    return;
  }
  captionSet_ = true;
  caption_ = caption;
  QString shown = caption;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  setText(shown);
  Layout();
  Fit();
}

void TLabel::Layout() {
  lines_.clear();
  laidOutWidth_ = width();
  const QFontMetrics fm(font());
  lineSpacing_ = fm.lineSpacing();
  if (text().isEmpty()) return;
  QTextOption option;
  option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
  // Blanks around the text are shown too: a right-aligned label keeps its trailing blanks.
  option.setFlags(QTextOption::IncludeTrailingSpaces);
  // A wrapped text is as wide as the label; its lines are aligned within it.
  if (wordWrap()) option.setAlignment(alignment() & Qt::AlignHorizontal_Mask);
  auto layout = [&](const QString& line) {
    QStaticText t(line);
    t.setTextFormat(Qt::PlainText);
    t.setTextOption(option);
    if (wordWrap()) t.setTextWidth(width());
    t.prepare(QTransform(), font());
    return t;
  };
  if (!layouts_) {
    for (const QString& line : text().split(QLatin1Char('\n'))) lines_.push_back(layout(line));
    return;
  }
  // Kept lines are found by text, font and layout.
  if (fontKey_.isEmpty()) fontKey_ = font().key();
  const QString fontKey = fontKey_ + QLatin1Char('|') + QString::number(wordWrap() ? width() : -1) + QLatin1Char('|') +
                          QString::number(option.alignment()) + QLatin1Char('|');
  for (const QString& line : text().split(QLatin1Char('\n')))
    lines_.push_back(layouts_->Get(fontKey + line, [&] { return layout(line); }));
}

namespace {
constexpr int kMarkGap = 3, kMarkSize = 8;
}  // namespace

QSize TLabel::sizeHint() const {
  qreal w = 0;
  int h = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const QStaticText& t = lines_[i];
    w = std::max(w, t.size().width() + (i == 0 && marked_ ? kMarkGap + kMarkSize : 0));
    h += std::max(lineSpacing_, static_cast<int>(std::ceil(t.size().height())));
  }
  return QSize(static_cast<int>(std::ceil(w)), std::max(h, lineSpacing_));
}

void TLabel::SetMark(bool on) {
  if (marked_ == on) return;
  marked_ = on;
  Fit();
  update();
}

void TLabel::paintEvent(QPaintEvent*) {
  if (lines_.empty()) return;
  QPainter p(this);
  p.setFont(font());
  p.setPen(palette().color(QPalette::WindowText));
  const Qt::Alignment a = alignment();
  // Laid-out text is drawn without the font's underline: it is drawn here, under each line.
  const QFontMetrics fm(font());
  const bool underline = font().underline();
  qreal y = 0;
  for (const QStaticText& t : lines_) {
    const QSizeF size = t.size();
    qreal x = 0;
    if (wordWrap())
      x = 0;
    else if (a & Qt::AlignRight)
      x = width() - size.width();
    else if (a & Qt::AlignHCenter)
      x = (width() - size.width()) / 2;
    p.drawStaticText(QPointF(x, y), t);
    if (marked_ && &t == &lines_.front()) {
      p.save();
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(Qt::white, 1.5));
      p.setBrush(QColor(0, 128, 128));
      const qreal top = y + (lineSpacing_ - kMarkSize) / 2.0;
      p.drawEllipse(QRectF(x + size.width() + kMarkGap, top, kMarkSize, kMarkSize));
      p.restore();
    }
    if (underline && size.width() > 0) {
      const int base = static_cast<int>(y) + fm.ascent() + fm.underlinePos();
      p.fillRect(QRectF(x, base, size.width(), std::max(1, fm.lineWidth())), p.pen().color());
    }
    y += std::max<qreal>(lineSpacing_, size.height());
  }
}

void TLabel::changeEvent(QEvent* e) {
  QLabel::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    fontKey_.clear();
    Layout();
  }
}

void TLabel::resizeEvent(QResizeEvent* e) {
  QLabel::resizeEvent(e);
  if (wordWrap() && width() != laidOutWidth_) Layout();
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
  setFont(f);  // the text is laid out again on the font change
  Fit();
}

void TLabel::Fit() {
  if (autoSize_) resize(sizeHint());
}

void TLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(e);
}

// The second press of a double-click is no click of its own: the button was clicked once.
void TLabel::mouseDoubleClickEvent(QMouseEvent* e) { e->accept(); }

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
