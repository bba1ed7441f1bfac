// The keyboard: shortcuts for the commands of the caption buttons, and Tab over the controls
// a click would work on.

#include <QKeyEvent>
#include <QShortcut>

#include <algorithm>
#include <limits>

#include "basket/basket.h"
#include "basket/parts_list.h"
#include "browser/drawing.h"
#include "browser/plates.h"
#include "caption_bar.h"
#include "controls/imageleave.h"
#include "tfrmain.h"

void TfrMain::CreateShortcuts() {
  // Each key works only while its button is there to be clicked; while a modal window (a
  // message, the basket review) is up, the main window is not active and its keys rest.
  const auto press = [this](const QKeySequence& keys, Button button) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, button] { captionBar_->Press(button); });
  };
  press(QKeySequence(Qt::Key_Backspace), Button::Back);
  press(QKeySequence(Qt::ALT | Qt::Key_Left), Button::Back);
  press(QKeySequence(Qt::ALT | Qt::Key_Home), Button::Home);
  press(QKeySequence(Qt::Key_F1), Button::Help);
  press(QKeySequence(Qt::CTRL | Qt::Key_F), Button::Find);
  // The parts list's tabs, from anywhere in the list.
  const auto step = [this](const QKeySequence& keys, int by) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, by] { basket_->StepTab(by); });
  };
  step(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
  step(QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1);
  step(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
  step(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1);
  step(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
  auto* copy = new QShortcut(QKeySequence::Copy, this);
  connect(copy, &QShortcut::activated, this, &TfrMain::CopyPart);
}

void TfrMain::CopyPart() {
  // The focused control, else the one under the pointer.
  QWidget* part = focusWidget();
  if (!part || part == this) part = childAt(mapFromGlobal(QCursor::pos()));
  QString text;
  if (auto* label = qobject_cast<TLabel*>(part); label && drawing_->IsCallout(label)) {
    text = label->Caption();
    text.replace(QChar(13), QLatin1Char('\t'));
  } else if (auto* plate = qobject_cast<TImageLeave*>(part); plate && plates_->IndexOf(plate)) {
    text = plate->Oboz() + QLatin1Char('\t') + plate->Naim();
  } else if (basket_->grid()->isVisible() && model_.ListRow()) {
    const catalogue::Table& t = ADOQuery.table();
    text = QString::fromStdString(t.Format(*model_.ListRow(), catalogue::Field::Oboz)) + QLatin1Char('\t') +
           QString::fromStdString(t.Format(*model_.ListRow(), catalogue::Field::Naim));
  }
  if (!text.isEmpty() && env_.copyText) env_.copyText(text);
}

std::vector<QWidget*> TfrMain::FocusChain() const {
  std::vector<QWidget*> chain;
  for (TImageLeave* h : plates_->HotSpots())
    // A plate opens when its section has a composition; the parts-list plate always.
    if (h->isVisible() && (h->Sostoit() || plates_->IndexOf(h) == 5u)) chain.push_back(h);
  for (TLabel* l : drawing_->Callouts())
    if (l->isVisible()) chain.push_back(l);
  for (QWidget* b : captionBar_->Clickable()) chain.push_back(b);
  if (basket_->grid()->isVisible()) {
    chain.push_back(basket_->tabs());
    chain.push_back(basket_->grid());
  }
  // Reading order: rows from the top, left to right within a row. The controls of a row need
  // not share their top (the bottom row stands a few pixels higher on the right): a control
  // whose middle lies within the height of a row's first control belongs to that row.
  const auto placeOf = [this](const QWidget* w) { return QRect(w->mapTo(this, QPoint()), w->size()); };
  std::stable_sort(chain.begin(), chain.end(),
                   [&](const QWidget* a, const QWidget* b) { return placeOf(a).top() < placeOf(b).top(); });
  std::vector<std::pair<int, QWidget*>> rows;  // the row of each control, from the top
  int row = -1, rowBottom = std::numeric_limits<int>::min();
  for (QWidget* w : chain) {
    const QRect at = placeOf(w);
    if (at.center().y() > rowBottom) {
      ++row;
      rowBottom = at.bottom();
    }
    rows.emplace_back(row, w);
  }
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : placeOf(a.second).left() < placeOf(b.second).left();
  });
  for (std::size_t i = 0; i < rows.size(); ++i) chain[i] = rows[i].second;
  return chain;
}

bool TfrMain::focusNextPrevChild(bool next) {
  QWidget* current = focusWidget();
  // The focused control is being hidden: the display is changing, and the focus does not run
  // through controls that are about to go. The key that changed it places the focus anew.
  if (current && current != this && !current->isVisible()) {
    current->clearFocus();
    return true;
  }
  const std::vector<QWidget*> chain = FocusChain();
  if (chain.empty()) return true;
  while (current && current != this && std::find(chain.begin(), chain.end(), current) == chain.end())
    current = current->parentWidget();  // a cell of the grid counts as the grid
  const auto at = std::find(chain.begin(), chain.end(), current);
  const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(chain.size());
  std::ptrdiff_t i = at == chain.end() ? (next ? 0 : n - 1) : (at - chain.begin() + (next ? 1 : n - 1)) % n;
  chain[static_cast<std::size_t>(i)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void TfrMain::ShowFocus(QWidget* control, bool focused) {
  // The focused control looks as it does under the pointer.
  if (drawing_->IsCallout(control)) {
    focused ? Label1MouseMove(control) : Label1MouseLeave(control);
  } else if (plates_->IndexOf(control)) {
    focused ? ImageLeave1MouseMove(control) : ImageLeave1MouseLeave(control);
  } else if (const auto button = captionBar_->ButtonOf(control)) {
    focused ? captionBar_->Hover(*button) : captionBar_->Leave(*button);
  }
}

bool TfrMain::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  if (!control) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn:
      ShowFocus(control, true);
      break;
    case QEvent::FocusOut:
      ShowFocus(control, false);
      break;
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) break;
      // Enter or Space: the click. When it has changed the display, the focus goes on with the
      // first control of the new one.
      if (auto* label = qobject_cast<TLabel*>(control); label && label->OnClick) label->OnClick(label);
      if (auto* image = qobject_cast<TImage*>(control); image && image->OnClick) image->OnClick(image);
      if (!focusWidget() || !focusWidget()->isVisible())
        if (const auto chain = FocusChain(); !chain.empty()) chain.front()->setFocus(Qt::TabFocusReason);
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}
