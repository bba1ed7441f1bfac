// The order basket: the records marked Pokupka, the indicator, adding and removing.

#include <QAction>

#include "basket/parts_list.h"
#include "tfrmain.h"

using catalogue::Field;

void TfrMain::SetCanOrder(bool value) { FCanOrder = value; }

void TfrMain::SetInBasket(bool value) {
  FInBasket = value;
  SetBasketPairs(FCanOrder && value, FCanOrder && !value);
}

void TfrMain::SetBasketCount(int n) {
  FBasketCount = n;
  lZakaz->SetCaption(QString::number(n));
  if (n != 0) {
    if (!leiWord->isEnabled()) {
      N1->setEnabled(true);
      leiWord->setEnabled(true);
      AttachButton(Button::Basket, [this](QWidget* s) { leiWordClick(s); });
      PaintBasketButton();
    }
    imZakaz->AssignFrom(*Image5);
    imZakaz->SetHint(QStringLiteral("В корзине имеются заказы"));
    lZakaz->show();
    return;
  }
  N1->setEnabled(false);
  leiWord->setEnabled(false);
  DetachButton(Button::Basket);
  PaintBasketButton();
  imZakaz->AssignFrom(*Image13);
  imZakaz->SetHint(QStringLiteral("Корзина заказов пуста"));
  lZakaz->hide();
}

// Puts the current record into the basket or takes it out. With no current record (a list
// tab that matches nothing) nothing changes; the count only moves when the record's mark
// does, so it always equals the number of marked records.
void TfrMain::ToggleBasket() {
  if (ADOQuery.AtEnd()) return;
  const bool add = !FInBasket;
  const bool changes = ADOQuery.GetBoolean(Field::Pokupka) != add;
  SetInBasket(add);
  if (changes) SetBasketCount(FBasketCount + (add ? 1 : -1));
  ADOQuery.SetBoolean(Field::Pokupka, FInBasket);
}

void TfrMain::liZakazClick(QWidget*) { ToggleBasket(); }
void TfrMain::lbZakazClick(QWidget*) { ToggleBasket(); }
void TfrMain::N2Click() { ToggleBasket(); }
void TfrMain::N1Click() { ClearBasket(); }

void TfrMain::WalkBasket(const std::function<void()>& walk) {
  PartsListModel::Pause pause(DataSource);
  const catalogue::Filter filter = ADOQuery.ActiveFilter();
  auto afterScroll = std::exchange(ADOQuery.AfterScroll, nullptr);
  const int id = ADOQuery.GetInteger(Field::ID);
  ADOQuery.ApplyFilter(catalogue::Filter::All());
  ADOQuery.ApplyFilter(catalogue::Filter::FlagIs(Field::Pokupka, true));
  walk();
  ADOQuery.ApplyFilter(filter);
  ADOQuery.LocateID(id);
  ADOQuery.AfterScroll = std::move(afterScroll);
}

void TfrMain::ClearBasket() {
  if (FBasketCount == 0) return;
  SetBasketCount(0);
  SetInBasket(false);
  // The clearing loop: each cleared record leaves the basket filter, so there is no MoveNext.
  WalkBasket([this] {
    ADOQuery.MoveFirst();
    while (!ADOQuery.AtEnd()) ADOQuery.SetBoolean(Field::Pokupka, false);
  });
  leZakazano->hide();
  leiZakazano->hide();
  const bool addShown = (FDisplayMode == dmDrawing && FCanOrder) || FDisplayMode == dmList;
  liZakaz->setVisible(addShown);
  leiZakaz->setVisible(addShown);
}

