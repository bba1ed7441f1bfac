#include "caption_bar.h"

namespace {

using browsing::dmDrawing;
using browsing::dmList;
using browsing::dmSections;

// The word of each caption button and where it is written in the button.
struct Look {
  const char16_t* word;
  int wordX;
  bool keepsDesignSize;  // the add and remove buttons rely on their design size
};
constexpr std::array<Look, kButtons> kLooks = {{
    {u"почта", 36, false},
    {u"заказ", 36, false},
    {u"в начало", 36, false},
    {u"назад", 36, false},
    {u"заказать", 34, true},
    {u"заказано", 34, true},
    {u"посмотреть составные части", 36, false},
    {u"справка", 36, false},
    {u"", 0, false},  // find: its icon alone
}};

QFont ButtonFont(bool underline) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(16);  // 12 points
  f.setUnderline(underline);
  return f;
}

constexpr QColor kGreyWord(128, 128, 128);

}  // namespace

CaptionBar::CaptionBar(const Design& design, const browsing::BrowsingModel& model,
                       std::array<SenderFn, kButtons> clicks, QObject* parent)
    : QObject(parent), model_(model), buttons_(design.buttons), icons_(design.icons), clicks_(std::move(clicks)) {
  for (const ButtonDesign& b : kButtonDesign) {
    const std::size_t i = Index(b.button);
    resting_[i] = design.images.at(b.resting);
    hovered_[i] = design.images.at(b.hovered);
    disabled_[i] = b.disabled ? design.images.at(b.disabled) : nullptr;
    // A screen reader reads the word the button shows; the find button, which shows none, by
    // its hint.
    const QString word = QString::fromUtf16(kLooks[i].word);
    buttons_[i]->setAccessibleName(word.isEmpty() ? buttons_[i]->hint() : word);
    Attach(b.button);
  }
}

std::optional<Button> CaptionBar::ButtonOf(const QObject* control) const {
  for (int b = 0; b < kButtons; ++b)
    if (buttons_[static_cast<std::size_t>(b)] == control) return static_cast<Button>(b);
  return std::nullopt;
}

int& CaptionBar::HoverFlag(Button b) {
  TLeImage* button = buttons_[Index(b)];
  return b == Button::Next ? button->helpContext : button->tag;
}

void CaptionBar::PaintResting(Button b, bool disabled) {
  const std::size_t i = Index(b);
  if (disabled_[i]) buttons_[i]->canvas().SetFontColor(disabled ? kGreyWord : QColor(Qt::black));
  DrawRestingFace(b, disabled && disabled_[i] ? disabled_[i] : resting_[i]);
}

// The resting face: the icon, then the word on a clear face, which wipes any frame and
// underline. The word is smoothed against whatever lies beneath the button, not against white,
// so it has no light fringe on a dark background.
void CaptionBar::DrawRestingFace(Button b, TImage* icon) {
  const std::size_t i = Index(b);
  const Look& look = kLooks[i];
  const int width = PlacesOf(b).width;
  TLeImage* button = buttons_[i];
  icons_[i]->AssignFrom(*icon);
  if (!look.keepsDesignSize) button->resize(width, kButtonHeight);
  QImage face(width, kButtonHeight, QImage::Format_ARGB32_Premultiplied);
  face.fill(Qt::transparent);
  button->SetPicture(Picture::FromImage(face));
  Canvas& c = button->canvas();
  c.SetBrushStyle(Canvas::BrushStyle::Clear);
  c.SetFont(ButtonFont(false));
  c.TextOut(look.wordX, 7, QString::fromUtf16(look.word));
}

void CaptionBar::Hover(Button b) {
  int& flag = HoverFlag(b);
  if (flag == 0) {
    const std::size_t i = Index(b);
    const Look& look = kLooks[i];
    const int w = PlacesOf(b).width;
    TLeImage* button = buttons_[i];
    icons_[i]->AssignFrom(*hovered_[i]);
    if (!look.keepsDesignSize) button->resize(w, kButtonHeight);
    Canvas& c = button->canvas();
    c.SetBrushStyle(Canvas::BrushStyle::Clear);
    c.SetFont(ButtonFont(true));
    c.TextOut(look.wordX, 7, QString::fromUtf16(look.word));
    c.MoveTo(1, 1);
    c.LineTo(1, kButtonHeight - 1);
    c.LineTo(w - 1, kButtonHeight - 1);
    c.LineTo(w - 1, 1);
    c.LineTo(1, 1);
  }
  flag = 1;
}

void CaptionBar::Leave(Button b) {
  int& flag = HoverFlag(b);
  if (flag == 1) DrawRestingFace(b, resting_[Index(b)]);  // never the disabled icon
  flag = 0;
}

void CaptionBar::Attach(Button b) {
  TLeImage* button = buttons_[Index(b)];
  button->OnClick = clicks_[Index(b)];
  button->OnMouseMove = [this, b](QWidget*, Qt::KeyboardModifiers, int, int) { Hover(b); };
  button->SetOnMouseLeave([this, b](QWidget*) { Leave(b); });
}

void CaptionBar::Detach(Button b) {
  TLeImage* button = buttons_[Index(b)];
  button->OnClick = nullptr;
  button->OnMouseMove = nullptr;
  button->SetOnMouseLeave(nullptr);
}

void CaptionBar::Press(Button b) {
  TLeImage* button = buttons_[Index(b)];
  if (button->isVisible() && button->isEnabled() && button->OnClick) button->OnClick(button);
}

std::vector<QWidget*> CaptionBar::Clickable() const {
  std::vector<QWidget*> shown;
  for (TLeImage* button : buttons_)
    if (button->isVisible() && button->isEnabled() && button->OnClick) shown.push_back(button);
  return shown;
}

void CaptionBar::ShowPair(Button b, bool shown) {
  buttons_[Index(b)]->setVisible(shown);
  icons_[Index(b)]->setVisible(shown);
}

void CaptionBar::Place(int mode) {
  for (int b = 0; b < kButtons; ++b) {
    const auto button = static_cast<Button>(b);
    buttons_[Index(button)]->move(PlacesOf(button).In(mode));
    icons_[Index(button)]->move(IconIn(button, mode));
  }
  ShowPair(Button::Home, mode != dmList);
}

// Disabled buttons are drawn grey and have their click and hover handlers detached.
void CaptionBar::EnableBackAndHome(bool enabled) {
  if (enabled && buttons_[Index(Button::Back)]->isEnabled()) return;
  for (Button b : {Button::Back, Button::Home}) {
    buttons_[Index(b)]->setEnabled(enabled);
    icons_[Index(b)]->setEnabled(enabled);
    enabled ? Attach(b) : Detach(b);
  }
  PaintResting(Button::Home, !enabled);
  PaintResting(Button::Back, !enabled);
}

void CaptionBar::EnableReview(bool enabled) {
  TLeImage* review = buttons_[Index(Button::Basket)];
  if (enabled && review->isEnabled()) return;
  review->setEnabled(enabled);
  enabled ? Attach(Button::Basket) : Detach(Button::Basket);
  PaintResting(Button::Basket, !enabled);
}

void CaptionBar::Redraw(const browsing::Change& change) {
  using browsing::Op;
  const int mode = model_.DisplayMode();
  if (change.op == Op::Start)
    for (int b = 0; b < kButtons; ++b) PaintResting(static_cast<Button>(b), false);
  if (change.Has(browsing::kMode)) Place(mode);
  if (change.Has(browsing::kLevel)) {
    EnableBackAndHome(model_.Level() != 0);
    if (change.op == Op::Home) HoverFlag(Button::Home) = 0;
  }
  if (change.Has(browsing::kBasket)) EnableReview(model_.BasketCount() != 0);
  if (change.Has(browsing::kMode) || change.Has(browsing::kOrder)) {
    // At most one of the pair shows: "заказать" adds, "заказано" takes out.
    const bool offered = mode != dmSections && model_.CanOrder();
    ShowPair(Button::Remove, offered && model_.InBasket());
    ShowPair(Button::Add, offered && !model_.InBasket());
  }
  if (change.Has(browsing::kMode) || change.Has(browsing::kCallouts)) {
    const auto next = model_.NextID();
    ShowPair(Button::Next, mode == dmDrawing && next);
    if (next) buttons_[Index(Button::Next)]->tag = *next;
  }
}
