// The level stack and the depth: entering and leaving levels, going home.

#include "tfrmain.h"

TMyRec& TfrMain::CurrentLevel() {
  // A catalogue deeper than the stack stays browsable: the stack grows with it.
  if (FLevel >= static_cast<int>(Levels.size())) Levels.resize(static_cast<std::size_t>(FLevel) + 1);
  return Levels[static_cast<std::size_t>(std::max(FLevel, 0))];
}

void TfrMain::SetLevel(int value) {
  FLevel = value;
  if (value != 0) {
    if (leiBack->isEnabled()) return;
    for (QWidget* w : {static_cast<QWidget*>(leiBack), static_cast<QWidget*>(lBack),
                       static_cast<QWidget*>(lHome), static_cast<QWidget*>(liHome)})
      w->setEnabled(true);
    AttachButton(Button::Back, [this](QWidget* s) { leiBackClick(s); });
    AttachButton(Button::Home, [this](QWidget* s) { lHomeClick(s); });
    PaintHomeButton();
    PaintBackButton();
    return;
  }
  for (QWidget* w : {static_cast<QWidget*>(leiBack), static_cast<QWidget*>(lBack),
                     static_cast<QWidget*>(lHome), static_cast<QWidget*>(liHome)})
    w->setEnabled(false);
  DetachButton(Button::Back);
  DetachButton(Button::Home);
  PaintHomeButton();
  PaintBackButton();
  SetDisplayMode(dmSections);
}

void TfrMain::GoHome() {
  if (FLevel == 0) return;
  SetLevel(0);
  HoverFlag(Button::Home) = 0;
  for (std::size_t i = 0; i < 10 && i < Levels.size(); ++i) Levels[i] = TMyRec{};
  TMyRec& root = Levels[0];
  root.ID = 0;
  root.Parent = 0;
  root.Page = 1;
  root.PictureFile = CataloguePath(folder_.RootPicture());
  root.ViewFile = CataloguePath(folder_.RootView());
  HideHotSpots();
  FillHotSpots(0, 1);
  SetDisplayMode(dmSections);
  SetPicture(root.PictureFile);
  SetView(root.ViewFile);
  SetItemOboz(root.Oboz);
  SetItemNaim(root.Naim);
  SetItemMassa(root.Massa);
  SetItemCount(root.Count);
}
