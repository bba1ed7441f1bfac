#pragma once
// Help: the compiled HTML help file shown by the HTML Help library where the system has it
// (Windows), and by the built-in help window everywhere else, which then plays the
// library's role: loading it means the window is available.

#include <QString>

#include <cstdint>

#include "help/html_help_win.h"

class HelpViewer;

// The command that asks for a help file's default topic.
inline constexpr unsigned kHhDisplayTopic = 0;

extern std::uintptr_t HelpLib;    // handle of the loaded help library; 0 while none is loaded
extern HtmlHelpFn HtmlHelpEntry;  // its entry; empty when not loaded or missing

// Loads the help library once and finds its entry; true when it is loaded. The built-in
// window looks for help files beside the executable in `executableDir` when they are not in
// the working directory.
bool LoadHtmlHelp(const QString& executableDir = QString());
// Shows the default topic of the help file; nothing when the library or its entry is missing.
void ShowHelp(const QString& helpFile);
// Releases the help library, also when none is loaded.
void FreeHtmlHelp();

// The built-in help window while it exists (tests look at it).
HelpViewer* BuiltInHelpWindow();
