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
  // The file the finished document was written to; empty while there is none (the word
  // processor keeps it open, unsaved).
  virtual QString documentPath() const { return {}; }
  // Why the last call failed, in the user's words; empty when the word processor does not say.
  virtual QString errorString() const { return {}; }
};

using WordBackendFactory = std::function<std::unique_ptr<WordBackend>()>;

// The word processor of one main window: made by WordConnect from the factory, kept after
// an export and made anew by the next one, released with the window.
class WordAutomation {
 public:
  explicit WordAutomation(WordBackendFactory factory) : factory_(std::move(factory)) {}

  // The word processor in use; null before the first export and after a failed connection.
  WordBackend* WordApp() const { return wordApp_.get(); }
  // Why the word processor refused its last call; empty when it does not say.
  QString WordError() const { return wordApp_ ? wordApp_->errorString() : QString(); }

  bool WordConnect();
  bool WordSetVisible(bool visible);
  bool WordNewDocument(const QString& templatePath);
  bool WordFindText(const QString& text);
  bool WordInsertText(const QString& text);
  bool WordMoveRight(int count);
  bool WordMoveLeft(int count);
  bool WordDeleteChars(int count);
  bool WordInsertRows(int count);

 private:
  // Runs one automation step: false when there is no word processor or the call fails.
  template <class Call>
  bool Step(Call call);

  WordBackendFactory factory_;
  std::unique_ptr<WordBackend> wordApp_;
};
