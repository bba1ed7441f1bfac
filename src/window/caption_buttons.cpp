// The eight caption buttons of the main window: a word in Arial beside a 32 x 32 icon, with
// resting, hovered and (for three of them) disabled looks.

#include "tfrmain.h"

struct TfrMain::ButtonLook {
  TLeImage* TfrMain::*button;
  TLeImage* TfrMain::*icon;
  int width;
  const char16_t* word;
  int wordX;
  TImage* TfrMain::*resting;
  TImage* TfrMain::*hovered;
  TImage* TfrMain::*disabled;  // null: never drawn disabled
  bool keepsDesignSize;        // the add and remove buttons rely on their design size
};

namespace {

QFont ButtonFont(bool underline) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(16);  // 12 points
  f.setUnderline(underline);
  return f;
}

constexpr int kButtonHeight = 36;

}  // namespace

const TfrMain::ButtonLook& TfrMain::Look(Button b) const {
  static const ButtonLook looks[] = {
      {&TfrMain::liMail, &TfrMain::liEmail, 80, u"почта", 36, &TfrMain::Image17, &TfrMain::Image16, nullptr, false},
      {&TfrMain::leiWord, &TfrMain::liWord, 80, u"заказ", 36, &TfrMain::Image18, &TfrMain::Image19, &TfrMain::Image9, false},
      {&TfrMain::lHome, &TfrMain::liHome, 105, u"в начало", 36, &TfrMain::Image8, &TfrMain::Image20, &TfrMain::Image15, false},
      {&TfrMain::leiBack, &TfrMain::lBack, 80, u"назад", 36, &TfrMain::Image21, &TfrMain::Image22, &TfrMain::Image23, false},
      {&TfrMain::liZakaz, &TfrMain::leiZakaz, 100, u"заказать", 34, &TfrMain::Image7, &TfrMain::Image10, nullptr, true},
      {&TfrMain::leZakazano, &TfrMain::leiZakazano, 100, u"заказано", 34, &TfrMain::Image5, &TfrMain::Image6, nullptr, true},
      {&TfrMain::leNext, &TfrMain::lNext, 260, u"посмотреть составные части", 36, &TfrMain::Image24, &TfrMain::Image25, nullptr, false},
      {&TfrMain::leHelp, &TfrMain::leiHelp, 100, u"справка", 36, &TfrMain::Image27, &TfrMain::Image28, nullptr, false},
      {&TfrMain::leiFind, &TfrMain::liFind, 36, u"", 0, &TfrMain::Image29, &TfrMain::Image30, nullptr, false},
  };
  return looks[static_cast<int>(b)];
}

TLeImage* TfrMain::CaptionButton(Button b) const { return this->*Look(b).button; }

// The composition button's tag holds the record it opens, so its flag is its second integer.
int& TfrMain::HoverFlag(Button b) {
  TLeImage* button = this->*Look(b).button;
  return b == Button::Next ? button->helpContext : button->tag;
}

void TfrMain::PaintResting(Button b, bool disabled) {
  const ButtonLook& look = Look(b);
  if (look.disabled)
    (this->*look.button)->canvas().SetFontColor(disabled ? QColor(128, 128, 128) : QColor(Qt::black));
  DrawRestingFace(b, disabled && look.disabled ? this->*look.disabled : this->*look.resting);
}

// The resting face: the icon, then the word on white, which wipes any frame and underline.
void TfrMain::DrawRestingFace(Button b, TImage* icon) {
  // The face already on the button is left as it is: every change of level repaints them all.
  TImage*& shown = restingFace_[static_cast<std::size_t>(b)];
  if (shown == icon) return;
  shown = icon;
  const ButtonLook& look = Look(b);
  TLeImage* button = this->*look.button;
  (this->*look.icon)->AssignFrom(*icon);
  if (!look.keepsDesignSize) button->resize(look.width, kButtonHeight);
  Canvas& c = button->canvas();
  c.SetBrushStyle(Canvas::BrushStyle::Solid);
  c.SetBrushColor(Qt::white);
  c.FillRect(QRect(0, 0, look.width, kButtonHeight));
  c.SetFont(ButtonFont(false));
  c.TextOut(look.wordX, 7, QString::fromUtf16(look.word));
}

void TfrMain::HoverButton(Button b) {
  int& flag = HoverFlag(b);
  if (flag == 0) {
    restingFace_[static_cast<std::size_t>(b)] = nullptr;
    const ButtonLook& look = Look(b);
    TLeImage* button = this->*look.button;
    (this->*look.icon)->AssignFrom(*(this->*look.hovered));
    if (!look.keepsDesignSize) button->resize(look.width, kButtonHeight);
    Canvas& c = button->canvas();
    c.SetBrushStyle(Canvas::BrushStyle::Clear);
    c.SetFont(ButtonFont(true));
    c.TextOut(look.wordX, 7, QString::fromUtf16(look.word));
    const int w = look.width;
    c.MoveTo(1, 1);
    c.LineTo(1, 35);
    c.LineTo(w - 1, 35);
    c.LineTo(w - 1, 1);
    c.LineTo(1, 1);
  }
  flag = 1;
}

void TfrMain::LeaveButton(Button b) {
  int& flag = HoverFlag(b);
  if (flag == 1) DrawRestingFace(b, this->*Look(b).resting);  // never the disabled icon
  flag = 0;
}

void TfrMain::AttachButton(Button b, SenderFn onClick) {
  TLeImage* button = this->*Look(b).button;
  button->OnClick = std::move(onClick);
  button->OnMouseMove = [this, b](QWidget*, Qt::KeyboardModifiers, int, int) { HoverButton(b); };
  button->SetOnMouseLeave([this, b](QWidget*) { LeaveButton(b); });
}

void TfrMain::DetachButton(Button b) {
  TLeImage* button = this->*Look(b).button;
  button->OnClick = nullptr;
  button->OnMouseMove = nullptr;
  button->SetOnMouseLeave(nullptr);
}

void TfrMain::PaintMailButton() { PaintResting(Button::Mail, false); }
void TfrMain::PaintBasketButton() { PaintResting(Button::Basket, FBasketCount == 0); }
void TfrMain::PaintHomeButton() { PaintResting(Button::Home, FLevel == 0); }
void TfrMain::PaintBackButton() { PaintResting(Button::Back, FLevel == 0); }
void TfrMain::PaintAddButton() { PaintResting(Button::Add, false); }
void TfrMain::PaintRemoveButton() { PaintResting(Button::Remove, false); }
void TfrMain::PaintNextButton() { PaintResting(Button::Next, false); }
void TfrMain::PaintHelpButton() { PaintResting(Button::Help, false); }
void TfrMain::PaintFindButton() { PaintResting(Button::Find, false); }
