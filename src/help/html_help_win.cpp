#include "help/html_help_win.h"

#ifdef _WIN32

#include <windows.h>

namespace {

using WideEntry = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC

}  // namespace

bool HtmlHelpLibrary::Load() {
  if (!module_) {
    module_ = reinterpret_cast<void*>(LoadLibraryW(L"HHCTRL.OCX"));
    if (module_) entry_ = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module_), "HtmlHelpW"));
  }
  return module_ && entry_;
}

void HtmlHelpLibrary::DisplayTopic(const std::wstring& helpFile) {
  if (!module_ || !entry_) return;
  reinterpret_cast<WideEntry>(entry_)(GetDesktopWindow(), helpFile.c_str(), kDisplayTopic, 0);
}

void HtmlHelpLibrary::Free() {
  if (module_) FreeLibrary(static_cast<HMODULE>(module_));
  module_ = nullptr;
  entry_ = nullptr;
}

#endif  // _WIN32
