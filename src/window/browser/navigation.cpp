// Back one level and home to the root.

#include "tfrmain.h"

void TfrMain::leiBackClick(QWidget*) {
  SetLevel(FLevel - 1);
  // Back from the parts list always returns to the root.
  if (FDisplayMode == dmList) SetLevel(0);
  const TMyRec entry = CurrentLevel();
  if (FDisplayMode == dmSections)
    FillHotSpots(entry.ID, entry.Page);
  else
    ShowAssembly(entry.ID);
  if (FLevel == 0) {
    // The root picture comes from the program's directory, as home takes it, so that a
    // program started from another working directory finds it.
    SetPicture(CataloguePath(folder_.RootPicture()));
    SetView(CataloguePath(folder_.RootView()));
    SetItemOboz(QString());
    SetItemNaim(QString());
    SetItemMassa(QString());
    SetItemCount(QString());
    SetCanOrder(false);
  } else {
    SetPicture(entry.PictureFile);
    SetView(entry.ViewFile);
    SetItemNaim(entry.Naim);
    SetItemOboz(entry.Oboz);
    SetItemMassa(entry.Massa);
    SetItemCount(entry.Count);
  }
}

void TfrMain::lHomeClick(QWidget*) { GoHome(); }

void TfrMain::imFonClick(QWidget*) {}

void TfrMain::imMainClick(QWidget*) {}
