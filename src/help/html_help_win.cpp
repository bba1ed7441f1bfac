#include "help/html_help_win.h"

#ifdef _WIN32

#include <windows.h>
#include <shellapi.h>

namespace {

using WideEntry = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
WideEntry g_wideEntry = nullptr;

std::wstring Wide(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), n);
  w.resize(static_cast<std::size_t>(n - 1));
  return w;
}

void* CallWideEntry(void* caller, const char* file, unsigned command, std::uintptr_t data) {
  if (!g_wideEntry) return nullptr;
  const std::wstring name = Wide(file);
  return g_wideEntry(static_cast<HWND>(caller), name.c_str(), command, static_cast<DWORD_PTR>(data));
}

}  // namespace

std::uintptr_t LoadHtmlHelpLibrary() { return reinterpret_cast<std::uintptr_t>(LoadLibraryW(L"HHCTRL.OCX")); }

HtmlHelpFn HtmlHelpEntryOf(std::uintptr_t library) {
  g_wideEntry = nullptr;
  if (!library) return nullptr;
  FARPROC proc = GetProcAddress(reinterpret_cast<HMODULE>(library), "HtmlHelpW");
  if (!proc) return nullptr;
  g_wideEntry = reinterpret_cast<WideEntry>(reinterpret_cast<void*>(proc));
  return &CallWideEntry;
}

void FreeHtmlHelpLibrary(std::uintptr_t library) {
  g_wideEntry = nullptr;
  FreeLibrary(reinterpret_cast<HMODULE>(library));
}

void* DesktopWindowHandle() { return GetDesktopWindow(); }

bool ShellOpen(void* owner, const std::wstring& target) {
  const HINSTANCE r = ShellExecuteW(static_cast<HWND>(owner), L"open", target.c_str(), L"", L"", SW_SHOW);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

#endif  // _WIN32
