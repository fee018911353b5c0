// The Win32 boundary: 1254 text to the UTF-16 strings the W functions take,
// and back. wchar_t is 16 bits wide on Windows, so a std::wstring holds UTF-16.
#pragma once
#include <string>
#include <string_view>

#include "classlib/system/codepage.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Win32 boundary needs a 16-bit wchar_t");

inline std::wstring AnsiToWide(std::string_view ansi) {
  const std::u16string text = AnsiToUtf16(ansi);
  return std::wstring(text.begin(), text.end());
}

inline AnsiString WideToAnsi(std::wstring_view text) {
  return Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}
