#include <gtest/gtest.h>

#include <iterator>
#include <optional>

#include "classlib/system/codepage.h"
#include "tests/classlib/system/text/textcases.h"

namespace {

// A byte of one code page and the byte it becomes in the other.
struct BytePair {
  unsigned from;
  unsigned to;
};

// Each 1254 Turkish letter and its byte in code page 857.
const BytePair kTurkishLetters857[] = {  // from 1254 to 857
    {0xC7, 0x80}, {0xE7, 0x87},  // Ç ç
    {0xD0, 0xA6}, {0xF0, 0xA7},  // Ğ ğ
    {0xDD, 0x98}, {0xFD, 0x8D},  // İ ı
    {0x49, 0x49}, {0x69, 0x69},  // I i
    {0xD6, 0x99}, {0xF6, 0x94},  // Ö ö
    {0xDE, 0x9E}, {0xFE, 0x9F},  // Ş ş
    {0xDC, 0x9A}, {0xFC, 0x81},  // Ü ü
};

// 1254 characters code page 857 lacks, and what Windows writes instead.
const BytePair kBestFit857[] = {  // from 1254 to 857
    {0x80, '?'},  {0x82, '\''}, {0x83, 'f'},  {0x84, '"'},  {0x85, 0x07}, {0x86, 0xC5}, {0x87, 0xC5},
    {0x88, '^'},  {0x89, '%'},  {0x8A, 'S'},  {0x8B, '<'},  {0x8C, 'O'},  {0x91, '\''}, {0x92, '\''},
    {0x93, '"'},  {0x94, '"'},  {0x95, 0x07}, {0x96, '-'},  {0x97, '-'},  {0x98, '~'},  {0x99, 't'},
    {0x9A, 's'},  {0x9B, '>'},  {0x9C, 'o'},  {0x9F, 'Y'},
};

// Code page 857 characters 1254 lacks, and what Windows reads them as.
const BytePair kBestFitFrom857[] = {  // from 857 to 1254
    {0xB0, '-'},  {0xB1, '-'},  {0xB2, '-'},  {0xB3, '-'},  {0xB4, '+'},  {0xB9, 0xA6}, {0xBA, 0xA6},
    {0xBB, 0xAC}, {0xBC, '-'},  {0xBF, 0xAC}, {0xC0, 'L'},  {0xC1, '+'},  {0xC2, 'T'},  {0xC3, '+'},
    {0xC4, 0xA6}, {0xC5, '+'},  {0xC8, 'L'},  {0xC9, '-'},  {0xCA, 0xA6}, {0xCB, 'T'},  {0xCC, 0xA6},
    {0xCD, '='},  {0xCE, '+'},  {0xD5, '?'},  {0xD9, '-'},  {0xDA, '-'},  {0xDB, '-'},  {0xDC, '-'},
    {0xDF, '-'},  {0xE7, '?'},  {0xF2, '?'},  {0xFE, 0xA6},
};

// Runs each case twice: with the OEM page pinned to the built-in 857 table,
// and with the machine's own conversion when the machine's OEM page is 857
// (always natively; under Windows on a Turkish machine).
class OemConversion : public testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    if (GetParam())
      pinned_.emplace(CodePage857());
    else if (OemCodePage() != 857)
      GTEST_SKIP() << "the machine's OEM code page is " << OemCodePage() << ", not 857";
  }

private:
  std::optional<OemCodePageScope> pinned_;
};

TEST_P(OemConversion, TurkishLettersBothWays) {
  for (const BytePair& letter : kTurkishLetters857) {
    SCOPED_TRACE(testing::Message() << "1254 byte 0x" << std::hex << letter.from);
    EXPECT_EQ(AnsiToOem(Byte(letter.from)), Byte(letter.to));
    EXPECT_EQ(OemToAnsi(Byte(letter.to)), Byte(letter.from));
  }
}

TEST_P(OemConversion, MissingCharactersTakeTheBestFit) {
  for (const BytePair& letter : kBestFit857)
    EXPECT_EQ(AnsiToOem(Byte(letter.from)), Byte(letter.to)) << "1254 byte 0x" << std::hex << letter.from;
}

TEST_P(OemConversion, OemCharactersMissingIn1254TakeTheBestFit) {
  for (const BytePair& letter : kBestFitFrom857) {
    // The table holds every byte whose character 1254 lacks.
    EXPECT_LT(CodePage1254().ByteOf(CodePage857().ToUtf16(static_cast<unsigned char>(letter.from))), 0);
    EXPECT_EQ(OemToAnsi(Byte(letter.from)), Byte(letter.to)) << "857 byte 0x" << std::hex << letter.from;
  }
  int missing = 0;
  for (unsigned b = 0; b < 256; ++b)
    missing += CodePage1254().ByteOf(CodePage857().ToUtf16(static_cast<unsigned char>(b))) < 0;
  EXPECT_EQ(missing, static_cast<int>(std::size(kBestFitFrom857)));
}

TEST_P(OemConversion, EveryByteKeepsItsPlaceAndSharedCharactersRoundTrip) {
  AnsiString all;
  for (unsigned b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  const AnsiString oem = AnsiToOem(all);
  ASSERT_EQ(oem.size(), all.size());
  for (unsigned b = 0; b < 256; ++b) {
    const int expected = CodePage857().ByteOf(CodePage1254().ToUtf16(static_cast<unsigned char>(b)));
    if (expected < 0)
      continue;  // pinned by the best-fit table
    EXPECT_EQ(static_cast<unsigned char>(oem[b]), static_cast<unsigned>(expected)) << "1254 byte " << b;
    EXPECT_EQ(OemToAnsi(oem.substr(b, 1)), all.substr(b, 1)) << "1254 byte " << b;
  }
}

TEST_P(OemConversion, MixedTextAndEmptyText) {
  EXPECT_EQ(AnsiToOem(Ansi(u"Şişli İŞ ğüç")), "\x9Ei\x9Fli \x98\x9E \xA7\x81\x87");
  EXPECT_EQ(OemToAnsi("\x9Ei\x9Fli"), Ansi(u"Şişli"));
  EXPECT_EQ(AnsiToOem(""), "");
  EXPECT_EQ(OemToAnsi(""), "");
}

INSTANTIATE_TEST_SUITE_P(PinnedAndMachine, OemConversion, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Pinned857" : "Machine"; });

TEST(OemCodePageScope, PinsAnyTableAndRestoresTheMachinePage) {
  SingleByteCodePage::Table table{};
  for (unsigned b = 0; b < 256; ++b)
    table[b] = static_cast<char16_t>(b < 0x80 ? b : 0xE000 + b);
  table[0x80] = 0x00C7;  // Ç, as in code page 437
  const SingleByteCodePage custom(437, table);
  const unsigned machine = OemCodePage();
  {
    OemCodePageScope scope(custom);
    EXPECT_EQ(OemCodePage(), 437u);
    EXPECT_EQ(AnsiToOem(Ansi(u"Çx")), "\x80x");
    EXPECT_EQ(AnsiToOem(Ansi(u"Ş")), "?");
    EXPECT_EQ(OemToAnsi("\x80"), Ansi(u"Ç"));
  }
  EXPECT_EQ(OemCodePage(), machine);
}

}  // namespace
