#pragma once
// The section plates at the root: red plates with a section's designation, name and number,
// lit under the pointer.

#include <QObject>

#include <optional>
#include <vector>

#include "browsing/model.h"
#include "design.h"

class TImage;
class TImageLeave;

class Plates : public QObject {
  Q_OBJECT
 public:
  Plates(const Design& design, const browsing::BrowsingModel& model, QObject* parent = nullptr);

  void Redraw(const browsing::Change& change);

  const std::vector<TImageLeave*>& HotSpots() const { return hotSpots_; }
  // The plate a control is, if it is one.
  std::optional<std::size_t> IndexOf(const QObject* control) const;
  // Paints a plate in its resting look.
  void DrawHotSpot(std::size_t index);
  // The highlighted look on the first movement over a plate whose section has content; the
  // resting look when the pointer leaves it.
  void Hover(TImageLeave* h);
  void Leave(TImageLeave* h);

 private:
  void PaintPlate(TImageLeave* h, bool highlighted);
  void Fill(std::size_t index, const browsing::Plate& plate);

  const browsing::BrowsingModel& model_;
  std::vector<TImageLeave*> hotSpots_;
  std::vector<browsing::Plate> drawn_;  // what each plate shows in its resting look

  TImage* resting_;      // Image3
  TImage* highlighted_;  // Image2
};
