// Reading the text of metafile records from hand-built record bytes: the
// 8-bit and 16-bit text records, Turkish letters, case, and records whose
// string would reach past their end.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "reportengine/preview/qrtextrecord.h"

namespace {

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A text-out record as a metafile holds it: the fixed part (76 bytes, as the
// records carry their reference point, options, rectangle and spacing offset
// there), then the string at offset 76. Count and offset can be overridden
// to build broken records.
std::vector<std::uint8_t> TextRecord(std::uint32_t type, const std::vector<std::uint8_t>& string,
                                     std::uint32_t count, std::uint32_t offset = 76) {
  std::vector<std::uint8_t> bytes(76 + string.size(), 0);
  PutU32(bytes, 0, type);
  PutU32(bytes, 4, static_cast<std::uint32_t>(bytes.size()));
  PutU32(bytes, 44, count);
  PutU32(bytes, 48, offset);
  std::memcpy(bytes.data() + 76, string.data(), string.size());
  return bytes;
}

std::vector<std::uint8_t> Narrow(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Wide(const std::u16string& text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

std::vector<std::uint8_t> NarrowRecord(const std::string& text) {
  return TextRecord(kEmrExtTextOutA, Narrow(text), static_cast<std::uint32_t>(text.size()));
}
std::vector<std::uint8_t> WideRecord(const std::u16string& text) {
  return TextRecord(kEmrExtTextOutW, Wide(text), static_cast<std::uint32_t>(text.size()));
}

AnsiString TextOf(const std::vector<std::uint8_t>& record) { return EmfRecordText(record.data(), record.size()); }

bool Matches(const char* text, bool matchCase, const std::vector<std::uint8_t>& record) {
  return TMetafileTextMatcher(text, matchCase).RecordMatches(record.data(), record.size());
}

TEST(EmfRecordText, ReadsBothTextRecords) {
  EXPECT_EQ(TextOf(NarrowRecord("Total")), "Total");
  EXPECT_EQ(TextOf(WideRecord(u"Total")), "Total");
}

TEST(EmfRecordText, WideTextKeepsTurkishLettersInCodePage1254) {
  // ğ Ğ ı İ ş Ş have code units above 0xFF; taking only the low byte would
  // turn them into unrelated letters.
  EXPECT_EQ(TextOf(WideRecord(u"\u011F\u011E\u0131\u0130\u015F\u015E")), "\xF0\xD0\xFD\xDD\xFE\xDE");
  EXPECT_EQ(TextOf(WideRecord(u"\u015Ei\u015Fli")), "\xDEi\xFEli");
}

TEST(EmfRecordText, OtherRecordsHaveNoText) {
  std::vector<std::uint8_t> record = NarrowRecord("Total");
  PutU32(record, 0, 82);  // a record type next to the text records
  EXPECT_EQ(TextOf(record), "");
  EXPECT_EQ(EmfRecordText(nullptr, 0), "");
}

// Records whose count, offset or size do not hold together give no text and
// never read outside their bytes (the sanitizers would report it).
TEST(EmfRecordText, BrokenRecordsAreSkipped) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> record;
  };
  const std::vector<std::uint8_t> five = Narrow("Total");
  std::vector<Case> cases = {
      {"offset past the end", TextRecord(kEmrExtTextOutA, five, 5, 4000)},
      {"offset just past the end", TextRecord(kEmrExtTextOutA, five, 1, 81)},
      {"count past the end", TextRecord(kEmrExtTextOutA, five, 6)},
      {"wide count past the end", TextRecord(kEmrExtTextOutW, Wide(u"Tot"), 4)},
      {"wide count overflowing when doubled", TextRecord(kEmrExtTextOutW, Wide(u"Tot"), 0x80000001u)},
      {"offset and count overflowing", TextRecord(kEmrExtTextOutA, five, 0xFFFFFFF0u, 0x20)},
      {"largest offset", TextRecord(kEmrExtTextOutA, five, 5, 0xFFFFFFFFu)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextOf(c.record), "") << c.what;

  // Too short for the count and offset fields: only the bytes given are read.
  std::vector<std::uint8_t> header = NarrowRecord("Total");
  for (std::size_t size : {0u, 8u, 44u, 51u})
    EXPECT_EQ(EmfRecordText(header.data(), size), "") << size;
  // A string ending exactly at the record's end is read.
  EXPECT_EQ(TextOf(TextRecord(kEmrExtTextOutA, five, 2, 79)), "al");
}

TEST(TMetafileTextMatcher, CaseAndEmptyText) {
  const auto total = NarrowRecord("Grand Total");
  EXPECT_TRUE(Matches("total", false, total));
  EXPECT_FALSE(Matches("total", true, total));
  EXPECT_TRUE(Matches("Total", true, total));
  EXPECT_FALSE(Matches("", false, total));
  EXPECT_FALSE(Matches("", true, total));
  EXPECT_FALSE(Matches("sum", false, total));
  // A text split over two records is in neither.
  EXPECT_FALSE(Matches("total", false, NarrowRecord("Tot")));
}

TEST(TMetafileTextMatcher, TurkishTextFoundWithoutCase) {
  const auto city = WideRecord(u"\u015Ei\u015Fli");  // Şişli
  EXPECT_TRUE(Matches("\xFEi\xFEli", false, city));   // şişli
  EXPECT_FALSE(Matches("\xFEi\xFEli", true, city));
  EXPECT_TRUE(Matches("\xDEi\xFEli", true, city));
  // Without match case the i letters are one: typed with a dotless ı, or
  // with no Turkish letters, the word is still found.
  EXPECT_TRUE(Matches("\xFE\xFD\xFEl\xFD", false, city));  // şışlı
  EXPECT_FALSE(Matches("\xFE\xFD\xFEl\xFD", true, city));
  const auto istanbul = WideRecord(u"\u0130stanbul");  // İstanbul
  for (const char* typed : {"istanbul", "ISTANBUL", "\xFDstanbul", "\xDDSTANBUL"})
    EXPECT_TRUE(Matches(typed, false, istanbul)) << typed;
  EXPECT_FALSE(Matches("istanbul", true, istanbul));
  EXPECT_FALSE(Matches("sisli", false, city));  // ş is a letter of its own
}

TEST(TMetafileTextMatcher, BrokenRecordNeverMatches) {
  EXPECT_FALSE(Matches("T", false, TextRecord(kEmrExtTextOutA, Narrow("Total"), 5, 4000)));
}

}  // namespace
