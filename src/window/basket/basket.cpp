#include "basket/basket.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <memory>

#include "basket/customer.h"
#include "basket/history.h"
#include "basket/parts_list.h"
#include "basket/zakaz.h"
#include "busy_cursor.h"
#include "controls/label.h"
#include "controls/tab_control.h"

using catalogue::Field;

Basket::Basket(const Design& design, browsing::BrowsingModel& model, catalogue::CatalogueStore& store, QWidget* form,
               QObject* parent)
    : QObject(parent),
      model_(model),
      store_(store),
      form_(form),
      imZakaz(design.imZakaz),
      lZakaz(design.lZakaz),
      pmZakaz(design.pmZakaz),
      N1(design.N1),
      full_(design.images.at(kBasketFull)),
      empty_(design.images.at(kBasketEmpty)),
      TabControl(design.TabControl) {
  connect(N1, &QAction::triggered, this, &Basket::clearRequested);
  imZakaz->OnContextMenu = [this](QWidget*) { pmZakaz->popup(QCursor::pos()); };
  CreatePartsList();
}

void Basket::CreatePartsList() {
  static const char16_t* const kCaptions[] = {u"Манипулятор",
                                              u"Опорно-поворотное устройство",
                                              u"Стрела",
                                              u"Рукоять с удлинителем",
                                              u"Пост управления",
                                              u"Механизм управления",
                                              u"Опора",
                                              u"Гидрооборудование",
                                              u"Электрооборудование",
                                              u"Захват",
                                              u"Все запасные части"};
  for (const char16_t* caption : kCaptions) TabControl->tabs()->addTab(QString::fromUtf16(caption));
  TabControl->SetTabIndex(0);
  TabControl->OnChange = [this] { emit tabChanged(); };

  DataSource = new PartsListModel(store_, form_);
  DataSource->setObjectName(QStringLiteral("DataSource"));
  bdgSpisok = new PartsGrid(DataSource, store_, TabControl->page());
  bdgSpisok->setObjectName(QStringLiteral("bdgSpisok"));
  TabControl->SetPageContent(bdgSpisok);
  pmZacaz = new QMenu(form_);
  pmZacaz->setObjectName(QStringLiteral("pmZacaz"));
  N2 = pmZacaz->addAction(QStringLiteral("Заказать"));
  N2->setObjectName(QStringLiteral("N2"));
  connect(N2, &QAction::triggered, this, &Basket::toggleRequested);
  bdgSpisok->OnContextMenu = [this] { pmZacaz->popup(QCursor::pos()); };
}

int Basket::SelectedTab() const { return TabControl->TabIndex(); }

QWidget* Basket::tabs() const { return TabControl->tabs(); }

void Basket::StepTab(int by) {
  if (!TabControl->isVisible()) return;
  const int count = TabControl->tabs()->count();
  TabControl->SetTabIndex(((TabControl->TabIndex() + by) % count + count) % count);
}

// The list shows the selected tab from its first row.
void Basket::FollowTab() {
  const auto filter = browsing::TabFilter(model_.Tab());
  if (!filter) return;  // any other tab leaves the filter as it is
  following_ = true;
  if (store_.ActiveFilter() == *filter)
    store_.MoveFirst();
  else
    store_.ApplyFilter(*filter);
  following_ = false;
}

void Basket::RowChanged() {
  if (following_) return;
  // The row's picture is loaded under the hourglass.
  BusyCursor busy;
  model_.SelectListRow(store_.CurrentRow());
}

void Basket::Redraw(const browsing::Change& change) {
  using browsing::Op;
  const int mode = model_.DisplayMode();
  if (change.Has(browsing::kBasket)) {
    const int n = model_.BasketCount();
    lZakaz->SetCaption(QString::number(n));
    N1->setEnabled(n != 0);
    imZakaz->AssignFrom(n != 0 ? *full_ : *empty_);
    imZakaz->SetHint(n != 0 ? QStringLiteral("В корзине имеются заказы") : QStringLiteral("Корзина заказов пуста"));
    lZakaz->setVisible(n != 0);
  }
  if (mode == browsing::dmList && (change.op == Op::OpenList || change.op == Op::ChangeTab)) {
    FollowTab();
    bdgSpisok->setAccessibleName(QStringLiteral("Перечень: ") + TabControl->tabs()->tabText(TabControl->TabIndex()));
  }
  if (frZakaz_ && (change.Has(browsing::kBasket) || change.Has(browsing::kQuantities))) FollowReview();
  if (change.Has(browsing::kMode)) TabControl->setVisible(mode == browsing::dmList);
}

void Basket::DrawColumnCell(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) {
  QStyleOptionViewItem opt(option);
  if (DataSource->InBasket(index.row())) {
    // A basket row: bold on teal, also when selected.
    const bool selected = opt.state & QStyle::State_Selected;
    opt.font.setBold(true);
    opt.backgroundBrush = QColor(0, 128, 128);
    opt.palette.setColor(QPalette::Text,
                         selected ? opt.palette.color(QPalette::HighlightedText) : opt.palette.color(QPalette::Text));
    opt.state &= ~QStyle::State_Selected;
    p->fillRect(opt.rect, opt.backgroundBrush);
  }
  static_cast<CellDelegate*>(bdgSpisok->itemDelegate())->DefaultDraw(p, opt, index);
}

QString Basket::NativeFile(const std::string& cataloguePath) const {
  return QString::fromStdU16String(model_.folder().Native(cataloguePath).u16string());
}

// The review's rows: the basket in file order, each with its number, designation, name,
// quantity and the thumbnail of the drawing it is shown on.
void Basket::FillReview() {
  TStringGrid* grid = frZakaz_->sgZakaz;
  reviewRows_.assign(model_.BasketRows().begin(), model_.BasketRows().end());
  const catalogue::Table& t = store_.table();
  grid->SetRowCount(static_cast<int>(reviewRows_.size()) + 1);
  grid->BeginFill();
  QHash<QString, bool> readable;  // parents shared by several rows are checked once
  for (std::size_t i = 0; i < reviewRows_.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    const std::uint32_t row = reviewRows_[i];
    grid->SetCell(0, k, QString::number(k));
    grid->SetCell(1, k, QString::fromStdString(t.Format(row, Field::Oboz)));
    grid->SetCell(2, k, QString::fromStdString(t.Format(row, Field::Naim)));
    grid->SetCell(3, k, QString::fromStdString(model_.Quantity(row)));
    // The drawing the part is shown on: the picture of its parent record.
    const auto parent = store_.RowOfID(t.Integer(row, Field::FID));
    const QString path =
        parent ? QString::fromStdString(model_.folder().Picture(t.Text(*parent, Field::Picture))) : QString();
    auto* thumbnail = new Thumbnail(path.isEmpty() ? QString() : NativeFile(path.toStdString()), frZakaz_);
    auto known = readable.find(path);
    if (known == readable.end()) known = readable.insert(path, parent && thumbnail->Check());
    if (!*known) {
      emit message(QStringLiteral("Ошибка загрузки изображения"));
      thumbnail->Clear();  // the image cell stays empty
    }
    grid->SetObject(4, k, thumbnail);
  }
  grid->EndFill();
}

// The basket changed while the review is open: rows taken out go, an order repeated fills the
// review afresh, quantities follow.
void Basket::FollowReview() {
  TStringGrid* grid = frZakaz_->sgZakaz;
  for (std::size_t i = reviewRows_.size(); i-- > 0;)
    if (!model_.IsInBasket(reviewRows_[i])) {
      grid->RemoveRow(static_cast<int>(i) + 1);
      reviewRows_.erase(reviewRows_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  if (reviewRows_.size() != static_cast<std::size_t>(model_.BasketCount())) {
    FillReview();
    return;
  }
  for (std::size_t i = 0; i < reviewRows_.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    grid->SetCell(0, k, QString::number(k));
    if (grid->Cell(3, k) != QString::fromStdString(model_.Quantity(reviewRows_[i])))
      grid->SetCell(3, k, QString::fromStdString(model_.Quantity(reviewRows_[i])));
  }
  grid->viewport()->update();
}

void Basket::DocumentMade(const QString& path) {
  lastDocument_ = path;
  if (frZakaz_) frZakaz_->btnSend->setEnabled(!path.isEmpty());
}

void Basket::OpenReview() {
  BusyCursor busy;
  auto window = std::make_unique<TfrZakaz>(form_);
  frZakaz_ = window.get();
  lastDocument_.clear();
  // The window lives for this opening only; every way out releases it with its thumbnails.
  struct Forget {
    TfrZakaz*& open;
    ~Forget() { open = nullptr; }
  } forget{frZakaz_};
  TStringGrid* grid = frZakaz_->sgZakaz;
  grid->SetRowHeight(0, 26);
  grid->SetCell(0, 0, QStringLiteral("№ п/п"));
  grid->SetCell(1, 0, QStringLiteral("Обозначение"));
  grid->SetCell(2, 0, QStringLiteral("Наименование"));
  grid->SetCell(3, 0, QStringLiteral("Количество"));
  grid->SetCell(4, 0, QStringLiteral("Изображение"));
  FillReview();
  connect(frZakaz_, &TfrZakaz::orderRequested, this, &Basket::orderRequested);
  connect(frZakaz_, &TfrZakaz::sendRequested, this, [this] { emit sendRequested(lastDocument_); });
  connect(frZakaz_, &TfrZakaz::copyRequested, this, &Basket::copyRequested);
  // A quantity typed is kept in the basket.
  connect(grid, &TStringGrid::cellEdited, this, [this](int col, int row, const QString& text) {
    if (col == 3 && row >= 1 && row <= static_cast<int>(reviewRows_.size()))
      model_.SetQuantity(reviewRows_[static_cast<std::size_t>(row - 1)], text.toStdString());
  });
  connect(frZakaz_, &TfrZakaz::removeRequested, this, [this](const std::vector<int>& rows) {
    std::vector<std::uint32_t> gone;
    for (int r : rows)
      if (r >= 1 && r <= static_cast<int>(reviewRows_.size()))
        gone.push_back(reviewRows_[static_cast<std::size_t>(r - 1)]);
    model_.RemoveFromBasket(gone);
  });
  connect(frZakaz_, &TfrZakaz::clearRequested, this, [this] {
    if (model_.BasketCount() != 0 && ask_ && ask_(QStringLiteral("Очистить корзину заказов?"))) model_.ClearBasket();
  });
  connect(frZakaz_, &TfrZakaz::historyRequested, this, [this] { OpenHistory(); });
  connect(frZakaz_, &TfrZakaz::customerRequested, this, [this] {
    if (!userData_) return;
    TfrCustomer customer(*userData_, frZakaz_);
    customer.exec();
  });
  // The window waits for the user with the ordinary arrow.
  busy.Release();
  frZakaz_->exec();
}

void Basket::OpenHistory() {
  if (!userData_) return;
  QString problem;
  std::vector<PastOrder> orders = userData_->History(&problem);
  if (!problem.isEmpty()) emit message(problem);
  TfrHistory history(std::move(orders), frZakaz_ ? static_cast<QWidget*>(frZakaz_) : form_);
  connect(&history, &TfrHistory::openRequested, this, &Basket::openRequested);
  connect(&history, &TfrHistory::orderAgainRequested, this, [this, &history](const PastOrder& order) {
    const std::vector<browsing::BasketLine> missing = model_.OrderAgain(order.lines);
    if (!missing.empty()) emit message(MissingText(missing));
    history.accept();
  });
  history.exec();
}

QString MissingText(const std::vector<browsing::BasketLine>& missing) {
  QStringList names;
  for (const browsing::BasketLine& l : missing)
    names << QString::fromStdString(l.oboz) + QLatin1Char(' ') + QString::fromStdString(l.naim);
  return QStringLiteral("Этих частей больше нет в каталоге:\n") + names.join(QLatin1Char('\n'));
}
