// The drawing of a node with its parts as callout labels, and entering a part.

#include <algorithm>

#include "catalogue/check.h"
#include "tfrmain.h"

using catalogue::Field;
using catalogue::Filter;

// A callout label: transparent, sized to its two lines, hidden until placed.
TLabel* TfrMain::NewCalloutLabel() {
  auto* l = new TLabel(this);
  l->SetLayouts(&labelLayouts_);
  TakeKeys(l);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  l->setFont(f);
  l->SetAutoSize(true);
  l->setCursor(Qt::PointingHandCursor);
  l->OnClick = [this](QWidget* s) { Label1Click(s); };
  l->OnMouseMove = [this](QWidget* s, Qt::KeyboardModifiers m, int x, int y) { Label1MouseMove(s, m, x, y); };
  l->OnMouseLeave = [this](QWidget* s) { Label1MouseLeave(s); };
  l->hide();
  return l;
}

TLabel* TfrMain::CalloutLabel(int index) {
  // A drawing with more parts than the design's labels gets further labels of the same kind.
  while (static_cast<int>(Callouts.size()) <= index) {
    TLabel* l = NewCalloutLabel();
    l->stackUnder(designLabels_.back());
    Callouts.push_back(l);
  }
  return Callouts[static_cast<std::size_t>(index)];
}

void TfrMain::ShowAssembly(int id) {
  ADOQuery.ApplyFilter(Filter::All());
  ADOQuery.ApplyFilter(Filter::ChildrenOf(id));
  HideCallouts();
  const int n = ADOQuery.CountRecords();
  const bool itemRecord = ADOQuery.GetString(Field::Number) == "0";
  if (n == 1 && itemRecord) {
    SetCanOrder(ADOQuery.GetBoolean(Field::VozmPokupka));
    SetInBasket(ADOQuery.GetBoolean(Field::Pokupka));
  } else {
    SetCanOrder(false);
    SetInBasket(false);
  }
  if (n == 1 && itemRecord && ADOQuery.GetBoolean(Field::Sostoit)) {
    lNext->show();
    leNext->show();
    leNext->tag = ADOQuery.GetInteger(Field::ID);
  }
  if (!itemRecord) {
    // A drawing with an unreasonable number of parts (catalogue-tool check reports it) shows
    // the first ones: the work of a click stays bounded by what can be seen.
    const int shown = std::min(n, catalogue::kMaxShownCallouts);
    for (int i = 0; i < shown; ++i) {
      TLabel* l = CalloutLabel(i);
      l->SetCaption(QString::fromStdString(ADOQuery.GetString(Field::Oboz)) + QChar(13) +
                    QString::fromStdString(ADOQuery.GetString(Field::Naim)));
      l->tag = ADOQuery.GetInteger(Field::ID);
      l->move(ADOQuery.GetInteger(Field::Left), ADOQuery.GetInteger(Field::Top));
      l->show();
      ADOQuery.MoveNext();
    }
  }
}

namespace {

std::string Lookup(const catalogue::CatalogueStore& store, int id, Field f) {
  return store.LookupByID(id, f).value_or(std::string());
}

}  // namespace

void TfrMain::Label1Click(QWidget* sender) {
  EnterPart(sender == leNext ? leNext->tag : static_cast<TLabel*>(sender)->tag);
}

void TfrMain::EnterPart(int id) {
  SetPicture(CataloguePath(folder_.Picture(Lookup(ADOQuery, id, Field::Picture))));
  SetView(CataloguePath(folder_.View(Lookup(ADOQuery, id, Field::View))));
  SetItemNaim(QString::fromStdString(Lookup(ADOQuery, id, Field::Naim)));
  SetItemOboz(QString::fromStdString(Lookup(ADOQuery, id, Field::Oboz)));
  SetItemMassa(QString::fromStdString(Lookup(ADOQuery, id, Field::Massa)));
  SetItemCount(QString::fromStdString(Lookup(ADOQuery, id, Field::Count)));
  SetLevel(FLevel + 1);
  TMyRec& entry = CurrentLevel();
  entry.ID = id;
  entry.Page = 1;
  entry.Naim = FItemNaim;
  entry.Oboz = FItemOboz;
  entry.Massa = FItemMassa;
  entry.Count = FItemCount;
  entry.PictureFile = FPicturePath;
  entry.ViewFile = FViewPath;
  ShowAssembly(id);
}

void TfrMain::leNextClick(QWidget*) { Label1Click(leNext); }

void TfrMain::Label1MouseMove(QWidget* sender, Qt::KeyboardModifiers, int, int) {
  static_cast<TLabel*>(sender)->SetFontStyle(true, true);
}

void TfrMain::Label1MouseLeave(QWidget* sender) { static_cast<TLabel*>(sender)->SetFontStyle(false, false); }
