#pragma once
// Help for the main window: the help library shows the default topic of the catalogue's help
// file. On Windows it is the system's HTML Help library; elsewhere the built-in help window.

#include <QString>

#include <memory>

class HelpViewer;

class HelpService {
 public:
  virtual ~HelpService() = default;
  // Loads the library; a missing one is not an error (help then does nothing). True when it
  // can show help.
  virtual bool Load() = 0;
  // Shows the default topic of the help file. What the user is told when it cannot be shown;
  // empty when it is, or when the system's viewer answers the user itself.
  virtual QString ShowHelp(const QString& helpFile) = 0;
  // The built-in help window while it exists; null for the system's library.
  virtual HelpViewer* Window() const { return nullptr; }
};

// The built-in help window. A help file named without a folder is looked for in the
// catalogue's folder, never in the working directory.
std::unique_ptr<HelpService> MakeBuiltInHelp(QString catalogueDir);

#ifdef _WIN32
// The system's HTML Help library.
std::unique_ptr<HelpService> MakeSystemHelp();
#endif

// The platform's help: the system's library on Windows, the built-in window elsewhere.
std::unique_ptr<HelpService> MakePlatformHelp(QString catalogueDir);
