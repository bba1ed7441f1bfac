#pragma once
// The browsing model's changes as a Qt signal: the controllers of the window's regions connect
// to it and redraw what changed.

#include <QObject>

#include "browsing/model.h"

class ModelSignals : public QObject, public browsing::Listener {
  Q_OBJECT
 public:
  explicit ModelSignals(browsing::BrowsingModel& model, QObject* parent = nullptr) : QObject(parent), model_(model) {
    model_.AddListener(this);
  }
  ~ModelSignals() override { model_.RemoveListener(this); }

  void ModelChanged(const browsing::Change& change) override { emit changed(change); }

 signals:
  void changed(const browsing::Change& change);

 private:
  browsing::BrowsingModel& model_;
};
