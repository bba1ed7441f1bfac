#pragma once
// The word processors the order export can drive.

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

#include "order/uword.h"

// Turns the template's catalogue path into a path of this system.
using NativePathFn = std::function<QString(const QString& cataloguePath)>;

// The built-in engine: the document is made from the template in memory and, when the
// export ends, written to a new .docx file that is handed to the desktop's opener.
// `folder` is where documents go (empty: the documents folder).
std::unique_ptr<WordBackend> MakeEngineBackend(std::function<bool(const QUrl&)> opener, QString folder,
                                               NativePathFn nativePath);

// Where the engine writes a finished document: a new file in the documents folder (or the
// temporary folder), named for what it is and when; an existing file is never reused.
QString NewOrderDocumentPath(const QString& folder = QString());

#ifdef _WIN32
// The word processor's own automation, late-bound ("Word.Application").
std::unique_ptr<WordBackend> MakeComWordBackend();
#endif

// The platform's word processor: the automation where it can be used, else the engine.
WordBackendFactory DefaultWordBackendFactory(std::function<bool(const QUrl&)> opener, QString folder,
                                             NativePathFn nativePath);
