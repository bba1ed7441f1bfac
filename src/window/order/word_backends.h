#pragma once
// The word processors the order export can drive.

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

#include "order/uword.h"

// What the built-in engine takes from the window.
struct EngineServices {
  std::function<bool(const QUrl&)> openUrl;  // the desktop's opener of the finished document
  QString documentsDir;                      // where documents go; empty: the documents folder
  std::function<QString(const QString& cataloguePath)> nativePath;  // the template on this system
  std::function<void(const QString& text)> showMessage;            // the message box
};

// The built-in engine: the document is made from the template in memory and, when the
// export ends, written to a new .docx file that is handed to the desktop's opener.
std::unique_ptr<WordBackend> MakeEngineBackend(EngineServices services);

// Where the engine writes a finished document: a new file in the documents folder (or the
// temporary folder), named for what it is and when; an existing file is never reused.
QString NewOrderDocumentPath(const QString& folder = QString());

#ifdef _WIN32
// The word processor's own automation, late-bound ("Word.Application").
std::unique_ptr<WordBackend> MakeComWordBackend();
#endif

// The platform's word processor: the automation where it can be used, else the engine.
WordBackendFactory DefaultWordBackendFactory(EngineServices services);
