#pragma once
// The application-wide hourglass for the life of a scope: every way out restores the arrow.

#include <QApplication>

class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { Release(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  // Restores the arrow before the scope ends (for instance before a dialog waits for the user).
  void Release() {
    if (active_) QApplication::restoreOverrideCursor();
    active_ = false;
  }

 private:
  bool active_ = true;
};
