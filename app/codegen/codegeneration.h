// Numbered codes for the label table: each code is a prefix, a running
// number padded with zeros to a digit count, and a suffix, written into one
// field of a label; up to ten further fields get fixed texts. New labels are
// appended, or the labels already there are written over.
//
// The running number is 64-bit, and the numbers are read from the inputs'
// text as whole numbers (the fraction cut), so codes of 12 and 13 digits
// come out exact. Everything that can be refused is refused before a label
// changes.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "classlib/data/dataset.h"
#include "classlib/system/ansistring.h"

// The number of fields that can get a fixed text (METIN1 ... METIN10).
constexpr int FixedTextCount = 10;
// The digit counts offered ("1 Basamak" ... "20 Basamak", then an empty
// entry that stands for one more).
constexpr int DigitChoiceCount = 21;

struct TCodeRequest {
  // The numbers as the user typed them; a fraction is cut toward zero.
  AnsiString Start = "0";
  AnsiString Step = "1";
  AnsiString Count = "1";
  // The chosen digit count is DigitIndex + 1.
  int DigitIndex = 11;
  AnsiString Prefix;
  AnsiString Suffix;
  // The target field is METIN(FieldIndex + 1); the empty last entry (20)
  // would name the label's BAS, which takes no text.
  int FieldIndex = 0;
  // Write over the labels there instead of appending new ones.
  bool Overwrite = false;
  std::array<AnsiString, FixedTextCount> FixedTexts;
};

// Reads a whole number as typed: blanks around, an optional sign, digits
// (thousands separators of the locale skipped) and an optional fraction
// after the locale's decimal separator, which is cut. Empty text is 0.
// Nothing for text that is no number or lies outside the 64-bit range.
std::optional<std::int64_t> ReadWholeNumberText(const AnsiString& Text);

// The code of one number: Prefix, the number with at least Digits digits
// (leading zeros; a negative number starts with "-"), Suffix.
AnsiString MakeCode(const AnsiString& Prefix, std::int64_t Number, int Digits, const AnsiString& Suffix);

// Checks the request against the label table and, when it can run, fills
// the table. Gives "" when the labels were written, otherwise the Turkish
// message to show; the table is then unchanged. Data-aware controls of the
// table stay quiet while it runs.
AnsiString GenerateCodes(TDataSet& Labels, const TCodeRequest& Request);
