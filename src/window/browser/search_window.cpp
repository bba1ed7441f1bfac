#include "browser/search_window.h"

#include "catalogue/search.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRowRole = Qt::UserRole;
}  // namespace

TfrSearch::TfrSearch(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
  setWindowTitle(QStringLiteral("Поиск детали"));
  resize(700, 420);
  if (owner) move(owner->geometry().center() - rect().center());

  auto* prompt = new QLabel(QStringLiteral("Обозначение или наименование:"), this);
  edQuery = new QLineEdit(this);
  edQuery->setObjectName(QStringLiteral("edQuery"));
  edQuery->setClearButtonEnabled(true);
  prompt->setBuddy(edQuery);
  lvResults = new QTreeWidget(this);
  lvResults->setObjectName(QStringLiteral("lvResults"));
  lvResults->setColumnCount(3);
  lvResults->setHeaderLabels({QStringLiteral("Обозначение"), QStringLiteral("Наименование"), QStringLiteral("Где")});
  lvResults->setRootIsDecorated(false);
  lvResults->setUniformRowHeights(true);
  lvResults->setAllColumnsShowFocus(true);
  lvResults->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvResults->header()->setStretchLastSection(true);
  lvResults->setColumnWidth(0, 170);
  lvResults->setColumnWidth(1, 220);

  lbMore = new QLabel(this);
  lbMore->setObjectName(QStringLiteral("lbMore"));
  lbMore->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(edQuery);
  layout->addWidget(lvResults);
  layout->addWidget(lbMore);

  edQuery->installEventFilter(this);
  lvResults->installEventFilter(this);
  connect(edQuery, &QLineEdit::textChanged, this, &TfrSearch::findRequested);
  connect(lvResults, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Open(item); });
  edQuery->setFocus();
}

void TfrSearch::ShowResults(const std::vector<Line>& lines, std::size_t total, std::size_t wordsLeftOut) {
  lvResults->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(lines.size()));
  for (const Line& line : lines) {
    auto* item = new QTreeWidgetItem({line.oboz, line.naim, line.where});
    item->setData(0, kRowRole, static_cast<qulonglong>(line.row));
    items.append(item);
  }
  lvResults->addTopLevelItems(items);
  if (!lines.empty()) lvResults->setCurrentItem(items.front());
  // Below the list, how many more there are: it is not a line, so the keys never land on it.
  QStringList notes;
  if (total > lines.size()) notes << QStringLiteral("показаны первые %1 из %2").arg(lines.size()).arg(total);
  if (wordsLeftOut > 0)
    notes << QStringLiteral("искались только первые %1 разных слов запроса").arg(catalogue::PartSearch::kMaxWords);
  lbMore->setText(notes.join(QStringLiteral("; ")));
  lbMore->setVisible(!notes.isEmpty());
}

void TfrSearch::Open(QTreeWidgetItem* item) {
  if (!item || !item->data(0, kRowRole).isValid()) return;
  emit openRequested(static_cast<std::uint32_t>(item->data(0, kRowRole).toULongLong()));
}

bool TfrSearch::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+C copies the lines chosen, unless the field has text selected to copy.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
      !(watched == edQuery && edQuery->hasSelectedText())) {
    QList<QTreeWidgetItem*> chosen = lvResults->selectedItems();
    if (chosen.isEmpty() && lvResults->currentItem()) chosen << lvResults->currentItem();
    QStringList lines;
    for (const QTreeWidgetItem* item : chosen)
      if (item->data(0, kRowRole).isValid()) lines << item->text(0) + QLatin1Char('\t') + item->text(1);
    if (!lines.isEmpty()) emit copyRequested(lines.join(QLatin1Char('\n')));
    return true;
  }
  // The field keeps the focus: Up, Down, the page keys, Home and End move through the results,
  // Enter opens one.
  if (watched == edQuery && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Home:
      case Qt::Key_End:
        // Shift+Home and Shift+End still select in the field.
        if (key->modifiers() & Qt::ShiftModifier) break;
        [[fallthrough]];
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QCoreApplication::sendEvent(lvResults, event);
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        Open(lvResults->currentItem());
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}
