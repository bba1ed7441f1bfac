// Section hot-spots: the plates at the root, filled from the catalogue, lit under the pointer.

#include <QPainter>

#include "tfrmain.h"

using catalogue::Field;
using catalogue::Filter;

namespace {

QString Text(const catalogue::CatalogueStore& store, Field f) {
  return QString::fromStdString(store.GetString(f));
}

QFont PlateFont(int pixels, bool bold, bool underline) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

}  // namespace

// The texts of a hot-spot on a copy of a plate: yellow Arial, transparent background. A plate
// that already shows the same texts in the same look is left as it is: the root is filled
// several times over when the window returns to it.
void TfrMain::PaintPlate(TImageLeave* h, bool highlighted) {
  const QString key = QStringLiteral("%1\x1f%2\x1f%3\x1f%4")
                          .arg(highlighted)
                          .arg(h->Oboz(), h->Naim())
                          .arg(h->Number());
  QString& drawn = plateDrawn_[h];
  if (drawn == key) return;
  drawn = key;
  h->AssignFrom(highlighted ? *Image2 : *Image3);
  Canvas& c = h->canvas();
  c.SetBrushStyle(Canvas::BrushStyle::Clear);
  c.SetFontColor(QColor(255, 255, 0));
  c.SetFont(PlateFont(19, true, highlighted));  // 14 points
  c.TextOut(35, 13, h->Oboz());
  c.SetFont(PlateFont(13, false, false));       // 10 points
  c.TextOut(35, 33, h->Naim());
  if (h->Number() != 0) {
    c.SetFont(PlateFont(27, true, false));      // 20 points
    c.TextOut(h->Number() > 9 ? 4 : 10, 12, QString::number(h->Number()));
  }
}

void TfrMain::FillHotSpots(int id, int page) {
  ADOQuery.ApplyFilter(Filter::All());
  ADOQuery.ApplyFilter(Filter::ChildrenOf(id));
  const int n = ADOQuery.CountRecords();
  if (n == 1) {
    SetCanOrder(ADOQuery.GetBoolean(Field::VozmPokupka));
    SetInBasket(ADOQuery.GetBoolean(Field::Pokupka));
  } else {
    SetCanOrder(false);
    SetInBasket(false);
  }
  int k = n;
  if (n > 7) k = page == 1 ? 7 : n - 7;
  ShowHotSpots(k);

  const long long first = 7LL * (page - 1);
  const long long last = first + FHotSpotCount - 1;
  int filled = 0;
  for (int r = 0; r < n; ++r) {
    if (r >= first && r <= last && filled < static_cast<int>(HotSpots.size())) {
      TImageLeave* h = HotSpots[static_cast<std::size_t>(filled)];
      h->SetNaim(Text(ADOQuery, Field::Naim));
      h->SetOboz(Text(ADOQuery, Field::Oboz));
      h->SetNumber(ADOQuery.GetInteger(Field::Number));
      h->SetSostoit(ADOQuery.GetBoolean(Field::Sostoit));
      h->SetHint(Text(ADOQuery, Field::Descript));
      h->SetID(ADOQuery.GetInteger(Field::ID));
      h->SetParent(ADOQuery.GetInteger(Field::FID));
      h->SetViewFile(CataloguePath(folder_.View(ADOQuery.GetString(Field::View))));
      h->SetPictureFile(CataloguePath(folder_.Picture(ADOQuery.GetString(Field::Picture))));
      h->SetMassa(Text(ADOQuery, Field::Massa));
      h->SetCount(Text(ADOQuery, Field::Count));
      DrawHotSpot(filled);
      ++filled;
    }
    ADOQuery.MoveNext();
  }
}

void TfrMain::DrawHotSpot(int index) {
  TImageLeave* h = HotSpots[static_cast<std::size_t>(index)];
  PaintPlate(h, false);
  h->tag = 0;
}

void TfrMain::ImageLeave1MouseMove(QWidget* sender, Qt::KeyboardModifiers, int, int) {
  auto* h = static_cast<TImageLeave*>(sender);
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

void TfrMain::ImageLeave1MouseLeave(QWidget* sender) {
  auto* h = static_cast<TImageLeave*>(sender);
  if (!h->Sostoit()) return;
  if (h->tag == 1) {
    h->setCursor(Qt::ArrowCursor);
    PaintPlate(h, false);
  }
  h->tag = 0;
}

void TfrMain::ImageLeave1Click(QWidget* sender) {
  auto* h = static_cast<TImageLeave*>(sender);
  if (!h->Sostoit()) return;
  OpenSection({h->ID(), h->Parent(), 1, h->Oboz(), h->Naim(), h->Massa(), h->Count(), h->PictureFile(),
               h->ViewFile()});
}

void TfrMain::OpenSection(const TMyRec& section) {
  SetPicture(section.PictureFile);
  SetView(section.ViewFile);
  SetItemNaim(section.Naim);
  SetItemOboz(section.Oboz);
  SetItemMassa(section.Massa);
  SetItemCount(section.Count);
  SetLevel(FLevel + 1);
  TMyRec& entry = CurrentLevel();
  entry = section;
  entry.Page = 1;
  ShowAssembly(entry.ID);
  SetDisplayMode(dmDrawing);
}
