// The parts list: a tab per group over a grid bound to the store.

#include "basket/parts_list.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

#include "busy_cursor.h"
#include "tfrmain.h"
#include "controls/tab_control.h"

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
  if (paused_) {
    filterDirty_ = true;
    return;
  }
  beginResetModel();
  rows_ = store_.CountRecords();
  endResetModel();
}

void PartsListModel::CursorMoved() {
  if (paused_) {
    cursorDirty_ = true;
    return;
  }
  if (auto handler = OnCursor) handler(static_cast<int>(store_.Position()));
}

void PartsListModel::RecordChanged(std::size_t position) {
  if (paused_) {
    recordsDirty_ = true;
    return;
  }
  if (static_cast<int>(position) < rows_)
    emit dataChanged(index(static_cast<int>(position), kObozColumn), index(static_cast<int>(position), kNaimColumn));
}

void PartsListModel::Resume() {
  // A walk that put the filter back leaves the same set: the grid keeps its rows.
  if (filterDirty_ && store_.CountRecords() != rows_) {
    beginResetModel();
    rows_ = store_.CountRecords();
    endResetModel();
    cursorDirty_ = true;
  } else if ((filterDirty_ || recordsDirty_) && rows_ > 0) {
    emit dataChanged(index(0, kObozColumn), index(rows_ - 1, kNaimColumn));
  }
  if (cursorDirty_) {
    if (auto handler = OnCursor) handler(static_cast<int>(store_.Position()));
  }
  filterDirty_ = cursorDirty_ = recordsDirty_ = false;
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
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
               pal.color(QPalette::Active, QPalette::HighlightedText));
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

  model->OnCursor = [this](int) { SyncFromStore(); };
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

// ---------------------------------------------------------------- window handlers

void TfrMain::CreatePartsList() {
  static const char16_t* const kCaptions[] = {
      u"Манипулятор",       u"Опорно-поворотное устройство", u"Стрела",
      u"Рукоять с удлинителем", u"Пост управления",         u"Механизм управления",
      u"Опора",             u"Гидрооборудование",            u"Электрооборудование",
      u"Захват",            u"Все запасные части"};
  for (const char16_t* caption : kCaptions) TabControl->tabs()->addTab(QString::fromUtf16(caption));
  TabControl->SetTabIndex(0);
  TabControl->OnChange = [this] { TabControlChange(); };

  DataSource = new PartsListModel(ADOQuery, this);
  DataSource->setObjectName(QStringLiteral("DataSource"));
  bdgSpisok = new PartsGrid(DataSource, ADOQuery, TabControl->page());
  bdgSpisok->setObjectName(QStringLiteral("bdgSpisok"));
  TabControl->SetPageContent(bdgSpisok);
  bdgSpisok->OnDrawColumnCell = [this](QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) {
    bdgSpisokDrawColumnCell(p, o, i);
  };
  pmZacaz = new QMenu(this);
  pmZacaz->setObjectName(QStringLiteral("pmZacaz"));
  N2 = pmZacaz->addAction(QStringLiteral("Заказать"));
  N2->setObjectName(QStringLiteral("N2"));
  connect(N2, &QAction::triggered, this, [this] { N2Click(); });
  bdgSpisok->OnContextMenu = [this] { pmZacaz->popup(QCursor::pos()); };
}

QString TfrMain::TabFilter(int index) const {
  if (index >= 0 && index <= 9) return QStringLiteral("Table = %1").arg(index);
  if (index == 10) return QStringLiteral("VozmPokupka = True");
  return QString();
}

// The filter of the selected tab; any other tab index leaves the filter as it is.
void TfrMain::ApplyTabFilter() {
  const QString text = TabFilter(TabControl->TabIndex());
  if (text.isNull()) return;
  if (auto filter = catalogue::Filter::Parse(text.toStdString())) ADOQuery.ApplyFilter(filter.value());
}

void TfrMain::ImageLeave5Click(QWidget*) {
  ApplyTabFilter();
  SetDisplayMode(dmList);
  ADOQueryAfterScroll();
}

void TfrMain::TabControlChange() { ImageLeave5Click(TabControl); }

void TfrMain::ADOQueryAfterScroll() {
  if (FDisplayMode != dmList) return;
  BusyCursor busy;
  SetPicture(CataloguePath(folder_.ListPicture(ADOQuery.GetString(Field::View))));
  SetInBasket(ADOQuery.GetBoolean(Field::Pokupka));
}

void TfrMain::bdgSpisokDrawColumnCell(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) {
  QStyleOptionViewItem opt(option);
  if (DataSource->InBasket(index.row())) {
    // A basket row: bold on teal, also when selected.
    const bool selected = opt.state & QStyle::State_Selected;
    opt.font.setBold(true);
    opt.backgroundBrush = QColor(0, 128, 128);
    opt.palette.setColor(QPalette::Text, selected ? opt.palette.color(QPalette::HighlightedText)
                                                  : opt.palette.color(QPalette::Text));
    opt.state &= ~QStyle::State_Selected;
    p->fillRect(opt.rect, opt.backgroundBrush);
  }
  static_cast<CellDelegate*>(bdgSpisok->itemDelegate())->DefaultDraw(p, opt, index);
}


