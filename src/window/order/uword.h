#pragma once
// The routines that speak to the word processor. Each returns false on any failure (the
// reason is swallowed); WordFindText returns whether the text was found.

#include <QString>

#include <functional>
#include <memory>

// A word processor the order export can drive: the automation calls it needs, by the
// names of the word processor's own object model.
class WordBackend {
 public:
  virtual ~WordBackend() = default;
  // Attaches to a running word processor or starts one.
  virtual bool Connect() = 0;
  virtual bool SetVisible(bool visible) = 0;
  virtual bool DocumentsAdd(const QString& templatePath) = 0;
  // Find with Forward set and the text given, then Execute: whether it was found.
  virtual bool FindExecute(const QString& text) = 0;
  virtual bool SelectionDelete() = 0;
  virtual bool SelectionInsertAfter(const QString& text) = 0;
  virtual bool SelectionMoveRight(int count) = 0;
  virtual bool SelectionMoveLeft(int count) = 0;
  virtual bool SelectionDeleteChars(int count) = 0;
  virtual bool SelectionInsertRows(int count) = 0;
  // The export is over; a document it created is handed to the user.
  virtual void ExportFinished() {}
};

using WordBackendFactory = std::function<std::unique_ptr<WordBackend>()>;

// The word processor in use: empty at start, set by WordConnect, kept after an export and
// set anew by the next one, released at program end.
extern std::unique_ptr<WordBackend> WordApp;

// Where WordConnect gets its word processor from (the window installs it at start).
void SetWordBackendFactory(WordBackendFactory factory);

bool WordConnect();
bool WordSetVisible(bool visible);
bool WordNewDocument(const QString& templatePath);
bool WordFindText(const QString& text);
bool WordInsertText(const QString& text);
bool WordMoveRight(int count);
bool WordMoveLeft(int count);
bool WordDeleteChars(int count);
bool WordInsertRows(int count);
