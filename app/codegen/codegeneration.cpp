#include "app/codegen/codegeneration.h"

#include <algorithm>
#include <cctype>

#include "app/labeltable.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/system/formatsettings.h"
#include "classlib/system/numconv.h"

namespace {

const char* const NoLabelsMessage = "Hiç etiket eklenmemiş.";
const char* const NoCountMessage = "Oluşturulacak etiket miktarını giriniz.";
const char* const NotAWholeNumberMessage = "Lütfen geçerli bir tamsayı giriniz.";
const char* const OutOfRangeMessage =
    "Oluşturulacak numaralar -9223372036854775808 ile 9223372036854775807 arasında kalmalıdır.";
const char* const NoTargetFieldMessage =
    "Barkodun Oluşturulacağı Alan için \"Metin 1\" ile \"Metin 20\" arasından bir alan seçiniz.";

enum class TNumberText { Whole, NotANumber, OutOfRange };

// Reads the typed text into Value; see ReadWholeNumberText.
TNumberText ParseWholeNumber(const AnsiString& Text, std::int64_t& Value) {
  std::size_t first = 0, last = Text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(Text[first])))
    ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(Text[last - 1])))
    --last;
  bool negative = false;
  if (first < last && (Text[first] == '-' || Text[first] == '+'))
    negative = Text[first++] == '-';
  // Magnitudes up to 2^63, the size of the most negative number.
  const unsigned long long limit = 9223372036854775808ULL;
  unsigned long long magnitude = 0;
  bool digits = false, tooLarge = false, inFraction = false;
  for (std::size_t i = first; i < last; ++i) {
    const char c = Text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      if (inFraction)
        continue;
      const unsigned d = static_cast<unsigned>(c - '0');
      if (magnitude > (limit - d) / 10)
        tooLarge = true;
      else
        magnitude = magnitude * 10 + d;
    } else if (c == FormatSettings.DecimalSeparator && !inFraction) {
      inFraction = true;
    } else if (c == FormatSettings.ThousandSeparator && !inFraction) {
      continue;
    } else {
      return TNumberText::NotANumber;
    }
  }
  if (!digits) {
    Value = 0;  // empty text, or a lone sign or separator, is 0
    return TNumberText::Whole;
  }
  if (tooLarge || (!negative && magnitude == limit))
    return TNumberText::OutOfRange;
  Value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return TNumberText::Whole;
}

bool IsPlaceholder(TDataSet& Labels) { return Labels.FieldByName("BAS")->AsBoolean(); }

// The labels an overwrite writes: every label that is not a placeholder.
int WritableLabelCount(TDataSet& Labels) {
  int count = 0;
  for (Labels.First(); !Labels.Eof(); Labels.Next())
    count += IsPlaceholder(Labels) ? 0 : 1;
  return count;
}

// The first and last number of Count numbers; false when one lies outside
// the 64-bit range (the numbers between them then do too or lie inside).
bool NumberRangeFits(std::int64_t Start, std::int64_t Step, int Count, std::int64_t& Last) {
  std::int64_t offset = 0;
  return !__builtin_mul_overflow(Step, static_cast<std::int64_t>(Count - 1), &offset) &&
         !__builtin_add_overflow(Start, offset, &Last);
}

// Writes one label's fixed texts, then its code, and posts it.
void WriteLabel(TDataSet& Labels, const TCodeRequest& Request, const AnsiString& Code) {
  for (int k = 0; k < FixedTextCount; ++k)
    if (!Request.FixedTexts[static_cast<std::size_t>(k)].empty())
      Labels.FieldByName(RecordFieldName(k + 1))->SetAsString(Request.FixedTexts[static_cast<std::size_t>(k)]);
  Labels.FieldByName(RecordFieldName(Request.FieldIndex + 1))->SetAsString(Code);
  Labels.Post();
}

struct TCodeRun {
  std::int64_t Start = 0;
  std::int64_t Step = 0;
  int Count = 0;
  int Digits = 0;
};

// What is wrong with the request, "" when it can run; fills Run.
AnsiString CheckRequest(TDataSet& Labels, const TCodeRequest& Request, TCodeRun& Run) {
  if (Request.Overwrite) {
    Run.Count = WritableLabelCount(Labels);
    if (Run.Count == 0)
      return NoLabelsMessage;
  } else {
    std::int64_t count = 0;
    const TNumberText read = ParseWholeNumber(Request.Count, count);
    if (read == TNumberText::NotANumber || (read == TNumberText::Whole && count < 1))
      return NoCountMessage;
    if (read == TNumberText::OutOfRange || count > MaxLabelCount)
      return "En fazla " + IntToStr(MaxLabelCount) + " adet girilebilir.";
    Run.Count = static_cast<int>(count);
  }
  if (Request.FieldIndex < 0 || Request.FieldIndex >= RecordFieldCount)
    return NoTargetFieldMessage;
  for (const auto& [text, value] : {std::pair{&Request.Start, &Run.Start}, std::pair{&Request.Step, &Run.Step}}) {
    const TNumberText read = ParseWholeNumber(*text, *value);
    if (read == TNumberText::NotANumber)
      return NotAWholeNumberMessage;
    if (read == TNumberText::OutOfRange)
      return OutOfRangeMessage;
  }
  std::int64_t last = 0;
  if (!NumberRangeFits(Run.Start, Run.Step, Run.Count, last))
    return OutOfRangeMessage;
  Run.Digits = std::clamp(Request.DigitIndex + 1, 0, DigitChoiceCount);
  // The numbers change linearly, so the longest code is the first or the last.
  const std::size_t longest =
      std::max(MakeCode(Request.Prefix, Run.Start, Run.Digits, Request.Suffix).size(),
               MakeCode(Request.Prefix, last, Run.Digits, Request.Suffix).size());
  if (longest > static_cast<std::size_t>(RecordFieldSize))
    return "Oluşturulacak barkod " + IntToStr(RecordFieldSize) +
           " karakterden uzun olamaz; basamak sayısını veya başına ve sonuna eklenenleri kısaltınız.";
  return AnsiString();
}

}  // namespace

std::optional<std::int64_t> ReadWholeNumberText(const AnsiString& Text) {
  std::int64_t value = 0;
  if (ParseWholeNumber(Text, value) != TNumberText::Whole)
    return std::nullopt;
  return value;
}

AnsiString MakeCode(const AnsiString& Prefix, std::int64_t Number, int Digits, const AnsiString& Suffix) {
  const unsigned long long magnitude =
      Number < 0 ? 0ULL - static_cast<unsigned long long>(Number) : static_cast<unsigned long long>(Number);
  AnsiString digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < Digits)
    digits.insert(0, static_cast<std::size_t>(Digits) - digits.size(), '0');
  return Prefix + (Number < 0 ? "-" : "") + digits + Suffix;
}

AnsiString GenerateCodes(TDataSet& Labels, const TCodeRequest& Request) {
  TDisableControlsScope quiet(Labels);
  TCodeRun run;
  const AnsiString refusal = CheckRequest(Labels, Request, run);
  if (!refusal.empty())
    return refusal;
  auto code = [&](int i) { return MakeCode(Request.Prefix, run.Start + run.Step * i, run.Digits, Request.Suffix); };
  if (Request.Overwrite) {
    // Placeholders stay placeholders: the next print request deletes them.
    int i = 0;
    for (Labels.First(); !Labels.Eof(); Labels.Next()) {
      if (IsPlaceholder(Labels))
        continue;
      Labels.Edit();
      WriteLabel(Labels, Request, code(i++));
    }
  } else {
    for (int i = 0; i < run.Count; ++i) {
      Labels.Append();
      WriteLabel(Labels, Request, code(i));
    }
  }
  return AnsiString();
}
