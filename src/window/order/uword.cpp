#include "order/uword.h"

// A backend may throw (a dispatch call that raises, memory running out): no exception leaves
// a routine, it fails instead.
template <class Call>
bool WordAutomation::Step(Call call) {
  if (!wordApp_) return false;
  try {
    return call(*wordApp_);
  } catch (...) {
    return false;
  }
}

bool WordAutomation::WordConnect() {
  try {
    wordApp_ = factory_ ? factory_() : nullptr;
    if (wordApp_ && wordApp_->Connect()) return true;
  } catch (...) {
  }
  wordApp_.reset();
  return false;
}

bool WordAutomation::WordSetVisible(bool visible) {
  return Step([&](WordBackend& w) { return w.SetVisible(visible); });
}

bool WordAutomation::WordNewDocument(const QString& templatePath) {
  return Step([&](WordBackend& w) { return w.DocumentsAdd(templatePath); });
}

bool WordAutomation::WordFindText(const QString& text) {
  return Step([&](WordBackend& w) { return w.FindExecute(text); });
}

bool WordAutomation::WordInsertText(const QString& text) {
  return Step([&](WordBackend& w) { return w.SelectionDelete() && w.SelectionInsertAfter(text); });
}

bool WordAutomation::WordMoveRight(int count) {
  return Step([&](WordBackend& w) { return w.SelectionMoveRight(count); });
}

bool WordAutomation::WordMoveLeft(int count) {
  return Step([&](WordBackend& w) { return w.SelectionMoveLeft(count); });
}

bool WordAutomation::WordDeleteChars(int count) {
  return Step([&](WordBackend& w) { return w.SelectionDeleteChars(count); });
}

bool WordAutomation::WordInsertRows(int count) {
  return Step([&](WordBackend& w) { return w.SelectionInsertRows(count); });
}
