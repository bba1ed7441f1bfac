#include "services/shell_win.h"

#ifdef _WIN32

// windows.h first: the shell's header needs its types.
#include <windows.h>

#include <shellapi.h>

bool ShellOpen(void* owner, const std::wstring& target) {
  const HINSTANCE r = ShellExecuteW(static_cast<HWND>(owner), L"open", target.c_str(), L"", L"", SW_SHOW);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

#endif  // _WIN32
