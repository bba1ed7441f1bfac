#include "browser/plates.h"

#include "controls/imageleave.h"

namespace {

QFont PlateFont(int pixels, bool bold, bool underline) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

Plates::Plates(const Design& design, const browsing::BrowsingModel& model, QObject* parent)
    : QObject(parent),
      model_(model),
      hotSpots_(design.hotSpots.begin(), design.hotSpots.end()),
      drawn_(hotSpots_.size()),
      resting_(design.images.at(kPlateResting)),
      highlighted_(design.images.at(kPlateHighlighted)) {
  // Each plate has its own copy of the resting plate.
  for (TImageLeave* h : hotSpots_) h->AssignFrom(*resting_);
}

std::optional<std::size_t> Plates::IndexOf(const QObject* control) const {
  for (std::size_t i = 0; i < hotSpots_.size(); ++i)
    if (hotSpots_[i] == control) return i;
  return std::nullopt;
}

// The texts of a plate on a copy of its picture: yellow Arial, transparent background.
void Plates::PaintPlate(TImageLeave* h, bool highlighted) {
  h->AssignFrom(highlighted ? *highlighted_ : *resting_);
  Canvas& c = h->canvas();
  c.SetBrushStyle(Canvas::BrushStyle::Clear);
  c.SetFontColor(QColor(255, 255, 0));
  c.SetFont(PlateFont(19, true, highlighted));  // 14 points
  c.TextOut(35, 13, h->Oboz());
  c.SetFont(PlateFont(13, false, false));  // 10 points
  c.TextOut(35, 33, h->Naim());
  if (h->Number() != 0) {
    c.SetFont(PlateFont(27, true, false));  // 20 points
    c.TextOut(h->Number() > 9 ? 4 : 10, 12, QString::number(h->Number()));
  }
}

void Plates::DrawHotSpot(std::size_t index) {
  TImageLeave* h = hotSpots_[index];
  PaintPlate(h, false);
  h->tag = 0;
}

// Each plate shows its section in the resting look; a plate that shows it already is left as
// it is (the root shows the same sections each time the user comes back to it).
void Plates::Fill(std::size_t index, const browsing::Plate& p) {
  TImageLeave* h = hotSpots_[index];
  if (drawn_[index] == p && h->tag == 0) return;
  h->SetNaim(Text(p.Naim));
  h->SetOboz(Text(p.Oboz));
  h->SetNumber(p.Number);
  h->SetSostoit(p.Sostoit);
  h->SetHint(Text(p.Descript));
  h->SetID(p.ID);
  h->SetParent(p.Parent);
  h->SetViewFile(Text(p.ViewFile));
  h->SetPictureFile(Text(p.PictureFile));
  h->SetMassa(Text(p.Massa));
  h->SetCount(Text(p.Count));
  DrawHotSpot(index);
  drawn_[index] = p;
}

void Plates::Redraw(const browsing::Change& change) {
  if (change.Has(browsing::kPlates)) {
    const auto& plates = model_.Plates();
    for (std::size_t i = 0; i < plates.size() && i < hotSpots_.size(); ++i) Fill(i, plates[i]);
  }
  if (change.Has(browsing::kPlates) || change.Has(browsing::kMode)) {
    // Shown at the root only; plates beyond the sections shown stay hidden.
    const std::size_t shown = model_.DisplayMode() == browsing::dmSections ? model_.Plates().size() : 0;
    for (std::size_t i = 0; i < hotSpots_.size(); ++i) hotSpots_[i]->setVisible(i < shown);
  }
}

void Plates::Hover(TImageLeave* h) {
  if (!h->Sostoit()) {
    h->setCursor(Qt::ArrowCursor);
    return;
  }
  if (h->tag == 0) {
    h->setCursor(Qt::PointingHandCursor);
    PaintPlate(h, true);
  }
  h->tag = 1;
}

void Plates::Leave(TImageLeave* h) {
  if (!h->Sostoit()) return;
  if (h->tag == 1) {
    h->setCursor(Qt::ArrowCursor);
    PaintPlate(h, false);
  }
  h->tag = 0;
}
