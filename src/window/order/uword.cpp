#include "order/uword.h"

std::unique_ptr<WordBackend> WordApp;

namespace {

WordBackendFactory& Factory() {
  static WordBackendFactory factory;
  return factory;
}

// Runs one automation step: false when there is no word processor or the call fails.
template <class Call>
bool Step(Call call) {
  if (!WordApp) return false;
  try {
    return call(*WordApp);
  } catch (...) {
    return false;
  }
}

}  // namespace

void SetWordBackendFactory(WordBackendFactory factory) { Factory() = std::move(factory); }

bool WordConnect() {
  try {
    WordApp = Factory() ? Factory()() : nullptr;
    if (!WordApp) return false;
    if (WordApp->Connect()) return true;
  } catch (...) {
  }
  WordApp.reset();
  return false;
}

bool WordSetVisible(bool visible) {
  return Step([&](WordBackend& w) { return w.SetVisible(visible); });
}

bool WordNewDocument(const QString& templatePath) {
  return Step([&](WordBackend& w) { return w.DocumentsAdd(templatePath); });
}

bool WordFindText(const QString& text) {
  return Step([&](WordBackend& w) { return w.FindExecute(text); });
}

bool WordInsertText(const QString& text) {
  return Step([&](WordBackend& w) { return w.SelectionDelete() && w.SelectionInsertAfter(text); });
}

bool WordMoveRight(int count) {
  return Step([&](WordBackend& w) { return w.SelectionMoveRight(count); });
}

bool WordMoveLeft(int count) {
  return Step([&](WordBackend& w) { return w.SelectionMoveLeft(count); });
}

bool WordDeleteChars(int count) {
  return Step([&](WordBackend& w) { return w.SelectionDeleteChars(count); });
}

bool WordInsertRows(int count) {
  return Step([&](WordBackend& w) { return w.SelectionInsertRows(count); });
}
