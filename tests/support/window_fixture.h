#pragma once
// A main window on a temporary catalogue, with every message recorded instead of shown.

#include <QStringList>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

#include "messages.h"
#include "tfrmain.h"
#include "support/test_catalogue.h"

class MessageRecorder {
 public:
  MessageRecorder() {
    previous_ = SetMessageHandler([this](const QString& text) { messages.append(text); });
  }
  ~MessageRecorder() { SetMessageHandler(std::move(previous_)); }
  QStringList messages;

 private:
  MessageHandler previous_;
};

class WindowTest : public ::testing::Test {
 protected:
  // Opens the window on the test catalogue, as if the program lay in its folder.
  TfrMain& Open(int screenHeight = 768);
  void TearDown() override;

  // Real mouse events at a control's place.
  static void Click(QWidget* w, QPoint at = QPoint(-1, -1));
  static void Move(QWidget* w, QPoint at = QPoint(-1, -1));
  static void Leave(QWidget* w);
  // A click at a point of the window's client area, delivered to whatever control is on top
  // there, as the pointer would. Returns that control (null when none).
  QWidget* ClickAt(QPoint windowPos);
  QWidget* MoveAt(QPoint windowPos);

  TestCatalogue cat;
  MessageRecorder recorder;
  // The word processor the window's order export drives; null: the built-in engine.
  std::function<std::unique_ptr<WordBackend>()> wordProcessor;
  QTemporaryDir documents;  // where the built-in engine writes order documents
  QList<QUrl> openedUrls;
  std::unique_ptr<TfrMain> window;
};
