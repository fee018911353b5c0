// Checks the built-in 1254 table against the system's own conversion; only
// the Windows build has one.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/system/codepage.h"
#include "classlib/system/strutils.h"
#include "classlib/system/win/widestring.h"

namespace {


TEST(CodePage1254OnWindows, TableMatchesTheSystemConversion) {
  for (unsigned b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t wide = 0;
    ASSERT_EQ(MultiByteToWideChar(1254, 0, &byte, 1, &wide, 1), 1);
    EXPECT_EQ(static_cast<char16_t>(wide), CodePage1254().ToUtf16(static_cast<unsigned char>(b)))
        << "byte 0x" << std::hex << b;
  }
}

TEST(CodePage1254OnWindows, WideStringHelpersRoundTrip) {
  AnsiString all;
  for (unsigned b = 1; b < 256; ++b)
    all += static_cast<char>(b);
  const std::wstring wide = AnsiToWide(all);
  EXPECT_EQ(wide[0xDD - 1], L'\x0130');
  EXPECT_EQ(WideToAnsi(wide), all);
}

// What CharUpperBuffA/CharLowerBuffA do on a 1254 machine: change the case
// in UTF-16 and come back with the system's best fit.
char SystemCase(char byte, bool upper) {
  wchar_t wide = CodePage1254().ToUtf16(static_cast<unsigned char>(byte));
  upper ? CharUpperBuffW(&wide, 1) : CharLowerBuffW(&wide, 1);
  char result = 0;
  WideCharToMultiByte(1254, 0, &wide, 1, &result, 1, nullptr, nullptr);
  return result;
}

TEST(CaseOnWindows, CaseMapsMatchCharUpperAndCharLower) {
  for (unsigned b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    EXPECT_EQ(AnsiUpperChar(byte), SystemCase(byte, true)) << "byte 0x" << std::hex << b;
    EXPECT_EQ(AnsiLowerChar(byte), SystemCase(byte, false)) << "byte 0x" << std::hex << b;
  }
}

}  // namespace
#endif
