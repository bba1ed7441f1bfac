#pragma once
// The shell's document-opening call on Windows. No Qt, so that the unit compiles on its own.

#ifdef _WIN32

#include <string>

// Hands a document or address to the shell's "open" (a mailto: link opens a new message);
// false when the shell refuses it.
bool ShellOpen(void* owner, const std::wstring& target);

#endif  // _WIN32
