#pragma once
// The orders made before from this catalogue, newest first: a line opens its document again,
// or puts its parts with their quantities into the basket again.

#include <QDialog>

#include <vector>

#include "services/user_data.h"

class QPushButton;
class QTreeWidget;

class TfrHistory : public QDialog {
  Q_OBJECT
 public:
  TfrHistory(std::vector<PastOrder> orders, QWidget* owner);

  QTreeWidget* lvOrders;  // an order a line: when, how many parts, the document
  QTreeWidget* lvParts;   // the parts of the order chosen
  QPushButton* btnOpen;   // "Открыть документ", when its file is still there
  QPushButton* btnAgain;  // "Заказать снова"

  // The order on the current line, if any.
  const PastOrder* Current() const;

 signals:
  void openRequested(const QString& file);
  void orderAgainRequested(const PastOrder& order);

 private:
  void ShowCurrent();

  std::vector<PastOrder> orders_;
};
