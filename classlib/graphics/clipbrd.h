// TClipboard: the system clipboard. Open/Close nest; the first change after
// opening empties the clipboard. Blocks handed to the clipboard are global
// memory, moveable and zero-filled. Text travels as UNICODE text (the system
// makes the 8-bit forms from it).
#pragma once
#include <windows.h>

#include <cstddef>

#include "classlib/system/ansistring.h"

class TClipboard {
public:
  TClipboard();
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  // Raises Exception "Cannot open clipboard" when another window holds it.
  void Open();
  void Close();
  void Clear();
  bool HasFormat(UINT format) const;

  AnsiString AsText();
  void SetAsText(const AnsiString& text);
  void SetTextBuf(const char* buffer);
  // Reads the text into buffer (at most size - 1 bytes and a terminating 0);
  // returns the count copied.
  int GetTextBuf(char* buffer, int size);

  // The clipboard owns a handle once it is set.
  void SetAsHandle(UINT format, HANDLE value);
  HANDLE GetAsHandle(UINT format);
  // Copies size bytes into a new moveable, zero-filled block under format.
  void SetBuffer(UINT format, const void* data, std::size_t size);

private:
  void Adding();

  HWND window_ = nullptr;
  int openRefCount_ = 0;
  bool emptied_ = false;
};

// The clipboard of the program.
TClipboard& Clipboard();

// The number of a registered clipboard format, by name.
UINT RegisterClipboardFormat(const AnsiString& name);
