#pragma once
// The parts grid: a view over the store's filtered set. The model reads the store row by
// row (nothing is copied); the grid's current row and the store's cursor stay the same.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

#include "catalogue/store.h"

// The columns of the grid: designation and name.
enum PartsColumn : int { kObozColumn, kNaimColumn, kPartsColumns };

class PartsListModel : public QAbstractTableModel, public catalogue::StoreObserver {
  Q_OBJECT
 public:
  explicit PartsListModel(catalogue::CatalogueStore& store, QObject* parent = nullptr);
  ~PartsListModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;

  bool InBasket(int row) const;

  // While the grid is hidden the model does not follow new filtered sets (every fresh filter
  // of the browser would otherwise lay out a grid of the whole table); it catches up when
  // the grid is shown again.
  void SetShown(bool shown);

  void FilterChanged() override;
  void CursorMoved() override;
  void RecordChanged(std::size_t position) override;

 signals:
  // The store's cursor moved (to `row` of the filtered set).
  void cursorMoved(int row);

 private:
  catalogue::CatalogueStore& store_;
  int rows_ = 0;
  bool shown_ = false;
  bool staleWhileHidden_ = false;
};

// The grid. Its current row moves the store's cursor; the store's cursor moves its current
// row. The vertical header is the indicator column.
class PartsGrid : public QTableView {
  Q_OBJECT
 public:
  PartsGrid(PartsListModel* model, catalogue::CatalogueStore& store, QWidget* parent);

  // Paints one data cell (the window's handler); empty: the ordinary painting.
  std::function<void(QPainter*, const QStyleOptionViewItem&, const QModelIndex&)> OnDrawColumnCell;
  std::function<void()> OnContextMenu;

  void SyncFromStore();

 protected:
  void contextMenuEvent(QContextMenuEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  catalogue::CatalogueStore& store_;
  bool syncing_ = false;
  bool syncPending_ = false;  // the cursor moved while the grid was hidden
};

// The indicator column: a triangle at the current row.
class IndicatorHeader : public QHeaderView {
  Q_OBJECT
 public:
  explicit IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

 protected:
  void paintSection(QPainter* p, const QRect& rect, int section) const override;
  QSize sizeHint() const override { return QSize(11, 17); }
};

class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(PartsGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void DefaultDraw(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(p, option, index);
  }

 private:
  PartsGrid* grid_;
};
