// The handlers of the window's controls: each is the user's operation on the browsing model,
// or a look a controller draws.

#include "basket/basket.h"
#include "browser/drawing.h"
#include "browser/plates.h"
#include "controls/imageleave.h"
#include "tfrmain.h"

void TfrMain::ImageLeave1MouseMove(QWidget* sender) { plates_->Hover(static_cast<TImageLeave*>(sender)); }
void TfrMain::ImageLeave1MouseLeave(QWidget* sender) { plates_->Leave(static_cast<TImageLeave*>(sender)); }

void TfrMain::ImageLeave1Click(QWidget* sender) {
  if (const auto plate = plates_->IndexOf(sender)) model_.EnterSection(*plate);
}

void TfrMain::ImageLeave5Click(QWidget*) { model_.OpenList(basket_->SelectedTab()); }

void TfrMain::Label1Click(QWidget* sender) { model_.EnterPart(static_cast<TLabel*>(sender)->tag); }
void TfrMain::Label1MouseMove(QWidget* sender) { drawing_->HoverCallout(static_cast<TLabel*>(sender)); }
void TfrMain::Label1MouseLeave(QWidget* sender) { drawing_->LeaveCallout(static_cast<TLabel*>(sender)); }

void TfrMain::leNextClick(QWidget*) {
  if (const auto next = model_.NextID()) model_.EnterPart(*next);
}

void TfrMain::leiBackClick(QWidget*) { model_.Back(); }
void TfrMain::lHomeClick(QWidget*) { model_.Home(); }
void TfrMain::imFonClick(QWidget*) {}
void TfrMain::imMainClick(QWidget*) {}

void TfrMain::liZakazClick(QWidget*) { model_.ToggleBasket(); }
void TfrMain::lbZakazClick(QWidget*) { model_.ToggleBasket(); }
void TfrMain::N2Click() { model_.ToggleBasket(); }
void TfrMain::N1Click() { model_.ClearBasket(); }

void TfrMain::TabControlChange() { model_.ChangeTab(basket_->SelectedTab()); }
void TfrMain::ADOQueryAfterScroll() { basket_->RowChanged(); }

void TfrMain::bdgSpisokDrawColumnCell(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) {
  basket_->DrawColumnCell(p, option, index);
}

void TfrMain::leiWordClick(QWidget*) { basket_->OpenReview(); }
