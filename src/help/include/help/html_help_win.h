#pragma once
// The HTML Help library of Windows. No Qt, so that the unit compiles on its own.

#ifdef _WIN32

#include <cstdint>
#include <string>

// "HHCTRL.OCX", loaded by the system's search rules, and its wide entry "HtmlHelpW".
class HtmlHelpLibrary {
 public:
  HtmlHelpLibrary() = default;
  ~HtmlHelpLibrary() { Free(); }
  HtmlHelpLibrary(const HtmlHelpLibrary&) = delete;
  HtmlHelpLibrary& operator=(const HtmlHelpLibrary&) = delete;

  // Loads the library once and finds its entry; true when both are there.
  bool Load();
  // The default topic of the help file, asked for from the desktop window; nothing when the
  // library or its entry is missing.
  void DisplayTopic(const std::wstring& helpFile);
  // Releases the library, also when none is loaded.
  void Free();

 private:
  void* module_ = nullptr;
  void* entry_ = nullptr;
};

#endif  // _WIN32
