// The text of one enhanced-metafile record, read from its raw bytes.
//
// Only the extended text-out records carry text: type 83 (8-bit string) and
// type 84 (16-bit string). Both hold the character count at byte 44 and the
// string's offset from the record start at byte 48. The reader trusts
// neither: a record too short for those fields, or whose string would reach
// past the record's end, gives no text. Page stores come from files, so a
// crafted record must never make the reader leave the record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "classlib/system/ansistring.h"

constexpr std::uint32_t kEmrExtTextOutA = 83;
constexpr std::uint32_t kEmrExtTextOutW = 84;

// The record's text in code page 1254 (16-bit text converted, so Turkish
// letters survive); empty for any other record or one that does not hold
// together. `size` is the number of bytes readable at `record`.
AnsiString EmfRecordText(const std::uint8_t* record, std::size_t size);

// What one search looks for: the text and whether the case must match.
// Without match case both sides are upper-cased and the four letters i, I,
// dotted İ and dotless ı count as one, so "istanbul" finds "İstanbul" and a
// text typed without Turkish letters still finds its Turkish spelling.
class TMetafileTextMatcher {
public:
  TMetafileTextMatcher(std::string_view text, bool matchCase);
  // True when the record's text holds the search text; an empty search text
  // is in no record.
  bool RecordMatches(const std::uint8_t* record, std::size_t size) const;

private:
  AnsiString text_;
  bool matchCase_;
};
