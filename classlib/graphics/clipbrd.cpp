#include "classlib/graphics/clipbrd.h"

#include <cstring>
#include <string>

#include "classlib/graphics/wintext.h"
#include "classlib/system/exceptions.h"

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() {
  if (openRefCount_ > 0)
    CloseClipboard();
  if (window_ != nullptr)
    DestroyWindow(window_);
}

void TClipboard::Open() {
  if (openRefCount_ == 0) {
    // The clipboard is opened for a window of our own, so it has an owner
    // whichever form is active.
    if (window_ == nullptr)
      window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
    if (!OpenClipboard(window_))
      throw Exception("Cannot open clipboard");
    emptied_ = false;
  }
  ++openRefCount_;
}

void TClipboard::Close() {
  if (openRefCount_ == 0)
    return;
  if (--openRefCount_ == 0)
    CloseClipboard();
}

void TClipboard::Adding() {
  if (openRefCount_ > 0 && !emptied_) {
    Clear();
    emptied_ = true;
  }
}

void TClipboard::Clear() {
  Open();
  EmptyClipboard();
  Close();
}

bool TClipboard::HasFormat(UINT format) const {
  return IsClipboardFormatAvailable(format) != FALSE;
}

void TClipboard::SetAsHandle(UINT format, HANDLE value) {
  Open();
  try {
    Adding();
    if (SetClipboardData(format, value) == nullptr)
      throw Exception("Cannot set clipboard data");
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

HANDLE TClipboard::GetAsHandle(UINT format) {
  Open();
  HANDLE data = GetClipboardData(format);
  Close();
  return data;
}

void TClipboard::SetBuffer(UINT format, const void* data, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block == nullptr)
    throw EOutOfResources("Out of system resources");
  void* target = GlobalLock(block);
  if (size > 0)
    std::memcpy(target, data, size);
  GlobalUnlock(block);
  try {
    SetAsHandle(format, block);
  } catch (...) {
    GlobalFree(block);
    throw;
  }
}

void TClipboard::SetAsText(const AnsiString& text) {
  std::wstring wide = WideOf(text);
  SetBuffer(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

void TClipboard::SetTextBuf(const char* buffer) {
  SetAsText(buffer != nullptr ? AnsiString(buffer) : AnsiString());
}

AnsiString TClipboard::AsText() {
  AnsiString text;
  Open();
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data != nullptr) {
    // The block need not be terminated within its size.
    std::size_t units = GlobalSize(data) / sizeof(wchar_t);
    const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
    if (wide != nullptr) {
      text = AnsiOf(wide, wcsnlen(wide, units));
      GlobalUnlock(data);
    }
  }
  Close();
  return text;
}

int TClipboard::GetTextBuf(char* buffer, int size) {
  if (buffer == nullptr || size <= 0)
    return 0;
  AnsiString text = AsText();
  int count = static_cast<int>(text.size()) < size - 1 ? static_cast<int>(text.size()) : size - 1;
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
  buffer[count] = '\0';
  return count;
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

UINT RegisterClipboardFormat(const AnsiString& name) {
  return RegisterClipboardFormatW(WideOf(name).c_str());
}
