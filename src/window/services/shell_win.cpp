#include "services/shell_win.h"

#ifdef _WIN32

// windows.h first: the shell's header needs its types.
#include <windows.h>

#include <mapi.h>
#include <shellapi.h>

#include <vector>

bool ShellOpen(void* owner, const std::wstring& target) {
  const HINSTANCE r = ShellExecuteW(static_cast<HWND>(owner), L"open", target.c_str(), L"", L"", SW_SHOW);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

namespace {

// The ANSI text MAPI takes.
std::string Ansi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? static_cast<std::size_t>(n) : 1, '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

bool SendMailWithAttachment(const std::wstring& address, const std::wstring& attachment) {
  HMODULE mapi = LoadLibraryW(L"MAPI32.DLL");
  if (!mapi) return false;
  auto send = reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(GetProcAddress(mapi, "MAPISendMail")));
  bool sent = false;
  if (send) {
    std::string to = "SMTP:" + Ansi(address), file = Ansi(attachment), subject = Ansi(L"Заявка на запасные части");
    MapiRecipDesc recipient{};
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = to.data() + 5;
    recipient.lpszAddress = to.data();
    MapiFileDesc document{};
    document.nPosition = static_cast<ULONG>(-1);
    document.lpszPathName = file.data();
    MapiMessage message{};
    message.lpszSubject = subject.data();
    message.nRecipCount = 1;
    message.lpRecips = &recipient;
    message.nFileCount = 1;
    message.lpFiles = &document;
    sent = send(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0) == SUCCESS_SUCCESS;
  }
  FreeLibrary(mapi);
  return sent;
}

#endif  // _WIN32
