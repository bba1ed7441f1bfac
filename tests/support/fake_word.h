#pragma once
// A word processor for the tests: it records every call and fails the ones it is told to.

#include <QString>
#include <QStringList>

#include <memory>
#include <set>

#include "order/uword.h"

struct FakeWordState {
  QStringList log;            // "Add <path>", "Find #1", "InsertAfter text", "MoveRight 2", ...
  std::set<QString> failing;  // call names that fail: "Connect", "InsertRows", ...
  bool markerFound = true;    // "#1" is in the template
  QStringList markers;        // the customer's markers the template has
  int dieAfter = -1;          // the word processor goes away after this many calls
  int calls = 0;
  int finished = 0;           // exports that ended with a document
  QStringList Typed() const;  // the texts inserted, in order
};

class FakeWord : public WordBackend {
 public:
  explicit FakeWord(std::shared_ptr<FakeWordState> s) : s_(std::move(s)) {}
  bool Connect() override { return Call(QStringLiteral("Connect")); }
  bool SetVisible(bool v) override { return Call(QStringLiteral("Visible %1").arg(v)); }
  bool DocumentsAdd(const QString& path) override { return Call(QStringLiteral("Add ") + path); }
  bool FindExecute(const QString& text) override {
    return Call(QStringLiteral("Find ") + text) &&
           (text == QLatin1String("#1") ? s_->markerFound : s_->markers.contains(text));
  }
  bool SelectionDelete() override { return Call(QStringLiteral("Delete")); }
  bool SelectionInsertAfter(const QString& text) override { return Call(QStringLiteral("InsertAfter ") + text); }
  bool SelectionMoveRight(int n) override { return Call(QStringLiteral("MoveRight %1").arg(n)); }
  bool SelectionMoveLeft(int n) override { return Call(QStringLiteral("MoveLeft %1").arg(n)); }
  bool SelectionDeleteChars(int n) override { return Call(QStringLiteral("DeleteChars %1").arg(n)); }
  bool SelectionInsertRows(int n) override { return Call(QStringLiteral("InsertRows %1").arg(n)); }
  void ExportFinished() override { ++s_->finished; }

 private:
  bool Call(const QString& entry) {
    s_->log << entry;
    ++s_->calls;
    if (s_->dieAfter >= 0 && s_->calls > s_->dieAfter) return false;
    return !s_->failing.count(entry.section(QLatin1Char(' '), 0, 0));
  }
  std::shared_ptr<FakeWordState> s_;
};

inline QStringList FakeWordState::Typed() const {
  QStringList typed;
  for (const QString& e : log)
    if (e.startsWith(QLatin1String("InsertAfter "))) typed << e.mid(12);
  return typed;
}
