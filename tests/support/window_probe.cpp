#include "support/window_probe.h"

#include <QAction>

#include "tfrmain.h"

QWidget& TfrMainProbe::form() const { return w_; }
QAction* TfrMainProbe::N1() const { return w_.N1; }
QAction* TfrMainProbe::N2() const { return w_.N2; }

bool TfrMainProbe::StartupFailed() const { return w_.StartupFailed(); }
QString TfrMainProbe::FBaseDir() const { return w_.FBaseDir; }
QString TfrMainProbe::HelpFile() const { return w_.HelpFile; }
int TfrMainProbe::FLevel() const { return w_.FLevel; }
int TfrMainProbe::FDisplayMode() const { return w_.FDisplayMode; }
int TfrMainProbe::FBasketCount() const { return w_.FBasketCount; }
int TfrMainProbe::FHotSpotCount() const { return w_.FHotSpotCount; }
bool TfrMainProbe::FCanOrder() const { return w_.FCanOrder; }
QString TfrMainProbe::FPicturePath() const { return w_.FPicturePath; }
QString TfrMainProbe::FItemOboz() const { return w_.FItemOboz; }
QString TfrMainProbe::FItemNaim() const { return w_.FItemNaim; }
QString TfrMainProbe::FItemMassa() const { return w_.FItemMassa; }
std::vector<TMyRec>& TfrMainProbe::Levels() const { return w_.Levels; }
const std::vector<TImageLeave*>& TfrMainProbe::HotSpots() const { return w_.HotSpots; }
const std::vector<TLabel*>& TfrMainProbe::Callouts() const { return w_.Callouts; }
catalogue::CatalogueStore& TfrMainProbe::ADOQuery() const { return w_.ADOQuery; }
TfrZakaz*& TfrMainProbe::frZakaz() const { return w_.frZakaz; }
HelpService* TfrMainProbe::help() const { return w_.help_.get(); }

void TfrMainProbe::GoHome() const { w_.GoHome(); }
void TfrMainProbe::FillHotSpots(int id, int page) const { w_.FillHotSpots(id, page); }
void TfrMainProbe::DrawHotSpot(int index) const { w_.DrawHotSpot(index); }
void TfrMainProbe::SetPicture(const QString& fileName) const { w_.SetPicture(fileName); }
void TfrMainProbe::SetItemOboz(const QString& text) const { w_.SetItemOboz(text); }
void TfrMainProbe::SetItemNaim(const QString& text) const { w_.SetItemNaim(text); }
void TfrMainProbe::SetItemMassa(const QString& text) const { w_.SetItemMassa(text); }
void TfrMainProbe::SetItemCount(const QString& text) const { w_.SetItemCount(text); }
void TfrMainProbe::SetBasketCount(int n) const { w_.SetBasketCount(n); }
void TfrMainProbe::ClearBasket() const { w_.ClearBasket(); }
void TfrMainProbe::CreateOrderDocument() const { w_.CreateOrderDocument(); }
