#include "services/help.h"

#include <memory>

#include "help/help_viewer.h"

std::uintptr_t HelpLib = 0;
HtmlHelpFn HtmlHelpEntry = nullptr;

namespace {

#ifndef _WIN32
// The built-in library: one help window, made when help is first shown.
struct BuiltIn {
  QString executableDir;
  std::unique_ptr<HelpViewer> window;
};

BuiltIn& Library() {
  static BuiltIn library;
  return library;
}

// The entry of the built-in library; a missing or unreadable file shows nothing.
void* BuiltInHtmlHelp(void*, const char* file, unsigned command, std::uintptr_t) {
  if (command != kHhDisplayTopic || !file) return nullptr;
  BuiltIn& lib = Library();
  const QString path = FindHelpFile(QString::fromUtf8(file), lib.executableDir);
  if (path.isEmpty()) return nullptr;
  if (!lib.window) lib.window = std::make_unique<HelpViewer>();
  return lib.window->ShowDefaultTopic(path) ? lib.window.get() : nullptr;
}
#endif

}  // namespace

bool LoadHtmlHelp(const QString& executableDir) {
  if (HelpLib == 0) {
    HtmlHelpEntry = nullptr;
#ifdef _WIN32
    (void)executableDir;
    HelpLib = LoadHtmlHelpLibrary();
    if (HelpLib != 0) HtmlHelpEntry = HtmlHelpEntryOf(HelpLib);
#else
    if (HelpViewer::Available()) {
      Library().executableDir = executableDir;
      HelpLib = reinterpret_cast<std::uintptr_t>(&Library());
      HtmlHelpEntry = &BuiltInHtmlHelp;
    }
#endif
  }
  return HelpLib != 0;
}

void ShowHelp(const QString& helpFile) {
  if (HelpLib == 0 || !HtmlHelpEntry) return;
#ifdef _WIN32
  void* caller = DesktopWindowHandle();
#else
  void* caller = nullptr;
#endif
  (void)HtmlHelpEntry(caller, helpFile.toUtf8().constData(), kHhDisplayTopic, 0);
}

void FreeHtmlHelp() {
#ifdef _WIN32
  FreeHtmlHelpLibrary(HelpLib);
#else
  Library().window.reset();
#endif
  HelpLib = 0;
  HtmlHelpEntry = nullptr;
}

HelpViewer* BuiltInHelpWindow() {
#ifdef _WIN32
  return nullptr;
#else
  return Library().window.get();
#endif
}
