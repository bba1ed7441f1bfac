// The window design: every control of the main window at its design position, created
// bottom to top so that the stacking order is the design's.

#include <QAction>
#include <QMenu>

#include "tfrmain.h"
#include "basket/parts_list.h"
#include "controls/artwork.h"
#include "controls/tab_control.h"

namespace {

// Controls carry their design names, by which the tests find them.
template <class Control>
Control* Named(Control* control, const QString& name) {
  control->setObjectName(name);
  return control;
}

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
  QFont f(family);
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

}  // namespace

void TfrMain::CreateControls() {
  // Background, at the bottom.
  imFon = Named(new TImage(this), QStringLiteral("imFon"));
  imFon->setGeometry(0, 0, 792, 541);
  imFon->OnClick = [this](QWidget* s) { imFonClick(s); };

  // Section hot-spots.
  const int hotSpotTops[7] = {64, 122, 180, 238, 296, 354, 412};
  const bool hotSpotHints[7] = {true, true, true, true, false, false, true};
  TImageLeave** hotSpots[7] = {&ImageLeave1, &ImageLeave2, &ImageLeave3, &ImageLeave4,
                               &ImageLeave5, &ImageLeave6, &ImageLeave7};
  for (int i = 0; i < 7; ++i) {
    auto* h = Named(new TImageLeave(this), QStringLiteral("ImageLeave%1").arg(i + 1));
    h->setGeometry(532, hotSpotTops[i], 225, 53);
    h->SetAutoSize(true);
    h->SetShowHint(hotSpotHints[i]);
    h->OnMouseMove = [this](QWidget* s, Qt::KeyboardModifiers m, int x, int y) { ImageLeave1MouseMove(s, m, x, y); };
    h->SetOnMouseLeave([this](QWidget* s) { ImageLeave1MouseLeave(s); });
    if (i == 5)
      h->OnClick = [this](QWidget* s) { ImageLeave5Click(s); };
    else
      h->OnClick = [this](QWidget* s) { ImageLeave1Click(s); };
    TakeKeys(h);
    *hotSpots[i] = h;
  }

  // The main picture.
  imMain = Named(new TImage(this), QStringLiteral("imMain"));
  imMain->setGeometry(3, 100, 519, 346);
  imMain->SetCenter(true);
  imMain->SetProportional(true);
  imMain->OnClick = [this](QWidget* s) { imMainClick(s); };

  // Hidden picture holders.
  const std::pair<TImage**, int> holders[] = {
      {&Image2, 2},   {&Image3, 3},   {&Image5, 5},   {&Image6, 6},   {&Image7, 7},   {&Image8, 8},
      {&Image9, 9},   {&Image10, 10}, {&Image13, 13}, {&Image14, 14}, {&Image15, 15}, {&Image16, 16},
      {&Image17, 17}, {&Image18, 18}, {&Image19, 19}, {&Image20, 20}, {&Image21, 21}, {&Image22, 22},
      {&Image23, 23}, {&Image24, 24}, {&Image25, 25}, {&Image26, 26}, {&Image27, 27}, {&Image28, 28},
      {&Image29, 29}, {&Image30, 30}};
  for (auto [holder, number] : holders) {
    *holder = Named(new TImage(this), QStringLiteral("Image%1").arg(number));
    (*holder)->hide();
  }

  // Callouts.
  for (int i = 0; i < 35; ++i) designLabels_.push_back(Named(NewCalloutLabel(), QStringLiteral("Label%1").arg(i + 1)));

  // Details at the top right.
  auto detail = [this](const QString& name, int left, int top, int width) {
    auto* l = Named(new TLabel(this), name);
    l->SetLayouts(&labelLayouts_);
    l->setGeometry(left, top, width, 20);
    l->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 16, true));
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // The details only show text: a callout placed beneath them still takes its clicks.
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
  };
  lbOboz = detail(QStringLiteral("lbOboz"), 390, 10, 395);
  lbOboz->setWordWrap(true);
  lbNaim = detail(QStringLiteral("lbNaim"), 144, 30, 639);
  lbMassa = detail(QStringLiteral("lbMassa"), 390, 50, 395);
  lbCount = detail(QStringLiteral("lbCount"), 390, 70, 395);

  // Caption buttons: the icon lies beneath the button, two pixels in from its corner.
  auto pair = [this](TLeImage*& button, TLeImage*& icon, const char* buttonName, const char* iconName, int left,
                     int top, int width, const QString& hint) {
    icon = Named(new TLeImage(this), QLatin1String(iconName));
    icon->setGeometry(left + 2, top + 2, 32, 32);
    icon->SetTransparent(true);
    button = Named(new TLeImage(this), QLatin1String(buttonName));
    button->setGeometry(left, top, width, 36);
    button->SetTransparent(true);
    button->setCursor(Qt::PointingHandCursor);
    button->SetHint(hint);
    button->SetShowHint(true);
    TakeKeys(button);
  };
  pair(liMail, liEmail, "liMail", "liEmail", 14, 480, 80, QStringLiteral("Электронная почта"));
  pair(leiWord, liWord, "leiWord", "liWord", 102, 480, 80, QStringLiteral("Просмотреть корзину заказов"));
  pair(leHelp, leiHelp, "leHelp", "leiHelp", 190, 480, 100, QStringLiteral("Посмотреть справку"));
  pair(leiBack, lBack, "leiBack", "lBack", 532, 475, 80, QStringLiteral("Подняться на один уровень вверх"));
  pair(lHome, liHome, "lHome", "liHome", 615, 475, 105, QStringLiteral("Перейти в начало каталога"));
  pair(liZakaz, leiZakaz, "liZakaz", "leiZakaz", 683, 90, 100,
       QStringLiteral("Кликните чтобы добавить выбранный объект в корзину заказов"));
  pair(leZakazano, leiZakazano, "leZakazano", "leiZakazano", 683, 90, 100,
       QStringLiteral("Кликните чтобы удалить выбранный объект из корзины заказов"));
  pair(leNext, lNext, "leNext", "lNext", 338, 500, 260, QStringLiteral("Посмотреть состав сборочной единицы"));
  // Find: a button of its icon alone, in the bottom row between help and the composition button.
  pair(leiFind, liFind, "leiFind", "liFind", 296, 480, 36, QStringLiteral("Найти деталь (Ctrl+F)"));
  for (QWidget* w : {static_cast<QWidget*>(liZakaz), static_cast<QWidget*>(leiZakaz),
                     static_cast<QWidget*>(leZakazano), static_cast<QWidget*>(leiZakazano),
                     static_cast<QWidget*>(leNext), static_cast<QWidget*>(lNext)})
    w->hide();
  AttachButton(Button::Mail, [this](QWidget* s) { liMailClick(s); });
  AttachButton(Button::Basket, [this](QWidget* s) { leiWordClick(s); });
  AttachButton(Button::Home, [this](QWidget* s) { lHomeClick(s); });
  AttachButton(Button::Back, [this](QWidget* s) { leiBackClick(s); });
  AttachButton(Button::Add, [this](QWidget* s) { liZakazClick(s); });
  AttachButton(Button::Remove, [this](QWidget* s) { lbZakazClick(s); });
  AttachButton(Button::Next, [this](QWidget* s) { leNextClick(s); });
  AttachButton(Button::Help, [this](QWidget* s) { leHelpClick(s); });
  AttachButton(Button::Find, [this](QWidget* s) { leiFindClick(s); });

  // Basket indicator with its pop-up menu.
  imZakaz = Named(new TImage(this), QStringLiteral("imZakaz"));
  imZakaz->setGeometry(16, 16, 32, 32);
  imZakaz->SetTransparent(true);
  imZakaz->SetShowHint(true);
  pmZakaz = Named(new QMenu(this), QStringLiteral("pmZakaz"));
  N1 = Named(pmZakaz->addAction(QStringLiteral("Очистить корзину заказов")), QStringLiteral("N1"));
  connect(N1, &QAction::triggered, this, [this] { N1Click(); });
  imZakaz->OnContextMenu = [this](QWidget*) { pmZakaz->popup(QCursor::pos()); };
  lZakaz = Named(new TLabel(this), QStringLiteral("lZakaz"));
  lZakaz->SetLayouts(&labelLayouts_);
  lZakaz->setGeometry(48, 20, 20, 24);
  lZakaz->setFont(PixelFont(QStringLiteral("Arial"), 21));
  lZakaz->SetAutoSize(true);
  lZakaz->SetCaption(QStringLiteral("1"));

  // The parts list, above every picture.
  TabControl = Named(new TTabControl(this), QStringLiteral("TabControl"));
  TabControl->setGeometry(3, 100, 519, 346);
  TabControl->hide();
  CreatePartsList();
}

void TfrMain::LoadArtwork() {
  Image3->SetPicture(Picture::FromImage(PlatePicture(false)));
  Image2->SetPicture(Picture::FromImage(PlatePicture(true)));

  struct Face {
    TImage* resting;
    TImage* hovered;
    TImage* disabled;
    const char* icon;
  };
  const Face faces[] = {
      {Image17, Image16, nullptr, "mail"},         {Image18, Image19, Image9, "basket_review"},
      {Image8, Image20, Image15, "home"},          {Image21, Image22, Image23, "back"},
      {Image7, Image10, nullptr, "add_to_basket"}, {Image5, Image6, nullptr, "basket_full"},
      {Image24, Image25, nullptr, "next"},         {Image27, Image28, nullptr, "help"},
      {Image29, Image30, nullptr, "search"},
  };
  for (const Face& f : faces) {
    const QImage icon = IconPicture(QString::fromLatin1(f.icon));
    f.resting->SetPicture(Picture::FromImage(icon));
    f.hovered->SetPicture(Picture::FromImage(WithDropShadow(icon)));
    if (f.disabled) f.disabled->SetPicture(Picture::FromImage(Greyed(icon)));
  }
  // The empty basket: the open box with its arrow, all in grey.
  Image13->SetPicture(Picture::FromImage(Greyed(Image7->picture().image())));
  setWindowIcon(QIcon(QStringLiteral(":/assets/app/catalog.svg")));
}
