#pragma once
// The word processor's own automation on Windows: "Word.Application", late-bound through
// IDispatch, member by member as the order export needs them. Windows only; no Qt.

#ifdef _WIN32

#include <string>

struct IDispatch;

class ComWordApplication {
 public:
  ComWordApplication();
  ~ComWordApplication();
  ComWordApplication(const ComWordApplication&) = delete;
  ComWordApplication& operator=(const ComWordApplication&) = delete;

  // The running instance registered with the system, else a new one; false when neither.
  // Once connected, it stays with that instance.
  bool Connect();
  bool SetVisible(bool visible);
  bool DocumentsAdd(const std::wstring& templatePath);
  bool FindExecute(const std::wstring& text);  // Forward := true, Text := text, Execute
  bool SelectionDelete();
  bool SelectionInsertAfter(const std::wstring& text);
  bool SelectionMoveRight(int count);  // unit and extend omitted
  bool SelectionMoveLeft(int count);
  bool SelectionDeleteChars(int count);  // unit omitted
  bool SelectionInsertRows(int count);

 private:
  void Release();

  bool initialised_ = false;
  IDispatch* app_ = nullptr;
};

#endif  // _WIN32
