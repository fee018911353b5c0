// Conversions between the system's 8-bit text (code page 1254), UTF-16,
// UTF-8 and the machine's OEM code page.
//
// Code page 1254 is converted by its own table here, so the same bytes give
// the same characters natively and on Windows. The OEM page is the machine's:
// the Windows build asks Windows (857 on a Turkish machine); the native build
// answers with the built-in 857 table. Tests may pin the OEM page to a table of
// their choice with OemCodePageScope.
//
// Characters a code page lacks are written as the substitute Windows' best
// fit gives them where it has one (typographic quotes and dashes become plain
// ones, "Š" becomes "S", the bullet byte 7 of the DOS pages, box drawing "+",
// "-", "L", "T", "=", "¦" or "¬") and as "?" otherwise; one "?" per code point.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "classlib/system/ansistring.h"

// A single-byte code page: the UTF-16 character of every byte and the way back.
class SingleByteCodePage {
public:
  using Table = std::array<char16_t, 256>;

  SingleByteCodePage(unsigned number, const Table& table);

  unsigned Number() const { return number_; }
  char16_t ToUtf16(unsigned char byte) const { return table_[byte]; }
  // The byte of a character, or -1 when the code page lacks it.
  int ByteOf(char16_t ch) const;

  std::u16string ToUtf16(std::string_view bytes) const;
  // Unknown characters take their best fit, else "?".
  std::string FromUtf16(std::u16string_view text) const;

private:
  unsigned number_;
  Table table_;
  std::unordered_map<char16_t, unsigned char> bytes_;
};

// Windows code page 1254 (Turkish); its unassigned bytes map to the C1 control
// of the same value, as Windows maps them.
const SingleByteCodePage& CodePage1254();
// Code page 857 (Turkish DOS); its three unassigned bytes map to the private
// use characters Windows gives them (U+F8BB..U+F8BD).
const SingleByteCodePage& CodePage857();

std::u16string AnsiToUtf16(std::string_view ansi);
AnsiString Utf16ToAnsi(std::u16string_view text);
std::string AnsiToUtf8(std::string_view ansi);
// Malformed UTF-8 sequences become "?".
AnsiString Utf8ToAnsi(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view utf8);

// 1254 text to the OEM code page and back, as CharToOemBuff/OemToCharBuff do.
AnsiString AnsiToOem(std::string_view ansi);
AnsiString OemToAnsi(std::string_view oem);
// The OEM code page number in use (the pinned table's, else the machine's).
unsigned OemCodePage();

// Pins the OEM code page to a table for the lifetime of the scope (tests).
class OemCodePageScope {
public:
  explicit OemCodePageScope(const SingleByteCodePage& page);
  ~OemCodePageScope();
  OemCodePageScope(const OemCodePageScope&) = delete;
  OemCodePageScope& operator=(const OemCodePageScope&) = delete;

private:
  const SingleByteCodePage* saved_;
};
