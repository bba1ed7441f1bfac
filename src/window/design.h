#pragma once
// The window design: every control of the main window under its design name, at its design
// place, created bottom to top so that the stacking order is the design's. The controllers of
// the window's regions take their controls from here.

#include <array>
#include <map>
#include <vector>

#include "catalogue/limits.h"
#include "layout.h"

class QAction;
class QMenu;
class QObject;
class QWidget;
class TImage;
class TImageLeave;
class TLabel;
class TLeImage;
class TTabControl;

// The design names, hint and pictures of a caption button: its resting, hovered and (0 when
// never drawn so) disabled icon in the hidden holders ImageN, drawn from an icon of assets/.
struct ButtonDesign {
  Button button;
  const char* name;
  const char* iconName;
  const char16_t* hint;
  int resting, hovered, disabled;
  const char* icon;
};
inline constexpr std::array<ButtonDesign, kButtons> kButtonDesign = {{
    {Button::Mail, "liMail", "liEmail", u"Электронная почта", 17, 16, 0, "mail"},
    {Button::Basket, "leiWord", "liWord", u"Просмотреть корзину заказов", 18, 19, 9, "basket_review"},
    {Button::Home, "lHome", "liHome", u"Перейти в начало каталога", 8, 20, 15, "home"},
    {Button::Back, "leiBack", "lBack", u"Подняться на один уровень вверх", 21, 22, 23, "back"},
    {Button::Add, "liZakaz", "leiZakaz", u"Кликните чтобы добавить выбранный объект в корзину заказов", 7, 10, 0,
     "add_to_basket"},
    {Button::Remove, "leZakazano", "leiZakazano", u"Кликните чтобы удалить выбранный объект из корзины заказов", 5, 6,
     0, "basket_full"},
    {Button::Next, "leNext", "lNext", u"Посмотреть состав сборочной единицы", 24, 25, 0, "next"},
    {Button::Help, "leHelp", "leiHelp", u"Посмотреть справку", 27, 28, 0, "help"},
    {Button::Find, "leiFind", "liFind", u"Найти деталь (Ctrl+F)", 29, 30, 0, "search"},
}};

constexpr bool ButtonDesignInOrder() {
  for (int i = 0; i < kButtons; ++i)
    if (static_cast<int>(kButtonDesign[static_cast<std::size_t>(i)].button) != i) return false;
  return true;
}
static_assert(ButtonDesignInOrder(), "kButtonDesign lists the buttons in the order of Button");

// The hidden holders of the plates and of the backgrounds.
inline constexpr int kPlateResting = 3, kPlateHighlighted = 2;
inline constexpr int kBasketFull = 5, kBasketEmpty = 13;  // the basket indicator's faces
inline constexpr int kSectionsBackground = 14, kDrawingBackground = 26;

struct Design {
  TImage* imFon = nullptr;
  TImage* imMain = nullptr;
  std::array<TImageLeave*, catalogue::kMaxSections> hotSpots{};  // ImageLeave1 .. ImageLeave7
  std::map<int, TImage*> images;                                 // the hidden picture holders ImageN, by N
  std::vector<TLabel*> callouts;                                 // Label1 .. Label35
  TLabel* lbOboz = nullptr;
  TLabel* lbNaim = nullptr;
  TLabel* lbMassa = nullptr;
  TLabel* lbCount = nullptr;
  std::array<TLeImage*, kButtons> buttons{};  // by Button
  std::array<TLeImage*, kButtons> icons{};
  TImage* imZakaz = nullptr;
  TLabel* lZakaz = nullptr;
  QMenu* pmZakaz = nullptr;
  QAction* N1 = nullptr;
  TTabControl* TabControl = nullptr;  // above every picture
};

// Creates the controls on `form`, with their stock pictures. `keys` takes the key and focus
// events of the clickable controls.
Design CreateDesign(QWidget* form, QObject* keys);

// A callout label: transparent, sized to its two lines, hidden until placed.
TLabel* NewCalloutLabel(QWidget* form, QObject* keys);
