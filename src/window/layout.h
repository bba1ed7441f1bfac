#pragma once
// Where the controls of the main window stand: in the window design and after each display
// mode has laid the window out. The design and the controllers take every place from here.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

#include "browsing/model.h"
#include "catalogue/limits.h"

inline constexpr QSize kClientSize{catalogue::kClientWidth, catalogue::kClientHeight};

// A place in the window design and in each display. A display that does not move a control
// keeps it where the display before it put it; every display is entered from the sections
// display, so those places are written out here.
struct Places {
  QRect design, sections, list, drawing;
  constexpr QRect In(int mode) const {
    return mode == browsing::dmSections ? sections : mode == browsing::dmList ? list : drawing;
  }
};

// The main picture.
inline constexpr Places kMainPicture{{3, 100, 519, 346}, {2, 100, 519, 346}, {532, 64, 225, 400}, {0, 0, 792, 541}};

// The section plates, top to bottom, at the right of the root.
inline constexpr int kPlateLeft = 532;
inline constexpr std::array<int, catalogue::kMaxSections> kPlateTops = {64, 122, 180, 238, 296, 354, 412};
inline constexpr QSize kPlateSize{225, 53};

// The details at the top right.
inline constexpr QRect kObozRect{390, 10, 395, 20};
inline constexpr QRect kNaimRect{144, 30, 639, 20};
inline constexpr QRect kMassaRect{390, 50, 395, 20};
inline constexpr QRect kCountRect{390, 70, 395, 20};

// The basket indicator and the parts list.
inline constexpr QRect kBasketIcon{16, 16, 32, 32};
inline constexpr QRect kBasketCount{48, 20, 20, 24};
inline constexpr QRect kTabControlRect{3, 100, 519, 346};

// The caption buttons, in this order everywhere (their looks, their places).
enum class Button { Mail, Basket, Home, Back, Add, Remove, Next, Help, Find };
inline constexpr int kButtons = 9;

inline constexpr int kButtonHeight = 36;
inline constexpr QSize kIconSize{32, 32};
// An icon lies two pixels right of and below its button's corner, but where kIconDepartures
// says otherwise.
inline constexpr QPoint kIconOffset{2, 2};

struct ButtonPlaces {
  Button button;
  int width;
  QPoint design, sections, list, drawing;
  constexpr QPoint In(int mode) const {
    return mode == browsing::dmSections ? sections : mode == browsing::dmList ? list : drawing;
  }
};

inline constexpr std::array<ButtonPlaces, kButtons> kButtonPlaces = {{
    //                        design      sections    list        drawing
    {Button::Mail, 80, {14, 480}, {14, 480}, {14, 480}, {14, 500}},
    {Button::Basket, 80, {102, 480}, {102, 480}, {102, 480}, {102, 500}},
    {Button::Home, 105, {615, 475}, {615, 475}, {615, 475}, {683, 500}},  // hidden in the list
    {Button::Back, 80, {532, 475}, {532, 475}, {532, 475}, {600, 500}},
    {Button::Add, 100, {683, 90}, {683, 90}, {615, 475}, {683, 90}},      // hidden at the root
    {Button::Remove, 100, {683, 90}, {683, 90}, {615, 475}, {683, 90}},   // hidden at the root
    {Button::Next, 260, {338, 500}, {338, 500}, {338, 500}, {338, 500}},  // the drawing's only
    {Button::Help, 100, {190, 480}, {190, 480}, {190, 480}, {190, 500}},
    {Button::Find, 36, {296, 480}, {296, 480}, {296, 480}, {296, 500}},  // the icon alone
}};

constexpr bool ButtonsInOrder() {
  for (int i = 0; i < kButtons; ++i)
    if (static_cast<int>(kButtonPlaces[static_cast<std::size_t>(i)].button) != i) return false;
  return true;
}
static_assert(ButtonsInOrder(), "kButtonPlaces lists the buttons in the order of Button");

// Icons the design puts elsewhere than kIconOffset from their button, display by display.
struct IconDeparture {
  Button button;
  int mode;
  QPoint at;
};
inline constexpr IconDeparture kIconDepartures[] = {
    // The design has the home icon level with its button's top at the root (the list, which
    // hides it, keeps it there).
    {Button::Home, browsing::dmSections, {617, 475}},
    {Button::Home, browsing::dmList, {617, 475}},
    // The design has the remove icon on its button's corner at the root (the drawing keeps it
    // there).
    {Button::Remove, browsing::dmSections, {683, 90}},
    {Button::Remove, browsing::dmDrawing, {683, 90}},
};

constexpr const ButtonPlaces& PlacesOf(Button b) { return kButtonPlaces[static_cast<std::size_t>(b)]; }

// Where a button's icon stands in a display (0: the window design).
constexpr QPoint IconIn(Button b, int mode) {
  for (const IconDeparture& d : kIconDepartures)
    if (d.button == b && d.mode == mode) return d.at;
  const ButtonPlaces& p = PlacesOf(b);
  return (mode == 0 ? p.design : p.In(mode)) + kIconOffset;
}
