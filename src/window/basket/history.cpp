#include "basket/history.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kIndexRole = Qt::UserRole;
}  // namespace

TfrHistory::TfrHistory(std::vector<PastOrder> orders, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      orders_(std::move(orders)) {
  setWindowTitle(QStringLiteral("История заказов"));
  resize(640, 420);
  if (owner) move(owner->geometry().center() - rect().center());

  lvOrders = new QTreeWidget(this);
  lvOrders->setObjectName(QStringLiteral("lvOrders"));
  lvOrders->setHeaderLabels({QStringLiteral("Дата"), QStringLiteral("Позиций"), QStringLiteral("Документ")});
  lvOrders->setRootIsDecorated(false);
  lvOrders->setUniformRowHeights(true);
  lvOrders->setAllColumnsShowFocus(true);
  lvOrders->setColumnWidth(0, 120);
  lvOrders->setColumnWidth(1, 70);
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(orders_.size()));
  for (std::size_t i = 0; i < orders_.size(); ++i) {
    const PastOrder& o = orders_[i];
    auto* item =
        new QTreeWidgetItem({o.when.toString(QStringLiteral("dd.MM.yyyy HH:mm")), QString::number(o.lines.size()),
                             o.file.isEmpty() ? QStringLiteral("(не сохранён)") : QFileInfo(o.file).fileName()});
    item->setData(0, kIndexRole, static_cast<qulonglong>(i));
    items.append(item);
  }
  lvOrders->addTopLevelItems(items);

  lvParts = new QTreeWidget(this);
  lvParts->setObjectName(QStringLiteral("lvParts"));
  lvParts->setHeaderLabels(
      {QStringLiteral("Обозначение"), QStringLiteral("Наименование"), QStringLiteral("Количество")});
  lvParts->setRootIsDecorated(false);
  lvParts->setColumnWidth(0, 170);
  lvParts->setColumnWidth(1, 300);

  btnOpen = new QPushButton(QStringLiteral("Открыть документ"), this);
  btnAgain = new QPushButton(QStringLiteral("Заказать снова"), this);
  auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
  for (QPushButton* b : {btnOpen, btnAgain, close}) b->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnOpen);
  buttons->addWidget(btnAgain);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lvOrders, 3);
  layout->addWidget(new QLabel(QStringLiteral("Состав заказа:"), this));
  layout->addWidget(lvParts, 2);
  layout->addLayout(buttons);

  connect(lvOrders, &QTreeWidget::currentItemChanged, this, [this] { ShowCurrent(); });
  // Enter or a double-click opens the document where it is still there, else orders again.
  connect(lvOrders, &QTreeWidget::itemActivated, this, [this] {
    if (btnOpen->isEnabled())
      btnOpen->click();
    else
      btnAgain->click();
  });
  connect(btnOpen, &QPushButton::clicked, this, [this] {
    if (const PastOrder* o = Current()) emit openRequested(o->file);
  });
  connect(btnAgain, &QPushButton::clicked, this, [this] {
    if (const PastOrder* o = Current()) emit orderAgainRequested(*o);
  });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  if (!items.isEmpty()) lvOrders->setCurrentItem(items.front());
  ShowCurrent();
}

const PastOrder* TfrHistory::Current() const {
  const QTreeWidgetItem* item = lvOrders->currentItem();
  if (!item) return nullptr;
  const auto i = static_cast<std::size_t>(item->data(0, kIndexRole).toULongLong());
  return i < orders_.size() ? &orders_[i] : nullptr;
}

void TfrHistory::ShowCurrent() {
  lvParts->clear();
  const PastOrder* o = Current();
  btnOpen->setEnabled(o && !o->file.isEmpty() && QFileInfo(o->file).isFile());
  btnAgain->setEnabled(o && !o->lines.empty());
  if (!o) return;
  QList<QTreeWidgetItem*> parts;
  for (const browsing::BasketLine& l : o->lines)
    parts.append(new QTreeWidgetItem(
        {QString::fromStdString(l.oboz), QString::fromStdString(l.naim), QString::fromStdString(l.quantity)}));
  lvParts->addTopLevelItems(parts);
}
