#include "controls/tab_control.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QVBoxLayout>

namespace {
constexpr int kTabRow = 24;
}  // namespace

TTabControl::TTabControl(QWidget* parent) : QWidget(parent) {
  tabs_ = new QTabBar(this);
  tabs_->setUsesScrollButtons(true);
  tabs_->setExpanding(false);
  tabs_->setDrawBase(false);
  tabs_->setElideMode(Qt::ElideNone);
  tabs_->setAttribute(Qt::WA_Hover);
  page_ = new QWidget(this);
  resizeEvent(nullptr);
  // The wheel does not page through the tabs: every change would enter the list afresh.
  tabs_->installEventFilter(this);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int) {
    if (!ready_) return;
    if (auto handler = OnChange) handler();
  });
  ready_ = true;
}

bool TTabControl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tabs_ && event->type() == QEvent::Wheel) return true;
  return QWidget::eventFilter(watched, event);
}

void TTabControl::resizeEvent(QResizeEvent*) {
  // One row of tabs 24 pixels high; the page inside a frame of 4 pixels below them.
  tabs_->setGeometry(2, 2, width() - 4, kTabRow - 2);
  page_->setGeometry(4, kTabRow, width() - 8, height() - kTabRow - 4);
}

void TTabControl::SetPageContent(QWidget* content) {
  auto* fill = new QVBoxLayout(page_);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(content);
}

void TTabControl::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = QRect(0, kTabRow - 4, width(), height() - kTabRow + 4);
  frame.shape = QTabBar::RoundedNorth;
  frame.lineWidth = 1;
  p.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}
