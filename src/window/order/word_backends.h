#pragma once
// The word processors the order export can drive.

#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "order/uword.h"

// Word 97-2003 templates turned into Office Open XML for this run: each file is converted
// once (again only when it changes), into a temporary folder of the program's own that goes
// when the window does. The catalogue folder is never written to.
class ConvertedTemplates {
 public:
  // LibreOffice is looked for on the PATH of `environment` and started with it.
  base::Result<std::string> Convert(const std::string& templatePath, const std::vector<std::string>& environment);

 private:
  struct Done {
    std::string source;
    std::uintmax_t size;
    std::filesystem::file_time_type modified;
    std::string converted;
  };
  QTemporaryDir dir_;
  std::vector<Done> done_;
};

// The word processor of one window's order export, with the Word 97-2003 templates converted
// for it.
struct OrderExport {
  explicit OrderExport(WordBackendFactory factory) : word(std::move(factory)) {}
  ConvertedTemplates converted;
  WordAutomation word;
};

// What the built-in engine takes from the window.
struct EngineServices {
  std::function<bool(const QUrl&)> openUrl;                         // the desktop's opener of the finished document
  QString documentsDir;                                             // where documents go; empty: the documents folder
  std::function<QString(const QString& cataloguePath)> nativePath;  // the template on this system
  std::function<void(const QString& text)> showMessage;             // the message box
  // A Word 97-2003 template in Office Open XML; empty: such templates are refused.
  std::function<base::Result<std::string>(const std::string& templatePath)> convertWord97;
};

// The built-in engine: the document is made from the template in memory and, when the
// export ends, written to a new .docx file that is handed to the desktop's opener.
std::unique_ptr<WordBackend> MakeEngineBackend(EngineServices services);

#ifdef _WIN32
// The word processor's own automation, late-bound ("Word.Application").
std::unique_ptr<WordBackend> MakeComWordBackend();
#endif

// The platform's word processor: the automation where it can be used, else the engine.
WordBackendFactory DefaultWordBackendFactory(EngineServices services);
