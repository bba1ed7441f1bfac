#pragma once
// The caption bar: the caption buttons (a word in Arial beside a 32 x 32 icon) with their
// resting, hovered and disabled looks, where each display puts them, and which of them can be
// clicked. The composition button and the basket buttons are drawn here too.

#include <QObject>

#include <array>
#include <optional>
#include <vector>

#include "browsing/model.h"
#include "controls/picture.h"
#include "design.h"

class CaptionBar : public QObject {
  Q_OBJECT
 public:
  // `clicks`: the window's click handler of each button, attached while the button is enabled.
  CaptionBar(const Design& design, const browsing::BrowsingModel& model, std::array<SenderFn, kButtons> clicks,
             QObject* parent = nullptr);

  void Redraw(const browsing::Change& change);

  TLeImage* button(Button b) const { return buttons_[Index(b)]; }
  // The caption button a control is, if it is one.
  std::optional<Button> ButtonOf(const QObject* control) const;
  // The hovered look on the first movement over a button; the resting look when it is left.
  void Hover(Button b);
  void Leave(Button b);
  // A click, as the pointer would make it, when the button is shown and enabled.
  void Press(Button b);
  // The buttons a click works on now.
  std::vector<QWidget*> Clickable() const;
  // 1 while the hovered look is drawn. The composition button's tag holds the record it opens,
  // so its flag is its second integer.
  int& HoverFlag(Button b);

 private:
  static std::size_t Index(Button b) { return static_cast<std::size_t>(b); }
  void PaintResting(Button b, bool disabled);
  void DrawRestingFace(Button b, TImage* icon);
  void Attach(Button b);
  void Detach(Button b);
  void ShowPair(Button b, bool shown);
  void Place(int mode);
  void EnableBackAndHome(bool enabled);
  void EnableReview(bool enabled);

  const browsing::BrowsingModel& model_;
  std::array<TLeImage*, kButtons> buttons_{};
  std::array<TLeImage*, kButtons> icons_{};
  std::array<TImage*, kButtons> resting_{}, hovered_{}, disabled_{};
  std::array<SenderFn, kButtons> clicks_;
};
