#pragma once
// The HTML Help library and the shell's document-opening call on Windows. No Qt, so that these
// units compile on their own.

#include <cstdint>
#include <string>

// The entry of a help library: caller window, help file name (UTF-8), command, command data;
// it returns the help window's handle.
using HtmlHelpFn = void* (*)(void* caller, const char* file, unsigned command, std::uintptr_t data);

#ifdef _WIN32
// Loads "HHCTRL.OCX" by the system's search rules; 0 when it cannot be loaded.
std::uintptr_t LoadHtmlHelpLibrary();
// The library's entry, taking the file name in UTF-8 (passed on to the wide entry
// "HtmlHelpW"); null when the library lacks it.
HtmlHelpFn HtmlHelpEntryOf(std::uintptr_t library);
void FreeHtmlHelpLibrary(std::uintptr_t library);
// The desktop window, the caller the help viewer is asked from.
void* DesktopWindowHandle();
// Hands a document or address to the shell's "open" (a mailto: link opens a new message);
// false when the shell refuses it.
bool ShellOpen(void* owner, const std::wstring& target);
#endif
