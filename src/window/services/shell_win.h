#pragma once
// The shell's document-opening call on Windows. No Qt, so that the unit compiles on its own.

#ifdef _WIN32

#include <string>

// Hands a document or address to the shell's "open" (a mailto: link opens a new message);
// false when the shell refuses it.
bool ShellOpen(void* owner, const std::wstring& target);

// A new message to `address` with the file `attachment`, through the system's simple mail
// interface (MAPI); false when no mail program takes it.
bool SendMailWithAttachment(const std::wstring& address, const std::wstring& attachment);

#endif  // _WIN32
