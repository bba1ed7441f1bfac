#include "basket/zakaz.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "controls/artwork.h"

#include <algorithm>

// ---------------------------------------------------------------- thumbnails

bool Thumbnail::Check() {
  const QFileInfo f(path_);
  // A file that is there but does not decode is as much of a fault as a missing one.
  return f.isFile() && f.isReadable() && !Image().isNull();
}

const QImage& Thumbnail::Image() {
  if (!decoded_) {
    decoded_ = true;
    JpegOptions quarter;
    quarter.quarter = true;
    Picture p;
    if (p.LoadFromFile(path_, quarter)) image_ = p.image();
  }
  return image_;
}

// ---------------------------------------------------------------- string grid

namespace {

// The number column is 41 pixels wide whatever its texts: measuring every row's number to
// find a width that is fixed anyway would cost more than filling the grid.
class FixedWidthHeader : public QHeaderView {
 public:
  explicit FixedWidthHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}
  QSize sizeHint() const override { return QSize(41, defaultSectionSize()); }
};

// Paints a cell the ordinary way, then hands it to the grid's own painter. The quantity is
// edited as a whole number above nought: other keys are refused with a hint.
class GridDelegate : public QStyledItemDelegate {
 public:
  explicit GridDelegate(TStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  static constexpr int kQuantityColumn = 2;  // the body column of "Количество"
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || index.column() != kQuantityColumn) return editor;
    line->setValidator(new QIntValidator(1, kMaxQuantity, line));
    line->setToolTip(kQuantityHint);
    QObject::connect(line, &QLineEdit::inputRejected, line, [this, line] { grid_->ShowHint(line); });
    return editor;
  }
  // Enter on a quantity that is not taken keeps the editor open: the hint says why.
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* line = qobject_cast<QLineEdit*>(watched);
    if (line && line->validator() && event->type() == QEvent::KeyPress && !line->hasAcceptableInput()) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) grid_->ShowHint(line);
    }
    return QStyledItemDelegate::eventFilter(watched, event);
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && index.column() == kQuantityColumn && !line->hasAcceptableInput()) {
      grid_->ShowHint(line);  // the quantity stays as it was
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(p, option, index);
    if (auto handler = grid_->OnDrawCell) {
      p->save();
      handler(p, index.column() + 1, index.row() + 1, option.rect);
      p->restore();
    }
  }

 private:
  TStringGrid* grid_;
};

}  // namespace

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent) {
  setVerticalHeader(new FixedWidthHeader(this));
  setColumnCount(4);
  setItemDelegate(new GridDelegate(this));
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setShowGrid(true);
  setWordWrap(true);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setMinimumSectionSize(4);
  verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  verticalHeader()->setDefaultSectionSize(70);
  verticalHeader()->setMinimumSectionSize(4);
  verticalHeader()->setFixedWidth(41);
  // Column widths of the design: the number column, then the four body columns.
  const int widths[] = {136, 134, 91, 105};
  for (int c = 0; c < 4; ++c) setColumnWidth(c, widths[c]);
  setHorizontalHeaderLabels(QStringList(4, QString()));
  // The corner is the fixed cell of row 0 and column 0; it shows its text like a header.
  corner_ = findChild<QAbstractButton*>();
  if (corner_) corner_->installEventFilter(this);
  connect(this, &QTableWidget::itemChanged, this,
          [this](QTableWidgetItem* item) { emit cellEdited(item->column() + 1, item->row() + 1, item->text()); });
}

bool TStringGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched != corner_ || event->type() != QEvent::Paint) return QTableWidget::eventFilter(watched, event);
  QPainter p(corner_);
  QStyleOptionHeader opt;
  opt.initFrom(corner_);
  opt.rect = corner_->rect();
  opt.text = cornerText_;
  opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  opt.position = QStyleOptionHeader::Beginning;
  opt.orientation = Qt::Horizontal;
  style()->drawControl(QStyle::CE_Header, &opt, &p, corner_);
  return true;
}

QString TStringGrid::Cell(int col, int row) const {
  if (row == 0 && col == 0) return cornerText_;
  if (row == 0) {
    const QTableWidgetItem* h = horizontalHeaderItem(col - 1);
    return h ? h->text() : QString();
  }
  if (col == 0)
    return row < static_cast<int>(rowTitles_.size()) ? rowTitles_[static_cast<std::size_t>(row)] : QString();
  const QTableWidgetItem* it = item(row - 1, col - 1);
  return it ? it->text() : QString();
}

void TStringGrid::SetCell(int col, int row, const QString& text) {
  if (row == 0 && col == 0) {
    cornerText_ = text;
    if (corner_) corner_->update();
    return;
  }
  if (row == 0) {
    setHorizontalHeaderItem(col - 1, new QTableWidgetItem(text));
  } else if (col == 0) {
    if (row >= static_cast<int>(rowTitles_.size())) return;
    rowTitles_[static_cast<std::size_t>(row)] = text;
    // The fixed column shows row numbers by itself; a header item (whose every change makes
    // the column measure itself again) is made only for a text that is not the number.
    if (text != QString::number(row) || verticalHeaderItem(row - 1))
      setVerticalHeaderItem(row - 1, new QTableWidgetItem(text));
  } else if (QTableWidgetItem* it = item(row - 1, col - 1)) {
    it->setText(text);
  } else {
    setItem(row - 1, col - 1, new QTableWidgetItem(text));
  }
}

void TStringGrid::SetRowCount(int rows) {
  setRowCount(std::max(0, rows - 1));
  objects_.assign(static_cast<std::size_t>(std::max(0, rows)), nullptr);
  rowTitles_.assign(static_cast<std::size_t>(std::max(0, rows)), QString());
}

void TStringGrid::ShowHint(QWidget* at) {
  ++hintsShown_;
  QToolTip::showText(at->mapToGlobal(QPoint(0, at->height())), kQuantityHint, at);
}

void TStringGrid::RemoveRow(int row) {
  if (row <= 0 || row >= RowCount()) return;
  removeRow(row - 1);
  if (row < static_cast<int>(objects_.size())) objects_.erase(objects_.begin() + row);
  if (row < static_cast<int>(rowTitles_.size())) rowTitles_.erase(rowTitles_.begin() + row);
}

std::vector<int> TStringGrid::SelectedRows() const {
  std::vector<int> rows;
  for (const QTableWidgetSelectionRange& r : selectedRanges())
    for (int row = r.topRow(); row <= r.bottomRow(); ++row) rows.push_back(row + 1);
  if (rows.empty() && currentRow() >= 0) rows.push_back(currentRow() + 1);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void TStringGrid::SetRowHeight(int row, int height) {
  if (row == 0)
    horizontalHeader()->setFixedHeight(height);
  else
    setRowHeight(row - 1, height);
}

int TStringGrid::RowHeight(int row) const { return row == 0 ? horizontalHeader()->height() : rowHeight(row - 1); }

void TStringGrid::SetObject(int col, int row, Thumbnail* object) {
  if (col != 4 || row <= 0 || row >= static_cast<int>(objects_.size())) return;
  objects_[static_cast<std::size_t>(row)] = object;
}

Thumbnail* TStringGrid::Object(int col, int row) const {
  if (col != 4 || row <= 0 || row >= static_cast<int>(objects_.size())) return nullptr;
  return objects_[static_cast<std::size_t>(row)];
}

void TStringGrid::BeginFill() { model()->blockSignals(true); }

void TStringGrid::EndFill() {
  model()->blockSignals(false);
  viewport()->update();
}

QRect TStringGrid::CellRect(int col, int row) const { return visualRect(model()->index(row - 1, col - 1)); }

// ---------------------------------------------------------------- window

TfrZakaz::TfrZakaz(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint) {
  setWindowTitle(QStringLiteral("Заказанные запасные части"));
  setFixedSize(536, 341);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  setFont(f);
  if (owner) move(owner->geometry().center() - rect().center());

  sgZakaz = new TStringGrid(this);
  sgZakaz->setGeometry(0, 0, 536, 304);
  sgZakaz->OnDrawCell = [this](QPainter* p, int col, int row, const QRect& r) { sgZakazDrawCell(p, col, row, r); };

  Panel1 = new QWidget(this);
  Panel1->setGeometry(0, 304, 536, 37);
  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Закрыть"), Panel1);
  BitBtn1->setGeometry(456, 8, 75, 25);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
  BitBtn2 = new QPushButton(QIcon(QPixmap::fromImage(RenderAsset(QStringLiteral(":/assets/glyphs/order_document.svg"),
                                                                 QSize(16, 16), false))),
                            QStringLiteral("Заявка"), Panel1);
  BitBtn2->setGeometry(8, 8, 75, 25);
  BitBtn2->setAutoDefault(false);
  BitBtn1->setAutoDefault(false);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  // The basket's own buttons, between "Заявка" and "Закрыть".
  const auto button = [this](const QString& caption, int left, int width, const QString& hint) {
    auto* b = new QPushButton(caption, Panel1);
    b->setGeometry(left, 8, width, 25);
    b->setAutoDefault(false);
    b->setToolTip(hint);
    return b;
  };
  btnSend =
      button(QStringLiteral("Отправить"), 87, 70, QStringLiteral("Отправить документ заявки по электронной почте"));
  btnSend->setEnabled(false);  // until a document is made
  btnRemove =
      button(QStringLiteral("Удалить"), 161, 62, QStringLiteral("Удалить выбранные строки из корзины (Delete)"));
  btnClear = button(QStringLiteral("Очистить"), 227, 64, QStringLiteral("Очистить корзину заказов"));
  btnHistory = button(QStringLiteral("История"), 295, 62, QStringLiteral("Заказы, сделанные раньше"));
  btnCustomer = button(QStringLiteral("Заказчик"), 361, 66, QStringLiteral("Сведения о заказчике для заявки"));
  connect(btnSend, &QPushButton::clicked, this, &TfrZakaz::sendRequested);
  connect(btnRemove, &QPushButton::clicked, this, [this] { emit removeRequested(sgZakaz->SelectedRows()); });
  connect(btnClear, &QPushButton::clicked, this, &TfrZakaz::clearRequested);
  connect(btnHistory, &QPushButton::clicked, this, &TfrZakaz::historyRequested);
  connect(btnCustomer, &QPushButton::clicked, this, &TfrZakaz::customerRequested);
  sgZakaz->installEventFilter(this);
}

bool TfrZakaz::eventFilter(QObject* watched, QEvent* event) {
  // Delete takes the selected rows out of the basket and Ctrl+C copies them, unless a cell is
  // being edited.
  if (watched == sgZakaz && event->type() == QEvent::KeyPress && !sgZakaz->Editing()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete) {
      emit removeRequested(sgZakaz->SelectedRows());
      return true;
    }
    if (key->matches(QKeySequence::Copy)) {
      QStringList lines;
      for (int row : sgZakaz->SelectedRows())
        lines << sgZakaz->Cell(1, row) + QLatin1Char('\t') + sgZakaz->Cell(2, row);
      if (!lines.isEmpty()) emit copyRequested(lines.join(QLatin1Char('\n')));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrZakaz::sgZakazDrawCell(QPainter* p, int col, int row, const QRect& rect) {
  if (col != 4 || row == 0) return;
  Thumbnail* t = sgZakaz->Object(col, row);
  if (!t) return;
  const QImage& image = t->Image();
  if (image.isNull()) return;
  // Stretched to the whole cell; the proportions are not kept.
  p->setRenderHint(QPainter::SmoothPixmapTransform);
  p->drawImage(rect, image);
}

void TfrZakaz::BitBtn2Click() { emit orderRequested(); }
