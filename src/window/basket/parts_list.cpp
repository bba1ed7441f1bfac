// The parts list: a tab per group over a grid bound to the store.

#include "basket/parts_list.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

using catalogue::Field;

// ---------------------------------------------------------------- model

PartsListModel::PartsListModel(catalogue::CatalogueStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {
  rows_ = store_.CountRecords();
  store_.SetObserver(this);
}

PartsListModel::~PartsListModel() { store_.SetObserver(nullptr); }

int PartsListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int PartsListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kPartsColumns; }

QVariant PartsListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
  const Field f = index.column() == kObozColumn ? Field::Oboz : Field::Naim;
  return QString::fromStdString(store_.GetStringAt(static_cast<std::size_t>(index.row()), f));
}

QVariant PartsListModel::headerData(int section, Qt::Orientation o, int role) const {
  if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == kObozColumn ? QStringLiteral("Обозначение") : QStringLiteral("Наименование");
}

bool PartsListModel::InBasket(int row) const {
  return row < rows_ && store_.GetBooleanAt(static_cast<std::size_t>(row), Field::Pokupka);
}

void PartsListModel::SetShown(bool shown) {
  shown_ = shown;
  if (shown_ && staleWhileHidden_) {
    staleWhileHidden_ = false;
    beginResetModel();
    rows_ = store_.CountRecords();
    endResetModel();
  }
}

void PartsListModel::FilterChanged() {
  if (!shown_) {
    staleWhileHidden_ = true;
    return;
  }
  beginResetModel();
  rows_ = store_.CountRecords();
  endResetModel();
}

void PartsListModel::CursorMoved() { emit cursorMoved(static_cast<int>(store_.Position())); }

void PartsListModel::RecordChanged(std::size_t position) {
  if (static_cast<int>(position) < rows_)
    emit dataChanged(index(static_cast<int>(position), kObozColumn), index(static_cast<int>(position), kNaimColumn));
}

// ---------------------------------------------------------------- grid

PartsGrid::PartsGrid(PartsListModel* model, catalogue::CatalogueStore& store, QWidget* parent)
    : QTableView(parent), store_(store) {
  setVerticalHeader(new IndicatorHeader(this));
  setModel(model);
  setItemDelegate(new CellDelegate(this));
  setFrameShape(QFrame::NoFrame);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  setWordWrap(false);
  setTabKeyNavigation(false);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, Qt::white);
  // The selected row stays visible when the grid loses the focus.
  pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(pal);

  QHeaderView* vh = verticalHeader();
  vh->setSectionResizeMode(QHeaderView::Fixed);
  vh->setDefaultSectionSize(17);
  vh->setMinimumSectionSize(17);
  vh->setFixedWidth(11);
  QHeaderView* hh = horizontalHeader();
  QFont title(QStringLiteral("MS Sans Serif"));
  title.setPixelSize(11);
  hh->setFont(title);
  hh->setSectionResizeMode(QHeaderView::Interactive);
  hh->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  hh->setHighlightSections(false);
  hh->setSectionsClickable(false);
  setColumnWidth(kObozColumn, 218);
  setColumnWidth(kNaimColumn, 270);

  connect(model, &PartsListModel::cursorMoved, this, [this] { SyncFromStore(); });
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    setColumnWidth(kObozColumn, columnWidth(kObozColumn));
    SyncFromStore();
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (syncing_ || !current.isValid()) return;
            if (static_cast<std::size_t>(current.row()) != store_.Position() || store_.AtEnd())
              store_.MoveTo(static_cast<std::size_t>(current.row()));
            verticalHeader()->viewport()->update();
          });
}

void PartsGrid::SyncFromStore() {
  // A hidden grid catches up when it is shown; walks over the store cost nothing meanwhile.
  if (!isVisible()) {
    syncPending_ = true;
    return;
  }
  syncPending_ = false;
  syncing_ = true;
  if (store_.AtEnd()) {
    selectionModel()->clear();
  } else {
    const QModelIndex at = model()->index(static_cast<int>(store_.Position()), kObozColumn);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
  }
  verticalHeader()->viewport()->update();
  syncing_ = false;
}

void PartsGrid::showEvent(QShowEvent* e) {
  QTableView::showEvent(e);
  static_cast<PartsListModel*>(model())->SetShown(true);
  if (syncPending_) SyncFromStore();
}

void PartsGrid::hideEvent(QHideEvent* e) {
  QTableView::hideEvent(e);
  static_cast<PartsListModel*>(model())->SetShown(false);
}

void PartsGrid::contextMenuEvent(QContextMenuEvent* e) {
  if (auto handler = OnContextMenu) {
    handler();
    e->accept();
  }
}

void IndicatorHeader::paintSection(QPainter* p, const QRect& rect, int section) const {
  QHeaderView::paintSection(p, rect, section);
  const auto* view = qobject_cast<const QTableView*>(parentWidget());
  if (!view || view->currentIndex().row() != section) return;
  // A small black triangle pointing right.
  const QPoint c = rect.center();
  const QPoint tri[3] = {QPoint(c.x() - 2, c.y() - 4), QPoint(c.x() + 2, c.y()), QPoint(c.x() - 2, c.y() + 4)};
  p->save();
  // The base painting leaves an empty clip region behind when it had none to restore.
  p->setClipRect(rect);
  p->setRenderHint(QPainter::Antialiasing, false);
  p->setPen(Qt::NoPen);
  p->setBrush(Qt::black);
  p->drawPolygon(tri, 3);
  p->restore();
}

void CellDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (auto handler = grid_->OnDrawColumnCell)
    handler(p, option, index);
  else
    DefaultDraw(p, option, index);
}
