#pragma once
// The frame of a walk over the basket: the filter in force and the current record are
// remembered, the after-scroll notification is detached and the store is filtered afresh to
// the basket records; on leaving, the filter, the record and the notification come back, in
// that order, without the window hearing of any of it.

#include <functional>
#include <string>
#include <utility>

#include "tfrmain.h"
#include "basket/parts_list.h"

class BasketWalk {
 public:
  explicit BasketWalk(TfrMain& w) : w_(w), pause_(w.DataSource), filter_(w.ADOQuery.ActiveFilter()) {
    afterScroll_ = std::exchange(w_.ADOQuery.AfterScroll, nullptr);
    id_ = w_.ADOQuery.GetInteger(catalogue::Field::ID);
    w_.ADOQuery.ApplyFilter(catalogue::Filter::All());
    w_.ADOQuery.ApplyFilter(catalogue::Filter::FlagIs(catalogue::Field::Pokupka, true));
  }
  ~BasketWalk() {
    w_.ADOQuery.ApplyFilter(filter_);
    w_.ADOQuery.LocateID(id_);
    w_.ADOQuery.AfterScroll = std::move(afterScroll_);
  }
  BasketWalk(const BasketWalk&) = delete;
  BasketWalk& operator=(const BasketWalk&) = delete;

 private:
  TfrMain& w_;
  PartsListModel::Pause pause_;
  catalogue::Filter filter_;
  std::function<void()> afterScroll_;
  int id_ = 0;
};
