// The order basket: the records marked Pokupka, the indicator, adding and removing.

#include <QAction>

#include "tfrmain.h"
#include "basket/basket_walk.h"

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
static void Toggle(TfrMain& w) {
  if (w.ADOQuery.AtEnd()) return;
  const bool add = !w.FInBasket;
  const bool changes = w.ADOQuery.GetBoolean(Field::Pokupka) != add;
  w.SetInBasket(add);
  if (changes) w.SetBasketCount(w.FBasketCount + (add ? 1 : -1));
  w.ADOQuery.SetBoolean(Field::Pokupka, w.FInBasket);
}

void TfrMain::liZakazClick(QWidget*) { Toggle(*this); }
void TfrMain::lbZakazClick(QWidget*) { Toggle(*this); }
void TfrMain::N2Click() { Toggle(*this); }
void TfrMain::N1Click() { ClearBasket(); }

void TfrMain::ClearBasket() {
  if (FBasketCount == 0) return;
  SetBasketCount(0);
  SetInBasket(false);
  {
    // The clearing loop: each cleared record leaves the basket filter, so there is no MoveNext.
    BasketWalk walk(*this);
    ADOQuery.MoveFirst();
    while (!ADOQuery.AtEnd()) ADOQuery.SetBoolean(Field::Pokupka, false);
  }
  leZakazano->hide();
  leiZakazano->hide();
  const bool addShown = (FDisplayMode == dmDrawing && FCanOrder) || FDisplayMode == dmList;
  liZakaz->setVisible(addShown);
  leiZakaz->setVisible(addShown);
}

