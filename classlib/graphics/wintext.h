// Text at the Win32 boundary: the system's 1254 text to UTF-16 for the W
// functions and back.
#pragma once
#include <cwchar>
#include <string>

#include "classlib/system/ansistring.h"
#include "classlib/system/codepage.h"

inline std::wstring WideOf(const AnsiString& text) {
  std::u16string utf16 = AnsiToUtf16(text);
  return std::wstring(utf16.begin(), utf16.end());
}

inline AnsiString AnsiOf(const wchar_t* text, std::size_t length) {
  if (text == nullptr)
    return AnsiString();
  return Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

// A zero-terminated UTF-16 text, as Win32 structures hold it.
inline AnsiString AnsiOf(const wchar_t* text) {
  return text == nullptr ? AnsiString() : AnsiOf(text, std::wcslen(text));
}

// A UTF-16 text in a fixed-size field, which need not be terminated.
template <std::size_t N>
AnsiString AnsiOfField(const wchar_t (&field)[N]) {
  return AnsiOf(field, wcsnlen(field, N));
}

// Copies text into a fixed-size UTF-16 field, cut to fit, always terminated.
template <std::size_t N>
void CopyToField(wchar_t (&field)[N], const AnsiString& text) {
  std::wstring wide = WideOf(text);
  std::size_t count = wide.size() < N - 1 ? wide.size() : N - 1;
  wide.copy(field, count);
  field[count] = L'\0';
}
