#pragma once
// The basket: its indicator in the top-left corner, the tabbed parts list bound to the store's
// filter and cursor, and the review window. The only part of the window that moves the
// store's filter or cursor.

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

#include "browsing/model.h"
#include "design.h"

class PartsGrid;
class PartsListModel;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;
class TfrZakaz;
class UserData;

// The lines of the basket no record of the catalogue stands for, named for the user.
QString MissingText(const std::vector<browsing::BasketLine>& missing);

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
  // The order export made a document (a file of this system; empty when the word processor
  // keeps it unsaved): the review offers to send it.
  void DocumentMade(const QString& path);
  // The user's files the review shows (history, customer's details); `ask`: a question with Yes
  // and No.
  void SetUserData(UserData* data, std::function<bool(const QString&)> ask) {
    userData_ = data;
    ask_ = std::move(ask);
  }

  PartsGrid* grid() const { return bdgSpisok; }
  QWidget* tabs() const;
  // Selects the tab `by` places on, round the row, as a click on it would; only while the list
  // is shown.
  void StepTab(int by);
  PartsListModel* dataSource() const { return DataSource; }
  // The review window while it is open.
  TfrZakaz*& frZakaz() { return frZakaz_; }

 signals:
  void tabChanged();                            // the user selected another tab
  void toggleRequested();                       // "Заказать" in the grid's pop-up menu
  void clearRequested();                        // "Очистить корзину заказов"
  void orderRequested();                        // "Заявка" in the review
  void sendRequested(const QString& document);  // "Отправить" in the review
  void openRequested(const QString& document);  // a past order's document, from the history
  void copyRequested(const QString& text);      // Ctrl+C in the review
  void message(const QString& text);

 private:
  void CreatePartsList();
  void FollowTab();
  void FillReview();
  void FollowReview();
  void OpenHistory();
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
  std::vector<std::uint32_t> reviewRows_;  // the basket records of the review's rows
  QString lastDocument_;                   // the order document made from the review
  UserData* userData_ = nullptr;
  std::function<bool(const QString&)> ask_;
};
