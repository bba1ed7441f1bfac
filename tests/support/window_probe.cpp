#include "support/window_probe.h"

#include "basket/basket.h"
#include "browser/drawing.h"
#include "browser/plates.h"
#include "messages.h"
#include "tfrmain.h"

QWidget& TfrMainProbe::form() const { return w_; }

bool TfrMainProbe::StartupFailed() const { return w_.StartupFailed(); }
QString TfrMainProbe::FBaseDir() const { return QString::fromStdString(w_.model_.folder().base()); }
QString TfrMainProbe::HelpFile() const { return kHelpFile; }
browsing::BrowsingModel& TfrMainProbe::model() const { return w_.model_; }
int TfrMainProbe::FLevel() const { return w_.model_.Level(); }
int TfrMainProbe::FDisplayMode() const { return w_.model_.DisplayMode(); }
int TfrMainProbe::FBasketCount() const { return w_.model_.BasketCount(); }
QString TfrMainProbe::FPicturePath() const { return QString::fromStdString(w_.model_.PicturePath()); }
const std::vector<TImageLeave*>& TfrMainProbe::HotSpots() const { return w_.plates_->HotSpots(); }
const std::vector<TLabel*>& TfrMainProbe::Callouts() const { return w_.drawing_->Callouts(); }
catalogue::CatalogueStore& TfrMainProbe::ADOQuery() const { return w_.ADOQuery; }
TfrZakaz*& TfrMainProbe::frZakaz() const { return w_.basket_->frZakaz(); }
HelpService* TfrMainProbe::help() const { return w_.help_.get(); }

void TfrMainProbe::DrawHotSpot(int index) const { w_.plates_->DrawHotSpot(static_cast<std::size_t>(index)); }
void TfrMainProbe::SetPicture(const QString& fileName) const { w_.drawing_->SetPicture(fileName); }
void TfrMainProbe::CreateOrderDocument() const { w_.CreateOrderDocument(); }
void TfrMainProbe::SendOrder(const QString& document) const { w_.SendOrder(document); }
