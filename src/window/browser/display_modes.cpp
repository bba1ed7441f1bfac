// The three display modes of the main window and the layout of each.

#include "messages.h"
#include "tfrmain.h"
#include "controls/tab_control.h"

void TfrMain::HideHotSpots() {
  for (TImageLeave* h : HotSpots) h->hide();
}

void TfrMain::ShowHotSpots(int count) {
  // Never more than there are hot-spots, whatever count the caller computed.
  count = std::clamp(count, 0, static_cast<int>(HotSpots.size()));
  FHotSpotCount = count;
  HideHotSpots();
  for (int i = 0; i < count; ++i) HotSpots[static_cast<std::size_t>(i)]->show();
}

void TfrMain::HideCallouts() {
  for (TLabel* l : Callouts) l->hide();
  lNext->hide();
  leNext->hide();
}

void TfrMain::SetBasketPairs(bool removeShown, bool addShown) {
  leZakazano->setVisible(removeShown);
  leiZakazano->setVisible(removeShown);
  liZakaz->setVisible(addShown);
  leiZakaz->setVisible(addShown);
}

void TfrMain::SetDisplayMode(int mode) {
  FDisplayMode = mode;
  auto reloadPicture = [this] {
    // Nothing is loaded before the first picture is set (start-up).
    if (FPicturePath.isEmpty()) return;
    if (!imMain->LoadFromFile(NativeFile(FPicturePath))) ShowMessage(QStringLiteral("Ошибка загрузки изображения"));
  };

  if (mode == dmSections) {
    imFon->AssignFrom(*Image14);
    imMain->SetProportional(false);
    HideCallouts();
    TabControl->hide();
    FillHotSpots(CurrentLevel().ID, CurrentLevel().Page);
    reloadPicture();
    imMain->setGeometry(2, 100, 519, 346);
    leiBack->move(532, 475);
    lBack->move(534, 477);
    lHome->move(615, 475);
    liHome->move(617, 475);
    liMail->move(14, 480);
    liEmail->move(16, 482);
    leiWord->move(102, 480);
    liWord->move(104, 482);
    leHelp->move(190, 480);
    leiHelp->move(192, 482);
    leiFind->move(296, 480);
    liFind->move(298, 482);
    for (TLabel* l : {lbOboz, lbNaim, lbMassa, lbCount}) l->hide();
    SetBasketPairs(false, false);
    liZakaz->move(683, 90);
    leiZakaz->move(685, 92);
    leZakazano->move(683, 90);
    leiZakazano->move(683, 90);
    lHome->show();
    liHome->show();
    return;
  }

  if (mode == dmList) {
    HideHotSpots();
    TabControl->show();
    SetLevel(FLevel + 1);
    lHome->hide();
    liHome->hide();
    imMain->setGeometry(532, 64, 225, 400);
    SetCanOrder(true);
    SetBasketPairs(true, true);
    liZakaz->move(615, 475);
    leiZakaz->move(617, 477);
    leZakazano->move(615, 475);
    leiZakazano->move(617, 477);
    ApplyTabFilter();
    return;
  }

  // The drawing display, for every other value.
  leiBack->move(600, 500);
  lBack->move(602, 502);
  lHome->move(683, 500);
  liHome->move(685, 502);
  liMail->move(14, 500);
  liEmail->move(16, 502);
  leiWord->move(102, 500);
  liWord->move(104, 502);
  leHelp->move(190, 500);
  leiHelp->move(192, 502);
  leiFind->move(296, 500);
  liFind->move(298, 502);
  for (QWidget* w : {static_cast<QWidget*>(lHome), static_cast<QWidget*>(liHome),
                     static_cast<QWidget*>(lbOboz), static_cast<QWidget*>(lbNaim),
                     static_cast<QWidget*>(lbMassa), static_cast<QWidget*>(lbCount)})
    w->show();
  SetBasketPairs(true, true);
  HideHotSpots();
  TabControl->hide();
  imFon->AssignFrom(*Image26);
  imMain->setGeometry(0, 0, 792, 541);
  imMain->SetProportional(false);
  ShowAssembly(CurrentLevel().ID);
  reloadPicture();
}
