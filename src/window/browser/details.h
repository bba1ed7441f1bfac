#pragma once
// The details of the node on screen at the top right of the drawing: designation, name, mass
// and quantity.

#include <QObject>

#include "browsing/model.h"
#include "design.h"

class Details : public QObject {
  Q_OBJECT
 public:
  Details(const Design& design, const browsing::BrowsingModel& model, QObject* parent = nullptr);

  void Redraw(const browsing::Change& change);

 private:
  const browsing::BrowsingModel& model_;
  TLabel* lbOboz;
  TLabel* lbNaim;
  TLabel* lbMassa;
  TLabel* lbCount;
};
