// The window design: every control of the main window at its design place, created bottom to
// top so that the stacking order is the design's.

#include "design.h"

#include <QAction>
#include <QMenu>

#include "controls/artwork.h"
#include "controls/imageleave.h"
#include "controls/label.h"
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

// The hidden picture holders: plates, caption-button faces, backgrounds.
constexpr int kHolders[] = {2,  3,  5,  6,  7,  8,  9,  10, 13, 14, 15, 16, 17,
                            18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};

void LoadArtwork(Design& d) {
  d.images[kPlateResting]->SetPicture(Picture::FromImage(PlatePicture(false)));
  d.images[kPlateHighlighted]->SetPicture(Picture::FromImage(PlatePicture(true)));
  for (const ButtonDesign& b : kButtonDesign) {
    const QImage icon = IconPicture(QString::fromLatin1(b.icon));
    d.images[b.resting]->SetPicture(Picture::FromImage(icon));
    d.images[b.hovered]->SetPicture(Picture::FromImage(WithDropShadow(icon)));
    if (b.disabled) d.images[b.disabled]->SetPicture(Picture::FromImage(Greyed(icon)));
  }
  // The empty basket: the open box with its arrow, all in grey.
  const int addResting = kButtonDesign[static_cast<std::size_t>(Button::Add)].resting;
  d.images[kBasketEmpty]->SetPicture(Picture::FromImage(Greyed(d.images[addResting]->picture().image())));
}

}  // namespace

TLabel* NewCalloutLabel(QWidget* form, QObject* keys) {
  auto* l = new TLabel(form);
  l->installEventFilter(keys);
  l->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
  l->SetAutoSize(true);
  l->setCursor(Qt::PointingHandCursor);
  l->hide();
  return l;
}

Design CreateDesign(QWidget* form, QObject* keys) {
  Design d;
  // Background, at the bottom.
  d.imFon = Named(new TImage(form), QStringLiteral("imFon"));
  d.imFon->setGeometry(QRect(QPoint(0, 0), kClientSize));

  // Section plates; the fifth and sixth show no hint.
  for (int i = 0; i < catalogue::kMaxSections; ++i) {
    auto* h = Named(new TImageLeave(form), QStringLiteral("ImageLeave%1").arg(i + 1));
    h->setGeometry(QRect(QPoint(kPlateLeft, kPlateTops[static_cast<std::size_t>(i)]), kPlateSize));
    h->SetAutoSize(true);
    h->SetShowHint(i != 4 && i != 5);
    h->installEventFilter(keys);
    d.hotSpots[static_cast<std::size_t>(i)] = h;
  }

  // The main picture.
  d.imMain = Named(new TImage(form), QStringLiteral("imMain"));
  d.imMain->setGeometry(kMainPicture.design);
  d.imMain->SetCenter(true);
  d.imMain->SetProportional(true);

  for (int number : kHolders) {
    TImage* holder = Named(new TImage(form), QStringLiteral("Image%1").arg(number));
    holder->hide();
    d.images[number] = holder;
  }

  // Callouts.
  for (int i = 0; i < catalogue::kMaxCallouts; ++i)
    d.callouts.push_back(Named(NewCalloutLabel(form, keys), QStringLiteral("Label%1").arg(i + 1)));

  // Details at the top right.
  auto detail = [form](const QString& name, QRect at) {
    auto* l = Named(new TLabel(form), name);
    l->setGeometry(at);
    l->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 16, true));
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // The details only show text: a callout placed beneath them still takes its clicks.
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
  };
  d.lbOboz = detail(QStringLiteral("lbOboz"), kObozRect);
  d.lbOboz->setWordWrap(true);
  d.lbNaim = detail(QStringLiteral("lbNaim"), kNaimRect);
  d.lbMassa = detail(QStringLiteral("lbMassa"), kMassaRect);
  d.lbCount = detail(QStringLiteral("lbCount"), kCountRect);

  // Caption buttons: the icon lies beneath its button.
  for (const ButtonDesign& b : kButtonDesign) {
    const ButtonPlaces& at = PlacesOf(b.button);
    auto* icon = Named(new TLeImage(form), QLatin1String(b.iconName));
    icon->setGeometry(QRect(IconIn(b.button, 0), kIconSize));
    icon->SetTransparent(true);
    auto* button = Named(new TLeImage(form), QLatin1String(b.name));
    button->setGeometry(QRect(at.design, QSize(at.width, kButtonHeight)));
    button->SetTransparent(true);
    button->setCursor(Qt::PointingHandCursor);
    button->SetHint(QString::fromUtf16(b.hint));
    button->SetShowHint(true);
    button->installEventFilter(keys);
    d.buttons[static_cast<std::size_t>(b.button)] = button;
    d.icons[static_cast<std::size_t>(b.button)] = icon;
  }
  for (Button hidden : {Button::Add, Button::Remove, Button::Next}) {
    d.buttons[static_cast<std::size_t>(hidden)]->hide();
    d.icons[static_cast<std::size_t>(hidden)]->hide();
  }

  // Basket indicator with its pop-up menu.
  d.imZakaz = Named(new TImage(form), QStringLiteral("imZakaz"));
  d.imZakaz->setGeometry(kBasketIcon);
  d.imZakaz->SetTransparent(true);
  d.imZakaz->SetShowHint(true);
  d.pmZakaz = Named(new QMenu(form), QStringLiteral("pmZakaz"));
  d.N1 = Named(d.pmZakaz->addAction(QStringLiteral("Очистить корзину заказов")), QStringLiteral("N1"));
  d.lZakaz = Named(new TLabel(form), QStringLiteral("lZakaz"));
  d.lZakaz->setGeometry(kBasketCount);
  d.lZakaz->setFont(PixelFont(QStringLiteral("Arial"), 21));
  d.lZakaz->SetAutoSize(true);
  d.lZakaz->SetCaption(QStringLiteral("1"));

  // The parts list, above every picture.
  d.TabControl = Named(new TTabControl(form), QStringLiteral("TabControl"));
  d.TabControl->setGeometry(kTabControlRect);
  d.TabControl->hide();

  LoadArtwork(d);
  return d;
}
