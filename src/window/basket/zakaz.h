#pragma once
// The basket review window: the basket's records with their designations, names, an
// editable quantity and a thumbnail of the drawing each part is shown on.

#include <QDialog>
#include <QTableWidget>

#include <functional>
#include <vector>

#include "controls/picture.h"

class QPushButton;
class QWidget;

// The thumbnail of one row: the file (a path of this system) is checked when the window is
// filled and decoded, at a quarter of its size, when the row is first painted.
class Thumbnail : public QObject {
 public:
  Thumbnail(const QString& path, QObject* parent) : QObject(parent), path_(path) {}
  // Whether the picture is there and decodes; it is decoded for it.
  bool Check();
  // The decoded picture; null when it cannot be decoded.
  const QImage& Image();
  bool decoded() const { return decoded_; }
  // No picture at all: the cell draws nothing.
  void Clear() {
    path_.clear();
    decoded_ = true;
    image_ = QImage();
  }

 private:
  QString path_;
  bool decoded_ = false;
  QImage image_;
};

// The string grid: row 0 and column 0 are fixed (the header row and the row numbers).
class TStringGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit TStringGrid(QWidget* parent);
  // Cells by column and row, the fixed ones included.
  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  void SetRowCount(int rows);  // with the fixed row
  void RemoveRow(int row);     // a body row, with its object
  int RowCount() const { return rowCount() + 1; }
  void SetRowHeight(int row, int height);
  int RowHeight(int row) const;
  // The object a cell carries (the thumbnail of an image cell).
  void SetObject(int col, int row, Thumbnail* object);
  Thumbnail* Object(int col, int row) const;
  QRect CellRect(int col, int row) const;  // in viewport coordinates
  // The body rows with a selected cell, top to bottom.
  std::vector<int> SelectedRows() const;
  bool Editing() const { return state() == EditingState; }
  // A quantity refused: the hint beside the editor `at`; how many times that happened.
  void ShowHint(QWidget* at);
  int hintsShown() const { return hintsShown_; }
  // Filling many cells at once: the view hears of them once, at the end.
  void BeginFill();
  void EndFill();

  std::function<void(QPainter*, int col, int row, const QRect&)> OnDrawCell;

 signals:
  // The user changed the text of a body cell.
  void cellEdited(int col, int row, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<Thumbnail*> objects_;  // by row, for column 4
  std::vector<QString> rowTitles_;   // column 0 by row
  QString cornerText_;               // the fixed cell of row 0, column 0
  QWidget* corner_ = nullptr;
  int hintsShown_ = 0;
};

// A quantity is a whole number above nought; anything else is refused where it is typed.
inline constexpr int kMaxQuantity = 999999;
inline const QString kQuantityHint = QStringLiteral("Количество — целое число больше нуля");

class TfrZakaz : public QDialog {
  Q_OBJECT
 public:
  explicit TfrZakaz(QWidget* owner);

  TStringGrid* sgZakaz;
  QWidget* Panel1;
  QPushButton* BitBtn1;      // Закрыть
  QPushButton* BitBtn2;      // Заявка
  QPushButton* btnSend;      // Отправить: the order document made, by mail
  QPushButton* btnRemove;    // Удалить: the selected rows out of the basket
  QPushButton* btnClear;     // Очистить: the whole basket, after a question
  QPushButton* btnHistory;   // История: the orders made before
  QPushButton* btnCustomer;  // Заказчик: the customer's details an order names

  void sgZakazDrawCell(QPainter* p, int col, int row, const QRect& rect);
  void BitBtn2Click();

 signals:
  void orderRequested();  // "Заявка": the main window's order export
  void sendRequested();
  void removeRequested(const std::vector<int>& rows);  // body rows of the grid
  void clearRequested();
  void historyRequested();
  void customerRequested();
  void copyRequested(const QString& text);  // Ctrl+C: the designations and names of the rows chosen

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
