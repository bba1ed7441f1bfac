#pragma once
// The basket: its indicator in the top-left corner, the tabbed parts list bound to the store's
// filter and cursor, and the review window. The only part of the window that moves the
// store's filter or cursor.

#include <QObject>

#include <optional>

#include "browsing/model.h"
#include "design.h"

class PartsGrid;
class PartsListModel;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;
class TfrZakaz;

class Basket : public QObject {
  Q_OBJECT
 public:
  Basket(const Design& design, browsing::BrowsingModel& model, catalogue::CatalogueStore& store, QWidget* form,
         QObject* parent = nullptr);

  void Redraw(const browsing::Change& change);

  // The tab the user has selected.
  int SelectedTab() const;
  // The store's cursor moved: the list's row follows, unless the list itself moved it.
  void RowChanged();
  // A data cell of the grid: a basket row bold on teal.
  void DrawColumnCell(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index);
  // Fills the review window from the basket and shows it until it is closed.
  void OpenReview();

  PartsGrid* grid() const { return bdgSpisok; }
  PartsListModel* dataSource() const { return DataSource; }
  // The review window while it is open.
  TfrZakaz*& frZakaz() { return frZakaz_; }

 signals:
  void tabChanged();       // the user selected another tab
  void toggleRequested();  // "Заказать" in the grid's pop-up menu
  void clearRequested();   // "Очистить корзину заказов"
  void orderRequested();   // "Заявка" in the review
  void message(const QString& text);

 private:
  void CreatePartsList();
  void FollowTab();
  QString NativeFile(const std::string& cataloguePath) const;

  browsing::BrowsingModel& model_;
  catalogue::CatalogueStore& store_;
  QWidget* form_;
  TImage* imZakaz;
  TLabel* lZakaz;
  QMenu* pmZakaz;
  QAction* N1;
  TImage* full_;   // Image5: the closed box
  TImage* empty_;  // Image13: the open box, grey
  TTabControl* TabControl;
  PartsGrid* bdgSpisok = nullptr;
  PartsListModel* DataSource = nullptr;
  QMenu* pmZacaz = nullptr;
  QAction* N2 = nullptr;
  bool following_ = false;  // the list moves the cursor itself
  TfrZakaz* frZakaz_ = nullptr;
};
