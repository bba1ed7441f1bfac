#pragma once
// A main window on a temporary catalogue, with every message recorded instead of shown.

#include <QStringList>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "support/test_catalogue.h"
#include "support/window_probe.h"
#include "window/environment.h"

// The window point of the i-th section plate at the root (0 the topmost).
inline QPoint Plate(int i) { return QPoint(600, 64 + 58 * i + 20); }
// The longest run of dark opaque pixels in one row of a rectangle of an image (all of it when
// the rectangle is null): an underline is a long one.
int LongestDarkRun(const QImage& image, QRect r = QRect());

class WindowTest : public ::testing::Test {
 protected:
  struct MessageRecorder {
    QStringList messages;
    QStringList questions;  // asked, answered with `answer`
    bool answer = true;
    QStringList copied;  // texts put on the clipboard
    QStringList mailed;  // attachments handed to the mail program
  };

  // The environment of the test's windows: the catalogue's folder as the program's, the
  // screen height given, and recorders of messages and of the addresses handed to the desktop.
  AppEnvironment Environment(int screenHeight = 768);
  // Opens the window on the test catalogue, as if the program lay in its folder.
  TfrMainProbe Open(int screenHeight = 768);
  TfrMainProbe OpenWith(AppEnvironment env);
  // Keeps a basket for the test catalogue in the user's folder, as the program keeps it: the
  // records of these IDs with their designations and names, each with quantity "1".
  void KeepBasket(const std::vector<int>& ids, const std::vector<catalogue::RecordData>& table = StandardTable());
  // Writes the standard catalogue and opens the window on it.
  TfrMainProbe OpenStandard() {
    MakeStandardCatalogue(cat);
    return Open();
  }
  TfrMainProbe probe() const;
  void TearDown() override;

  // Real mouse events at a control's place.
  static void Click(QWidget* w, QPoint at = QPoint(-1, -1));
  static void Move(QWidget* w, QPoint at = QPoint(-1, -1));
  static void Leave(QWidget* w);
  // A click at a point of the window's client area, delivered to whatever control is on top
  // there, as the pointer would. Returns that control (null when none).
  QWidget* ClickAt(QPoint windowPos);
  QWidget* MoveAt(QPoint windowPos);
  // From the root, every node entered and left by clicks only, depth first: each section with
  // a composition but the parts-list plate, each visible callout, each composition button.
  // Returns the nodes entered; a click that enters no level, or a back that does not return,
  // fails the test.
  int WalkTree();

  TestCatalogue cat;
  MessageRecorder recorder;
  // The word processor the window's order export drives; null: the built-in engine.
  std::function<std::unique_ptr<class WordBackend>()> wordProcessor;
  QTemporaryDir documents;  // where the built-in engine writes order documents
  QTemporaryDir userData;   // the user's data folder and settings
  QList<QUrl> openedUrls;
  std::unique_ptr<QWidget> window;  // the main window

 private:
  int WalkBelow(int depth);
  TfrMain* frMain_ = nullptr;
};
