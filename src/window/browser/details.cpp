#include "browser/details.h"

#include "controls/label.h"

Details::Details(const Design& design, const browsing::BrowsingModel& model, QObject* parent)
    : QObject(parent),
      model_(model),
      lbOboz(design.lbOboz),
      lbNaim(design.lbNaim),
      lbMassa(design.lbMassa),
      lbCount(design.lbCount) {}

void Details::Redraw(const browsing::Change& change) {
  if (change.Has(browsing::kDetails)) {
    // Each label shows its text as it is, or nothing (blank, or a mass or quantity of "0").
    const auto show = [](TLabel* label, const std::string& text, bool zeroMeansNone) {
      label->SetCaption(browsing::DetailShown(text, zeroMeansNone) ? QString::fromStdString(text) : QString());
    };
    show(lbOboz, model_.ItemOboz(), false);
    show(lbNaim, model_.ItemNaim(), false);
    show(lbMassa, model_.ItemMassa(), true);
    show(lbCount, model_.ItemCount(), true);
  }
  if (change.Has(browsing::kMode))
    for (TLabel* l : {lbOboz, lbNaim, lbMassa, lbCount}) l->setVisible(model_.DisplayMode() == browsing::dmDrawing);
}
